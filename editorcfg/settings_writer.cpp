#include "editorcfg/settings_writer.h"

#include <initializer_list>
#include <string_view>

#include "sys/fs.h"

namespace {

struct Group {
    int emptyLinesBare;       // before the group without comments
    int emptyLinesCommented;  // before its comment block
    std::initializer_list<std::string_view> comments;
    // Each key with the blanks that line up the group's "=" signs.
    std::initializer_list<std::string_view> prefixes;
};

const Group kGroups[] = {
    {0,
     0,
     {"; Paths to the mpqs. When the editor need to read a file from a mpq",
      "; it scan first in mod_dir. If not found, in patch_d2. If not found,",
      "; in d2exp. If again not found, in d2data (just like the game)",
      "; ================================================================="},
     {"d2char   = ", "d2data   = ", "d2exp    = ", "patch_d2 = ", "mod_dir  = "}},
    {1,
     1,
     {"; if you don't have a mpq, put a blank, like :", "; d2exp =", "",
      "; mod_dir is an optional Mod Directory, like :",
      "; mod_dir = c:\\program files\\diablo II\\mods\\my_mod", "", "", "; screen configuration",
      "; screen_depth can be either 8, 15, 16, 24 or 32 bits per pixel",
      ";    (if your video card support it)",
      "; if full_screen is not set to YES, it'll be a windowed screen",
      ";    (will always fail under MS-DOS)",
      "; ============================================================="},
     {"full_screen   = ", "screen_width  = ", "screen_height = ", "screen_depth  = "}},
    {1,
     2,
     {"; Try to use this refresh rate, if possible. Not all drivers are able to",
      "; control this at all, and even when they can, not all rates will be",
      "; possible on all hardware, so the actual settings may differ from what",
      "; you requested. Some non-exhaustive values : 60, 70, 72, 75, 85, 100, 120",
      "; ========================================================================"},
     {"refresh_rate = "}},
    {1,
     2,
     {"; speed of scrolls, in pixels", "; ==========================="},
     {"keyb_scroll_x  = ", "keyb_scroll_y  = ", "mouse_scroll_x = ", "mouse_scroll_y = ",
      "edit_scroll_x  = ", "edit_scroll_y  = "}},
    {1,
     2,
     {"; speed of scroll in the Object Editing window, in rows",
      "; ====================================================="},
     {"obj_edit_scroll = "}},
    {1,
     2,
     {"; speed of mouse, larger values slow the mouse, defaut 2",
      "; (don't seem to work under Windows XP)",
      "; ======================================================"},
     {"mouse_speed_x = ", "mouse_speed_y = "}},
    {2,
     4,
     {"; misc options", "; ============", "", "", "; default gamma correction",
      "; valid value : 0.60, 0.62, [...] 0.98, 1.00, 1.10, 1.20, [...], 3.00",
      "; -------------------------------------------------------------------"},
     {"gamma_correction = "}},
    {1,
     2,
     {"; does the editor allow you to use Type 2 objects of higher act ?",
      "; if this line is NOT set to YES, the editor will allow it",
      "; ---------------------------------------------------------------"},
     {"only_normal_type2 = "}},
    {1,
     2,
     {"; does the editor always modified the ds1 to have 2 floors layers and", "; 4 walls layers ?",
      "; if this line is NOT set to YES, the editor won't make any change",
      "; -------------------------------------------------------------------"},
     {"always_max_layers = "}},
    {1,
     2,
     {"; resize the sprites when zooming", "; -------------------------------"},
     {"stretch_sprite = "}},
    {1,
     2,
     {"; when editing an object, posibility to scroll the main tile editing window",
      "; with the arrow keys",
      "; -------------------------------------------------------------------------"},
     {"winobj_can_scroll_keyb = "}},
    {1,
     2,
     {"; when editing an object, posibility to scroll the main tile editing window",
      "; with the mouse on the border of the screen",
      "; -------------------------------------------------------------------------"},
     {"winobj_can_scroll_mouse = "}},
    {1,
     2,
     {"; after a Centering (with the 'C' key), wich zoom ?",
      "; possible values : NO_CHANGE, 1:1, 1:2, 1:4, 1:8, 1:16",
      "; -----------------------------------------------------"},
     {"center_zoom = "}},
    {1,
     2,
     {"; What are the sizes of object tables in DLL for type 1 and 2 ?",
      "; normal values are :", ";    *  60 entries per act for type 1 objects",
      ";    * 150 entries per act for type 2 objects",
      "; You shouldn't change these values unless you have a modified DLL",
      "; ----------------------------------------------------------------"},
     {"nb_type1_per_act = ", "nb_type2_per_act = "}},
    {1,
     2,
     {"; minimize file size of saved ds1 ?", "; ---------------------------------"},
     {"ds1_saved_minimize = "}},
};

std::string_view KeyOf(std::string_view prefix) {
    return prefix.substr(0, prefix.find(' '));
}

}  // namespace

std::string FormatEditorSettings(const EditorSettings& settings, CommentMode mode) {
    const bool commented = mode == StandardComments;
    std::string text;
    std::string value;
    for (const Group& group : kGroups) {
        int emptyLines = commented ? group.emptyLinesCommented : group.emptyLinesBare;
        for (int i = 0; i < emptyLines; ++i) text += "\r\n";
        if (commented) {
            for (std::string_view line : group.comments) {
                text += line;
                text += "\r\n";
            }
        }
        for (std::string_view prefix : group.prefixes) {
            EncodeSetting(settings, KeyOf(prefix), value);
            text += prefix;
            text += value;
            text += "\r\n";
        }
    }
    return text;
}

bool WriteEditorSettings(const EditorSettings& settings, CommentMode mode,
                         const std::string& path) {
    return sys::WriteFileAtomically(path, FormatEditorSettings(settings, mode));
}
