// Start-up: the command line into the saved rows, the program directory, and the loop
// that shows the main window again after each OK. Also how the window ends.
#include "app/command_line.h"
#include "tests/dialogs/loader_dlg_fixture.h"

namespace {

std::string Quoted(const std::string& path) {
    return "\"" + path + "\"";
}

// Queues `step` for the next showing of the main window.
void OnShowing(ui::Script& script, std::function<void(CLoaderDlg&)> step) {
    script.OnDialog(IDD_LOADER, [step](ui::Dialog& d) { step(static_cast<CLoaderDlg&>(d)); });
}

// Quoted .ds1 paths are listed in order, a repeated one twice. OK (as Run ends the window)
// runs the editor and shows the window again as it was, with the editor's output and the
// forced .dt1 list that Configure set; Escape ends the program.
TEST_F(LoaderDlgTest, CommandLineMapsAreListedAndEachOkRunsTheEditorAndShowsTheWindowAgain) {
    const Strings rows{kRowB, kRowA, kRowA};
    OnShowing(script, [&](CLoaderDlg& d) {
        EXPECT_EQ(Rows(d), rows);
        EXPECT_TRUE(WorkingDirIsProgramDir());
        d.m_options.resizeX = 77;
        d.ClickButton(IDC_CONFIGURE_DT1);
        d.EndDialog(ui::IdOk);
    });
    script.OnDialog(IDD_FORCE_DT1, [](ui::Dialog& d) {
        EXPECT_NE(d.Owner(), nullptr);
        d.DropFiles({"C:\\t\\a.dt1"});
        d.PressEnter();
    });
    OnShowing(script, [&](CLoaderDlg& d) {
        EXPECT_EQ(Rows(d), rows);
        EXPECT_EQ(d.Window().GetItemText(IDC_OUTPUT), "run 1\r\ndone");
        EXPECT_EQ(d.m_options.resizeX, 77u);
        EXPECT_EQ(d.m_dt1Dlg.m_nDt1Count, 1);
        EXPECT_EQ(d.m_dt1Dlg.m_dt1Files[0], "C:\\t\\a.dt1");
        d.PressEscape();
    });
    EXPECT_FALSE(app.InitInstance(Quoted(MapPath("b.ds1")) + " " + Quoted(MapPath("a.ds1")) +
                                  " C:\\maps\\neg.ds1 " + Quoted(MapPath("b.DS1")) +
                                  Quoted(MapPath("a.ds1"))));
    EXPECT_EQ(app.m_strExeDir, ProgramDir());
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(app.MainDialog(), nullptr);
    EXPECT_EQ(script.DialogsOpened(), (std::vector<int>{IDD_LOADER, IDD_FORCE_DT1, IDD_LOADER}));
}

// Beyond 100 maps the first hundred are kept; a path longer than 255 characters is left
// out. Either is told before the window shows, so without an owner.
TEST_F(LoaderDlgTest, CommandLinesBeyondTheLimitsKeepWhatFitsAndSaySo) {
    std::string hundredAndThree;
    Strings firstHundred;
    for (int i = 0; i < 103; ++i) hundredAndThree += Quoted(RowMap(i)) + " ";
    for (int i = 0; i < 100; ++i) firstHundred.push_back(RowMap(i));
    const std::string longPath = "C:\\" + std::string(247, 'd') + "\\a.ds1";  // 256 bytes
    const std::string fits = "C:\\" + std::string(246, 'd') + "\\b.ds1";      // 255 bytes
    for (const auto& [cmd, expected] :
         {std::pair{hundredAndThree, firstHundred},
          std::pair{Quoted(longPath) + " " + Quoted(fits), Strings{fits}}}) {
        Strings paths;
        OnShowing(script, [&](CLoaderDlg& d) {
            paths = Rows(d, 1);
            d.PressEscape();
        });
        app.InitInstance(cmd);
        EXPECT_EQ(paths, expected);
    }
    ASSERT_EQ(script.MessageBoxes().size(), 2u);
    test::ExpectErrorBox(script.MessageBoxes()[0], kCommandLineTooManyMessage, 0);
    test::ExpectErrorBox(script.MessageBoxes()[1], kCommandLineTooLongMessage, 0);
}

// The system menu carries the About item, taken by the window itself, and it opens the same
// box as Help > About, with the version; Enter does not end the window, Exit ends it with
// Cancel and the program with it.
TEST_F(LoaderDlgTest, AboutItemEnterAndExit) {
    OnShowing(script, [&](CLoaderDlg& d) {
        EXPECT_EQ(d.m_listFiles.GetItemCount(), 0);
        EXPECT_TRUE(d.Window().HasSystemMenuItem(IDM_ABOUTBOX));
        EXPECT_TRUE(d.HandleSysCommand(IDM_ABOUTBOX | 0x3));
        EXPECT_FALSE(d.HandleSysCommand(0xF060));  // SC_CLOSE: the default handling
        d.ChooseMenu(ID_HELP_ABOUT);
        d.DropFiles({MapPath("a.ds1")});
        d.PressEnter();
        EXPECT_FALSE(d.IsEnding());
        d.ChooseMenu(ID_FILE_EXIT);
    });
    std::string versions;
    for (int showing = 0; showing < 2; ++showing)
        script.OnDialog(IDD_ABOUTBOX, [&](ui::Dialog& about) {
            versions += about.Window().GetItemText(IDC_VERSION) + " ";
            about.PressEnter();
        });
    EXPECT_FALSE(app.InitInstance(""));
    EXPECT_EQ(versions, "1.014 1.014 ");
    EXPECT_EQ(runs, 0);
}

}  // namespace
