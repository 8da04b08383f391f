// Run from the main window: the editor's location read from the loader settings, the
// command line, the rows kept for the next showing, the editor folder made current.
#include "app/run_editor.h"
#include "tests/dialogs/loader_dlg_fixture.h"

namespace {

namespace fs = std::filesystem;

class RunTest : public LoaderDlgTest {
  protected:
    void SetUp() override {
        LoaderDlgTest::SetUp();
        editorDir = ProgramDir() + "editor" + test::TempFolder::kSeparator;
        fs::create_directories(editorDir);
        WriteSettings(TableText(editorDir));
    }
    void WriteSettings(const std::string& text) const {
        m_folder.Write("kelvorn_loader.ini", text);
    }
    static bool CurrentDirIs(const std::string& folder) {
        std::error_code ec;
        return fs::equivalent(fs::current_path(), fs::path(folder).parent_path(), ec);
    }
    std::string editorDir;
};

TEST_F(RunTest, OneMapWithOptionsEndsTheWindowReadyForTheEditor) {
    CLoaderDlg dlg;
    dlg.m_savedRows[0].path = MapPath("neg.ds1");
    const intptr_t code = Show(dlg, [&](CLoaderDlg& d) {
        Check(d, IDC_NO_CHECK_ACT);
        Check(d, IDC_FORCE_PAL);
        d.TypeText(IDC_ACT, "3");
        Check(d, IDC_RESIZE);
        d.TypeText(IDC_RESIZE_X, "2");
        d.TypeText(IDC_RESIZE_Y, "40");
        d.ChooseMenu(ID_FILE_RUN);
        EXPECT_TRUE(d.IsEnding());
    });
    EXPECT_EQ(code, ui::IdOk);
    EXPECT_STREQ(dlg.m_szCmdLine,
                 "\"kelvorn.exe\" \"C:\\maps\\neg.ds1\" 7 4294967295 -no_check_act -force_pal 3"
                 " -resize 2 40");
    // The number shown unsigned comes back as it was.
    EXPECT_EQ(dlg.m_savedRows[0],
              (FileListEntry{MapPath("neg.ds1"), "Negative", "data\\neg", 7, -1}));
    EXPECT_EQ(dlg.m_savedRows[1], FileListEntry{});
    EXPECT_TRUE(CurrentDirIs(editorDir));
    EXPECT_FALSE(fs::exists(ProgramDir() + "temp.ini"));
    EXPECT_EQ(BoxTexts(), Strings{});
}

// Several maps go through temp.ini in the program folder, named relative to the editor
// folder when inside it. Every saved row is replaced by the list's rows, gaps closed;
// the switches are not used.
TEST_F(RunTest, SeveralMapsGoThroughTempIniAndEverySavedRowIsReplaced) {
    const std::string parent =
        fs::path(ProgramDir()).parent_path().parent_path().string() + test::TempFolder::kSeparator;
    ASSERT_EQ(ProgramDir().rfind(parent, 0), 0u);
    for (const std::string& editor : {editorDir, parent}) {
        WriteSettings(TableText(editor));
        CLoaderDlg dlg;
        dlg.m_savedRows[0].path = MapPath("a.ds1");
        dlg.m_savedRows[1].path = MapPath("b.ds1");
        dlg.m_savedRows[5] = {MapPath("kept.ds1"), "Kept", "data\\kept", 5, 6};
        dlg.m_savedRows[9].path = MapPath("neg.ds1");
        Show(dlg, [&](CLoaderDlg& d) {
            Check(d, IDC_NO_CHECK_ACT);
            d.ChooseMenu(ID_FILE_RUN);
        });
        const std::string list =
            editor == parent ? ProgramDir().substr(parent.size()) : ProgramDir();
        EXPECT_EQ(std::string(dlg.m_szCmdLine), "\"kelvorn.exe\" \"" + list + "temp.ini\"");
        EXPECT_EQ(m_folder.Read("temp.ini"),
                  "1 2 C:\\maps\\a.ds1\r\n3 4 C:\\maps\\b.ds1\r\n5 6 C:\\maps\\kept.ds1\r\n"
                  "7 4294967295 C:\\maps\\neg.ds1\r\n");
        std::array<FileListEntry, kMaxFileRows> expected{};
        expected[0] = {MapPath("a.ds1"), "Act 1 - Town", "data\\act1\\town", 1, 2};
        expected[1] = {MapPath("b.ds1"), "Act 2 - Desert", "data\\act2", 3, 4};
        expected[2] = {MapPath("kept.ds1"), "Kept", "data\\kept", 5, 6};
        expected[3] = {MapPath("neg.ds1"), "Negative", "data\\neg", 7, -1};
        EXPECT_EQ(dlg.m_savedRows, expected);
        EXPECT_TRUE(CurrentDirIs(editor));
    }
}

// A refused Run says why in one box and leaves the window open, the command line, the
// saved rows and the working directory as they were.
TEST_F(RunTest, RefusedRunsChangeNothing) {
    const std::string map = MapPath("a.ds1"), longMap = "C:\\" + std::string(300, 'd') + "\\a.ds1";
    const std::string table = TableText(editorDir);
    const struct {
        std::string row, settings;  // no settings: no file
        bool forceDt1;
        std::string message;  // the whole text, or for a long line the part that matters
    } cases[] = {
        {"", table, false, "No Files Added  to List"},
        {map, "", false, "Unable to Open kelvorn_loader.ini"},
        {map,
         "kelvornpath = " + editorDir +
             "\r\nkelvornname= kelvorn.exe\r\nKELVORNNAME = kelvorn.exe\r\n// kelvornname = k\r\n",
         false, "Unable to Find kelvornpath and kelvornname Entry in kelvorn_loader.ini"},
        {map, table, true, "You must enter at least 1 .dt1 in the list"},
        {longMap, TableText(editorDir, std::string(230, 'k') + ".exe"), false, "at most 511 fit"},
    };
    std::size_t boxes = 0;
    for (const auto& c : cases) {
        WriteSettings(table);  // for the rows of the showing
        CLoaderDlg dlg;
        dlg.m_savedRows[0].path = c.row;
        std::snprintf(dlg.m_szCmdLine, sizeof dlg.m_szCmdLine, "earlier");
        const auto saved = dlg.m_savedRows;
        Show(dlg, [&](CLoaderDlg& d) {
            if (c.settings.empty())
                fs::remove(ProgramDir() + "kelvorn_loader.ini");
            else
                WriteSettings(c.settings);
            if (c.forceDt1) Check(d, IDC_FORCE_DT1);
            if (c.row.empty())
                d.OnRun();  // the menu item is grayed
            else
                d.ChooseMenu(ID_FILE_RUN);
            EXPECT_FALSE(d.IsEnding()) << c.message;
            EXPECT_TRUE(WorkingDirIsProgramDir()) << c.message;
        });
        EXPECT_STREQ(dlg.m_szCmdLine, "earlier");
        EXPECT_EQ(dlg.m_savedRows, saved);
        ASSERT_EQ(script.MessageBoxes().size(), ++boxes) << c.message;
        const ui::MessageBoxCall& box = script.MessageBoxes().back();
        test::ExpectErrorBox(box, c.message.starts_with("at most") ? box.text : c.message,
                             IDD_LOADER);
        EXPECT_NE(box.text.find(c.message), std::string::npos) << box.text;
    }
}

#ifndef _WIN32
// Without Windows there is no console to give the editor: the run stops at once, says so
// without an owner window, and the pane shows how far it got.
TEST_F(RunTest, RunnerFailureIsToldUnownedAndTheHeaderKept) {
    CLoaderDlg dlg;
    std::snprintf(dlg.m_szCmdLine, sizeof dlg.m_szCmdLine, "\"kelvorn.exe\" \"x.ini\"");
    dlg.m_strOutput = "older run";
    RunEditor(dlg);
    EXPECT_EQ(
        dlg.m_strOutput,
        "kelvorn Loader: starting editor using command line \"kelvorn.exe\" \"x.ini\"\r\n\r\n");
    test::ExpectErrorBoxes(script, {"Console allocation failed"}, 0);
}
#endif

}  // namespace
