// Start-up and Run: the command line's maps, the main window shown again after each OK, and
// what Run leaves for the editor and the next showing.

#include "app/command_line.h"
#include "app/run_editor.h"
#include "launch/editor_location.h"
#include "launch/editor_runner.h"
#include "tests/dialogs/loader_dlg_fixture.h"
#include "tests/launch/fake_process.h"

namespace {

// Quoted .ds1 paths up to 255 bytes are listed in order, up to a hundred; other texts passed
// over, longer paths and maps beyond told unowned. Each OK runs the editor and shows the
// window again as it was; Enter does not end it. The system menu's About is Help's.
TEST_F(LoaderDlgTest, CommandLineMapsAreListedAndEachOkRunsTheEditorAndShowsTheWindowAgain) {
    auto quoted = [](const std::string& path) { return "\"" + path + "\""; };
    const std::string fits = "C:\\" + std::string(246, 'd') + "\\b.ds1";  // 255 bytes
    std::string cmd = quoted(MapPath("b.ds1")) + " " + quoted("C:\\d" + fits.substr(2)) +  // 256
                      quoted(MapPath("a.ds1")) + " C:\\maps\\neg.ds1 " +
                      quoted(std::string(300, 'n')) + quoted(MapPath("b.DS1")) +
                      quoted(MapPath("a.ds1")) + quoted(fits);
    Strings rows{kRowB, kRowA, kRowA, fits + "|Act 2 - Desert|data\\act2|3|4"};
    for (int i = 0; i < 98; ++i) {  // the last two beyond the hundred
        cmd += " " + quoted(RowMap(i));
        rows.push_back(RowMap(i) + "|Row " + std::to_string(i) + "|data\\r|" +
                       std::to_string(i + 1) + "|" + std::to_string(i + 200));
    }
    rows.resize(100);
    OnMainWindow([&](CLoaderDlg& d) {
        EXPECT_EQ(Rows(d), rows);
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
        test::OnShow<ui::Dialog>(script, IDD_ABOUTBOX, [&](ui::Dialog& about) {
            versions += about.Window().GetItemText(IDC_VERSION) + " ";
        });
    EXPECT_FALSE(app.InitInstance(cmd));
    EXPECT_EQ(app.m_strExeDir, ProgramDir());
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(versions, "1.014 1.014 ");
    test::ExpectErrorBoxes(script, {kCommandLineTooLongMessage, kCommandLineTooManyMessage}, 0);
    EXPECT_EQ(app.MainDialog(), nullptr);
}

// Run ends the window in the editor's folder: one map on the command line with the switches,
// several through temp.ini without them; the rows saved, gaps closed, 4294967295 as -1.
TEST_F(LoaderDlgTest, RunEndsTheWindowWithTheCommandLineAndTheRowsSaved) {
    const FileListEntry a{MapPath("a.ds1"), "Act 1 - Town", "data\\act1\\town", 1, 2},
        b{MapPath("b.ds1"), "Act 2 - Desert", "data\\act2", 3, 4},
        kept{MapPath("kept.ds1"), "Kept", "data\\kept", 5, 6},
        neg{MapPath("neg.ds1"), "Negative", "data\\neg", 7, -1};
    for (bool several : {false, true}) {
        CLoaderDlg dlg;
        dlg.m_savedRows[9].path = neg.path;
        if (several) {
            dlg.m_savedRows[0].path = a.path;
            dlg.m_savedRows[1].path = b.path;
            dlg.m_savedRows[5] = kept;
        }
        dlg.m_options = {false, true, true, true, 2, 40, 3};  // shown, and read back by Run
        EXPECT_EQ(Show(dlg, [](CLoaderDlg& d) { d.ChooseMenu(ID_FILE_RUN); }), ui::IdOk);
        EXPECT_EQ(std::string(dlg.m_szCmdLine),
                  several ? "\"kelvorn.exe\" \"" + ProgramDir() + "temp.ini\""
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
        EXPECT_TRUE(IsCurrentDir(editorDir));
    }
    EXPECT_EQ(test::BoxTexts(script), Strings{});
}

// The editor folder's editor is started, named in full. An exception or a failure in the
// run is told once, unowned, and the window comes back with its list and what was gathered.
TEST_F(LoaderDlgTest, RunStartsTheEditorFolderProgramAndOutlivesAnExceptionOrAFailure) {
    m_folder.Write(std::string("editor") + test::TempFolder::kSeparator + "kelvorn.exe", "exe");
    FakeProcessApi api;
    api.throwing = "PeekAvailable";
    api.child = {FakeProcessApi::Write("out"), FakeProcessApi::End(0)};
    app.m_runEditor = [&](CLoaderDlg& dlg) { RunEditorWith(dlg, api); };
    OnMainWindow([](CLoaderDlg& d) {
        d.DropFiles({MapPath("a.ds1")});
        d.ChooseMenu(ID_FILE_RUN);
    });
    for (int run = 0; run < 2; ++run)
        OnMainWindow([&, run](CLoaderDlg& d) {
            EXPECT_EQ(Rows(d), Strings{kRowA});
            EXPECT_EQ(d.m_strOutput, kRunHeader + std::string(d.m_szCmdLine) + "\r\n\r\n");
            api.throwing.clear();
            api.failing = {"AllocConsole"};
            d.ChooseMenu(run ? ID_FILE_EXIT : ID_FILE_RUN);
        });
    EXPECT_FALSE(app.InitInstance(""));
    EXPECT_TRUE(std::filesystem::equivalent(test::TempFolder::Native(api.startedProgram),
                                            test::TempFolder::Native(editorDir + "kelvorn.exe")))
        << api.startedProgram;
    EXPECT_FALSE(api.consoleHeld);
    EXPECT_TRUE(api.open.empty());
    test::ExpectErrorBoxes(
        script,
        {"Running the editor could not be completed: there was not enough memory.",
         "Console allocation failed"},
        0);
}

}  // namespace
