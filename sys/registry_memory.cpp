#include <algorithm>
#include <cctype>

#include "sys/registry.h"

namespace sys {

std::string MemoryRegistry::Key(RegRoot root, const std::string& path) {
    std::string key = std::to_string(static_cast<int>(root)) + "\\" + path;
    std::transform(key.begin(), key.end(), key.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return key;
}

bool MemoryRegistry::Under(const std::string& key, const std::map<std::string, bool>& places) {
    for (const auto& [place, unused] : places)
        if (key == place || key.starts_with(place.ends_with('\\') ? place : place + "\\"))
            return true;
    return false;
}

bool MemoryRegistry::CreateKey(RegRoot root, const std::string& path, bool& created) {
    std::string key = Key(root, path);
    if (Under(key, m_denied)) return false;
    created = m_keys.count(key) == 0;
    m_keys[key];
    return true;
}

bool MemoryRegistry::KeyExists(RegRoot root, const std::string& path) const {
    return m_keys.count(Key(root, path)) != 0;
}

std::optional<std::string> MemoryRegistry::ReadString(RegRoot root, const std::string& path,
                                                      const std::string& name) const {
    auto key = m_keys.find(Key(root, path));
    if (key == m_keys.end()) return std::nullopt;
    auto value = key->second.find(name);
    if (value == key->second.end()) return std::nullopt;
    return value->second;
}

bool MemoryRegistry::WriteString(RegRoot root, const std::string& path, const std::string& name,
                                 const std::string& value) {
    auto key = m_keys.find(Key(root, path));
    if (key == m_keys.end() || Under(key->first, m_readOnly)) return false;
    key->second[name] = value;
    return true;
}

ValueKind MemoryRegistry::KindOf(RegRoot root, const std::string& path,
                                 const std::string& name) const {
    auto key = m_keys.find(Key(root, path));
    if (key == m_keys.end() || !key->second.count(name)) return ValueKind::None;
    return key->second.at(name) ? ValueKind::Text : ValueKind::Other;
}

void MemoryRegistry::WriteOther(RegRoot root, const std::string& path, const std::string& name) {
    m_keys[Key(root, path)][name] = std::nullopt;
}

void MemoryRegistry::DenyWrites(RegRoot root, const std::string& path) {
    m_readOnly[Key(root, path)] = true;
}

void MemoryRegistry::DenyKey(RegRoot root, const std::string& path) {
    m_denied[Key(root, path)] = true;
}

}  // namespace sys
