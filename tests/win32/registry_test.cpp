// SystemRegistry over the real registry, in keys of our own that are removed afterwards.
// Registering the map type through it is checked end to end in loader_process_test.cpp.
#include "sys/registry.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

namespace {

using sys::RegRoot;

// Keys in any letter case, nested keys made in one call, values stored as REG_SZ with the
// code page's letters; values of other types, or without their zero, read as a user would
// expect; a key a 32-bit installer wrote, seen in the 32-bit view.
TEST(Win32Registry, KeysAndStringValues) {
    sys::Registry& reg = sys::SystemRegistry();
    const RegRoot user = RegRoot::CurrentUser;
    const std::string base = "Software\\KelvornLoaderTest" + std::to_string(GetCurrentProcessId());
    const std::string key = base + "\\k",
                      command = "\"C:\\Program Files\\caf\xe9\\\x80.exe\" \"%1\"";
    const std::wstring wideKey(key.begin(), key.end());
    // A value of another type or form, written past our API.
    auto set = [&](HKEY root, REGSAM view, const wchar_t* name, DWORD type, const void* data,
                   DWORD bytes) {
        HKEY k;
        ASSERT_EQ(RegCreateKeyExW(root, wideKey.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS | view,
                                  nullptr, &k, nullptr),
                  ERROR_SUCCESS);
        RegSetValueExW(k, name, 0, type, static_cast<const BYTE*>(data), bytes);
        RegCloseKey(k);
    };
    bool created = false;
    EXPECT_FALSE(reg.WriteString(user, key, "", "x"));  // no key yet
    ASSERT_TRUE(reg.CreateKey(user, key + "\\shell\\open\\command", created));
    EXPECT_TRUE(created);
    ASSERT_TRUE(reg.CreateKey(user, base + "\\K", created));
    EXPECT_FALSE(created || reg.KeyExists(user, base + "\\none"));
    EXPECT_TRUE(reg.KeyExists(user, base + "\\K\\Shell"));
    EXPECT_EQ(reg.ReadString(user, key, ""), std::nullopt);
    ASSERT_TRUE(reg.WriteString(user, key, "", command));
    wchar_t data[64] = {};
    DWORD type = 0, bytes = sizeof data;
    RegGetValueW(HKEY_CURRENT_USER, wideKey.c_str(), nullptr, RRF_RT_ANY, &type, data, &bytes);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(std::wstring(data, bytes / sizeof(wchar_t)),
              std::wstring(L"\"C:\\Program Files\\caf\u00e9\\\u20ac.exe\" \"%1\"") + L'\0');

    const DWORD number = 7;
    set(HKEY_CURRENT_USER, 0, L"bare", REG_SZ, L"abcd", 6);  // no zero: the system adds none
    set(HKEY_CURRENT_USER, 0, L"expand", REG_EXPAND_SZ, L"%SystemRoot%\\x", 30);
    set(HKEY_CURRENT_USER, 0, L"number", REG_DWORD, &number, 4);
    EXPECT_EQ(reg.ReadString(user, key, ""), command);
    EXPECT_EQ(reg.ReadString(user, key, "bare"), "abc");
    EXPECT_EQ(reg.ReadString(user, key, "expand"), "%SystemRoot%\\x");
    EXPECT_EQ(reg.ReadString(user, key, "number"), std::nullopt);

    set(HKEY_LOCAL_MACHINE, KEY_WOW64_32KEY, L"InstallPath", REG_SZ, L"C:\\Game", 16);
    EXPECT_EQ(reg.ReadString(RegRoot::LocalMachine, key, "InstallPath"), "C:\\Game");
    RegDeleteTreeA(HKEY_CURRENT_USER, base.c_str());
    RegDeleteKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), KEY_WOW64_32KEY, 0);
    RegDeleteKeyExA(HKEY_LOCAL_MACHINE, base.c_str(), KEY_WOW64_32KEY, 0);
}

}  // namespace
