// DLLs come from the system folder only, whatever folder the program has made current.
#include "sys/win32/dll_search.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>

#include "tests/common/helpers.h"
#include "tests/win32/windows_helpers.h"

namespace {

namespace fs = std::filesystem;

bool IsPlanted(HMODULE dll) {
    return dll && GetProcAddress(dll, "KelvornPlanted");
}

// A DLL planted in the current folder under a system DLL's name, one the system folder has
// and one it has not (under Wine; Windows has both): neither is taken once restricted,
// though the same file loads by its full path, and was taken from there before.
TEST(DllSearch, APlantedDllInTheCurrentFolderIsNotLoaded) {
    test::TempFolder folder;
    test::CurrentFolderScope inFolder(folder.Path());
    const fs::path planted = testing_win32::BuiltProgram("planted.dll");
    for (const char* name : {"version.dll", "cscapi.dll", "control.dll"})
        fs::copy_file(planted, folder.Path(name));
    const HMODULE before = LoadLibraryW(L"cscapi.dll");
    const bool takenBefore = IsPlanted(before);
    if (before) FreeLibrary(before);

    ASSERT_TRUE(sys::win32::LoadDllsOnlyFromSystem());
    for (const wchar_t* name : {L"version.dll", L"cscapi.dll"}) {
        const HMODULE dll = LoadLibraryW(name);
        EXPECT_FALSE(IsPlanted(dll)) << fs::path(name).string();
        if (dll) FreeLibrary(dll);
    }
    const HMODULE control = LoadLibraryW(fs::path(folder.Path("control.dll")).wstring().c_str());
    EXPECT_TRUE(IsPlanted(control));
    if (control) FreeLibrary(control);
    // What this system does without the restriction, for the log.
    std::printf("a planted cscapi.dll in the current folder was %s before the restriction\n",
                takenBefore ? "taken" : "not taken");
}

}  // namespace
