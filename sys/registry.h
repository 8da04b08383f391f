// The registry, reduced to what the program does with it: keys with a default string
// value. Win32 writes the real registry; tests use MemoryRegistry.
#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>

namespace sys {

enum class RegRoot { ClassesRoot, LocalMachine, CurrentUser };

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
    // Whether `root\path` was made, for tests: the program itself only creates keys.
    bool KeyExists(RegRoot root, const std::string& path) const;
    // Makes every CreateKey under `path` (and `path` itself) fail, to test refusals. An
    // empty `path` denies the whole root, as the machine-wide classes are to a standard user.
    void DenyKey(RegRoot root, const std::string& path);
    void AllowAll() { m_denied.clear(); }

  private:
    static std::string Key(RegRoot root, const std::string& path);
    std::map<std::string, std::map<std::string, std::string>> m_keys;  // lower-case key
    std::map<std::string, bool> m_denied;
};

}  // namespace sys
