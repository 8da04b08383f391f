// SystemRegistry over the real registry, in keys of our own that are removed afterwards.
// Registering the map type through it is checked end to end in loader_process_test.cpp.
#include "sys/registry.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

namespace {

using sys::RegRoot;

class Win32Registry : public ::testing::Test {
  protected:
    void TearDown() override {
        RegDeleteTreeA(HKEY_CURRENT_USER, m_base.c_str());
        RegDeleteKeyExA(HKEY_LOCAL_MACHINE, Key("k").c_str(), KEY_WOW64_32KEY, 0);
        RegDeleteKeyExA(HKEY_LOCAL_MACHINE, m_base.c_str(), KEY_WOW64_32KEY, 0);
    }
    // A value of another type or form, written past our API.
    void Set(HKEY root, REGSAM view, const wchar_t* name, DWORD type, const void* data,
             DWORD bytes) {
        HKEY key;
        ASSERT_EQ(RegCreateKeyExW(root, m_wideKey.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS | view,
                                  nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        RegSetValueExW(key, name, 0, type, static_cast<const BYTE*>(data), bytes);
        RegCloseKey(key);
    }
    std::string Key(const std::string& sub) const { return m_base + "\\" + sub; }
    sys::Registry& reg = sys::SystemRegistry();
    const std::string m_base =
        "Software\\KelvornLoaderTest" + std::to_string(GetCurrentProcessId());
    const std::wstring m_wideKey = std::wstring(m_base.begin(), m_base.end()) + L"\\k";
};

// Keys in any letter case, nested keys made in one call, values stored as REG_SZ with their
// zero and the code page's letters; values of other types, or without the zero, read as a
// user would expect; a key a 32-bit installer wrote, seen in the 32-bit view.
TEST_F(Win32Registry, KeysAndStringValues) {
    const RegRoot user = RegRoot::CurrentUser;
    const std::string command = "\"C:\\Program Files\\caf\xe9\\\x80.exe\" \"%1\"";
    bool created = false;
    EXPECT_FALSE(reg.WriteString(user, Key("k"), "", "x"));  // no key yet
    ASSERT_TRUE(reg.CreateKey(user, Key("k\\shell\\open\\command"), created));
    EXPECT_TRUE(created);
    ASSERT_TRUE(reg.CreateKey(user, Key("K"), created));
    EXPECT_FALSE(created || reg.KeyExists(user, Key("none")));
    EXPECT_TRUE(reg.KeyExists(user, Key("K\\Shell")));
    EXPECT_EQ(reg.ReadString(user, Key("k"), ""), std::nullopt);
    ASSERT_TRUE(reg.WriteString(user, Key("k"), "", command));
    wchar_t data[64] = {};
    DWORD type = 0, bytes = sizeof data;
    RegGetValueW(HKEY_CURRENT_USER, m_wideKey.c_str(), nullptr, RRF_RT_ANY, &type, data, &bytes);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(std::wstring(data, bytes / sizeof(wchar_t)),
              std::wstring(L"\"C:\\Program Files\\caf\u00e9\\\u20ac.exe\" \"%1\"") + L'\0');

    const DWORD number = 7;
    Set(HKEY_CURRENT_USER, 0, L"bare", REG_SZ, L"abc", 6);
    Set(HKEY_CURRENT_USER, 0, L"expand", REG_EXPAND_SZ, L"%SystemRoot%\\x", 30);
    Set(HKEY_CURRENT_USER, 0, L"number", REG_DWORD, &number, 4);
    EXPECT_EQ(reg.ReadString(user, Key("k"), ""), command);
    EXPECT_EQ(reg.ReadString(user, Key("k"), "bare"), "abc");
    EXPECT_EQ(reg.ReadString(user, Key("k"), "expand"), "%SystemRoot%\\x");
    EXPECT_EQ(reg.ReadString(user, Key("k"), "number"), std::nullopt);

    Set(HKEY_LOCAL_MACHINE, KEY_WOW64_32KEY, L"InstallPath", REG_SZ, L"C:\\Game", 16);
    EXPECT_EQ(reg.ReadString(RegRoot::LocalMachine, Key("k"), "InstallPath"), "C:\\Game");
}

}  // namespace
