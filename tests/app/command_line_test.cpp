#include "app/command_line.h"

#include <gtest/gtest.h>

#include <optional>
#include <tuple>

namespace {

using Strings = std::vector<std::string>;

Strings Taken(std::string_view cmdLine, std::size_t maxPaths = 100) {
    return ParseCommandLinePaths(cmdLine, maxPaths).paths;
}

// Quoted texts whose first ".ds1" is their end are taken in order; a missing closing
// quote takes the rest of the line; the same path twice is taken twice. Nothing else is.
TEST(CommandLinePaths, QuotedMapsAreTakenInOrder) {
    const std::pair<const char*, Strings> cases[] = {
        {R"("C:\maps\a.ds1" "C:\maps\b.ds1")", {R"(C:\maps\a.ds1)", R"(C:\maps\b.ds1)"}},
        {R"("C:\maps\a.ds1""C:\maps\b.ds1")", {R"(C:\maps\a.ds1)", R"(C:\maps\b.ds1)"}},
        {R"(-x "C:\my maps\é.ds1" y)", {"C:\\my maps\\\xC3\xA9.ds1"}},
        {R"("C:\maps\a.ds1" "C:\maps\b c.ds1)", {R"(C:\maps\a.ds1)", R"(C:\maps\b c.ds1)"}},
        {R"("" ".ds1")", {".ds1"}},
        {R"("a.ds1" "a.ds1")", {"a.ds1", "a.ds1"}},
        {R"("a.ds1"x.ds1"b.ds1")", {"a.ds1", "b.ds1"}},  // a closing quote opens nothing
    };
    for (const auto& [cmd, expected] : cases) EXPECT_EQ(Taken(cmd), expected) << cmd;
    for (const char* cmd :
         {R"(C:\maps\a.ds1)", R"("C:\maps\a.DS1")", R"("C:\x.ds1dir\a.ds1")", R"("C:\maps\a.ds1 ")",
          R"("" "C:\maps\readme.txt")", R"("C:\maps\a.ds1 x)", "\"", ""})
        EXPECT_EQ(Taken(cmd), Strings{}) << cmd;
}

// The program's name is skipped as the runtime skips it. The program file's folder with its
// separator, else the start directory with one added.
TEST(ProgramNameAndDirectory, SkippedAsTheRuntimeDoesAndTheProgramFilesFolderOrTheStart) {
    EXPECT_EQ(SkipProgramName(LR"("C:\Program Files\k\loader.exe" "C:\a.ds1")"), LR"("C:\a.ds1")");
    EXPECT_EQ(SkipProgramName(LR"(loader.exe   	"C:\a.ds1" x)"), LR"("C:\a.ds1" x)");
    EXPECT_EQ(SkipProgramName(LR"(C:\"Program Files"\loader.exe "a.ds1")"), LR"("a.ds1")");
    EXPECT_EQ(SkipProgramName(L"loader.exe"), L"");
    EXPECT_EQ(SkipProgramName(L"\"unclosed name"), L"");
    EXPECT_EQ(SkipProgramName(L""), L"");
    using Opt = std::optional<std::string>;
    // clang-format off
    const std::tuple<Opt, Opt, std::string> cases[] = {
        {R"(C:\Tools\Loader\app.exe)", "C:\\work", R"(C:\Tools\Loader\)"},
        {"/opt/k/app", "/tmp", "/opt/k/"},          {R"(C:\app.exe)", std::nullopt, R"(C:\)"},
        {std::nullopt, R"(C:\work)", R"(C:\work\)"}, {std::nullopt, R"(C:\)", R"(C:\)"},
        {std::nullopt, "/home/u", "/home/u/"},      {"app.exe", R"(D:\x)", R"(D:\x\)"},
        {std::nullopt, "C:/work\\maps", "C:/work\\maps\\"},
        {std::nullopt, std::nullopt, ""},           {std::nullopt, "", ""},
    };
    // clang-format on
    for (const auto& [program, start, expected] : cases)
        EXPECT_EQ(ProgramDirectory(program, start), expected) << program.value_or("-");
}

}  // namespace
