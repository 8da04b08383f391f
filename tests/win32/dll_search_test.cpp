// DLLs come from the system folder only, whatever folder the program has made current.
#include "sys/win32/dll_search.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>

#include "tests/common/helpers.h"
#include "tests/win32/windows_helpers.h"

namespace {

// The planted DLL under the name of one the system folder has, and of one it has not (under
// Wine, which takes the latter from the current folder unrestricted): neither is taken,
// though the same file loads by its full path.
TEST(DllSearch, APlantedDllInTheCurrentFolderIsNotLoaded) {
    test::TempFolder folder;
    test::CurrentFolderScope inFolder(folder.Path());
    for (const char* name : {"version.dll", "cscapi.dll", "planted.dll"})
        std::filesystem::copy_file(testing_win32::BuiltProgram("planted.dll"), folder.Path(name));
    ASSERT_TRUE(sys::win32::LoadDllsOnlyFromSystem());
    for (const std::string& name :
         {std::string("version.dll"), std::string("cscapi.dll"), folder.Path("planted.dll")}) {
        const HMODULE dll = LoadLibraryA(name.c_str());
        EXPECT_EQ(dll && GetProcAddress(dll, "KelvornPlanted"), name.ends_with("planted.dll"));
        if (dll) FreeLibrary(dll);
    }
}

}  // namespace
