#include "editorcfg/settings_rewrite.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editorcfg/settings_reader.h"
#include "editorcfg/settings_writer.h"
#include "sys/registry.h"

namespace {

class RewriteTest : public ::testing::Test {
  protected:
    std::string Rewrite(std::string_view text) {
        return RewriteSettingsText(text, settings,
                                   [this](const std::string& w) { warnings.push_back(w); });
    }
    EditorSettings settings;
    std::vector<std::string> warnings;
};

// Only values change; strange lines are kept, each warned about once.
TEST_F(RewriteTest, OnlyValuesChangeAndStrangeLinesAreWarnedAboutAndKept) {
    settings.mod_dir = "c:\\m";
    settings.d2exp = "x";
    settings.refresh_rate = 85;
    const std::pair<const char*, const char*> cases[] = {
        {"   screen_width=1024   ; mine\r\n", "   screen_width=800   ; mine\r\n"},
        {"mod_dir = \r\n", "mod_dir = c:\\m \r\n"},
        {"mod_dir =\r\n", "mod_dir =c:\\m\r\n"},
        {"mod_dir =\t \r\n", "mod_dir =\t c:\\m\t \r\n"},
        {"d2exp = ; none\r\n", "d2exp = x ; none\r\n"},
        {"refresh_rate = 75\r\nrefresh_rate = 85\r\n",
         "refresh_rate = 85\r\nrefresh_rate = 85\r\n"},
        {"\tfull_screen\t=\tNO \t;x;y\r\n", "\tfull_screen\t=\tYES \t;x;y\r\n"},
        {"center_zoom = 1:2", "center_zoom = 1:1"},  // no line break, none added
        {"gamma_correction = 2.5\n\n; c\n", "gamma_correction = 1.30\r\n\r\n; c\r\n"},
        {"patch_d2 = old", "patch_d2 = "},
        {"", ""},
        {"full_screen YES\r\nscreen_width = 1024\r\nd2exp_old = 1 ; kept\r\n  = 5\r\n   ",
         "full_screen YES\r\nscreen_width = 800\r\nd2exp_old = 1 ; kept\r\n  = 5\r\n   "},
    };
    for (const auto& [in, out] : cases) EXPECT_EQ(Rewrite(in), out) << in;
    EXPECT_EQ(warnings,
              (std::vector<std::string>{
                  "Bad Line:\n1: full_screen YES\n",
                  "Unknown setting name d2exp_old found in kelvorn.ini at line 3",
                  "Unknown setting name  found in kelvorn.ini at line 4", "Bad Line:\n5:    "}));
}

// Empty values that stay empty keep their blanks: they would grow on every save.
TEST_F(RewriteTest, UnchangedValuesGiveTheFileBackByteForByte) {
    sys::MemoryRegistry noGame;
    std::string handMade =
        "; mine\r\n\r\n  d2char = C:\\a b\\d2char.mpq   ; the char\r\nd2data=\r\nd2exp = \t \r\n"
        "patch_d2 = \r\nmod_dir =  ; none\r\nunknown = 3\r\nbad line\r\nscreen_width = 1024\t\r\n"
        "gamma_correction = 0.62\r\nds1_saved_minimize = NO";
    settings = LoadEditorSettings(std::string_view(handMade), noGame).settings;
    EXPECT_EQ(Rewrite(handMade), handMade);

    settings.mod_dir = "c:\\my mod";
    settings.d2exp = "";
    settings.gamma_correction = "2.50";
    for (CommentMode mode : {RemoveComments, StandardComments}) {
        const std::string fresh = FormatEditorSettings(settings, mode);
        std::string saved = fresh;
        for (int i = 0; i < 5; ++i) saved = Rewrite(saved);
        EXPECT_EQ(saved, fresh);
    }
}

}  // namespace
