// The registry, reduced to what the program does with it: keys with a default string
// value. Win32 writes the real registry; tests use MemoryRegistry.
#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>

namespace sys {

enum class RegRoot { ClassesRoot, LocalMachine, CurrentUser };

// What a value holds: nothing at all, a string the code page holds (ReadString gives it),
// or something else: another type, or characters the code page has not.
enum class ValueKind { None, Text, Other };

class Registry {
  public:
    virtual ~Registry() = default;
    // Creates or opens `root\path`; `created` tells whether it did not exist before.
    virtual bool CreateKey(RegRoot root, const std::string& path, bool& created) = 0;
    // Default (unnamed) REG_SZ value of the key when `name` is empty.
    virtual std::optional<std::string> ReadString(RegRoot root, const std::string& path,
                                                  const std::string& name) const = 0;
    virtual bool WriteString(RegRoot root, const std::string& path, const std::string& name,
                             const std::string& value) = 0;
    // None also when there is no such key.
    virtual ValueKind KindOf(RegRoot root, const std::string& path,
                             const std::string& name) const = 0;
};

// The registry of the running system (Win32), or an empty MemoryRegistry elsewhere.
Registry& SystemRegistry();

// Tells the shell that file types changed, so that it shows them at once.
void NotifyFileTypesChanged();

// Keys are compared case-insensitively, as the registry does.
class MemoryRegistry : public Registry {
  public:
    bool CreateKey(RegRoot root, const std::string& path, bool& created) override;
    std::optional<std::string> ReadString(RegRoot root, const std::string& path,
                                          const std::string& name) const override;
    bool WriteString(RegRoot root, const std::string& path, const std::string& name,
                     const std::string& value) override;
    ValueKind KindOf(RegRoot root, const std::string& path, const std::string& name) const override;
    // A value of another type than a string, as other programs may leave one.
    void WriteOther(RegRoot root, const std::string& path, const std::string& name);
    // Whether `root\path` was made, for tests: the program itself only creates keys.
    bool KeyExists(RegRoot root, const std::string& path) const;
    // Makes every CreateKey under `path` (and `path` itself) fail, to test refusals. An
    // empty `path` denies the whole root, as the machine-wide classes are to a standard user.
    void DenyKey(RegRoot root, const std::string& path);
    // Makes every WriteString to `path`, or to a key under it, fail.
    void DenyWrites(RegRoot root, const std::string& path);
    void AllowAll() {
        m_denied.clear();
        m_readOnly.clear();
    }

  private:
    static std::string Key(RegRoot root, const std::string& path);
    static bool Under(const std::string& key, const std::map<std::string, bool>& places);
    // Lower-case key; nullopt for a value that is no string.
    std::map<std::string, std::map<std::string, std::optional<std::string>>> m_keys;
    std::map<std::string, bool> m_denied;
    std::map<std::string, bool> m_readOnly;
};

}  // namespace sys
