// The real registry, through the wide API.
#include "sys/registry.h"

#include <windows.h>

#include "sys/win32/wide.h"
// Needs windows.h before it.
#include <shlobj.h>

#include <optional>
#include <string>
#include <string_view>

#include "sys/win32/wide.h"

namespace sys {

namespace {

using win32::NarrowExact;
using win32::Widen;

HKEY RootKey(RegRoot root) {
    switch (root) {
        case RegRoot::ClassesRoot:
            return HKEY_CLASSES_ROOT;
        case RegRoot::LocalMachine:
            return HKEY_LOCAL_MACHINE;
        case RegRoot::CurrentUser:
            break;
    }
    return HKEY_CURRENT_USER;
}

class Key {
  public:
    Key() = default;
    ~Key() {
        if (m_key) RegCloseKey(m_key);
    }
    Key(const Key&) = delete;
    Key& operator=(const Key&) = delete;
    HKEY* Out() { return &m_key; }
    HKEY Get() const { return m_key; }

  private:
    HKEY m_key = nullptr;
};

// Reads look in this program's own view first, then in the 32-bit one: a 32-bit
// installer (the game's) writes its keys there, out of a 64-bit program's sight.
bool OpenForReading(RegRoot root, const std::string& path, Key& key) {
    std::wstring wide = Widen(path);
    if (RegOpenKeyExW(RootKey(root), wide.c_str(), 0, KEY_READ, key.Out()) == ERROR_SUCCESS)
        return true;
    return RegOpenKeyExW(RootKey(root), wide.c_str(), 0, KEY_READ | KEY_WOW64_32KEY, key.Out()) ==
           ERROR_SUCCESS;
}

class Win32Registry : public Registry {
  public:
    bool CreateKey(RegRoot root, const std::string& path, bool& created) override {
        Key key;
        DWORD disposition = 0;
        LONG rc =
            RegCreateKeyExW(RootKey(root), Widen(path).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                            KEY_READ | KEY_WRITE, nullptr, key.Out(), &disposition);
        if (rc != ERROR_SUCCESS) return false;
        created = disposition == REG_CREATED_NEW_KEY;
        return true;
    }

    std::optional<std::string> ReadString(RegRoot root, const std::string& path,
                                          const std::string& name) const override {
        Key key;
        if (!OpenForReading(root, path, key)) return std::nullopt;
        std::wstring valueName = Widen(name);
        const wchar_t* wideName = name.empty() ? nullptr : valueName.c_str();
        // The value may change size between the calls; ask again until it fits.
        for (int attempt = 0; attempt < 4; ++attempt) {
            DWORD type = 0, bytes = 0;
            if (RegQueryValueExW(key.Get(), wideName, nullptr, &type, nullptr, &bytes) !=
                ERROR_SUCCESS)
                return std::nullopt;
            if (type != REG_SZ && type != REG_EXPAND_SZ) return std::nullopt;
            std::wstring text(bytes / sizeof(wchar_t) + 1, L'\0');
            DWORD size = static_cast<DWORD>(text.size() * sizeof(wchar_t));
            LONG rc = RegQueryValueExW(key.Get(), wideName, nullptr, &type,
                                       reinterpret_cast<BYTE*>(text.data()), &size);
            if (rc == ERROR_MORE_DATA) continue;
            if (rc != ERROR_SUCCESS) return std::nullopt;
            // Stored with or without its terminating zero: stop at the first one.
            std::size_t length = size / sizeof(wchar_t);
            std::size_t zero = std::wstring_view(text.data(), length).find(L'\0');
            if (zero != std::wstring_view::npos) length = zero;
            // A value the code page cannot hold is as good as absent: it would name
            // another folder.
            return NarrowExact(std::wstring_view(text.data(), length));
        }
        return std::nullopt;
    }

    ValueKind KindOf(RegRoot root, const std::string& path,
                     const std::string& name) const override {
        Key key;
        LONG rc = RegOpenKeyExW(RootKey(root), Widen(path).c_str(), 0, KEY_QUERY_VALUE, key.Out());
        if (rc == ERROR_SUCCESS) {
            const std::wstring valueName = Widen(name);
            rc = RegQueryValueExW(key.Get(), name.empty() ? nullptr : valueName.c_str(), nullptr,
                                  nullptr, nullptr, nullptr);
        }
        // A value that is there but cannot be read as text is no one's to replace.
        if (rc == ERROR_FILE_NOT_FOUND) return ValueKind::None;
        return ReadString(root, path, name) ? ValueKind::Text : ValueKind::Other;
    }

    bool WriteString(RegRoot root, const std::string& path, const std::string& name,
                     const std::string& value) override {
        Key key;
        if (RegOpenKeyExW(RootKey(root), Widen(path).c_str(), 0, KEY_SET_VALUE, key.Out()) !=
            ERROR_SUCCESS)
            return false;
        std::wstring valueName = Widen(name);
        std::wstring text = Widen(value);
        DWORD bytes = static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t));  // with its zero
        return RegSetValueExW(key.Get(), name.empty() ? nullptr : valueName.c_str(), 0, REG_SZ,
                              reinterpret_cast<const BYTE*>(text.c_str()), bytes) == ERROR_SUCCESS;
    }
};

}  // namespace

Registry& SystemRegistry() {
    static Win32Registry registry;
    return registry;
}

void NotifyFileTypesChanged() {
    SHChangeNotify(SHCNE_ASSOCCHANGED, SHCNF_IDLIST, nullptr, nullptr);
}

}  // namespace sys
