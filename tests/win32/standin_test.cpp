// The stand-in editor as the loader sees it: started in a folder with a command line of
// one of the editor's shapes, its standard output captured, stderr.txt and exit code read.
#include <gtest/gtest.h>

#include <vector>

#include "tests/win32/child_capture.h"

using namespace testing_win32;

namespace {

// Lines of the captured output, CR LF removed.
std::vector<std::string> Lines(const std::string& output) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < output.size()) {
        auto end = output.find("\r\n", start);
        if (end == std::string::npos) end = output.size();
        lines.push_back(output.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

// The lines after "current directory: ...", where the report on the command line starts.
std::vector<std::string> Report(const std::string& output) {
    const std::vector<std::string> lines = Lines(output);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].rfind("current directory: ", 0) == 0) {
            return std::vector<std::string>(lines.begin() + i + 1, lines.end());
        }
    }
    return {};
}

// The stand-in run in a folder of its own, as the loader runs the editor.
class StandinTest : public ::testing::Test {
  protected:
    Capture Run(const std::string& arguments, const std::string& program = StandinPath()) {
        CurrentDirectoryScope current(m_folder.Path());
        return CaptureChild("\"" + program + "\" " + arguments);
    }
    std::string Folder() const { return m_folder.Path(); }
    std::optional<std::string> StderrFile() const { return ReadBytes(Folder() + "stderr.txt"); }

    TempFolder m_folder;
};

}  // namespace

TEST_F(StandinTest, OneMapWithEverySwitch) {
    ASSERT_TRUE(WriteBytes(Folder() + "m.ds1", "map"));
    const Capture capture = Run("\"m.ds1\" 12 -34 -no_check_act -force_pal 3 -resize 2 255");
    ASSERT_TRUE(capture.started);
    EXPECT_EQ(capture.exitCode, 0u);
    const std::vector<std::string> lines = Lines(capture.output);
    ASSERT_GE(lines.size(), 12u);
    EXPECT_EQ(lines[0], "kelvorn stand-in editor");
    EXPECT_EQ(lines[2], "argument 0: " + StandinPath());
    const std::vector<std::string> arguments(lines.begin() + 3, lines.begin() + 12);
    EXPECT_EQ(arguments, (std::vector<std::string>{
                             "argument 1: m.ds1", "argument 2: 12", "argument 3: -34",
                             "argument 4: -no_check_act", "argument 5: -force_pal", "argument 6: 3",
                             "argument 7: -resize", "argument 8: 2", "argument 9: 255"}));
    EXPECT_EQ(lines[12], "current directory: " + Folder().substr(0, Folder().size() - 1));
    EXPECT_EQ(Report(capture.output),
              (std::vector<std::string>{"shape: one map", "map: m.ds1 (found)", "lvltype id: 12",
                                        "lvlprest def: -34", "switch: -no_check_act",
                                        "switch: -force_pal 3", "switch: -resize 2 255"}));
    EXPECT_EQ(StderrFile(), "stand-in editor: no errors\r\n");
}

TEST_F(StandinTest, OneMapWithForcedDt1Files) {
    ASSERT_TRUE(WriteBytes(Folder() + "floor.dt1", "dt1"));
    const Capture capture =
        Run("\"C:\\maps\\m.ds1\" -force_pal 5 -force_dt1 \"floor.dt1\" \"C:\\a b\\wall.dt1\"");
    ASSERT_TRUE(capture.started);
    EXPECT_EQ(capture.exitCode, 0u);
    EXPECT_EQ(
        Report(capture.output),
        (std::vector<std::string>{"shape: one map, forced .dt1", "map: C:\\maps\\m.ds1 (missing)",
                                  "switch: -force_pal 5", "dt1 1: floor.dt1 (found)",
                                  "dt1 2: C:\\a b\\wall.dt1 (missing)"}));
}

TEST_F(StandinTest, MapListWithEveryLineReported) {
    // CR LF and LF line ends, the last line without one.
    ASSERT_TRUE(
        WriteBytes(Folder() + "temp.ini", "1 2 maps\\a.ds1\r\n-5 300 C:\\x y\\b.ds1\n7 8 c.ds1"));
    ASSERT_TRUE(WriteBytes(Folder() + "c.ds1", "map"));
    const Capture capture = Run("\"temp.ini\"");
    ASSERT_TRUE(capture.started);
    EXPECT_EQ(capture.exitCode, 0u);
    EXPECT_EQ(
        Report(capture.output),
        (std::vector<std::string>{
            "shape: map list", "map list: temp.ini", "list line 1: 1 2 maps\\a.ds1",
            "map: maps\\a.ds1 (missing)", "list line 2: -5 300 C:\\x y\\b.ds1",
            "map: C:\\x y\\b.ds1 (missing)", "list line 3: 7 8 c.ds1", "map: c.ds1 (found)"}));
}

TEST_F(StandinTest, RefusesWhatTheEditorWouldNotTake) {
    ASSERT_TRUE(WriteBytes(Folder() + "empty.ini", ""));
    ASSERT_TRUE(WriteBytes(Folder() + "bad.ini", "1 2 a.ds1\r\nnot a line\r\n"));
    const struct {
        std::string arguments;
        std::string problem;
    } cases[] = {
        {"", "no map given"},
        {"\"m.ds1\" 1", "the map needs its LvlType ID and LvlPrest Def"},
        {"\"m.ds1\" 1 x", "the map needs its LvlType ID and LvlPrest Def"},
        {"\"m.txt\" 1 2", "the first argument is neither a .ds1 nor a map list .ini"},
        {"\"m.ds1\" 1 2 -force_pal 6", "-force_pal needs an act from 1 to 5"},
        {"\"m.ds1\" 1 2 -resize 0 4", "-resize needs X and Y from 1 to 255"},
        {"\"m.ds1\" 1 2 -resize 4", "-resize needs X and Y from 1 to 255"},
        {"\"m.ds1\" 1 2 -fast", "unknown switch -fast"},
        {"\"m.ds1\" -force_dt1", "-force_dt1 needs 1 to 32 .dt1 files"},
        {"\"missing.ini\"", "cannot read the map list missing.ini"},
        {"\"empty.ini\"", "the map list is empty"},
        {"\"bad.ini\"", "list line 2 is not \"type prest path\""},
    };
    for (const auto& c : cases) {
        const Capture capture = Run(c.arguments);
        ASSERT_TRUE(capture.started) << c.arguments;
        EXPECT_EQ(capture.exitCode, 1u) << c.arguments;
        EXPECT_NE(capture.output.find("\r\nshape: not recognised: " + c.problem + "\r\n"),
                  std::string::npos)
            << capture.output;
        EXPECT_EQ(StderrFile(), "stand-in editor: " + c.problem + "\r\n") << c.arguments;
    }
}

TEST_F(StandinTest, ThirtyTwoForcedFilesAreTheMost) {
    std::string names;
    for (int i = 0; i < 32; ++i) names += " \"f" + std::to_string(i) + ".dt1\"";
    EXPECT_EQ(Run("\"m.ds1\" -force_dt1" + names).exitCode, 0u);
    EXPECT_EQ(Run("\"m.ds1\" -force_dt1" + names + " \"g.dt1\"").exitCode, 1u);
}

TEST_F(StandinTest, ExitCodeStderrAndPrintFromTheEnvironment) {
    EnvironmentScope exitCode("KELVORN_STANDIN_EXIT", "-1");
    EnvironmentScope text("KELVORN_STANDIN_STDERR", "line\\r\\nnext\\tcol\\x41");
    EnvironmentScope print("KELVORN_STANDIN_PRINT", "a\\0b\\r\\n");
    const Capture capture = Run("\"m.ds1\" 1 2");
    ASSERT_TRUE(capture.started);
    EXPECT_EQ(capture.exitCode, 0xffffffffu);
    EXPECT_EQ(StderrFile(), "line\r\nnext\tcolA");
    // Without switches the report ends at the numbers; the printed text follows it.
    EXPECT_EQ(capture.output.substr(capture.output.size() - 22),
              std::string("lvlprest def: 2\r\na\0b\r\n", 22));
}

TEST_F(StandinTest, ExitCodeGivenInHexadecimal) {
    EnvironmentScope exitCode("KELVORN_STANDIN_EXIT", "0xC0000005");
    EXPECT_EQ(Run("\"m.ds1\" 1 2").exitCode, 0xC0000005u);
}

TEST_F(StandinTest, NoStderrFileWhenTold) {
    EnvironmentScope noFile("KELVORN_STANDIN_WRITE_STDERR", "no");
    const Capture capture = Run("\"m.ds1\" 1 2");
    ASSERT_TRUE(capture.started);
    EXPECT_EQ(StderrFile(), std::nullopt);
}

TEST_F(StandinTest, ExtraOutputIsTheFillerPatternToTheByte) {
    EnvironmentScope bytes("KELVORN_STANDIN_EXTRA_BYTES", "130");
    const Capture capture = Run("\"m.ds1\" 1 2");
    const std::string line = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789\r\n";
    ASSERT_GE(capture.output.size(), 130u);
    EXPECT_EQ(capture.output.substr(capture.output.size() - 147),
              "lvlprest def: 2\r\n" + line + line + "ab");
}

TEST_F(StandinTest, SettingsFileBesideTheProgramAndTheEnvironmentAbove) {
    // A copy of the program with its own settings file, so the one in the build folder
    // stays without.
    TempFolder programFolder;
    const std::string program = programFolder.Path() + "kelvorn.exe";
    ASSERT_TRUE(CopyFileA(StandinPath().c_str(), program.c_str(), FALSE));
    ASSERT_TRUE(WriteBytes(programFolder.Path() + "kelvorn_standin.cfg",
                           "; the stand-in's settings\r\n"
                           "exit = 7\r\n"
                           "\r\n"
                           "stderr = from the file\\r\\n\n"
                           "print=printed\\r\\n\r\n"
                           "colour = blue\r\n"
                           "sleep_ms = soon\r\n"));
    {
        const Capture capture = Run("\"m.ds1\" 1 2", program);
        ASSERT_TRUE(capture.started);
        EXPECT_EQ(capture.exitCode, 7u);
        EXPECT_EQ(StderrFile(), "from the file\r\n");
        EXPECT_NE(capture.output.find("\r\nlvlprest def: 2\r\nprinted\r\n"), std::string::npos)
            << capture.output;
        EXPECT_NE(capture.output.find("\r\nignored setting: colour = blue\r\n"), std::string::npos);
        EXPECT_NE(capture.output.find("\r\nignored setting: sleep_ms = soon\r\n"),
                  std::string::npos);
    }
    EnvironmentScope exitCode("KELVORN_STANDIN_EXIT", "-2");
    EnvironmentScope badSleep("KELVORN_STANDIN_SLEEP_MS", "-5");
    const Capture capture = Run("\"m.ds1\" 1 2", program);
    EXPECT_EQ(capture.exitCode, static_cast<uint32_t>(-2));
    EXPECT_EQ(StderrFile(), "from the file\r\n");
    EXPECT_NE(capture.output.find("\r\nignored setting: KELVORN_STANDIN_SLEEP_MS=-5\r\n"),
              std::string::npos);
}

TEST_F(StandinTest, Utf8PathsArriveAsTheyWereGiven) {
    const std::string name = "\xC3\xA9\xD0\x96.ds1";  // éЖ.ds1
    ASSERT_TRUE(WriteBytes(Folder() + name, "map"));
    const Capture capture = Run("\"" + name + "\" 1 2");
    ASSERT_TRUE(capture.started);
    EXPECT_NE(capture.output.find("\r\nargument 1: " + name + "\r\n"), std::string::npos)
        << capture.output;
    EXPECT_NE(capture.output.find("\r\nmap: " + name + " (found)\r\n"), std::string::npos);
}
