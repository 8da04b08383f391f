// SystemRegistry over the real registry, in keys of our own that are removed afterwards.
// The shell running the command it registers is checked end to end in run_e2e_test.cpp.
#include "sys/registry.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

namespace {

using sys::RegRoot;

// Keys in any letter case, nested keys made in one call, values with the code page's letters;
// values of other types, or without their zero, read as a user would expect; a key a 32-bit
// installer wrote, seen in the 32-bit view.
TEST(Win32Registry, KeysAndStringValues) {
    sys::Registry& reg = sys::SystemRegistry();
    const RegRoot user = RegRoot::CurrentUser;
    const std::string base = "Software\\KelvornLoaderTest" + std::to_string(GetCurrentProcessId());
    const std::string key = base + "\\k",
                      command = "\"C:\\Program Files\\caf\xe9\\\x80.exe\" \"%1\"";
    const std::wstring wideKey(key.begin(), key.end());
    bool created = false;
    EXPECT_FALSE(reg.WriteString(user, key, "", "x"));  // no key yet
    ASSERT_TRUE(reg.CreateKey(user, key + "\\shell\\open\\command", created));
    EXPECT_TRUE(created);
    ASSERT_TRUE(reg.CreateKey(user, base + "\\K", created));
    EXPECT_FALSE(created || reg.KeyExists(user, base + "\\none"));
    EXPECT_TRUE(reg.KeyExists(user, base + "\\K\\Shell"));
    EXPECT_EQ(reg.ReadString(user, key, ""), std::nullopt);
    ASSERT_TRUE(reg.WriteString(user, key, "", command));

    // Values of another type or form, written past our API.
    const DWORD number = 7;
    RegSetKeyValueW(HKEY_CURRENT_USER, wideKey.c_str(), L"bare", REG_SZ, L"abcd", 6);  // no zero
    RegSetKeyValueW(HKEY_CURRENT_USER, wideKey.c_str(), L"expand", REG_EXPAND_SZ,
                    L"%SystemRoot%\\x", 30);
    RegSetKeyValueW(HKEY_CURRENT_USER, wideKey.c_str(), L"number", REG_DWORD, &number, 4);
    EXPECT_EQ(reg.ReadString(user, key, ""), command);
    EXPECT_EQ(reg.ReadString(user, key, "bare"), "abc");
    EXPECT_EQ(reg.ReadString(user, key, "expand"), "%SystemRoot%\\x");
    EXPECT_EQ(reg.ReadString(user, key, "number"), std::nullopt);

    HKEY machine;
    ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, wideKey.c_str(), 0, nullptr, 0,
                              KEY_ALL_ACCESS | KEY_WOW64_32KEY, nullptr, &machine, nullptr),
              ERROR_SUCCESS);
    RegSetValueExW(machine, L"InstallPath", 0, REG_SZ, reinterpret_cast<const BYTE*>(L"C:\\Game"),
                   16);
    RegCloseKey(machine);
    EXPECT_EQ(reg.ReadString(RegRoot::LocalMachine, key, "InstallPath"), "C:\\Game");
    RegDeleteTreeA(HKEY_CURRENT_USER, base.c_str());
    RegDeleteKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), KEY_WOW64_32KEY, 0);
    RegDeleteKeyExA(HKEY_LOCAL_MACHINE, base.c_str(), KEY_WOW64_32KEY, 0);
}

}  // namespace
