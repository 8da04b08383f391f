// The stand-in editor as the loader sees it: started in a folder with a command line of
// one of the editor's shapes, its standard output captured, stderr.txt and exit code read.
#include <gtest/gtest.h>

#include <vector>

#include "tests/win32/child_capture.h"

using namespace testing_win32;

namespace {

using Strings = std::vector<std::string>;

// Lines of the captured output, CR LF removed.
Strings Lines(const std::string& output) {
    Strings lines;
    for (std::size_t start = 0, end; start < output.size(); start = end + 2) {
        end = output.find("\r\n", start);
        if (end == std::string::npos) end = output.size();
        lines.push_back(output.substr(start, end - start));
    }
    return lines;
}

// The lines after "current directory: ...", where the report on the command line starts.
Strings Report(const std::string& output) {
    const Strings lines = Lines(output);
    for (std::size_t i = 0; i < lines.size(); ++i)
        if (lines[i].rfind("current directory: ", 0) == 0)
            return Strings(lines.begin() + i + 1, lines.end());
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

// The argument lines before the report are checked byte for byte by the end-to-end runs.
TEST_F(StandinTest, EveryShapeIsReportedLineByLine) {
    const std::string name = "\xE9\x80.ds1";  // é€.ds1 in Windows-1252: arrives as it was given
    for (const std::string& file : {name, std::string("floor.dt1"), std::string("c.ds1")})
        ASSERT_TRUE(WriteBytes(Folder() + file, "x"));
    // CR LF and LF line ends, the last line without one.
    ASSERT_TRUE(
        WriteBytes(Folder() + "temp.ini", "1 2 maps\\a.ds1\r\n-5 300 C:\\x y\\b.ds1\n7 8 c.ds1"));
    const struct {
        std::string arguments;
        Strings report;
    } cases[] = {
        {"\"" + name + "\" 12 -34 -no_check_act -force_pal 3 -resize 2 255",
         {"shape: one map", "map: " + name + " (found)", "lvltype id: 12", "lvlprest def: -34",
          "switch: -no_check_act", "switch: -force_pal 3", "switch: -resize 2 255"}},
        {"\"C:\\maps\\m.ds1\" -force_pal 5 -force_dt1 \"floor.dt1\" \"C:\\a b\\wall.dt1\"",
         {"shape: one map, forced .dt1", "map: C:\\maps\\m.ds1 (missing)", "switch: -force_pal 5",
          "dt1 1: floor.dt1 (found)", "dt1 2: C:\\a b\\wall.dt1 (missing)"}},
        {"\"temp.ini\"",
         {"shape: map list", "map list: temp.ini", "list line 1: 1 2 maps\\a.ds1",
          "map: maps\\a.ds1 (missing)", "list line 2: -5 300 C:\\x y\\b.ds1",
          "map: C:\\x y\\b.ds1 (missing)", "list line 3: 7 8 c.ds1", "map: c.ds1 (found)"}},
    };
    for (const auto& c : cases) {
        const Capture capture = Run(c.arguments);
        EXPECT_EQ(capture.exitCode, 0u) << c.arguments;
        EXPECT_EQ(Report(capture.output), c.report) << c.arguments;
        EXPECT_EQ(StderrFile(), "stand-in editor: no errors\r\n");
    }
    EXPECT_NE(Run(cases[0].arguments).output.find("\r\nargument 1: " + name + "\r\n"),
              std::string::npos);
    // Thirty-two forced files are the most.
    std::string names;
    for (int i = 0; i < 32; ++i) names += " \"f" + std::to_string(i) + ".dt1\"";
    EXPECT_EQ(Run("\"m.ds1\" -force_dt1" + names).exitCode, 0u);
    EXPECT_EQ(Run("\"m.ds1\" -force_dt1" + names + " \"g.dt1\"").exitCode, 1u);
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

TEST_F(StandinTest, ExitCodeStderrPrintAndFillerFromTheEnvironment) {
    {
        EnvironmentScope exitCode("KELVORN_STANDIN_EXIT", "-1");
        EnvironmentScope text("KELVORN_STANDIN_STDERR", "line\\r\\nnext\\tcol\\x41");
        EnvironmentScope print("KELVORN_STANDIN_PRINT", "a\\0b\\r\\n");
        EnvironmentScope bytes("KELVORN_STANDIN_EXTRA_BYTES", "130");
        const Capture capture = Run("\"m.ds1\" 1 2");
        ASSERT_TRUE(capture.started);
        EXPECT_EQ(capture.exitCode, 0xffffffffu);
        EXPECT_EQ(StderrFile(), "line\r\nnext\tcolA");
        // Without switches the report ends at the numbers; the printed text follows it, then
        // the filler pattern to the byte.
        const std::string line =
            "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789\r\n";
        const std::string tail =
            std::string("lvlprest def: 2\r\na\0b\r\n", 22) + line + line + "ab";
        ASSERT_GE(capture.output.size(), tail.size());
        EXPECT_EQ(capture.output.substr(capture.output.size() - tail.size()), tail);
    }
    EnvironmentScope exitCode("KELVORN_STANDIN_EXIT", "0xC0000005");
    EnvironmentScope noFile("KELVORN_STANDIN_WRITE_STDERR", "no");
    ASSERT_TRUE(WriteBytes(Folder() + "stderr.txt", "old"));
    EXPECT_EQ(Run("\"m.ds1\" 1 2").exitCode, 0xC0000005u);
    EXPECT_EQ(StderrFile(), "old");  // not written
}

TEST_F(StandinTest, SettingsFileBesideTheProgramAndTheEnvironmentAbove) {
    // A copy of the program with its own settings file, so the one in the build folder
    // stays without.
    TempFolder programFolder;
    const std::string program = programFolder.Path() + "kelvorn.exe";
    ASSERT_TRUE(CopyFileA(StandinPath().c_str(), program.c_str(), FALSE));
    ASSERT_TRUE(WriteBytes(programFolder.Path() + "kelvorn_standin.cfg",
                           "; the stand-in's settings\r\nexit = 7\r\n\r\n"
                           "stderr = from the file\\r\\n\nprint=printed\\r\\n\r\n"
                           "colour = blue\r\nsleep_ms = soon\r\n"));
    {
        const Capture capture = Run("\"m.ds1\" 1 2", program);
        ASSERT_TRUE(capture.started);
        EXPECT_EQ(capture.exitCode, 7u);
        EXPECT_EQ(StderrFile(), "from the file\r\n");
        for (const char* text :
             {"\r\nlvlprest def: 2\r\nprinted\r\n", "\r\nignored setting: colour = blue\r\n",
              "\r\nignored setting: sleep_ms = soon\r\n"})
            EXPECT_NE(capture.output.find(text), std::string::npos) << capture.output;
    }
    EnvironmentScope exitCode("KELVORN_STANDIN_EXIT", "-2");
    EnvironmentScope badSleep("KELVORN_STANDIN_SLEEP_MS", "-5");
    const Capture capture = Run("\"m.ds1\" 1 2", program);
    EXPECT_EQ(capture.exitCode, static_cast<uint32_t>(-2));
    EXPECT_EQ(StderrFile(), "from the file\r\n");
    EXPECT_NE(capture.output.find("\r\nignored setting: KELVORN_STANDIN_SLEEP_MS=-5\r\n"),
              std::string::npos);
}
