#include "app/path_text.h"

#include <gtest/gtest.h>

#include <tuple>

#include "app/file_list_entry.h"

namespace {

// ASCII letters fold; so do letters beyond ASCII, whole; bytes of no valid sequence
// compare as themselves, and a lone lead byte does not swallow the letter after it.
TEST(SamePathIgnoringCase, FoldsLettersOnly) {
    const std::tuple<const char*, const char*, bool> cases[] = {
        {R"(C:\t\A.DT1)", R"(c:\t\a.dt1)", true},
        {"", "", true},
        {R"(C:\t\a.dt1)", R"(C:\t\a.dt)", false},
        {R"(C:\t\a.dt1)", R"(C:\t\b.dt1)", false},
        {"[", "{", false},  // not letters: 0x5B and 0x7B differ
        {"@", "`", false},
        {"\xC3\x89t\xC3\xA9.ds1", "\xC3\xA9T\xC3\x89.DS1", true},  // Été
        {"\xD0\x96", "\xD0\xB6", true},                            // Ж ж
        {"\xD0\x81", "\xD1\x91", true},                            // Ё ё
        {"\xCE\xA3", "\xCF\x83", true},                            // Σ σ
        {"\xC5\x81", "\xC5\x82", true},                            // Ł ł
        {"\xC5\xB8", "\xC3\xBF", true},                            // Ÿ ÿ
        {"\xC3\x97", "\xC3\xB7", false},                           // × and ÷ are no letters
        {"\xC3\xA9", "e", false},
        {"\xC3\x9F", "ss", false},
        {"a\xFF", "A\xFF", true},
        {"a\xFF", "a\xFE", false},
        {"a\xC3", "a\xC3\xA9", false},  // cut sequence
        {"\xC3", "\xC3", true},
        {"\xC3"
         "A",
         "\xC3"
         "a",
         true},
    };
    for (const auto& [a, b, same] : cases) EXPECT_EQ(SamePathIgnoringCase(a, b), same) << a << b;
}

TEST(JoinFolderName, PutsOneSeparatorBetween) {
    EXPECT_EQ(JoinFolderName(R"(C:\maps)", "a.ds1"), R"(C:\maps\a.ds1)");
    EXPECT_EQ(JoinFolderName(R"(C:\)", "a.ds1"), R"(C:\a.ds1)");
    EXPECT_EQ(JoinFolderName("/tmp/", "a.ds1"), "/tmp/a.ds1");
}

TEST(UnsignedText, ShowsNumbersAsUnsignedDecimal) {
    EXPECT_EQ(UnsignedText(-1), "4294967295");
    EXPECT_EQ(UnsignedText(0), "0");
    EXPECT_EQ(UnsignedText(2147483647), "2147483647");
    EXPECT_EQ(UnsignedText(-2147483647 - 1), "2147483648");
}

}  // namespace
