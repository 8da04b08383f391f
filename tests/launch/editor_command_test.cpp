#include "launch/editor_command.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <string>

#include "sys/fs.h"

namespace {

const std::string kFolder = "C:\\Editor\\";

CommandRequest OneMap(const std::string& path = "C:\\Maps\\duriel.ds1") {
    CommandRequest request;
    request.editorFolder = kFolder;
    request.editorName = "kelvorn.exe";
    request.listBase = "C:\\Loader\\temp";
    request.rows = {{path, "17", "481"}};
    return request;
}

// Switches follow in a fixed order; column texts go in as displayed, act is printed signed
// and sizes unsigned; forced tiles replace the numbers. Paths inside the editor folder,
// compared byte for byte, become relative, leaving a separator the folder lacks.
TEST(OneMapCommandLine, ItemsAndSwitchesInTheirOrder) {
    struct Case {
        std::function<void(CommandRequest&)> set;
        const char* expected;
    };
    const Case cases[] = {
        {[](CommandRequest&) {}, R"("kelvorn.exe" "C:\Maps\duriel.ds1" 17 481)"},
        {[](CommandRequest& r) { r.switches = {false, true, true, true, 2, 4, 3}; },
         R"("kelvorn.exe" "C:\Maps\duriel.ds1" 17 481 -no_check_act -force_pal 3 -resize 2 4)"},
        {[](CommandRequest& r) {
             r.switches.bForcePalette = true;
             r.switches.act = 3;
         },
         R"("kelvorn.exe" "C:\Maps\duriel.ds1" 17 481 -force_pal 3)"},
        {[](CommandRequest& r) {
             r.rows[0].typeText = "4294967295";
             r.switches.bForcePalette = true;
             r.switches.act = 0xFFFFFFFFu;
             r.switches.bResize = true;
             r.switches.resizeX = 4000000000u;
             r.switches.resizeY = 255;
         },
         R"("kelvorn.exe" "C:\Maps\duriel.ds1" 4294967295 481 -force_pal -1 -resize 4000000000 255)"},
        {[](CommandRequest& r) {
             r.switches.bForceDt1 = true;
             r.switches.bNoCheckAct = true;
             r.forcedDt1 = {kFolder + "tiles\\floor.dt1", "D:\\Other\\wall.dt1"};
         },
         R"("kelvorn.exe" "C:\Maps\duriel.ds1" -no_check_act -force_dt1 "tiles\floor.dt1" "D:\Other\wall.dt1")"},
        {[](CommandRequest& r) { r.rows[0].path = kFolder + "maps\\a.ds1"; },
         R"("kelvorn.exe" "maps\a.ds1" 17 481)"},
        {[](CommandRequest& r) { r.rows[0].path = "c:\\editor\\maps\\a.ds1"; },
         R"("kelvorn.exe" "c:\editor\maps\a.ds1" 17 481)"},
        {[](CommandRequest& r) {
             r.rows[0].path = "C:\\Editor\\maps\\a.ds1";
             r.editorFolder = "C:\\Editor";
             r.switches.bForceDt1 = true;
             r.forcedDt1 = {"C:\\Editor\\x.dt1", "C:\\EditorOld\\y.dt1"};
         },
         R"("kelvorn.exe" "\maps\a.ds1" -force_dt1 "\x.dt1" "Old\y.dt1")"},
    };
    for (const Case& c : cases) {
        CommandRequest request = OneMap();
        c.set(request);
        const EditorCommand command = ComposeEditorCommand(request);
        EXPECT_FALSE(command.Refused()) << c.expected;
        EXPECT_FALSE(command.usesMapList);
        EXPECT_EQ(command.commandLine, c.expected);
    }
}

TEST(OneMapCommandLine, EmptyForcedListIsRefused) {
    CommandRequest request = OneMap();
    request.switches.bForceDt1 = true;
    const EditorCommand command = ComposeEditorCommand(request);
    EXPECT_TRUE(command.Refused());
    EXPECT_EQ(command.refusal, "You must enter at least 1 .dt1 in the list");
    EXPECT_EQ(command.commandLine, "");
    EXPECT_FALSE(command.usesMapList);
}

TEST(CommandLineLimit, FiveHundredElevenCharactersFitOneMoreIsRefused) {
    CommandRequest request = OneMap();
    const std::size_t fixed = ComposeEditorCommand(request).commandLine.size();
    request.rows[0].path += std::string(kMaxCommandLine - fixed, 'x');
    const EditorCommand fits = ComposeEditorCommand(request);
    ASSERT_FALSE(fits.Refused());
    EXPECT_EQ(fits.commandLine.size(), kMaxCommandLine);

    request.rows[0].path += 'x';
    const EditorCommand refused = ComposeEditorCommand(request);
    EXPECT_TRUE(refused.Refused());
    EXPECT_EQ(refused.commandLine, "");
    EXPECT_NE(refused.refusal.find("512 characters long; at most 511 fit"), std::string::npos)
        << refused.refusal;
}

TEST(CommandLineLimit, LongForcedNamesAreRefusedNotCut) {
    CommandRequest request = OneMap();
    request.switches.bForceDt1 = true;
    const std::string name = "D:\\" + std::string(300, 'n') + ".dt1";
    request.forcedDt1 = {name};
    const EditorCommand one = ComposeEditorCommand(request);
    ASSERT_FALSE(one.Refused());
    EXPECT_NE(one.commandLine.find("\"" + name + "\""), std::string::npos);

    request.forcedDt1 = {name, name + "2"};
    EXPECT_TRUE(ComposeEditorCommand(request).Refused());
}

TEST(CommandLineLimit, TooLongListFileNameIsRefusedAndNoListIsAsked) {
    CommandRequest request = OneMap();
    request.rows.push_back({"b.ds1", "1", "2"});
    request.listBase = "D:\\" + std::string(600, 'd') + "\\temp";
    const EditorCommand command = ComposeEditorCommand(request);
    EXPECT_TRUE(command.Refused());
    EXPECT_FALSE(command.usesMapList);
    EXPECT_EQ(command.mapListBytes, "");
}

TEST(MapListCommandLine, TwoMapsNameOnlyTheListFileWhateverTheOptions) {
    CommandRequest request = OneMap();
    request.rows.push_back({kFolder + "maps\\b.ds1", "4294967295", "0"});
    request.switches.bForceDt1 = true;  // empty forced list: not consulted here
    request.switches.bResize = true;
    request.switches.bNoCheckAct = true;
    const EditorCommand command = ComposeEditorCommand(request);
    ASSERT_FALSE(command.Refused());
    EXPECT_EQ(command.commandLine, "\"kelvorn.exe\" \"C:\\Loader\\temp.ini\"");
    EXPECT_TRUE(command.usesMapList);
    EXPECT_EQ(command.mapListPath, "C:\\Loader\\temp.ini");
    EXPECT_EQ(command.mapListBytes,
              "17 481 C:\\Maps\\duriel.ds1\r\n"
              "4294967295 0 maps\\b.ds1\r\n");
}

TEST(MapListCommandLine, ListFileInsideEditorFolderIsRelativeAndNoRowsGiveAnEmptyList) {
    CommandRequest request = OneMap();
    request.rows.push_back(request.rows[0]);
    request.listBase = kFolder + "loader\\temp";
    EXPECT_EQ(ComposeEditorCommand(request).commandLine, "\"kelvorn.exe\" \"loader\\temp.ini\"");

    request.rows.clear();
    const EditorCommand command = ComposeEditorCommand(request);
    EXPECT_TRUE(command.usesMapList);
    EXPECT_EQ(command.mapListBytes, "");
}

TEST(MapListCommandLine, RowFieldsGoInAsDisplayed) {
    // Blanks inside the path and texts that are no numbers are written unchanged.
    const std::vector<MapRow> rows = {{"/maps/with blank.ds1", "", "x7"}, {"c.ds1", "-3", "9"}};
    EXPECT_EQ(MapListText(rows, "/maps/"), " x7 with blank.ds1\r\n-3 9 c.ds1\r\n");
}

class MapListFile : public testing::Test {
  protected:
    void SetUp() override {
        m_dir = std::filesystem::temp_directory_path() /
                ("kelvorn_maplist_" + std::to_string(::getpid()) + "_" +
                 testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(m_dir);
        std::filesystem::create_directories(m_dir);
    }
    void TearDown() override { std::filesystem::remove_all(m_dir); }
    std::string Base() const { return (m_dir / "temp").string(); }
    std::filesystem::path m_dir;
};

TEST_F(MapListFile, IsWrittenWithCrLfAndReplacesAnOldOne) {
    ASSERT_TRUE(sys::WriteFileAtomically(Base() + ".ini", std::string(5000, 'o')));
    CommandRequest request = OneMap();
    request.listBase = Base();
    request.rows.push_back({"b.ds1", "1", "2"});
    request.rows.push_back({"c.ds1", "3", "4"});
    const EditorCommand command = BuildEditorCommand(request);
    std::string bytes;
    ASSERT_TRUE(sys::ReadWholeFile(Base() + ".ini", bytes));
    EXPECT_EQ(bytes, "17 481 C:\\Maps\\duriel.ds1\r\n1 2 b.ds1\r\n3 4 c.ds1\r\n");
    EXPECT_EQ(command.commandLine, "\"kelvorn.exe\" \"" + Base() + ".ini\"");
}

// An unwritable list file still gives the command line; one map or a refusal writes none.
TEST_F(MapListFile, OnlySeveralMapsWriteTheFile) {
    CommandRequest request = OneMap();
    request.listBase = (m_dir / "missing" / "temp").string();
    request.rows.push_back({"b.ds1", "1", "2"});
    const EditorCommand unwritable = BuildEditorCommand(request);
    EXPECT_FALSE(unwritable.Refused());
    EXPECT_EQ(unwritable.commandLine, "\"kelvorn.exe\" \"" + request.listBase + ".ini\"");

    request.listBase = Base();
    request.editorName = std::string(600, 'e');
    EXPECT_TRUE(BuildEditorCommand(request).Refused());
    request = OneMap();
    request.listBase = Base();
    EXPECT_FALSE(BuildEditorCommand(request).Refused());
    EXPECT_FALSE(sys::FileExists(Base() + ".ini"));
}

}  // namespace
