#include "sys/win32/dll_search.h"

#include <windows.h>

namespace sys::win32 {

bool LoadDllsOnlyFromSystem() {
    // The empty folder also takes the current one out of the older search order, which a
    // load asking for it by flags still uses.
    const bool dllDirectory = SetDllDirectoryW(L"") != FALSE;
    return SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32) != FALSE && dllDirectory;
}

}  // namespace sys::win32
