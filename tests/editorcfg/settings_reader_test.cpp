#include "editorcfg/settings_reader.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "sys/registry.h"

namespace {

// Every key once, each with a value that differs from its factory value.
const char* const kFullFile =
    "; my settings\r\n"
    "d2char   = C:\\d2\\d2char.mpq\r\n"
    "d2data   = C:\\d2\\d2data.mpq\r\n"
    "d2exp    = C:\\d2\\d2exp.mpq\r\n"
    "patch_d2 = C:\\d2\\patch_d2.mpq\r\n"
    "mod_dir  = c:\\my mod ; folder\r\n"
    "full_screen   = NO\r\n"
    "screen_width  = 1024 ; wide\r\n"
    "screen_height = 0768\r\n"
    "screen_depth  = 32\r\n"
    "refresh_rate = 75\r\n"
    "keyb_scroll_x  = 1\r\nkeyb_scroll_y  = 2\r\nmouse_scroll_x = 3\r\n"
    "mouse_scroll_y = 4\r\nedit_scroll_x  = 5\r\nedit_scroll_y  = 6\r\n"
    "obj_edit_scroll = 7\r\n"
    "mouse_speed_x = 8\r\nmouse_speed_y = 9\r\n"
    "gamma_correction = 2.5\r\n"
    "only_normal_type2 = NO\r\nalways_max_layers = no\r\nstretch_sprite = 1\r\n"
    "winobj_can_scroll_keyb = No\r\nwinobj_can_scroll_mouse = YES\r\n"
    "center_zoom = NO_CHANGE\r\n"
    "nb_type1_per_act = 61\r\nnb_type2_per_act = 151\r\n"
    "ds1_saved_minimize\t=\tNO\t\r\n";

struct FindCase {
    const char* file;
    const char* key;
    std::optional<std::string> value;
    bool allKeysPresent;
};

TEST(SettingsReaderTest, FindSettingTakesTheFirstNonEmptyValueAndNotesOccurrences) {
    const FindCase cases[] = {
        {"refresh_rate = 75\nrefresh_rate = 85\n", "refresh_rate", "75", true},
        {"  \trefresh_rate\t=\t 75 \t\r\n", "refresh_rate", "75", true},
        {"mod_dir = c:\\my mod ; folder\n", "mod_dir", "c:\\my mod", true},
        {"mod_dir = c:\\my mod", "mod_dir", "c:\\my mod", true},  // no line break
        {"full_screen =\nfull_screen = ;x\nfull_screen = NO\n", "full_screen", "NO", true},
        {"full_screen =   \n", "full_screen", std::nullopt, true},  // occurs, no value
        {"d2exp_old = 1\n", "d2exp", std::nullopt, true},           // a longer name counts
        {"d2exp_old = 1\n", "d2exp_old", "1", true},
        {"Full_Screen = NO\n", "full_screen", std::nullopt, false},  // case matters
        {"; full_screen = NO\n  ;full_screen = NO\n", "full_screen", std::nullopt, false},
        {"full_screen NO\nfull_screen = YES\n", "full_screen", "YES", true},
        {"x = 1\n\n\t\n", "full_screen", std::nullopt, false},
        {"", "full_screen", std::nullopt, false},
    };
    for (const FindCase& c : cases) {
        SettingsReader reader{std::string_view(c.file)};
        EXPECT_EQ(reader.FindSetting(c.key), c.value) << c.file;
        EXPECT_EQ(reader.AllKeysPresent(), c.allKeysPresent) << c.file;
    }
    SettingsReader noFile{std::nullopt};
    EXPECT_EQ(noFile.FindSetting("full_screen"), std::nullopt);
    EXPECT_FALSE(noFile.AllKeysPresent());
}

TEST(SettingsReaderTest, LongLinesAreReadWhole) {
    const std::string path(3000, 'p');
    std::string file = "mod_dir = " + path + "\r\n" + std::string(1030, ' ') + "x = 1\n";
    SettingsReader reader{std::string_view(file)};
    EXPECT_EQ(reader.FindSetting("mod_dir"), path);
    EXPECT_EQ(reader.FindSetting("x"), "1");
}

TEST(SettingsReaderTest, IntegersAreDigitsOnlyAndFlagsExactlyYes) {
    const struct {
        const char* value;
        int32_t expected;
    } ints[] = {{"1024", 1024},    {"0800", 800},
                {"1024px", 7},     {"-5", 7},
                {"+5", 7},         {"1 000", 7},
                {"1.5", 7},        {"2147483647", 2147483647},
                {"2147483648", 7}, {"99999999999999999999", 7}};
    for (const auto& c : ints) {
        std::string file = std::string("n = ") + c.value + "\n";
        EXPECT_EQ(SettingsReader{std::string_view(file)}.ReadIntSetting("n", 7), c.expected)
            << c.value;
    }
    EXPECT_EQ(SettingsReader{std::string_view("m = 5\n")}.ReadIntSetting("n", 7), 7);

    const struct {
        const char* file;
        int expected;  // 0 missing, 1 yes, 2 other
    } flags[] = {{"f = YES\n", 1},      {"f = yes\n", 2},  {"f = NO\n", 2}, {"f = 1\n", 2},
                 {"f = YES ; on\n", 1}, {"f = YESS\n", 2}, {"f =\n", 0},    {"g = YES\n", 0}};
    for (const auto& c : flags) {
        SettingsReader reader{std::string_view(c.file)};
        int got = -1;
        // Three distinct results need three calls with one of them true.
        if (reader.ReadYesNoSetting("f", true, false, false)) got = 0;
        if (SettingsReader{std::string_view(c.file)}.ReadYesNoSetting("f", false, true, false))
            got = 1;
        if (SettingsReader{std::string_view(c.file)}.ReadYesNoSetting("f", false, false, true))
            got = 2;
        EXPECT_EQ(got, c.expected) << c.file;
    }
}

class LoadTest : public ::testing::Test {
  protected:
    void SetGamePath(const std::string& path) {
        bool created;
        registry.CreateKey(sys::RegRoot::LocalMachine, kGameRegistryKey, created);
        registry.WriteString(sys::RegRoot::LocalMachine, kGameRegistryKey, "InstallPath", path);
    }
    LoadedEditorSettings Load(const std::string& file) {
        return LoadEditorSettings(std::string_view(file), registry);
    }
    sys::MemoryRegistry registry;
};

TEST_F(LoadTest, MissingFileGivesFactoryValuesAndTheGamePaths) {
    LoadedEditorSettings loaded = LoadEditorSettings(std::nullopt, registry);
    EXPECT_EQ(loaded.settings, EditorSettings{});
    EXPECT_FALSE(loaded.allKeysPresent);

    SetGamePath("C:\\Games\\Diablo II");
    loaded = LoadEditorSettings(std::nullopt, registry);
    EditorSettings expected;
    expected.d2char = "C:\\Games\\Diablo II\\d2char.mpq";
    expected.d2data = "C:\\Games\\Diablo II\\d2data.mpq";
    expected.d2exp = "C:\\Games\\Diablo II\\d2exp.mpq";
    expected.patch_d2 = "C:\\Games\\Diablo II\\patch_d2.mpq";
    EXPECT_EQ(loaded.settings, expected);

    // Used as it comes: a trailing separator is doubled, not removed.
    SetGamePath("D:\\D2\\");
    EXPECT_EQ(LoadEditorSettings(std::nullopt, registry).settings.d2exp, "D:\\D2\\\\d2exp.mpq");
    SetGamePath(std::string(1023, 'g'));
    EXPECT_EQ(LoadEditorSettings(std::nullopt, registry).settings.d2char.size(), 1023u + 11u);
    SetGamePath(std::string(1024, 'g'));  // with its zero, beyond the 1024 bytes read
    EXPECT_EQ(LoadEditorSettings(std::nullopt, registry).settings.d2char, "");
}

TEST_F(LoadTest, GamePathsOnlyWhenNoPathHasAValue) {
    SetGamePath("C:\\D2");
    LoadedEditorSettings loaded = Load("d2exp =\n");
    EXPECT_EQ(loaded.settings.d2char, "C:\\D2\\d2char.mpq");
    EXPECT_EQ(loaded.settings.d2exp, "C:\\D2\\d2exp.mpq");
    EXPECT_EQ(loaded.settings.mod_dir, "");

    loaded = Load("d2char = x\n");
    EXPECT_EQ(loaded.settings.d2char, "x");
    EXPECT_EQ(loaded.settings.d2data + loaded.settings.d2exp + loaded.settings.patch_d2, "");
    EXPECT_EQ(Load("mod_dir = m\n").settings.d2char, "");
}

TEST_F(LoadTest, EveryKeyIsReadFromAFullFile) {
    SetGamePath("C:\\unused");
    LoadedEditorSettings loaded = Load(kFullFile);
    EXPECT_TRUE(loaded.allKeysPresent);
    const EditorSettings& s = loaded.settings;
    EXPECT_EQ(s.d2char, "C:\\d2\\d2char.mpq");
    EXPECT_EQ(s.patch_d2, "C:\\d2\\patch_d2.mpq");
    EXPECT_EQ(s.mod_dir, "c:\\my mod");
    EXPECT_FALSE(s.full_screen);
    EXPECT_EQ(s.screen_width, 1024);
    EXPECT_EQ(s.screen_height, 768);
    EXPECT_EQ(s.screen_depth, "32");
    EXPECT_EQ(s.refresh_rate, 75);
    EXPECT_EQ((std::vector<int>{s.keyb_scroll_x, s.keyb_scroll_y, s.mouse_scroll_x,
                                s.mouse_scroll_y, s.edit_scroll_x, s.edit_scroll_y,
                                s.obj_edit_scroll, s.mouse_speed_x, s.mouse_speed_y}),
              (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9}));
    EXPECT_EQ(s.gamma_correction, "2.5");
    EXPECT_FALSE(s.only_normal_type2);
    EXPECT_FALSE(s.always_max_layers);
    EXPECT_FALSE(s.stretch_sprite);
    EXPECT_FALSE(s.winobj_can_scroll_keyb);
    EXPECT_TRUE(s.winobj_can_scroll_mouse);
    EXPECT_EQ(s.center_zoom, "NO_CHANGE");
    EXPECT_EQ(s.nb_type1_per_act, 61);
    EXPECT_EQ(s.nb_type2_per_act, 151);
    EXPECT_FALSE(s.ds1_saved_minimize);
}

TEST_F(LoadTest, UnusableValuesGiveDefaultsAndMissingKeysClearTheFlag) {
    const EditorSettings factory;
    const struct {
        const char* line;
        bool EditorSettings::*flag;
        bool expected;
    } flags[] = {
        {"full_screen = yes\n", &EditorSettings::full_screen, false},
        {"full_screen =\n", &EditorSettings::full_screen, true},
        {"winobj_can_scroll_mouse =\n", &EditorSettings::winobj_can_scroll_mouse, false},
        {"winobj_can_scroll_mouse = YES\n", &EditorSettings::winobj_can_scroll_mouse, true}};
    for (const auto& c : flags) EXPECT_EQ(Load(c.line).settings.*c.flag, c.expected) << c.line;

    EXPECT_EQ(Load("screen_width = 1024px\n").settings.screen_width, 800);
    EXPECT_EQ(Load("screen_depth = 17\n").settings.screen_depth, "16");
    EXPECT_EQ(Load("screen_depth = 8\n").settings.screen_depth, "8");
    EXPECT_EQ(Load("center_zoom = 1:3\n").settings.center_zoom, "1:1");
    EXPECT_EQ(Load("center_zoom = no_change\n").settings.center_zoom, "1:1");
    EXPECT_EQ(Load("center_zoom = 1:16\n").settings.center_zoom, "1:16");
    EXPECT_EQ(Load("x = 1\n").settings.gamma_correction, factory.gamma_correction);

    std::string full = kFullFile;
    std::string noStretch = full;
    noStretch.erase(noStretch.find("stretch_sprite"), std::string("stretch_sprite = 1\r\n").size());
    EXPECT_FALSE(Load(noStretch).allKeysPresent);
    std::string renamed = full;
    renamed.replace(renamed.find("d2exp    ="), 5, "d2exp_old");
    EXPECT_TRUE(Load(renamed).allKeysPresent);
    std::string emptied = full;
    emptied.replace(emptied.find("= 61"), 4, "=");
    LoadedEditorSettings loaded = Load(emptied);
    EXPECT_TRUE(loaded.allKeysPresent);
    EXPECT_EQ(loaded.settings.nb_type1_per_act, 60);
}

TEST(GammaTest, FortyOneValuesAndTheChoiceRule) {
    const auto& values = GammaValues();
    EXPECT_EQ(values.front(), "0.60");
    EXPECT_EQ(values[1], "0.62");
    EXPECT_EQ(values[20], "1.00");
    EXPECT_EQ(values[21], "1.10");
    EXPECT_EQ(values.back(), "3.00");
    for (std::size_t i = 0; i < values.size(); ++i) {
        EXPECT_EQ(values[i].size(), 4u) << values[i];
        if (i > 0) {
            EXPECT_LT(std::stod(values[i - 1]), std::stod(values[i])) << values[i];
        }
    }
    const struct {
        const char* text;
        const char* chosen;
    } cases[] = {{"1.3", "1.30"}, {"2", "2.00"},    {"1", "1.00"},   {"1.05", "1.30"},
                 {"5", "1.30"},   {"5.00", "1.30"}, {"2.5", "2.50"}, {"0.7", "0.70"},
                 {"", "1.30"},    {"3.00 ", "1.30"}};
    for (const auto& c : cases) EXPECT_EQ(values[ChooseGammaIndex(c.text)], c.chosen) << c.text;
}

}  // namespace
