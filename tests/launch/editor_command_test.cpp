#include "launch/editor_command.h"

#include <functional>

#include "sys/fs.h"
#include "tests/common/helpers.h"

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

// Switches in a fixed order, texts as displayed, act signed, sizes unsigned, forced tiles
// for the numbers; paths in the editor folder (byte for byte) relative.
TEST(OneMapCommandLine, ItemsAndSwitchesInTheirOrderUpToTheFiveHundredElevenCharacterLimit) {
    struct Case {
        const char* expected;
        LaunchOptions switches = {};
        test::Strings forced = {};
        std::string type = "17", path = "C:\\Maps\\duriel.ds1", folder = kFolder;
    };
    const Case cases[] = {
        {R"("kelvorn.exe" "C:\Maps\duriel.ds1" 17 481)"},
        {R"("kelvorn.exe" "C:\Maps\duriel.ds1" 17 481 -no_check_act -force_pal 3 -resize 2 4)",
         {false, true, true, true, 2, 4, 3}},
        {R"("kelvorn.exe" "C:\Maps\duriel.ds1" 17 481 -force_pal 3)",
         {.bForcePalette = true, .act = 3}},
        {R"("kelvorn.exe" "C:\Maps\duriel.ds1" 4294967295 481 -force_pal -1 -resize 4000000000 255)",
         {false, true, false, true, 4000000000u, 255, 0xFFFFFFFFu},
         {},
         "4294967295"},
        {R"("kelvorn.exe" "C:\Maps\duriel.ds1" -no_check_act -force_dt1 "tiles\floor.dt1" "D:\Other\wall.dt1")",
         {.bForceDt1 = true, .bNoCheckAct = true},
         {kFolder + "tiles\\floor.dt1", "D:\\Other\\wall.dt1"}},
        {R"("kelvorn.exe" "maps\a.ds1" 17 481)", {}, {}, "17", kFolder + "maps\\a.ds1"},
        {R"("kelvorn.exe" "c:\editor\maps\a.ds1" 17 481)", {}, {}, "17", "c:\\editor\\maps\\a.ds1"},
        {R"("kelvorn.exe" "\maps\a.ds1" -force_dt1 "\x.dt1" "Old\y.dt1")",
         {.bForceDt1 = true},
         {"C:\\Editor\\x.dt1", "C:\\EditorOld\\y.dt1"},
         "17",
         "C:\\Editor\\maps\\a.ds1",
         "C:\\Editor"},
    };
    for (const Case& c : cases) {
        CommandRequest request = OneMap(c.path);
        request.editorFolder = c.folder;
        request.rows[0].typeText = c.type;
        request.switches = c.switches;
        request.forcedDt1 = c.forced;
        const EditorCommand command = ComposeEditorCommand(request);
        EXPECT_FALSE(command.Refused()) << c.expected;
        EXPECT_FALSE(command.usesMapList);
        EXPECT_EQ(command.commandLine, c.expected);
    }

    // Nothing is cut: an empty forced list or a line of 512 characters or more is refused.
    CommandRequest request = OneMap();
    const std::size_t fixed = ComposeEditorCommand(request).commandLine.size();
    request.rows[0].path += std::string(kMaxCommandLine - fixed, 'x');
    ASSERT_EQ(ComposeEditorCommand(request).commandLine.size(), kMaxCommandLine);

    const std::string name = "D:\\" + std::string(300, 'n') + ".dt1";
    const struct {
        std::function<void(CommandRequest&)> set;
        std::string refusal;
    } refusals[] = {
        {[](CommandRequest& r) { r.switches.bForceDt1 = true; }, kEmptyForcedListMessage},
        {[&](CommandRequest& r) {
             r.rows[0].path += std::string(kMaxCommandLine - fixed + 1, 'x');
         },
         "512 characters long; at most 511 fit"},
        {[&](CommandRequest& r) {
             r.switches.bForceDt1 = true;
             r.forcedDt1 = {name, name + "2"};
         },
         "at most 511 fit"},
        {[](CommandRequest& r) {
             r.rows.push_back({"b.ds1", "1", "2"});
             r.listBase = "D:\\" + std::string(600, 'd') + "\\temp";
         },
         "at most 511 fit"},
    };
    for (const auto& c : refusals) {
        CommandRequest r = OneMap();
        c.set(r);
        const EditorCommand command = ComposeEditorCommand(r);
        EXPECT_NE(command.refusal.find(c.refusal), std::string::npos) << command.refusal;
        EXPECT_EQ(command.commandLine, "");
    }
}

// Two maps or more (or none) name only the list file, relative in the editor folder; its
// rows as displayed replace an old list. One map or a refusal writes no list.
TEST(MapListCommandLine, SeveralMapsNameOnlyTheListFileWrittenForThem) {
    test::TempFolder dir;
    dir.Write("temp.ini", std::string(5000, 'o'));
    CommandRequest request = OneMap();
    request.listBase = dir.Path("temp");
    request.rows.push_back({kFolder + "maps\\b c.ds1", "4294967295", "x7"});
    request.rows.push_back({"c.ds1", "", "-3"});
    request.switches = {true, true, true, true, 2, 4, 3};  // an empty forced list: not consulted
    EXPECT_EQ(BuildEditorCommand(request).commandLine,
              "\"kelvorn.exe\" \"" + request.listBase + ".ini\"");
    EXPECT_EQ(dir.Read("temp.ini"),
              "17 481 C:\\Maps\\duriel.ds1\r\n4294967295 x7 maps\\b c.ds1\r\n -3 c.ds1\r\n");

    request.listBase = dir.Path("missing") + test::TempFolder::kSeparator + "temp";
    EXPECT_EQ(BuildEditorCommand(request).commandLine,
              "\"kelvorn.exe\" \"" + request.listBase + ".ini\"");
    request.listBase = kFolder + "loader\\temp";
    EXPECT_EQ(ComposeEditorCommand(request).commandLine, "\"kelvorn.exe\" \"loader\\temp.ini\"");
    request.rows.clear();
    const EditorCommand noMaps = ComposeEditorCommand(request);
    EXPECT_TRUE(noMaps.usesMapList);
    EXPECT_EQ(noMaps.mapListBytes, "");

    std::filesystem::remove(dir.Path("temp.ini"));
    request = OneMap();
    request.listBase = dir.Path("temp");
    EXPECT_FALSE(BuildEditorCommand(request).Refused());
    request.rows.push_back({"b.ds1", "1", "2"});
    request.editorName = std::string(600, 'e');
    EXPECT_TRUE(BuildEditorCommand(request).Refused());
    EXPECT_FALSE(sys::FileExists(dir.Path("temp.ini")));
}

}  // namespace
