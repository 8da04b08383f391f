// kelvorn.ini read and written.
#include "editorcfg/settings_reader.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>

#include "editorcfg/settings_writer.h"
#include "sys/registry.h"
#include "tests/common/helpers.h"

namespace {

class LoadTest : public ::testing::Test {
  protected:
    void SetGamePath(const std::string& path) {
        bool created;
        registry.CreateKey(sys::RegRoot::LocalMachine, kGameRegistryKey, created);
        registry.WriteString(sys::RegRoot::LocalMachine, kGameRegistryKey, "InstallPath", path);
    }
    EditorSettings Load(const std::string& file) {
        return LoadEditorSettings(std::string_view(file), registry).settings;
    }
    sys::MemoryRegistry registry;
};

TEST_F(LoadTest, UnusableValuesGiveDefaultsAndArchivePathsComeFromTheGameOnlyWhenNoneIsSet) {
    EXPECT_FALSE(Load("full_screen = yes\n").full_screen);  // only YES is yes
    EXPECT_TRUE(Load("full_screen = YES ; on\n").full_screen);
    EXPECT_TRUE(Load("full_screen =\n").full_screen);
    EXPECT_FALSE(Load("winobj_can_scroll_mouse =\n").winobj_can_scroll_mouse);
    EXPECT_EQ(Load("screen_width = 1024px\n").screen_width, 800);
    EXPECT_EQ(Load("screen_depth = 17\n").screen_depth, "16");
    EXPECT_EQ(Load("center_zoom = 1:3\n").center_zoom, "1:1");
    EXPECT_EQ(Load("center_zoom = no_change\n").center_zoom, "1:1");
    EXPECT_EQ(Load("gamma_correction = 2.5 ; mine\n").gamma_correction, "2.5");

    const std::string full = FormatEditorSettings(EditorSettings{}, RemoveComments);
    auto allKeys = [&](std::string text, const std::string& from, const std::string& to) {
        text.replace(text.find(from), from.size(), to);
        return LoadEditorSettings(std::string_view(text), registry).allKeysPresent;
    };
    EXPECT_FALSE(allKeys(full, "stretch_sprite = YES", ""));
    EXPECT_TRUE(allKeys(full, "d2exp    =", "d2exp_old ="));
    EXPECT_TRUE(allKeys(full, "= 60\r\n", "=\r\n"));

    LoadedEditorSettings loaded = LoadEditorSettings(std::nullopt, registry);
    EXPECT_EQ(loaded.settings, EditorSettings{});
    EXPECT_FALSE(loaded.allKeysPresent);

    SetGamePath("C:\\D2");
    EditorSettings s = LoadEditorSettings(std::nullopt, registry).settings;
    EXPECT_EQ(s.d2char + "|" + s.d2data + "|" + s.d2exp + "|" + s.patch_d2 + "|" + s.mod_dir,
              "C:\\D2\\d2char.mpq|C:\\D2\\d2data.mpq|C:\\D2\\d2exp.mpq|C:\\D2\\patch_d2.mpq|");
    EXPECT_EQ(Load("d2exp =\n").d2exp, "C:\\D2\\d2exp.mpq");
    s = Load("d2char = x\n");
    EXPECT_EQ(s.d2char + "|" + s.d2data + s.d2exp + s.patch_d2, "x|");
    EXPECT_EQ(Load("mod_dir = m\n").d2char, "");

    SetGamePath("D:\\D2\\");  // used as it comes
    EXPECT_EQ(Load("").d2exp, "D:\\D2\\\\d2exp.mpq");
    SetGamePath(std::string(1023, 'g'));
    EXPECT_EQ(Load("").d2char.size(), 1023u + 11u);
    SetGamePath(std::string(1024, 'g'));  // with its zero, beyond the 1024 bytes read
    EXPECT_EQ(Load("").d2char, "");
}

TEST(GammaTest, FortyOneValuesAndTheChoiceRule) {
    const auto& values = GammaValues();
    for (std::size_t i = 1; i < values.size(); ++i) {
        EXPECT_EQ(values[i].size(), 4u) << values[i];
        EXPECT_LT(std::stod(values[i - 1]), std::stod(values[i])) << values[i];
    }
    const std::pair<const char*, const char*> cases[] = {
        {"1.3", "1.30"}, {"2", "2.00"}, {"1", "1.00"},   {"1.05", "1.30"}, {"5", "1.30"},
        {"2.5", "2.50"}, {"", "1.30"},  {"0.6", "0.60"}, {"0.62", "0.62"}, {"3", "3.00"}};
    for (const auto& [text, chosen] : cases)
        EXPECT_EQ(values[ChooseGammaIndex(text)], chosen) << text;
}

// Files as the writers must produce them, written by hand, CR LF line ends included.
std::string ExpectedFile(const std::string& name) {
    return test::ReadFile(std::filesystem::path(__FILE__).parent_path() / "expected" / name);
}

// The values of expected/standard_comments.ini: every one unlike its factory value.
EditorSettings Changed() {
    // clang-format off
    return {"C:\\D2\\d2char.mpq", "C:\\D2\\d2data.mpq", "C:\\D2\\d2exp.mpq",
            "C:\\D2\\patch_d2.mpq", "c:\\my mod", false, 1024, 768, "32", 85,
            1, 2, 3, 4, 5, -6, 7, 8, 9, "2.50",
            false, false, false, false, true, "NO_CHANGE", 61, 151, false};
    // clang-format on
}

// Each layout byte for byte; a written file reads back as written.
TEST(SettingsWriterTest, BothFreshLayoutsByteForByteAndReadBack) {
    const std::string bare = ExpectedFile("remove_comments_defaults.ini");
    const std::string standard = ExpectedFile("standard_comments.ini");
    ASSERT_FALSE(bare.empty());
    EXPECT_EQ(FormatEditorSettings(EditorSettings{}, RemoveComments), bare);
    EXPECT_EQ(FormatEditorSettings(Changed(), StandardComments), standard);
    EditorSettings longGamma;
    longGamma.gamma_correction = "1.305";
    EXPECT_EQ(FormatEditorSettings(longGamma, RemoveComments), bare);

    sys::MemoryRegistry noGame;
    EditorSettings expected = Changed();
    expected.edit_scroll_y = 20;  // a sign is no digit: the reader falls back
    for (const std::string& text : {standard, FormatEditorSettings(Changed(), RemoveComments)}) {
        const LoadedEditorSettings loaded = LoadEditorSettings(std::string_view(text), noGame);
        EXPECT_TRUE(loaded.allKeysPresent);
        EXPECT_EQ(loaded.settings, expected);
    }
}

}  // namespace
