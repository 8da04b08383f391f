#include "app/path_text.h"

#include <gtest/gtest.h>

#include <tuple>

#include "app/file_list_entry.h"
#include "sys/fs.h"

namespace {

// Here (no Windows) only A to Z fold; every other byte compares as itself. The system's
// folding of the code page's letters is checked under Wine.
TEST(SamePathIgnoringCase, FoldsAsciiLettersOnly) {
    const std::tuple<const char*, const char*, bool> cases[] = {
        {R"(C:\t\A.DT1)", R"(c:\t\a.dt1)", true},
        {"", "", true},
        {R"(C:\t\a.dt1)", R"(C:\t\a.dt)", false},
        {R"(C:\t\a.dt1)", R"(C:\t\b.dt1)", false},
        {"[", "{", false},  // not letters: 0x5B and 0x7B differ
        {"@", "`", false},
        {"a\xE9", "A\xE9", true},
        {"a\xE9", "a\xC9", false},
    };
    for (const auto& [a, b, same] : cases)
        EXPECT_EQ(sys::SamePathIgnoringCase(a, b), same) << a << b;
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
