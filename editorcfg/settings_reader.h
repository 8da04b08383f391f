// Reading kelvorn.ini: one key at a time from the top of the file, as the editor does, with
// the factory value for a missing, empty or unusable value. Pure functions over the file's
// bytes; only LoadEditorSettings() without arguments touches the disk and the registry.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "editorcfg/editor_settings.h"

namespace sys {
class Registry;
}

// Where the game's installer leaves its folder; the fallback for the four archive paths.
inline constexpr const char* kGameRegistryKey = "SOFTWARE\\Blizzard Entertainment\\Diablo II";
inline constexpr const char* kGameInstallPathValue = "InstallPath";

// One key as the file holds it.
struct FoundSetting {
    std::optional<std::string_view> value;  // what FindSetting gives, pointing into the file
    bool occurs = false;                    // a setting line begins with the key
};

class SettingsReader {
  public:
    // `fileBytes` is nullopt when the file could not be opened. CR LF or LF end lines;
    // a line is read whole, however long, so that no tail is taken for a line of its own.
    explicit SettingsReader(std::optional<std::string_view> fileBytes) : m_file(fileBytes) {}

    // The first non-empty value of `key`, trailing blanks and any comment removed.
    // Clears AllKeysPresent() when there is no file, or when no setting line begins with
    // the key (a longer name that begins with it counts: d2exp_old for d2exp).
    // The view points into the file.
    std::optional<std::string_view> FindSetting(std::string_view key);
    // FindSetting for each of `keys` (AllKeysPresent included) in one pass over the file
    // rather than one pass each; FindSetting then answers these keys from what was found.
    // The views point into the file.
    const std::vector<FoundSetting>& FindSettings(std::span<const std::string_view> keys);
    // Decimal digits only; anything else, or a number beyond 32 bits, gives the default.
    int32_t ReadIntSetting(std::string_view key, int32_t defaultValue);
    // Missing value, exactly "YES", anything else.
    bool ReadYesNoSetting(std::string_view key, bool ifMissing, bool ifYes, bool ifOther);

    bool AllKeysPresent() const { return m_allKeysPresent; }

  private:
    std::optional<std::string_view> m_file;
    bool m_allKeysPresent = true;
    std::vector<std::string_view> m_foundKeys;
    std::vector<FoundSetting> m_found;
    std::size_t m_nextKey = 0;  // where FindSetting looks among them first
};

struct LoadedEditorSettings {
    EditorSettings settings;  // gamma_correction: the file's text as it stands
    bool allKeysPresent = false;
};

// Every key in the editor's order. When none of the five paths has a value, the four
// archive paths come from the game's install path in `registry`.
LoadedEditorSettings LoadEditorSettings(std::optional<std::string_view> fileBytes,
                                        const sys::Registry& registry);
// kelvorn.ini in the working directory and the system's registry.
LoadedEditorSettings LoadEditorSettings();
