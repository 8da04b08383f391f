#include "launch/batch_file.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace {

using Strings = std::vector<std::string>;

// The last dot of the file name ends the base; a dot in a folder name does not.
TEST(BatchNames, FromTheChosenPath) {
    const std::pair<std::string, std::string> cases[] = {
        {"C:\\out\\maps.bat", "C:\\out\\maps"},       {"C:\\out\\maps", "C:\\out\\maps"},
        {"C:\\out\\maps.v2.txt", "C:\\out\\maps.v2"}, {"C:\\ed 1.2\\maps", "C:\\ed 1.2\\maps"},
        {"/home/u/1.2/maps", "/home/u/1.2/maps"},     {"C:\\out\\.bat", "C:\\out\\"},
    };
    for (const auto& [chosen, base] : cases) {
        const std::optional<BatchNames> names = BatchNamesFor(chosen);
        ASSERT_TRUE(names) << chosen;
        EXPECT_EQ(names->base, base);
        EXPECT_EQ(names->batchFile, base + ".bat");
        EXPECT_EQ(names->debugFile, base + "_debug.txt");
    }
    // Every name must fit 511 characters: the debug name is the longest.
    const std::string longest = "C:\\" + std::string(501 - 3, 'm');
    EXPECT_TRUE(BatchNamesFor(longest + ".bat"));
    EXPECT_FALSE(BatchNamesFor(longest + "m.bat"));
    EXPECT_FALSE(BatchNamesFor(longest + "." + std::string(511 - 502, 'x') + "y"));
    EXPECT_TRUE(HasBatchExtension("C:\\x\\A.BaT"));
    EXPECT_FALSE(HasBatchExtension("C:\\x.bat\\list"));
    EXPECT_FALSE(HasBatchExtension("C:\\x\\list.ini"));
}

TEST(BatchFileText, SixLinesWithCrLf) {
    EXPECT_EQ(BatchFileText("C:\\Editor\\", "\"kelvorn.exe\" \"a.ds1\" 1 2", "maps_debug.txt"),
              "@echo off\r\ncd \"C:\\Editor\\\"\r\n\"kelvorn.exe\" \"a.ds1\" 1 2 > "
              "\"maps_debug.txt\"\r\nIf ERRORLEVEL 0 goto DONE\r\npause\r\n:DONE\r\n");
}

TEST(BatchFileReading, CdDirectoryAndTheTwoItemsOfLineThree) {
    struct Case {
        std::string cdLine, commandLine;
        std::optional<Strings> expected;  // cd directory, editor, target
    };
    const Case cases[] = {
        {"cd \"C:\\Ed\\\"", "\"k.exe\" \"m.ini\" > \"d.txt\"",
         Strings{"C:\\Ed\\", "k.exe", "m.ini"}},
        {"cd C:\\Ed", "k.exe\ta.ds1 1 2", Strings{"C:\\Ed", "k.exe", "a.ds1"}},
        {"  cd \"x\"", "k.exe a.ds1", Strings{"x", "k.exe", "a.ds1"}},
        {"cd \"", " \"a b.ds1\" 1", Strings{"\"", "", "a b.ds1"}},
        {"cd ", "\"k.exe\" a.ds1\t1", Strings{"", "k.exe", "a.ds1"}},
        {"cd x", "k.exe ", Strings{"x", "k.exe", ""}},
        {"CD x", "k.exe a.ds1", std::nullopt},
        {"echo", "k.exe a.ds1", std::nullopt},
        {"cd x", "\"k.exe\" \"a.ds1\"", std::nullopt},  // a blank must follow the quote
        {"cd x", "\"k.exe\" \"a.ds1", std::nullopt},
        {"cd x", "\"k.exe\"\t\"a.ds1\" 1", std::nullopt},
        {"cd x", "\"k.exe \"a.ds1\" 1", std::nullopt},
        {"cd x", "k.exe", std::nullopt},
    };
    for (const Case& c : cases) {
        const std::string text = "@echo off\r\n" + c.cdLine + "\r\n" + c.commandLine;
        const std::optional<BatchCommand> got = ParseBatchFile(text);
        const std::optional<Strings> seen =
            got ? std::optional(Strings{got->cdDirectory, got->editor, got->target}) : std::nullopt;
        EXPECT_EQ(seen, c.expected) << text;
    }
    EXPECT_FALSE(ParseBatchFile("@echo off\ncd x\n"));
    EXPECT_TRUE(ParseBatchFile("@echo off\ncd x\nk a\n"));
    EXPECT_TRUE(NamesMapList("C:\\x\\m.INI"));
    EXPECT_FALSE(NamesMapList("ini"));
    EXPECT_FALSE(NamesMapList("m.ini.ds1"));
}

TEST(MapListReading, LinesOfTheExactShape) {
    const std::pair<std::string, std::pair<bool, Strings>> cases[] = {
        {"1 2 maps\\a.ds1\r\n3 4294967295 C:\\b c.ds1\r\n5 6 c.ds1",
         {true, {"maps\\a.ds1", "C:\\b c.ds1", "c.ds1"}}},
        {"  \n", {true, {""}}},
        {" 1 a\n 2 \n", {true, {"a", ""}}},
        {"1 2 a\r\n\r\n3 4 b\r\n", {false, {"a"}}},
        {"1 2 a\nx 2 b\n3 4 c\n", {false, {"a"}}},
        {"1 2 a\n-1 2 b\n", {false, {"a"}}},
        {"1 2 a\n1\t2 b\n", {false, {"a"}}},
        {"1 2a\n", {false, {}}},
        {"", {true, {}}},
    };
    for (const auto& [text, expected] : cases) {
        Strings entries{"earlier"};
        const bool whole = ParseMapList(text, entries);
        entries.erase(entries.begin());
        EXPECT_EQ(std::pair(whole, entries), expected) << text;
    }
}

}  // namespace
