// SystemRegistry over the real registry, in keys of our own that are removed afterwards.
#include "sys/registry.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

namespace kelvorn_test {
namespace {

using sys::RegRoot;

const std::string kValue = "\"C:\\Program Files\\caf\xe9\\\x80.exe\" \"%1\"";

class Win32Registry : public ::testing::Test {
  protected:
    void SetUp() override {
        m_base = "Software\\KelvornLoaderTest" + std::to_string(GetCurrentProcessId());
    }
    void TearDown() override {
        std::wstring base(m_base.begin(), m_base.end());
        RegDeleteTreeW(HKEY_CURRENT_USER, base.c_str());
        HKEY software;
        if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"Software", 0, KEY_ALL_ACCESS | KEY_WOW64_32KEY,
                          &software) == ERROR_SUCCESS) {
            RegDeleteTreeW(software, base.substr(9).c_str());
            RegCloseKey(software);
        }
    }
    std::string Key(const std::string& sub) const { return m_base + "\\" + sub; }
    std::wstring WideKey(const std::string& sub) const {
        std::string k = Key(sub);
        return std::wstring(k.begin(), k.end());
    }
    sys::Registry& reg = sys::SystemRegistry();

  private:
    std::string m_base;
};

// Keys in any letter case, nested keys made in one call, values stored as REG_SZ with
// their zero; values of other types, or without the zero, are read as a user would expect.
TEST_F(Win32Registry, KeysAndStringValues) {
    const RegRoot user = RegRoot::CurrentUser;
    bool created = false;
    EXPECT_FALSE(reg.WriteString(user, Key("k"), "", "x"));  // no key yet
    ASSERT_TRUE(reg.CreateKey(user, Key("k\\shell\\open\\command"), created));
    EXPECT_TRUE(created);
    ASSERT_TRUE(reg.CreateKey(user, Key("K"), created));
    EXPECT_FALSE(created);
    EXPECT_TRUE(reg.KeyExists(user, Key("K\\Shell")));
    EXPECT_FALSE(reg.KeyExists(user, Key("none")));

    EXPECT_EQ(reg.ReadString(user, Key("k"), ""), std::nullopt);
    ASSERT_TRUE(reg.WriteString(user, Key("k"), "", "Diablo II Map"));
    ASSERT_TRUE(reg.WriteString(user, Key("k"), "InstallPath", kValue));
    EXPECT_EQ(reg.ReadString(user, Key("k"), "InstallPath"), kValue);
    wchar_t data[64] = {};
    DWORD type = 0, bytes = sizeof(data);
    ASSERT_EQ(RegGetValueW(HKEY_CURRENT_USER, WideKey("k").c_str(), nullptr, RRF_RT_ANY, &type,
                           data, &bytes),
              ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(bytes, (13u + 1u) * sizeof(wchar_t));
    EXPECT_STREQ(data, L"Diablo II Map");

    HKEY key;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, WideKey("k").c_str(), 0, KEY_SET_VALUE, &key),
              ERROR_SUCCESS);
    RegSetValueExW(key, L"bare", 0, REG_SZ, reinterpret_cast<const BYTE*>(L"abc"), 6);
    RegSetValueExW(key, L"expand", 0, REG_EXPAND_SZ,
                   reinterpret_cast<const BYTE*>(L"%SystemRoot%\\x"), 30);
    DWORD number = 7;
    RegSetValueExW(key, L"number", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), 4);
    RegCloseKey(key);
    EXPECT_EQ(reg.ReadString(user, Key("k"), "bare"), "abc");
    EXPECT_EQ(reg.ReadString(user, Key("k"), "expand"), "%SystemRoot%\\x");
    EXPECT_EQ(reg.ReadString(user, Key("k"), "number"), std::nullopt);
}

// A 32-bit game installer writes under the 32-bit view of HKLM\Software.
TEST_F(Win32Registry, ThirtyTwoBitInstallersAreSeen) {
    HKEY key;
    ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, WideKey("Game").c_str(), 0, nullptr, 0,
                              KEY_ALL_ACCESS | KEY_WOW64_32KEY, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegSetValueExW(key, L"InstallPath", 0, REG_SZ, reinterpret_cast<const BYTE*>(L"C:\\Game"), 16);
    RegCloseKey(key);
    EXPECT_TRUE(reg.KeyExists(RegRoot::LocalMachine, Key("Game")));
    EXPECT_EQ(reg.ReadString(RegRoot::LocalMachine, Key("Game"), "InstallPath"), "C:\\Game");
}

}  // namespace
}  // namespace kelvorn_test
