#include "editorcfg/settings_writer.h"

#include <gtest/gtest.h>

#include <string>

#include "editorcfg/settings_reader.h"
#include "sys/registry.h"
#include "tests/editorcfg/crlf.h"
#include "tests/loadercfg/temp_folder.h"

namespace {

const char* const kBareDefaults = R"(d2char   = 
d2data   = 
d2exp    = 
patch_d2 = 
mod_dir  = 

full_screen   = YES
screen_width  = 800
screen_height = 600
screen_depth  = 16

refresh_rate = 60

keyb_scroll_x  = 40
keyb_scroll_y  = 20
mouse_scroll_x = 20
mouse_scroll_y = 10
edit_scroll_x  = 20
edit_scroll_y  = 20

obj_edit_scroll = 2

mouse_speed_x = 2
mouse_speed_y = 2


gamma_correction = 1.30

only_normal_type2 = YES

always_max_layers = YES

stretch_sprite = YES

winobj_can_scroll_keyb = YES

winobj_can_scroll_mouse = NO

center_zoom = 1:1

nb_type1_per_act = 60
nb_type2_per_act = 150

ds1_saved_minimize = YES
)";

const char* const kCommented =
    R"(; Paths to the mpqs. When the editor need to read a file from a mpq
; it scan first in mod_dir. If not found, in patch_d2. If not found,
; in d2exp. If again not found, in d2data (just like the game)
; =================================================================
d2char   = C:\D2\d2char.mpq
d2data   = C:\D2\d2data.mpq
d2exp    = C:\D2\d2exp.mpq
patch_d2 = C:\D2\patch_d2.mpq
mod_dir  = c:\my mod

; if you don't have a mpq, put a blank, like :
; d2exp =

; mod_dir is an optional Mod Directory, like :
; mod_dir = c:\program files\diablo II\mods\my_mod


; screen configuration
; screen_depth can be either 8, 15, 16, 24 or 32 bits per pixel
;    (if your video card support it)
; if full_screen is not set to YES, it'll be a windowed screen
;    (will always fail under MS-DOS)
; =============================================================
full_screen   = NO
screen_width  = 1024
screen_height = 768
screen_depth  = 32


; Try to use this refresh rate, if possible. Not all drivers are able to
; control this at all, and even when they can, not all rates will be
; possible on all hardware, so the actual settings may differ from what
; you requested. Some non-exhaustive values : 60, 70, 72, 75, 85, 100, 120
; ========================================================================
refresh_rate = 85


; speed of scrolls, in pixels
; ===========================
keyb_scroll_x  = 1
keyb_scroll_y  = 2
mouse_scroll_x = 3
mouse_scroll_y = 4
edit_scroll_x  = 5
edit_scroll_y  = -6


; speed of scroll in the Object Editing window, in rows
; =====================================================
obj_edit_scroll = 7


; speed of mouse, larger values slow the mouse, defaut 2
; (don't seem to work under Windows XP)
; ======================================================
mouse_speed_x = 8
mouse_speed_y = 9




; misc options
; ============


; default gamma correction
; valid value : 0.60, 0.62, [...] 0.98, 1.00, 1.10, 1.20, [...], 3.00
; -------------------------------------------------------------------
gamma_correction = 2.50


; does the editor allow you to use Type 2 objects of higher act ?
; if this line is NOT set to YES, the editor will allow it
; ---------------------------------------------------------------
only_normal_type2 = NO


; does the editor always modified the ds1 to have 2 floors layers and
; 4 walls layers ?
; if this line is NOT set to YES, the editor won't make any change
; -------------------------------------------------------------------
always_max_layers = NO


; resize the sprites when zooming
; -------------------------------
stretch_sprite = NO


; when editing an object, posibility to scroll the main tile editing window
; with the arrow keys
; -------------------------------------------------------------------------
winobj_can_scroll_keyb = NO


; when editing an object, posibility to scroll the main tile editing window
; with the mouse on the border of the screen
; -------------------------------------------------------------------------
winobj_can_scroll_mouse = YES


; after a Centering (with the 'C' key), wich zoom ?
; possible values : NO_CHANGE, 1:1, 1:2, 1:4, 1:8, 1:16
; -----------------------------------------------------
center_zoom = NO_CHANGE


; What are the sizes of object tables in DLL for type 1 and 2 ?
; normal values are :
;    *  60 entries per act for type 1 objects
;    * 150 entries per act for type 2 objects
; You shouldn't change these values unless you have a modified DLL
; ----------------------------------------------------------------
nb_type1_per_act = 61
nb_type2_per_act = 151


; minimize file size of saved ds1 ?
; ---------------------------------
ds1_saved_minimize = NO
)";

EditorSettings Changed() {
    EditorSettings s;
    s.d2char = "C:\\D2\\d2char.mpq";
    s.d2data = "C:\\D2\\d2data.mpq";
    s.d2exp = "C:\\D2\\d2exp.mpq";
    s.patch_d2 = "C:\\D2\\patch_d2.mpq";
    s.mod_dir = "c:\\my mod";
    s.full_screen = false;
    s.screen_width = 1024;
    s.screen_height = 768;
    s.screen_depth = "32";
    s.refresh_rate = 85;
    s.keyb_scroll_x = 1;
    s.keyb_scroll_y = 2;
    s.mouse_scroll_x = 3;
    s.mouse_scroll_y = 4;
    s.edit_scroll_x = 5;
    s.edit_scroll_y = -6;
    s.obj_edit_scroll = 7;
    s.mouse_speed_x = 8;
    s.mouse_speed_y = 9;
    s.gamma_correction = "2.50";
    s.only_normal_type2 = false;
    s.always_max_layers = false;
    s.stretch_sprite = false;
    s.winobj_can_scroll_keyb = false;
    s.winobj_can_scroll_mouse = true;
    s.center_zoom = "NO_CHANGE";
    s.nb_type1_per_act = 61;
    s.nb_type2_per_act = 151;
    s.ds1_saved_minimize = false;
    return s;
}

TEST(SettingsWriterTest, BothFreshLayoutsByteForByte) {
    EXPECT_EQ(FormatEditorSettings(EditorSettings{}, RemoveComments), Crlf(kBareDefaults));
    EXPECT_EQ(FormatEditorSettings(Changed(), StandardComments), Crlf(kCommented));
    // The gamma value is written with at most four characters.
    EditorSettings longGamma;
    longGamma.gamma_correction = "1.305";
    EXPECT_NE(
        FormatEditorSettings(longGamma, RemoveComments).find("\r\ngamma_correction = 1.30\r\n"),
        std::string::npos);
}

TEST(SettingsWriterTest, WrittenFilesReadBackAsWritten) {
    sys::MemoryRegistry noGame;
    for (CommentMode mode : {RemoveComments, StandardComments}) {
        std::string text = FormatEditorSettings(Changed(), mode);
        LoadedEditorSettings loaded = LoadEditorSettings(std::string_view(text), noGame);
        EXPECT_TRUE(loaded.allKeysPresent);
        EditorSettings expected = Changed();
        expected.edit_scroll_y = 20;  // a sign is no digit: the reader falls back
        EXPECT_EQ(loaded.settings, expected);
    }
}

TEST(SettingsWriterTest, WriteReplacesTheFileOrLeavesIt) {
    TempFolder folder;
    const std::string path = folder.Write("kelvorn.ini", "old\r\n");
    ASSERT_TRUE(WriteEditorSettings(EditorSettings{}, RemoveComments, path));
    EXPECT_EQ(folder.Read("kelvorn.ini"), Crlf(kBareDefaults));
    // The temporary file's name taken by a folder: the save fails and nothing changes.
    std::filesystem::create_directory(path + ".kelvorn-tmp");
    EXPECT_FALSE(WriteEditorSettings(Changed(), StandardComments, path));
    EXPECT_EQ(folder.Read("kelvorn.ini"), Crlf(kBareDefaults));
}

}  // namespace
