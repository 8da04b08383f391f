#include "editorcfg/settings_reader.h"

#include <algorithm>

#include "loadercfg/text_lines.h"
#include "sys/fs.h"
#include "sys/registry.h"

namespace {

template <std::size_t N>
bool IsOneOf(const std::string& value, const std::array<std::string_view, N>& list) {
    return std::find(list.begin(), list.end(), value) != list.end();
}

// The registry gives the path with room for 1024 bytes, its terminating zero included.
constexpr std::size_t kMaxInstallPathBytes = 1023;

// Each key's first value, searched from the top of the file, the keys side by side; `found`
// holds one empty entry per key.
void ScanSettings(std::string_view file, std::span<const std::string_view> keys,
                  std::span<FoundSetting> found) {
    std::size_t open = keys.size();
    std::string_view rest = file;
    std::string_view line;
    while (open > 0 && NextLine(rest, line)) {
        const std::size_t start = SkipBlanks(line, 0);
        if (start == line.size() || line[start] == ';') continue;
        for (std::size_t k = 0; k < keys.size(); ++k) {
            const std::string_view key = keys[k];
            // The first letter alone turns most keys away.
            if (found[k].value || (!key.empty() && line[start] != key.front()) ||
                line.substr(start, key.size()) != key)
                continue;
            found[k].occurs = true;
            std::size_t at = SkipBlanks(line, start + key.size());
            if (at == line.size() || line[at] != '=') continue;
            at = SkipBlanks(line, at + 1);
            if (at == line.size() || line[at] == ';') continue;
            std::size_t end = std::min(line.find(';', at), line.size());
            while (IsBlank(line[end - 1])) --end;  // stops at the value's first character
            found[k].value = line.substr(at, end - at);
            --open;
        }
    }
}

}  // namespace

std::optional<std::string_view> SettingsReader::FindSetting(std::string_view key) {
    FoundSetting found;
    // The keys are mostly asked for in the order they were found in: look behind the last one
    // first.
    std::size_t known = 0;
    while (known < m_foundKeys.size() &&
           m_foundKeys[(m_nextKey + known) % m_foundKeys.size()] != key)
        ++known;
    if (known < m_foundKeys.size()) {
        m_nextKey = (m_nextKey + known) % m_foundKeys.size();
        found = m_found[m_nextKey++];
    } else if (m_file) {
        ScanSettings(*m_file, std::span(&key, 1), std::span(&found, 1));
    }
    if (!found.occurs) m_allKeysPresent = false;
    return found.value;
}

const std::vector<FoundSetting>& SettingsReader::FindSettings(
    std::span<const std::string_view> keys) {
    m_foundKeys.assign(keys.begin(), keys.end());
    m_nextKey = 0;
    m_found.assign(keys.size(), FoundSetting{});
    if (m_file) ScanSettings(*m_file, keys, m_found);
    for (const FoundSetting& found : m_found)
        if (!found.occurs) m_allKeysPresent = false;
    return m_found;
}

int32_t SettingsReader::ReadIntSetting(std::string_view key, int32_t defaultValue) {
    std::optional<std::string_view> value = FindSetting(key);
    if (!value) return defaultValue;
    int64_t number = 0;
    for (char c : *value) {
        if (c < '0' || c > '9') return defaultValue;
        number = number * 10 + (c - '0');
        if (number > INT32_MAX) return defaultValue;
    }
    return static_cast<int32_t>(number);
}

bool SettingsReader::ReadYesNoSetting(std::string_view key, bool ifMissing, bool ifYes,
                                      bool ifOther) {
    std::optional<std::string_view> value = FindSetting(key);
    if (!value) return ifMissing;
    return *value == "YES" ? ifYes : ifOther;
}

LoadedEditorSettings LoadEditorSettings(std::optional<std::string_view> fileBytes,
                                        const sys::Registry& registry) {
    SettingsReader reader(fileBytes);
    std::array<std::string_view, kSettingKeyCount> names;
    for (std::size_t i = 0; i < names.size(); ++i) names[i] = kSettingKeys[i].name;
    reader.FindSettings(names);
    EditorSettings s;
    auto text = [&](std::string_view key) {
        return std::string(reader.FindSetting(key).value_or(""));
    };

    s.d2char = text("d2char");
    s.d2data = text("d2data");
    s.d2exp = text("d2exp");
    s.patch_d2 = text("patch_d2");
    s.mod_dir = text("mod_dir");
    if (s.d2char.empty() && s.d2data.empty() && s.d2exp.empty() && s.patch_d2.empty() &&
        s.mod_dir.empty()) {
        std::optional<std::string> game = registry.ReadString(
            sys::RegRoot::LocalMachine, kGameRegistryKey, kGameInstallPathValue);
        if (game && game->size() <= kMaxInstallPathBytes) {
            s.d2char = *game + "\\d2char.mpq";
            s.d2data = *game + "\\d2data.mpq";
            s.d2exp = *game + "\\d2exp.mpq";
            s.patch_d2 = *game + "\\patch_d2.mpq";
        }
    }

    const EditorSettings factory;
    s.full_screen = reader.ReadYesNoSetting("full_screen", true, true, false);
    s.screen_width = reader.ReadIntSetting("screen_width", factory.screen_width);
    s.screen_height = reader.ReadIntSetting("screen_height", factory.screen_height);
    std::string depth = text("screen_depth");
    if (IsOneOf(depth, kScreenDepths)) s.screen_depth = depth;
    s.refresh_rate = reader.ReadIntSetting("refresh_rate", factory.refresh_rate);
    s.keyb_scroll_x = reader.ReadIntSetting("keyb_scroll_x", factory.keyb_scroll_x);
    s.keyb_scroll_y = reader.ReadIntSetting("keyb_scroll_y", factory.keyb_scroll_y);
    s.mouse_scroll_x = reader.ReadIntSetting("mouse_scroll_x", factory.mouse_scroll_x);
    s.mouse_scroll_y = reader.ReadIntSetting("mouse_scroll_y", factory.mouse_scroll_y);
    s.edit_scroll_x = reader.ReadIntSetting("edit_scroll_x", factory.edit_scroll_x);
    s.edit_scroll_y = reader.ReadIntSetting("edit_scroll_y", factory.edit_scroll_y);
    s.obj_edit_scroll = reader.ReadIntSetting("obj_edit_scroll", factory.obj_edit_scroll);
    s.mouse_speed_x = reader.ReadIntSetting("mouse_speed_x", factory.mouse_speed_x);
    s.mouse_speed_y = reader.ReadIntSetting("mouse_speed_y", factory.mouse_speed_y);
    s.gamma_correction = reader.FindSetting("gamma_correction").value_or(factory.gamma_correction);
    s.only_normal_type2 = reader.ReadYesNoSetting("only_normal_type2", true, true, false);
    s.always_max_layers = reader.ReadYesNoSetting("always_max_layers", true, true, false);
    s.stretch_sprite = reader.ReadYesNoSetting("stretch_sprite", true, true, false);
    s.winobj_can_scroll_keyb = reader.ReadYesNoSetting("winobj_can_scroll_keyb", true, true, false);
    s.winobj_can_scroll_mouse =
        reader.ReadYesNoSetting("winobj_can_scroll_mouse", false, true, false);
    std::string zoom = text("center_zoom");
    if (IsOneOf(zoom, kCenterZooms)) s.center_zoom = zoom;
    s.nb_type1_per_act = reader.ReadIntSetting("nb_type1_per_act", factory.nb_type1_per_act);
    s.nb_type2_per_act = reader.ReadIntSetting("nb_type2_per_act", factory.nb_type2_per_act);
    s.ds1_saved_minimize = reader.ReadYesNoSetting("ds1_saved_minimize", true, true, false);
    return {s, reader.AllKeysPresent()};
}

LoadedEditorSettings LoadEditorSettings() {
    std::string bytes;
    bool opened = sys::ReadWholeFile(kEditorIniName, bytes);
    return LoadEditorSettings(opened ? std::optional<std::string_view>(bytes) : std::nullopt,
                              sys::SystemRegistry());
}
