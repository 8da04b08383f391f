#include "editorcfg/settings_writer.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "editorcfg/settings_reader.h"
#include "sys/registry.h"
#include "tests/common/helpers.h"

namespace {

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
