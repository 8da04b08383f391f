// kelvorn.ini read plainly, one line at a time, so that the harnesses can judge the reader
// and the rewriter: what kind each line is, the parts of a setting line, and the 29 keys
// with the fields they fill.
#pragma once

#include <array>
#include <optional>
#include <string_view>
#include <variant>

#include "editorcfg/editor_settings.h"
#include "fuzz/fuzz_check.h"

enum class IniLineKind { Blank, Comment, Setting, Bad };

// "<blanks>key<blanks>=<blanks>value<blanks>;comment", positions within the line.
struct IniSetting {
    std::string_view key;        // up to the first blank, tab, ";" or "="
    std::size_t valueStart = 0;  // behind "=" and the blanks after it
    std::string_view value;      // up to ";" or the line's end, trailing blanks gone
    std::size_t tailStart = 0;   // the first ";" from valueStart on, or the line's end
};

inline std::size_t SkipIniBlanks(std::string_view line, std::size_t at) {
    std::size_t next = line.find_first_not_of(" \t", at);
    return next == std::string_view::npos ? line.size() : next;
}

// A line of blanks only is blank when a line break ends it; the file's last line without
// one is a bad line.
inline IniLineKind ReadIniLine(std::string_view line, bool hasBreak, IniSetting& setting) {
    std::size_t at = SkipIniBlanks(line, 0);
    if (at == line.size()) return hasBreak ? IniLineKind::Blank : IniLineKind::Bad;
    if (line[at] == ';') return IniLineKind::Comment;
    std::size_t keyEnd = std::min(line.find_first_of(" \t;=", at), line.size());
    std::size_t equals = SkipIniBlanks(line, keyEnd);
    if (equals == line.size() || line[equals] != '=') return IniLineKind::Bad;
    setting.key = line.substr(at, keyEnd - at);
    setting.valueStart = SkipIniBlanks(line, equals + 1);
    setting.tailStart = std::min(line.find(';', setting.valueStart), line.size());
    setting.value = line.substr(setting.valueStart, setting.tailStart - setting.valueStart);
    std::size_t last = setting.value.find_last_not_of(" \t");
    setting.value = setting.value.substr(0, last == std::string_view::npos ? 0 : last + 1);
    return IniLineKind::Setting;
}

// Whether the file's lines end in a line break: all do but a last one without.
inline bool LineHasBreak(std::string_view text, std::size_t index, std::size_t count) {
    return index + 1 < count || text.ends_with('\n');
}

using IniField =
    std::variant<std::string EditorSettings::*, int32_t EditorSettings::*, bool EditorSettings::*>;

struct IniKey {
    std::string_view name;
    IniField field;
};

inline constexpr std::array<IniKey, 29> kIniKeys = {{
    {"d2char", &EditorSettings::d2char},
    {"d2data", &EditorSettings::d2data},
    {"d2exp", &EditorSettings::d2exp},
    {"patch_d2", &EditorSettings::patch_d2},
    {"mod_dir", &EditorSettings::mod_dir},
    {"full_screen", &EditorSettings::full_screen},
    {"screen_width", &EditorSettings::screen_width},
    {"screen_height", &EditorSettings::screen_height},
    {"screen_depth", &EditorSettings::screen_depth},
    {"refresh_rate", &EditorSettings::refresh_rate},
    {"keyb_scroll_x", &EditorSettings::keyb_scroll_x},
    {"keyb_scroll_y", &EditorSettings::keyb_scroll_y},
    {"mouse_scroll_x", &EditorSettings::mouse_scroll_x},
    {"mouse_scroll_y", &EditorSettings::mouse_scroll_y},
    {"edit_scroll_x", &EditorSettings::edit_scroll_x},
    {"edit_scroll_y", &EditorSettings::edit_scroll_y},
    {"obj_edit_scroll", &EditorSettings::obj_edit_scroll},
    {"mouse_speed_x", &EditorSettings::mouse_speed_x},
    {"mouse_speed_y", &EditorSettings::mouse_speed_y},
    {"gamma_correction", &EditorSettings::gamma_correction},
    {"only_normal_type2", &EditorSettings::only_normal_type2},
    {"always_max_layers", &EditorSettings::always_max_layers},
    {"stretch_sprite", &EditorSettings::stretch_sprite},
    {"winobj_can_scroll_keyb", &EditorSettings::winobj_can_scroll_keyb},
    {"winobj_can_scroll_mouse", &EditorSettings::winobj_can_scroll_mouse},
    {"center_zoom", &EditorSettings::center_zoom},
    {"nb_type1_per_act", &EditorSettings::nb_type1_per_act},
    {"nb_type2_per_act", &EditorSettings::nb_type2_per_act},
    {"ds1_saved_minimize", &EditorSettings::ds1_saved_minimize},
}};
static_assert(kIniKeys.size() == kSettingKeyCount);

inline const IniKey* FindIniKey(std::string_view name) {
    for (const IniKey& key : kIniKeys)
        if (key.name == name) return &key;
    return nullptr;
}
