// Start-up: the command line into the saved rows, the program directory, and the loop
// that shows the main window again after each OK. Also how the window ends.
#include "app/command_line.h"
#include "tests/dialogs/loader_dlg_fixture.h"

namespace {

std::string Quoted(const std::string& path) {
    return "\"" + path + "\"";
}

class StartupTest : public LoaderDlgTest {
  protected:
    void SetUp() override {
        LoaderDlgTest::SetUp();
        std::string exe = ProgramDir() + "kelvorn_loader.exe";
        app.m_programFilePath = [exe] { return std::optional<std::string>(exe); };
        app.m_runEditor = [this](CLoaderDlg& dlg) {
            ++runs;
            dlg.m_strOutput = "run " + std::to_string(runs) + "\r\ndone";
        };
    }
    int runs = 0;
};

TEST_F(StartupTest, CommandLineMapsAreListedInOrderAndEscapeEndsTheProgram) {
    Strings rows;
    bool inProgramDir = false;
    script.OnDialog(IDD_LOADER, [&](ui::Dialog& d) {
        rows = Rows(static_cast<CLoaderDlg&>(d));
        inProgramDir = WorkingDirIsProgramDir();
        d.PressEscape();
    });
    std::string cmd = Quoted(MapPath("b.ds1")) + " " + Quoted(MapPath("a.ds1")) +
                      " C:\\maps\\neg.ds1 " + Quoted(MapPath("b.DS1"));
    EXPECT_FALSE(app.InitInstance(cmd));

    EXPECT_EQ(rows, (Strings{MapPath("b.ds1") + "|Act 2 - Desert|data\\act2|3|4",
                             MapPath("a.ds1") + "|Act 1 - Town|data\\act1\\town|1|2"}));
    EXPECT_TRUE(inProgramDir);
    EXPECT_EQ(app.m_strExeDir, ProgramDir());
    EXPECT_EQ(runs, 0);
    EXPECT_EQ(app.MainDialog(), nullptr);
    EXPECT_TRUE(script.Finished()) << test::Errors(script);
}

TEST_F(StartupTest, AfterEachOkTheEditorRunsAndTheWindowComesBackAsItWas) {
    Strings before, after;
    std::string outputShown;
    LaunchOptions optionsShown;
    int dt1Count = -1;
    script.OnDialog(IDD_LOADER, [&](ui::Dialog& d) {
        auto& dlg = static_cast<CLoaderDlg&>(d);
        before = Rows(dlg);
        dlg.m_options.resizeX = 77;
        dlg.m_dt1Dlg.m_dt1Files[0] = "C:\\t\\a.dt1";
        dlg.m_dt1Dlg.m_nDt1Count = 1;
        d.EndDialog(ui::IdOk);  // as Run ends it
    });
    script.OnDialog(IDD_LOADER, [&](ui::Dialog& d) {
        auto& dlg = static_cast<CLoaderDlg&>(d);
        after = Rows(dlg);
        outputShown = d.Window().GetItemText(IDC_OUTPUT);
        optionsShown = dlg.m_options;
        dt1Count = dlg.m_dt1Dlg.m_nDt1Count;
        d.PressEscape();
    });
    app.InitInstance(Quoted(MapPath("a.ds1")) + Quoted(MapPath("a.ds1")));

    EXPECT_EQ(runs, 1);
    EXPECT_EQ(before.size(), 2u);  // the same path twice is taken twice
    EXPECT_EQ(after, before);
    EXPECT_EQ(outputShown, "run 1\r\ndone");
    EXPECT_EQ(optionsShown.resizeX, 77u);
    EXPECT_EQ(dt1Count, 1);
    EXPECT_EQ(script.DialogsOpened(), (std::vector<int>{IDD_LOADER, IDD_LOADER}));
    EXPECT_TRUE(script.Finished()) << test::Errors(script);
}

// Beyond 100 maps the first hundred are kept; a path longer than 255 characters is left
// out. Either is told before the window shows, so without an owner.
TEST_F(StartupTest, CommandLinesBeyondTheLimitsKeepWhatFitsAndSaySo) {
    std::string hundredAndThree;
    for (int i = 0; i < 103; ++i) hundredAndThree += Quoted(RowMap(i)) + " ";
    const std::string longPath = "C:\\" + std::string(247, 'd') + "\\a.ds1";  // 256 bytes
    const std::string fits = "C:\\" + std::string(246, 'd') + "\\b.ds1";      // 255 bytes
    Strings firstHundred;
    for (int i = 0; i < 100; ++i) firstHundred.push_back(RowMap(i));
    for (const auto& [cmd, expected] :
         {std::pair{hundredAndThree, firstHundred},
          std::pair{Quoted(longPath) + " " + Quoted(fits), Strings{fits}}}) {
        Strings paths;
        script.OnDialog(IDD_LOADER, [&](ui::Dialog& d) {
            paths = Rows(static_cast<CLoaderDlg&>(d), 1);
            d.PressEscape();
        });
        app.InitInstance(cmd);
        EXPECT_EQ(paths, expected);
    }
    ASSERT_EQ(script.MessageBoxes().size(), 2u);
    test::ExpectErrorBox(script.MessageBoxes()[0], kCommandLineTooManyMessage, 0);
    test::ExpectErrorBox(script.MessageBoxes()[1], kCommandLineTooLongMessage, 0);
}

TEST_F(StartupTest, WithoutTheProgramPathTheStartDirectoryServes) {
    app.m_programFilePath = [] { return std::optional<std::string>(); };
    std::filesystem::current_path(ProgramDir());
    script.OnDialog(IDD_LOADER, [](ui::Dialog& d) { d.PressEscape(); });
    app.InitInstance("");
    // The start directory gets a separator so that file names can be appended to it.
    ASSERT_FALSE(app.m_strExeDir.empty());
    char last = app.m_strExeDir.back();
    EXPECT_TRUE(last == '\\' || last == '/');
    std::string folder = app.m_strExeDir.substr(0, app.m_strExeDir.size() - 1);
    std::error_code ec;
    EXPECT_TRUE(std::filesystem::equivalent(folder, std::filesystem::current_path(), ec))
        << app.m_strExeDir;
}

// The system menu carries the About item, taken by the window itself, and it opens the same
// box as Help > About, with the version; Enter does not end the window, Exit ends it with
// Cancel and the program with it.
TEST_F(StartupTest, AboutItemEnterAndExit) {
    bool hasItem = false, aboutTaken = false, closeTaken = true, endedByEnter = true;
    int count = -1;
    std::string versions;
    script.OnDialog(IDD_LOADER, [&](ui::Dialog& d) {
        auto& dlg = static_cast<CLoaderDlg&>(d);
        count = dlg.m_listFiles.GetItemCount();
        hasItem = d.Window().HasSystemMenuItem(IDM_ABOUTBOX);
        aboutTaken = dlg.HandleSysCommand(IDM_ABOUTBOX | 0x3);
        closeTaken = dlg.HandleSysCommand(0xF060);  // SC_CLOSE: the default handling
        d.ChooseMenu(ID_HELP_ABOUT);
        d.DropFiles({MapPath("a.ds1")});
        d.PressEnter();
        endedByEnter = d.IsEnding();
        d.ChooseMenu(ID_FILE_EXIT);
    });
    for (int showing = 0; showing < 2; ++showing)
        script.OnDialog(IDD_ABOUTBOX, [&](ui::Dialog& about) {
            versions += about.Window().GetItemText(IDC_VERSION) + " ";
            about.PressEnter();
        });
    EXPECT_FALSE(app.InitInstance(""));
    EXPECT_EQ(count, 0);
    EXPECT_TRUE(hasItem);
    EXPECT_TRUE(aboutTaken);
    EXPECT_FALSE(closeTaken);
    EXPECT_EQ(versions, "1.014 1.014 ");
    EXPECT_FALSE(endedByEnter);
    EXPECT_EQ(runs, 0);
    EXPECT_TRUE(script.Finished()) << test::Errors(script);
}

}  // namespace
