// sys/ over the real system (Windows-1252 under the Wine fixture): path comparison, the
// registry in keys of our own, the last step of a save, where DLLs come from.
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <string>
#include <tuple>
#include <utility>

#include "sys/fs.h"
#include "sys/registry.h"
#include "sys/win32/dll_search.h"
#include "sys/win32/put_in_place.h"
#include "tests/common/helpers.h"
#include "tests/win32/windows_helpers.h"

namespace {

using sys::RegRoot;

// The system folds the code page's letters as the file system does; the rest stays apart.
TEST(CodePage, PathsCompareIgnoringCaseOfEveryLetter) {
    const std::tuple<const char*, const char*, bool> cases[] = {
        {"C:\\\xc9T\xc9.DS1", "c:\\\xe9t\xe9.ds1", true},  // ÉTÉ été
        {"\x8a", "\x9a", true},                            // Š š
        {"\xd7", "\xf7", false},                           // × ÷
        {"\xe9", "e", false},
        {"\xdf", "ss", false},
        {"a.ds1", "a.ds", false},
    };
    ASSERT_EQ(GetACP(), 1252u) << "the Wine fixture sets LC_ALL=C.UTF-8; was Wine run without?";
    for (const auto& [a, b, same] : cases)
        EXPECT_EQ(sys::SamePathIgnoringCase(a, b), same) << a << " " << b;
}

// Keys in any case, nested keys in one call, code page letters; values of other types or
// without their zero; a key a 32-bit installer wrote, seen in the 32-bit view.
TEST(Win32Registry, KeysAndStringValues) {
    sys::Registry& reg = sys::SystemRegistry();
    const RegRoot user = RegRoot::CurrentUser;
    const std::string test = "KelvornLoaderTest" + std::to_string(GetCurrentProcessId());
    const std::string base = "Software\\" + test, wow32 = "Software\\Wow6432Node\\" + test;
    const std::string key = base + "\\k",
                      command = "\"C:\\Program Files\\caf\xe9\\\x80.exe\" \"%1\"";
    const std::wstring wideKey(key.begin(), key.end());
    bool created = false;
    EXPECT_FALSE(reg.WriteString(user, key, "", "x"));  // no key yet
    ASSERT_TRUE(reg.CreateKey(user, key + "\\shell\\open\\command", created));
    EXPECT_TRUE(created);
    ASSERT_TRUE(reg.CreateKey(user, base + "\\K", created));
    EXPECT_FALSE(created);  // the same key
    EXPECT_EQ(reg.ReadString(user, key, ""), std::nullopt);
    ASSERT_TRUE(reg.WriteString(user, key, "", command));

    const DWORD number = 7;
    RegSetKeyValueW(HKEY_CURRENT_USER, wideKey.c_str(), L"bare", REG_SZ, L"abcd", 6);  // no zero
    RegSetKeyValueW(HKEY_CURRENT_USER, wideKey.c_str(), L"expand", REG_EXPAND_SZ,
                    L"%SystemRoot%\\x", 30);
    RegSetKeyValueW(HKEY_CURRENT_USER, wideKey.c_str(), L"number", REG_DWORD, &number, 4);
    RegSetKeyValueA(HKEY_LOCAL_MACHINE, (wow32 + "\\k").c_str(), "InstallPath", REG_SZ, "C:\\Game",
                    8);
    EXPECT_EQ(reg.ReadString(user, key, ""), command);
    EXPECT_EQ(reg.ReadString(user, key, "bare"), "abc");
    EXPECT_EQ(reg.ReadString(user, key, "expand"), "%SystemRoot%\\x");
    EXPECT_EQ(reg.ReadString(user, key, "number"), std::nullopt);
    // As registration asks: a number or a value the code page cannot hold is no text.
    RegSetKeyValueW(HKEY_CURRENT_USER, wideKey.c_str(), L"cyrillic", REG_SZ, L"\x416", 4);
    const std::pair<const char*, sys::ValueKind> kinds[] = {{"", sys::ValueKind::Text},
                                                            {"number", sys::ValueKind::Other},
                                                            {"cyrillic", sys::ValueKind::Other},
                                                            {"none", sys::ValueKind::None}};
    for (const auto& [name, kind] : kinds) EXPECT_EQ(reg.KindOf(user, key, name), kind) << name;
    EXPECT_EQ(reg.KindOf(user, key + "\\none", ""), sys::ValueKind::None);

    EXPECT_EQ(reg.ReadString(RegRoot::LocalMachine, key, "InstallPath"), "C:\\Game");
    RegDeleteTreeA(HKEY_CURRENT_USER, base.c_str());
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, wow32.c_str());
}

// ReplaceFileW failing as it may: the old file moved away or not, ours held open or not.
struct Failure {
    DWORD error;
    bool moveOld, holdOurs, saved;
    test::Strings left;
} g_failure;
HANDLE g_held = INVALID_HANDLE_VALUE;

BOOL WINAPI FailingReplace(LPCWSTR old, LPCWSTR ours, LPCWSTR, DWORD, LPVOID, LPVOID) {
    if (g_failure.moveOld) MoveFileW(old, (std::wstring(old) + L".old").c_str());
    if (g_failure.holdOurs)
        g_held = CreateFileW(ours, GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    SetLastError(g_failure.error);
    return FALSE;
}

// Ours goes in place wherever the target's name was left free (Wine: ERROR_FILE_NOT_FOUND);
// the temporary file stays only as the one copy left of ours.
TEST(Win32Save, AfterEachWayReplacingFailsOursIsPutInPlaceOrTheOldFileKept) {
    const Failure cases[] = {
        {ERROR_UNABLE_TO_MOVE_REPLACEMENT_2, true, false, true, {"t.ini", "t.ini.old"}},
        {ERROR_UNABLE_TO_MOVE_REPLACEMENT, true, false, true, {"t.ini", "t.ini.old"}},
        {ERROR_FILE_NOT_FOUND, true, false, true, {"t.ini", "t.ini.old"}},
        {ERROR_ACCESS_DENIED, false, false, false, {"t.ini"}},
        {ERROR_UNABLE_TO_MOVE_REPLACEMENT_2, true, true, false, {"t.ini.old", "~tmp"}},
    };
    for (const Failure& c : cases) {
        test::TempFolder folder;
        g_failure = c;
        EXPECT_EQ(sys::win32::PutInPlace(sys::win32::Widen(folder.Write("~tmp", "new")),
                                         sys::win32::Widen(folder.Write("t.ini", "old")),
                                         &FailingReplace),
                  c.saved);
        CloseHandle(std::exchange(g_held, INVALID_HANDLE_VALUE));
        EXPECT_EQ(folder.Names(), c.left) << c.error;
        EXPECT_EQ(folder.Read(c.left[0]), c.saved ? "new" : "old") << c.error;
    }
}

// A DLL planted in the current folder under a system DLL's name, or one the system lacks
// (Wine takes those from there unrestricted), is not taken; by full path it loads.
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
