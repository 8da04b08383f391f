// sys/ over the real system: paths compared as its file system compares them, letters of the
// code page included (the Wine fixture gives every machine Windows-1252); SystemRegistry in
// keys of our own, removed afterwards. What users see of both: run_e2e_test.cpp.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <tuple>

#include "sys/fs.h"
#include "sys/registry.h"

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

// Keys in any letter case, nested keys made in one call, values with the code page's letters;
// values of other types, or without their zero, read as a user would expect; a key a 32-bit
// installer wrote, seen in the 32-bit view.
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

    // Values of another type or form, written past our API; a key a 32-bit installer wrote.
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

    EXPECT_EQ(reg.ReadString(RegRoot::LocalMachine, key, "InstallPath"), "C:\\Game");
    RegDeleteTreeA(HKEY_CURRENT_USER, base.c_str());
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, wow32.c_str());
}

}  // namespace
