#include "app/path_text.h"

#include <gtest/gtest.h>

#include "app/file_list_entry.h"

namespace {

TEST(SamePathIgnoringCase, FoldsAsciiLetters) {
    EXPECT_TRUE(SamePathIgnoringCase(R"(C:\t\A.DT1)", R"(c:\t\a.dt1)"));
    EXPECT_TRUE(SamePathIgnoringCase("", ""));
    EXPECT_FALSE(SamePathIgnoringCase(R"(C:\t\a.dt1)", R"(C:\t\a.dt)"));
    EXPECT_FALSE(SamePathIgnoringCase(R"(C:\t\a.dt1)", R"(C:\t\b.dt1)"));
    EXPECT_FALSE(SamePathIgnoringCase("[", "{"));  // not letters: 0x5B and 0x7B differ
    EXPECT_FALSE(SamePathIgnoringCase("@", "`"));
}

TEST(SamePathIgnoringCase, FoldsLettersBeyondAsciiWhole) {
    EXPECT_TRUE(SamePathIgnoringCase("\xC3\x89t\xC3\xA9.ds1", "\xC3\xA9T\xC3\x89.DS1"));  // Été
    EXPECT_TRUE(SamePathIgnoringCase("\xD0\x96", "\xD0\xB6"));                            // Ж ж
    EXPECT_TRUE(SamePathIgnoringCase("\xD0\x81", "\xD1\x91"));                            // Ё ё
    EXPECT_TRUE(SamePathIgnoringCase("\xCE\xA3", "\xCF\x83"));                            // Σ σ
    EXPECT_TRUE(SamePathIgnoringCase("\xC5\x81", "\xC5\x82"));                            // Ł ł
    EXPECT_TRUE(SamePathIgnoringCase("\xC5\xB8", "\xC3\xBF"));                            // Ÿ ÿ
    EXPECT_FALSE(SamePathIgnoringCase("\xC3\x97", "\xC3\xB7"));  // × and ÷ are no letters
    EXPECT_FALSE(SamePathIgnoringCase("\xC3\xA9", "e"));
    EXPECT_FALSE(SamePathIgnoringCase("\xC3\x9F", "ss"));
}

TEST(SamePathIgnoringCase, BytesOfNoValidSequenceCompareAsThemselves) {
    EXPECT_TRUE(SamePathIgnoringCase("a\xFF", "A\xFF"));
    EXPECT_FALSE(SamePathIgnoringCase("a\xFF", "a\xFE"));
    EXPECT_FALSE(SamePathIgnoringCase("a\xC3", "a\xC3\xA9"));  // cut sequence
    EXPECT_TRUE(SamePathIgnoringCase("\xC3", "\xC3"));
    // A lone lead byte does not swallow the letter after it.
    EXPECT_TRUE(
        SamePathIgnoringCase("\xC3"
                             "A",
                             "\xC3"
                             "a"));
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
