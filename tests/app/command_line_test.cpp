#include "app/command_line.h"

#include <gtest/gtest.h>

namespace {

using Strings = std::vector<std::string>;

Strings Taken(std::string_view cmdLine, std::size_t maxPaths = 100) {
    return ParseCommandLinePaths(cmdLine, maxPaths).paths;
}

TEST(CommandLinePaths, QuotedMapsAreTakenInOrder) {
    EXPECT_EQ(Taken(R"("C:\maps\a.ds1" "C:\maps\b.ds1")"),
              (Strings{R"(C:\maps\a.ds1)", R"(C:\maps\b.ds1)"}));
    EXPECT_EQ(Taken(R"("C:\maps\a.ds1""C:\maps\b.ds1")"),
              (Strings{R"(C:\maps\a.ds1)", R"(C:\maps\b.ds1)"}));
    EXPECT_EQ(Taken(R"(-x "C:\my maps\é.ds1" y)"), (Strings{"C:\\my maps\\\xC3\xA9.ds1"}));
}

TEST(CommandLinePaths, OnlyTextsWhoseFirstDs1IsTheirEndAreTaken) {
    EXPECT_TRUE(Taken(R"(C:\maps\a.ds1)").empty());
    EXPECT_TRUE(Taken(R"("C:\maps\a.DS1")").empty());
    EXPECT_TRUE(Taken(R"("C:\x.ds1dir\a.ds1")").empty());
    EXPECT_TRUE(Taken(R"("C:\maps\a.ds1 ")").empty());
    EXPECT_TRUE(Taken(R"("" "C:\maps\readme.txt")").empty());
    EXPECT_EQ(Taken(R"("" ".ds1")"), (Strings{".ds1"}));
}

TEST(CommandLinePaths, AMissingClosingQuoteTakesTheRestOfTheLine) {
    EXPECT_EQ(Taken(R"("C:\maps\a.ds1" "C:\maps\b c.ds1)"),
              (Strings{R"(C:\maps\a.ds1)", R"(C:\maps\b c.ds1)"}));
    EXPECT_TRUE(Taken(R"("C:\maps\a.ds1 x)").empty());
    EXPECT_TRUE(Taken("\"").empty());
}

TEST(CommandLinePaths, EmptyLineAndRepeatedPaths) {
    EXPECT_TRUE(Taken("").empty());
    EXPECT_EQ(Taken(R"("a.ds1" "a.ds1")"), (Strings{"a.ds1", "a.ds1"}));
}

TEST(CommandLinePaths, PathsBeyondTheLimitsAreCountedNotTaken) {
    std::string fits = "C:\\" + std::string(247, 'd') + ".ds1";     // 254 bytes
    fits.insert(3, "x");                                            // 255 bytes
    std::string tooLong = "C:\\" + std::string(249, 'd') + ".ds1";  // 256 bytes
    std::string notMap(400, 'n');
    CommandLinePaths result = ParseCommandLinePaths(
        "\"" + fits + "\" \"" + tooLong + "\" \"" + notMap + "\" \"a.ds1\" \"b.ds1\"", 2);
    EXPECT_EQ(fits.size(), 255u);
    EXPECT_EQ(result.paths, (Strings{fits, "a.ds1"}));
    EXPECT_EQ(result.tooLong, 1);
    EXPECT_EQ(result.beyondLimit, 1);
}

TEST(CommandLinePaths, OneHundredAndOnePathsKeepTheFirstHundred) {
    std::string cmd;
    for (int i = 0; i < 101; ++i) cmd += "\"m" + std::to_string(i) + ".ds1\" ";
    CommandLinePaths result = ParseCommandLinePaths(cmd, 100);
    ASSERT_EQ(result.paths.size(), 100u);
    EXPECT_EQ(result.paths.back(), "m99.ds1");
    EXPECT_EQ(result.beyondLimit, 1);
    EXPECT_EQ(result.tooLong, 0);
}

TEST(ProgramName, IsSkippedAsTheRuntimeSkipsIt) {
    EXPECT_EQ(SkipProgramName(LR"("C:\Program Files\k\loader.exe" "C:\a.ds1")"), LR"("C:\a.ds1")");
    EXPECT_EQ(SkipProgramName(LR"(loader.exe   	"C:\a.ds1" x)"), LR"("C:\a.ds1" x)");
    EXPECT_EQ(SkipProgramName(LR"(C:\"Program Files"\loader.exe "a.ds1")"), LR"("a.ds1")");
    EXPECT_EQ(SkipProgramName(L"loader.exe"), L"");
    EXPECT_EQ(SkipProgramName(L"\"unclosed name"), L"");
    EXPECT_EQ(SkipProgramName(L""), L"");
}

TEST(ProgramDirectory, IsTheProgramFilesFolderWithItsSeparator) {
    EXPECT_EQ(ProgramDirectory(R"(C:\Tools\Loader\app.exe)", "C:\\work"), R"(C:\Tools\Loader\)");
    EXPECT_EQ(ProgramDirectory("/opt/k/app", "/tmp"), "/opt/k/");
    EXPECT_EQ(ProgramDirectory(R"(C:\app.exe)", std::nullopt), R"(C:\)");
}

TEST(ProgramDirectory, FallsBackToTheStartDirectoryWithASeparatorAdded) {
    EXPECT_EQ(ProgramDirectory(std::nullopt, R"(C:\work)"), R"(C:\work\)");
    EXPECT_EQ(ProgramDirectory(std::nullopt, R"(C:\)"), R"(C:\)");
    EXPECT_EQ(ProgramDirectory(std::nullopt, "/home/u"), "/home/u/");
    EXPECT_EQ(ProgramDirectory("app.exe", R"(D:\x)"), R"(D:\x\)");
    EXPECT_EQ(ProgramDirectory(std::nullopt, std::nullopt), "");
    EXPECT_EQ(ProgramDirectory(std::nullopt, ""), "");
}

}  // namespace
