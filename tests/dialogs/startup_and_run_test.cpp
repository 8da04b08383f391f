// Start-up and Run: the command line into the saved rows and the loop that shows the main
// window again after each OK; Run's command line from the loader settings and the rows,
// the rows kept for the next showing, the editor folder made current.
#include "app/command_line.h"
#include "app/run_editor.h"
#include "tests/dialogs/loader_dlg_fixture.h"

namespace {

namespace fs = std::filesystem;

std::string Quoted(const std::string& path) {
    return "\"" + path + "\"";
}

// Quoted .ds1 paths are listed in order, a repeated one twice; other texts, however long,
// are passed over quietly. OK (as Run ends the window) runs the editor and shows the window
// again as it was, with the editor's output and the forced .dt1 list that Configure set.
// Enter does not end the window; the system menu's About item, taken by the window itself,
// opens the same box as Help > About, with the version; Exit ends the window with Cancel
// and the program with it.
TEST_F(LoaderDlgTest, CommandLineMapsAreListedAndEachOkRunsTheEditorAndShowsTheWindowAgain) {
    const Strings rows{kRowB, kRowA, kRowA};
    OnMainWindow([&](CLoaderDlg& d) {
        EXPECT_EQ(Rows(d), rows);
        EXPECT_TRUE(IsCurrentDir(ProgramDir()));
        d.m_options.resizeX = 77;
        d.ClickButton(IDC_CONFIGURE_DT1);
        d.EndDialog(ui::IdOk);
    });
    script.OnDialog(IDD_FORCE_DT1, [](ui::Dialog& d) {
        EXPECT_NE(d.Owner(), nullptr);
        d.DropFiles({"C:\\t\\a.dt1"});
        d.PressEnter();
    });
    OnMainWindow([&](CLoaderDlg& d) {
        EXPECT_EQ(Rows(d), rows);
        EXPECT_EQ(d.Window().GetItemText(IDC_OUTPUT), "run 1\r\ndone");
        EXPECT_EQ(d.m_options.resizeX, 77u);
        EXPECT_EQ(d.m_dt1Dlg.m_nDt1Count, 1);
        EXPECT_EQ(d.m_dt1Dlg.m_dt1Files[0], "C:\\t\\a.dt1");
        d.PressEnter();
        EXPECT_FALSE(d.IsEnding());
        EXPECT_TRUE(d.Window().HasSystemMenuItem(IDM_ABOUTBOX));
        EXPECT_TRUE(d.HandleSysCommand(IDM_ABOUTBOX | 0x3));
        EXPECT_FALSE(d.HandleSysCommand(0xF060));  // SC_CLOSE: the default handling
        d.ChooseMenu(ID_HELP_ABOUT);
        d.ChooseMenu(ID_FILE_EXIT);
    });
    std::string versions;
    for (int showing = 0; showing < 2; ++showing)
        script.OnDialog(IDD_ABOUTBOX, [&](ui::Dialog& about) {
            versions += about.Window().GetItemText(IDC_VERSION) + " ";
            about.PressEnter();
        });
    EXPECT_FALSE(app.InitInstance(Quoted(MapPath("b.ds1")) + " " + Quoted(MapPath("a.ds1")) +
                                  " C:\\maps\\neg.ds1 " + Quoted(std::string(300, 'n')) +
                                  Quoted(MapPath("b.DS1")) + Quoted(MapPath("a.ds1"))));
    EXPECT_EQ(app.m_strExeDir, ProgramDir());
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(versions, "1.014 1.014 ");
    EXPECT_EQ(BoxTexts(), Strings{});
    EXPECT_EQ(app.MainDialog(), nullptr);
}

// A path longer than 255 characters is left out; beyond 100 maps the first hundred are
// kept. Both are told before the window shows, so without an owner.
TEST_F(LoaderDlgTest, CommandLinesBeyondTheLimitsKeepWhatFitsAndSaySo) {
    const std::string longPath = "C:\\" + std::string(247, 'd') + "\\a.ds1";  // 256 bytes
    const std::string fits = "C:\\" + std::string(246, 'd') + "\\b.ds1";      // 255 bytes
    std::string cmd = Quoted(longPath) + " " + Quoted(fits);
    Strings hundred{fits};
    for (int i = 0; i < 103; ++i) cmd += " " + Quoted(RowMap(i));
    for (int i = 0; i < 99; ++i) hundred.push_back(RowMap(i));
    OnMainWindow([&](CLoaderDlg& d) { EXPECT_EQ(Rows(d, 1), hundred); });
    app.InitInstance(cmd);
    ASSERT_EQ(script.MessageBoxes().size(), 2u);
    test::ExpectErrorBox(script.MessageBoxes()[0], kCommandLineTooLongMessage, 0);
    test::ExpectErrorBox(script.MessageBoxes()[1], kCommandLineTooManyMessage, 0);
}

// Run ends the window ready for the editor, its folder made current. One map goes on the
// command line with the switches; several go through temp.ini in the program folder,
// named relative to the editor folder when inside it, and the switches are not used.
// Every saved row is replaced by the list's rows, gaps closed; a number shown unsigned
// comes back as it was.
TEST_F(LoaderDlgTest, RunEndsTheWindowWithTheCommandLineAndTheRowsSaved) {
    const std::string parent =
        fs::path(ProgramDir()).parent_path().parent_path().string() + test::TempFolder::kSeparator;
    ASSERT_EQ(ProgramDir().rfind(parent, 0), 0u);
    const FileListEntry a{MapPath("a.ds1"), "Act 1 - Town", "data\\act1\\town", 1, 2},
        b{MapPath("b.ds1"), "Act 2 - Desert", "data\\act2", 3, 4},
        kept{MapPath("kept.ds1"), "Kept", "data\\kept", 5, 6},
        neg{MapPath("neg.ds1"), "Negative", "data\\neg", 7, -1};
    for (int several : {0, 1, 2}) {  // 2: the editor folder holds the program folder
        const std::string editor = several == 2 ? parent : editorDir;
        WriteSettings(TableText(editor));
        CLoaderDlg dlg;
        dlg.m_savedRows[9].path = neg.path;
        if (several) {
            dlg.m_savedRows[0].path = a.path;
            dlg.m_savedRows[1].path = b.path;
            dlg.m_savedRows[5] = kept;
        }
        const intptr_t code = Show(dlg, [&](CLoaderDlg& d) {
            Check(d, IDC_NO_CHECK_ACT);
            Check(d, IDC_FORCE_PAL);
            d.TypeText(IDC_ACT, "3");
            Check(d, IDC_RESIZE);
            d.TypeText(IDC_RESIZE_X, "2");
            d.TypeText(IDC_RESIZE_Y, "40");
            d.ChooseMenu(ID_FILE_RUN);
        });
        EXPECT_EQ(code, ui::IdOk);
        const std::string list = several == 2 ? ProgramDir().substr(parent.size()) : ProgramDir();
        EXPECT_EQ(std::string(dlg.m_szCmdLine),
                  several ? "\"kelvorn.exe\" \"" + list + "temp.ini\""
                          : "\"kelvorn.exe\" \"C:\\maps\\neg.ds1\" 7 4294967295 -no_check_act "
                            "-force_pal 3 -resize 2 40");
        EXPECT_EQ(m_folder.Read("temp.ini"),
                  several
                      ? "1 2 C:\\maps\\a.ds1\r\n3 4 C:\\maps\\b.ds1\r\n5 6 C:\\maps\\kept.ds1\r\n"
                        "7 4294967295 C:\\maps\\neg.ds1\r\n"
                      : "");  // not written
        std::array<FileListEntry, kMaxFileRows> expected{neg};
        if (several) expected = {a, b, kept, neg};
        EXPECT_EQ(dlg.m_savedRows, expected);
        EXPECT_TRUE(IsCurrentDir(editor));
    }
    EXPECT_EQ(BoxTexts(), Strings{});
}

// A refused Run says why in one box and leaves the window open, the command line, the
// saved rows and the working directory as they were.
TEST_F(LoaderDlgTest, RefusedRunsChangeNothing) {
    const std::string map = MapPath("a.ds1"), longMap = "C:\\" + std::string(300, 'd') + "\\a.ds1";
    const std::string table = TableText(editorDir);
    const struct {
        std::string row, settings;  // no settings: no file
        bool forceDt1;
        std::string message;
    } cases[] = {
        {"", table, false, "No Files Added  to List"},
        {map, "", false, "Unable to Open kelvorn_loader.ini"},
        {map,
         "kelvornpath = " + editorDir +
             "\r\nkelvornname= kelvorn.exe\r\nKELVORNNAME = kelvorn.exe\r\n// kelvornname = k\r\n",
         false, "Unable to Find kelvornpath and kelvornname Entry in kelvorn_loader.ini"},
        {map, table, true, "You must enter at least 1 .dt1 in the list"},
        {longMap, TableText(editorDir, std::string(230, 'k') + ".exe"), false,
         "The editor's command line would be 552 characters long; at most 511 fit.\nUse shorter "
         "paths, a shorter editor location or fewer forced .dt1 files."},
    };
    Strings messages;
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
            EXPECT_TRUE(IsCurrentDir(ProgramDir())) << c.message;
        });
        EXPECT_STREQ(dlg.m_szCmdLine, "earlier");
        EXPECT_EQ(dlg.m_savedRows, saved);
        messages.push_back(c.message);
    }
    test::ExpectErrorBoxes(script, messages, IDD_LOADER);
}

#ifndef _WIN32
// Without Windows there is no console to give the editor: the run stops at once, says so
// without an owner window, and the pane shows how far it got.
TEST_F(LoaderDlgTest, RunnerFailureIsToldUnownedAndTheHeaderKept) {
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
