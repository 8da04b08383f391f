#include "editorcfg/editor_settings.h"

#include <cctype>
#include <cstdio>

const std::array<SettingKey, kSettingKeyCount> kSettingKeys = {{
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

namespace {

std::array<std::string, kGammaCount> MakeGammaValues() {
    std::array<std::string, kGammaCount> values;
    // Counted in hundredths, so that no rounding can spoil a value.
    std::size_t i = 0;
    auto add = [&](int hundredths) {
        char text[8];
        std::snprintf(text, sizeof text, "%d.%02d", hundredths / 100, hundredths % 100);
        values[i++] = text;
    };
    for (int h = 60; h <= 100; h += 2) add(h);
    for (int h = 110; h <= 300; h += 10) add(h);
    return values;
}

bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix) {
    if (prefix.size() > text.size()) return false;
    for (std::size_t i = 0; i < prefix.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(text[i])) !=
            std::tolower(static_cast<unsigned char>(prefix[i])))
            return false;
    return true;
}

}  // namespace

bool EncodeSetting(const EditorSettings& settings, std::string_view key, std::string& value) {
    for (const SettingKey& entry : kSettingKeys) {
        if (entry.name != key) continue;
        if (auto text = std::get_if<std::string EditorSettings::*>(&entry.field))
            value = settings.*(*text);
        else if (auto number = std::get_if<int32_t EditorSettings::*>(&entry.field))
            value = std::to_string(settings.*(*number));
        else
            value = settings.*std::get<bool EditorSettings::*>(entry.field) ? "YES" : "NO";
        // The editor reads gamma values of four characters.
        if (key == "gamma_correction" && value.size() > 4) value.resize(4);
        return true;
    }
    return false;
}

const std::array<std::string, kGammaCount>& GammaValues() {
    static const std::array<std::string, kGammaCount> values = MakeGammaValues();
    return values;
}

std::size_t ChooseGammaIndex(std::string_view text) {
    const auto& values = GammaValues();
    std::size_t chosen = 0;
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (values[i] == kDefaultGamma) chosen = i;
    }
    if (text.empty()) return chosen;
    for (std::size_t i = 0; i < values.size(); ++i)
        if (StartsWithIgnoringCase(values[i], text)) return i;
    return chosen;
}

std::string PathWithSemicolonMessage(const EditorSettings& settings) {
    for (std::size_t i = 0; i < 5; ++i) {  // the five paths lead the keys
        const SettingKey& key = kSettingKeys[i];
        if ((settings.*std::get<std::string EditorSettings::*>(key.field)).find(';') !=
            std::string::npos)
            return std::string(key.name) +
                   " holds a \";\", which starts a comment in kelvorn.ini: the editor would "
                   "read the path cut there. Please choose a path without it.";
    }
    return {};
}
