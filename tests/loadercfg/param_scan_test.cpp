#include "loadercfg/param_scan.h"

#include <gtest/gtest.h>

namespace {

using Lines = std::vector<std::string_view>;

TEST(LowerFileName, TakesTheTextAfterTheLastSeparatorInLowerCase) {
    EXPECT_EQ(LowerFileName("C:\\Maps\\Duriel.DS1"), "duriel.ds1");
    EXPECT_EQ(LowerFileName("maps/duriel.ds1"), "duriel.ds1");
    EXPECT_EQ(LowerFileName("Duriel.ds1"), "duriel.ds1");
    EXPECT_EQ(LowerFileName("C:\\a/b\\C.ds1"), "c.ds1");
    EXPECT_EQ(LowerFileName("D:\\"), "");
    EXPECT_EQ(LowerFileName("maps/"), "");
    // Only A-Z change: UTF-8 bytes of other letters stay as they are.
    EXPECT_EQ(LowerFileName("C:\\\xC3\x89T\xC3\xA9.DS1"), "\xC3\x89t\xC3\xA9.ds1");
    EXPECT_EQ(LowerFileName("[@Z`]{"), "[@z`]{");
}

TEST(FindFittingLines, NeedsTheParamsLineInTheFirstColumn) {
    EXPECT_FALSE(FindFittingLines("", "a").hasParamsSection);
    EXPECT_FALSE(FindFittingLines("x\n [PARAMS]\n[params]\na\n", "a").hasParamsSection);
    EXPECT_FALSE(FindFittingLines("x[PARAMS]\n", "a").hasParamsSection);
    EXPECT_TRUE(FindFittingLines("[PARAMS]", "a").hasParamsSection);
    EXPECT_TRUE(FindFittingLines("x\r\n[PARAMS]trailing\r\n", "a").hasParamsSection);
}

TEST(FindFittingLines, LinesBeforeTheSectionDoNotFit) {
    FittingLines f = FindFittingLines("a.ds1\t1\t2\t3\t4\n[PARAMS]\na.ds1\tx\t\t\t\n", "a.ds1");
    EXPECT_EQ(f.lines, (Lines{"a.ds1\tx\t\t\t"}));
}

TEST(FindFittingLines, OnlyTheBeginningOfTheLineIsCompared) {
    std::string_view file =
        "[PARAMS]\r\n"
        "duriel.ds1\tA\tp\t1\t2\r\n"
        "xduriel.ds1\tB\tp\t1\t2\r\n"
        "duriel.ds1.old\tC\tp\t1\t2\r\n"
        "Duriel.ds1\tD\tp\t1\t2\r\n"
        ";duriel.ds1\tE\tp\t1\t2\r\n"
        " duriel.ds1\tF\tp\t1\t2\r\n"
        "duriel.ds\tG\tp\t1\t2\r\n"
        "duriel.ds1";
    FittingLines f = FindFittingLines(file, "duriel.ds1");
    EXPECT_EQ(f.lines,
              (Lines{"duriel.ds1\tA\tp\t1\t2", "duriel.ds1.old\tC\tp\t1\t2", "duriel.ds1"}));
}

TEST(FindFittingLines, TheLastLineFitsWithOrWithoutALineBreak) {
    for (std::string_view end : {"", "\n", "\r\n"}) {
        std::string file = "[PARAMS]\nother\na.ds1\t1\t2\t3\t4" + std::string(end);
        EXPECT_EQ(FindFittingLines(file, "a.ds1").lines, (Lines{"a.ds1\t1\t2\t3\t4"})) << file;
    }
}

TEST(FindFittingLines, ANameWithBreakBytesNeverReachesAcrossLines) {
    std::string_view file = "[PARAMS]\r\nab\r\ncd\r\n";
    EXPECT_TRUE(FindFittingLines(file, "ab\r").lines.empty());
    EXPECT_TRUE(FindFittingLines(file, "ab\r\ncd").lines.empty());
    EXPECT_EQ(FindFittingLines(file, "ab").lines, (Lines{"ab"}));
}

TEST(FindFittingLines, TheParamsLineItselfIsExamined) {
    std::string_view file = "[PARAMS]\n[p\n;x\n\nlast";
    EXPECT_EQ(FindFittingLines(file, "[").lines, (Lines{"[PARAMS]", "[p"}));
    // The empty name fits every line but the comment, and no line after the final break.
    EXPECT_EQ(FindFittingLines(file, "").lines, (Lines{"[PARAMS]", "[p", "", "last"}));
    EXPECT_EQ(FindFittingLines("[PARAMS]\nx\n", "").lines, (Lines{"[PARAMS]", "x"}));
}

TEST(FindFittingLines, ANameBeginningWithSemicolonNeverFits) {
    EXPECT_TRUE(FindFittingLines("[PARAMS]\n;a.ds1\t1\t2\t3\t4\n", ";a.ds1").lines.empty());
}

TEST(FindFittingLines, IdenticalRowsAreKeptAsSeparateLines) {
    FittingLines f = FindFittingLines("[PARAMS]\na\t1\t2\t3\t4\na\t1\t2\t3\t4\n", "a");
    EXPECT_EQ(f.lines.size(), 2u);
}

TEST(FindFittingLines, ALongLineIsOneLine) {
    // A row longer than any line buffer does not turn into several lines.
    std::string longRow = "x.ds1\t" + std::string(400, 'n') + "\ta.ds1\t1\t2";
    std::string file = "[PARAMS]\n" + longRow + "\n";
    EXPECT_TRUE(FindFittingLines(file, "a.ds1").lines.empty());
    EXPECT_EQ(FindFittingLines(file, "x.ds1").lines, (Lines{longRow}));
}

TEST(AtoiValue, ReadsAsAtoiDoes) {
    EXPECT_EQ(AtoiValue("46"), 46);
    EXPECT_EQ(AtoiValue("-3"), -3);
    EXPECT_EQ(AtoiValue("+7"), 7);
    EXPECT_EQ(AtoiValue("12abc"), 12);
    EXPECT_EQ(AtoiValue("abc"), 0);
    EXPECT_EQ(AtoiValue(""), 0);
    EXPECT_EQ(AtoiValue("-"), 0);
    EXPECT_EQ(AtoiValue(" \t\v\f\r\n 0012"), 12);
    EXPECT_EQ(AtoiValue("- 5"), 0);
    EXPECT_EQ(AtoiValue("2147483647"), 2147483647);
    EXPECT_EQ(AtoiValue("-2147483648"), INT32_MIN);
}

TEST(AtoiValue, OutOfRangeWrapsAround) {
    EXPECT_EQ(AtoiValue("4294967295"), -1);
    EXPECT_EQ(AtoiValue("2147483648"), INT32_MIN);
    EXPECT_EQ(AtoiValue("4294967296"), 0);
    // 10^23 - 1 modulo 2^32.
    EXPECT_EQ(AtoiValue("99999999999999999999999"), static_cast<int32_t>(0xF67FFFFFu));
}

TEST(ParseParamLine, TakesColumnsTwoToFive) {
    ParamEntry e;
    ASSERT_TRUE(ParseParamLine("duriel.ds1\tDuriel\tact2\\duriel\t46\t-481\tnote\tmore", e));
    EXPECT_EQ(e, (ParamEntry{"Duriel", "act2\\duriel", 46, -481}));
    ASSERT_TRUE(ParseParamLine("duriel.ds1\t\t\t\t", e));
    EXPECT_EQ(e, (ParamEntry{"", "", 0, 0}));
    ASSERT_TRUE(ParseParamLine("a\tb\tc\tx\t12abc", e));
    EXPECT_EQ(e, (ParamEntry{"b", "c", 0, 12}));
}

TEST(ParseParamLine, FewerThanFourTabsIsRefused) {
    ParamEntry e{"keep", "me", 1, 2};
    EXPECT_FALSE(ParseParamLine("duriel.ds1\tDuriel\tpath\t46", e));
    EXPECT_FALSE(ParseParamLine("duriel.ds1", e));
    EXPECT_FALSE(ParseParamLine("", e));
    EXPECT_EQ(e, (ParamEntry{"keep", "me", 1, 2}));
}

TEST(ParseParamLine, ColumnsUpTo127CharactersAreTakenLongerOnesRefused) {
    std::string edge(127, 'e');
    std::string over(128, 'o');
    ParamEntry e;
    ASSERT_TRUE(ParseParamLine(
        edge + "\t" + edge + "\t" + edge + "\t" + std::string(126, '0') + "5\t" + edge, e));
    EXPECT_EQ(e.levelName, edge);
    EXPECT_EQ(e.gamePath, edge);
    EXPECT_EQ(e.lvlTypeId, 5);
    ParamEntry keep{"keep", "me", 1, 2};
    for (int column = 0; column < 5; ++column) {
        std::string line;
        for (int k = 0; k < 5; ++k) line += (k ? "\t" : "") + (k == column ? over : "1");
        e = keep;
        EXPECT_FALSE(ParseParamLine(line, e)) << "column " << column + 1;
        EXPECT_EQ(e, keep);
    }
    // The comments may be of any length.
    ASSERT_TRUE(ParseParamLine("a\tb\tc\t1\t2\t" + std::string(1000, 'c'), e));
    EXPECT_EQ(e, (ParamEntry{"b", "c", 1, 2}));
}

}  // namespace
