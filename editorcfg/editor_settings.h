// kelvorn.ini, the map editor's own settings file: its 29 keys, their factory values and
// the fixed value lists the dialog offers.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

inline constexpr const char* kEditorIniName = "kelvorn.ini";

// Every field bears its key's name. Flags are spelled YES or NO in the file.
struct EditorSettings {
    std::string d2char;
    std::string d2data;
    std::string d2exp;
    std::string patch_d2;
    std::string mod_dir;
    bool full_screen = true;
    int32_t screen_width = 800;
    int32_t screen_height = 600;
    std::string screen_depth = "16";
    int32_t refresh_rate = 60;
    int32_t keyb_scroll_x = 40;
    int32_t keyb_scroll_y = 20;
    int32_t mouse_scroll_x = 20;
    int32_t mouse_scroll_y = 10;
    int32_t edit_scroll_x = 20;
    int32_t edit_scroll_y = 20;
    int32_t obj_edit_scroll = 2;
    int32_t mouse_speed_x = 2;
    int32_t mouse_speed_y = 2;
    std::string gamma_correction = "1.30";
    bool only_normal_type2 = true;
    bool always_max_layers = true;
    bool stretch_sprite = true;
    bool winobj_can_scroll_keyb = true;
    bool winobj_can_scroll_mouse = false;
    std::string center_zoom = "1:1";
    int32_t nb_type1_per_act = 60;
    int32_t nb_type2_per_act = 150;
    bool ds1_saved_minimize = true;

    bool operator==(const EditorSettings&) const = default;
};

// How the file is written.
enum CommentMode { RemoveComments = 0, StandardComments = 1, KeepCurrentComments = 2 };

inline constexpr std::size_t kSettingKeyCount = 29;

// A key of the file and the field it fills, in the file's standard order.
struct SettingKey {
    std::string_view name;
    std::variant<std::string EditorSettings::*, int32_t EditorSettings::*, bool EditorSettings::*>
        field;
};
extern const std::array<SettingKey, kSettingKeyCount> kSettingKeys;

// The value of `key` as the writers spell it: integers in decimal, flags YES or NO, the
// gamma text cut to four characters. False for a key that is none of the 29.
bool EncodeSetting(const EditorSettings& settings, std::string_view key, std::string& value);

// The reader ends a value at ";", so a path holding one would come back cut. The message
// naming the first path (the four archives, then the mod folder) that holds one; empty
// when none does.
std::string PathWithSemicolonMessage(const EditorSettings& settings);

inline constexpr std::array<std::string_view, 5> kScreenDepths = {"8", "15", "16", "24", "32"};
inline constexpr std::array<std::string_view, 6> kCenterZooms = {"NO_CHANGE", "1:1", "1:2",
                                                                 "1:4",       "1:8", "1:16"};

// 0.60 to 1.00 by 0.02, then 1.10 to 3.00 by 0.10, as "%.2f".
inline constexpr std::size_t kGammaCount = 41;
const std::array<std::string, kGammaCount>& GammaValues();
inline constexpr const char* kDefaultGamma = "1.30";

// Index of the gamma entry a file's text chooses: the first that begins with `text`,
// ignoring case; the entry 1.30 when none does or the text is empty.
std::size_t ChooseGammaIndex(std::string_view text);
