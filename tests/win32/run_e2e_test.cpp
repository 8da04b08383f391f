// Run end to end with real windows, a real console and pipe, and the stand-in editor as the
// editor: the main window is scripted in process, RunEditor starts kelvorn.exe, and the
// window that comes back is read as a user would read it.
#include <functional>

#include "app/loader_app.h"
#include "app/loader_dlg.h"
#include "launch/editor_runner.h"
#include "res/resource.h"
#include "tests/common/helpers.h"
#include "tests/win32/file_dialog_driver.h"
#include "tests/win32/windows_helpers.h"
#include "ui/script.h"

using namespace testing_win32;

namespace {

using test::Strings;

const std::string kFiller = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789\r\n";

std::string Tail(const std::string& outputAfterReport, const std::string& stderrText,
                 int32_t exitCode) {
    char line[100];
    std::snprintf(line, sizeof line, "Editor's process Exited with code %d (0x%x)\r\n", exitCode,
                  static_cast<uint32_t>(exitCode));
    return outputAfterReport + "\r\nEnd of Standard Output.\r\n\r\nFrom stderr.txt:\r\n\r\n" +
           stderrText + "\r\nEnd of stderr.txt\r\n\r\n" + line;
}

// A program folder with its kelvorn_loader.ini and an editor folder holding a copy of the
// stand-in editor, side by side in a fresh temporary folder.
class RunE2ETest : public ::testing::Test {
  protected:
    void SetUp() override {
        root = m_temp.Path() + "\\";
        program = root + "loader\\";
        editor = root + "editor\\";
        for (const std::string& folder : {program, editor, editor + "maps\\", root + "other\\"})
            ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr))
                << folder << " " << GetLastError();
        ASSERT_TRUE(CopyFileA(StandinPath().c_str(), (editor + "kelvorn.exe").c_str(), FALSE));
        for (const char* map : {"editor\\maps\\a.ds1", "other\\b.ds1", "editor\\maps\\c.ds1"})
            m_temp.Write(map, "map");
        WriteSettings("kelvorn.exe");
        const std::string exe = program + "kelvorn_loader.exe";
        app.m_programFilePath = [exe] { return std::optional<std::string>(exe); };
    }
    // The console's host may still have the editor folder as its working folder for a
    // moment after the run, which keeps the folder from being removed.
    void TearDown() override {
        for (int attempt = 0; attempt < 30; ++attempt) {
            std::error_code ec;
            std::filesystem::remove_all(root, ec);
            if (!std::filesystem::exists(root, ec)) return;
            Sleep(100);
        }
        ADD_FAILURE() << "could not remove " << root;
    }

    void WriteSettings(const std::string& editorName) {
        m_temp.Write("loader\\kelvorn_loader.ini",
                     "kelvornpath = " + editor + "\r\nkelvornname = " + editorName +
                         "\r\n\r\n[PARAMS]\r\n"
                         "a.ds1\tAct 1 - Town\tdata\\act1\t1\t2\r\n"
                         "b.ds1\tAct 2 - Desert\tdata\\act2\t3\t4\r\n"
                         "c.ds1\tAct 3 - Jungle\tdata\\act3\t5\t4294967295\r\n");
    }
    std::string EditorNoSeparator() const { return editor.substr(0, editor.size() - 1); }

    // The stand-in's report up to its current directory line.
    std::string ReportHead(const std::string& cmd, const Strings& arguments) const {
        std::string head = "kelvorn stand-in editor\r\ncommand line: " + cmd + "\r\n";
        for (std::size_t i = 0; i < arguments.size(); ++i)
            head += "argument " + std::to_string(i) + ": " + arguments[i] + "\r\n";
        return head + "current directory: " + EditorNoSeparator() + "\r\n";
    }
    static std::string Header(const std::string& cmd) {
        return "kelvorn Loader: starting editor using command line " + cmd + "\r\n\r\n";
    }

    // Shows the main window: `first` is run in the first showing and ends it with Run;
    // the second showing is read into `back` and closed.
    struct Back {
        Strings rows;
        std::string pane;
        bool paneVisible = false;
        bool inProgramDir = false;
        std::string output;  // the whole text, which the pane may not hold
    };
    Back RunOnce(std::function<void(CLoaderDlg&)> first) {
        Back back;
        script.OnDialog(IDD_LOADER, [first](ui::Dialog& d) {
            first(static_cast<CLoaderDlg&>(d));
            if (!d.IsEnding()) d.ChooseMenu(ID_FILE_RUN);
        });
        script.OnDialog(IDD_LOADER, [&](ui::Dialog& d) {
            auto& dlg = static_cast<CLoaderDlg&>(d);
            for (int i = 0; i < dlg.m_listFiles.GetItemCount(); ++i) {
                std::string row;
                for (int c = 0; c < 5; ++c)
                    row += (c ? "|" : "") + dlg.m_listFiles.GetItemText(i, c);
                back.rows.push_back(row);
            }
            if (!dlg.m_bShowOutput) d.ChooseMenu(ID_VIEW_OUTPUT);
            back.pane = d.Window().GetItemText(IDC_OUTPUT);
            back.paneVisible = d.Window().IsItemVisible(IDC_OUTPUT);
            char dir[MAX_PATH];
            back.inProgramDir =
                std::string(dir, GetCurrentDirectoryA(MAX_PATH, dir)) + "\\" == program;
            back.output = dlg.m_strOutput;
            d.PressEscape();
        });
        {
            test::CurrentFolderScope keep(root);
            ConsoleScope console;
            app.InitInstance("");
        }
        return back;
    }
    static void Check(ui::Dialog& d, int id) {
        d.Window().SetCheck(id, true);
        d.ClickButton(id);
    }
    Strings BoxTexts() const { return test::BoxTexts(script); }

    test::TempFolder m_temp;
    std::string root, program, editor;
    ui::Script script;
    CLoaderApp app;
};

TEST_F(RunE2ETest, OneMapWithOptions) {
    const Back back = RunOnce([&](CLoaderDlg& d) {
        d.ChooseMenu(ID_VIEW_PARAMETERS);
        d.DropFiles({editor + "maps\\a.ds1"});
        Check(d, IDC_NO_CHECK_ACT);
        Check(d, IDC_FORCE_PAL);
        d.TypeText(IDC_ACT, "3");
        Check(d, IDC_RESIZE);
        d.TypeText(IDC_RESIZE_X, "2");
        d.TypeText(IDC_RESIZE_Y, "40");
    });
    const std::string cmd =
        "\"kelvorn.exe\" \"maps\\a.ds1\" 1 2 -no_check_act -force_pal 3 -resize 2 40";
    const std::string report =
        ReportHead(cmd, {"kelvorn.exe", "maps\\a.ds1", "1", "2", "-no_check_act", "-force_pal", "3",
                         "-resize", "2", "40"}) +
        "shape: one map\r\nmap: maps\\a.ds1 (found)\r\nlvltype id: 1\r\nlvlprest def: 2\r\n"
        "switch: -no_check_act\r\nswitch: -force_pal 3\r\nswitch: -resize 2 40\r\n";
    EXPECT_EQ(back.pane, Header(cmd) + Tail(report, "stand-in editor: no errors\r\n", 0));
    EXPECT_TRUE(back.paneVisible);
    EXPECT_EQ(back.rows, Strings{editor + "maps\\a.ds1|Act 1 - Town|data\\act1|1|2"});
    EXPECT_TRUE(back.inProgramDir);
    EXPECT_TRUE(script.MessageBoxes().empty()) << BoxTexts().front();
    EXPECT_TRUE(script.Errors().empty()) << script.Errors().front();
}

TEST_F(RunE2ETest, OneMapWithForcedTilesAndAFailingEditor) {
    EnvironmentScope exitCode("KELVORN_STANDIN_EXIT", "-1");
    EnvironmentScope stderrText("KELVORN_STANDIN_STDERR", "it went wrong\\r\\n");
    m_temp.Write("editor\\floor.dt1", "dt1");
    const Back back = RunOnce([&](CLoaderDlg& d) {
        d.DropFiles({root + "other\\b.ds1"});
        d.m_dt1Dlg.m_dt1Files[0] = editor + "floor.dt1";
        d.m_dt1Dlg.m_dt1Files[1] = root + "other\\wall.dt1";
        d.m_dt1Dlg.m_nDt1Count = 2;
        Check(d, IDC_FORCE_DT1);
    });
    const std::string b = root + "other\\b.ds1";
    const std::string wall = root + "other\\wall.dt1";
    const std::string cmd =
        "\"kelvorn.exe\" \"" + b + "\" -force_dt1 \"floor.dt1\" \"" + wall + "\"";
    const std::string report =
        ReportHead(cmd, {"kelvorn.exe", b, "-force_dt1", "floor.dt1", wall}) +
        "shape: one map, forced .dt1\r\nmap: " + b + " (found)\r\ndt1 1: floor.dt1 (found)\r\n" +
        "dt1 2: " + wall + " (missing)\r\n";
    EXPECT_EQ(back.pane, Header(cmd) + Tail(report, "it went wrong\r\n", -1));
}

TEST_F(RunE2ETest, ThreeMapsThroughTempIni) {
    const Back back = RunOnce([&](CLoaderDlg& d) {
        d.DropFiles({editor + "maps\\a.ds1", root + "other\\b.ds1", editor + "maps\\c.ds1"});
    });
    const std::string list = program + "temp.ini";
    const std::string cmd = "\"kelvorn.exe\" \"" + list + "\"";
    const std::string b = root + "other\\b.ds1";
    const std::string report =
        ReportHead(cmd, {"kelvorn.exe", list}) + "shape: map list\r\nmap list: " + list +
        "\r\nlist line 1: 1 2 maps\\a.ds1\r\nmap: maps\\a.ds1 (found)\r\n"
        "list line 2: 3 4 " +
        b + "\r\nmap: " + b +
        " (found)\r\n"
        "list line 3: 5 4294967295 maps\\c.ds1\r\nmap: maps\\c.ds1 (found)\r\n";
    EXPECT_EQ(back.pane, Header(cmd) + Tail(report, "stand-in editor: no errors\r\n", 0));
    EXPECT_EQ(m_temp.Read("loader\\temp.ini"),
              "1 2 maps\\a.ds1\r\n3 4 " + b + "\r\n5 4294967295 maps\\c.ds1\r\n");
    EXPECT_EQ(back.rows, (Strings{editor + "maps\\a.ds1|Act 1 - Town|data\\act1|1|2",
                                  b + "|Act 2 - Desert|data\\act2|3|4",
                                  editor + "maps\\c.ds1|Act 3 - Jungle|data\\act3|5|4294967295"}));
}

TEST_F(RunE2ETest, MissingEditorIsToldAndTheWindowComesBackAsItWas) {
    WriteSettings("missing.exe");
    const Back back = RunOnce([&](CLoaderDlg& d) {
        d.DropFiles({editor + "maps\\a.ds1"});
        d.m_dt1Dlg.m_dt1Files[0] = editor + "floor.dt1";
        d.m_dt1Dlg.m_nDt1Count = 1;
        Check(d, IDC_FORCE_DT1);
        Check(d, IDC_FORCE_PAL);
        d.TypeText(IDC_ACT, "4");
    });
    ASSERT_EQ(script.MessageBoxes().size(), 1u);
    test::ExpectErrorBox(script.MessageBoxes()[0], "Failed to Create New Process for ds1 Editor",
                         0);
    const std::string cmd = "\"missing.exe\" \"maps\\a.ds1\" -force_pal 4 -force_dt1 \"floor.dt1\"";
    EXPECT_EQ(back.pane, Header(cmd));
    EXPECT_EQ(back.rows, Strings{editor + "maps\\a.ds1|Act 1 - Town|data\\act1|1|2"});
}

TEST_F(RunE2ETest, EveryByteOfALongOutputIsKeptAndTheEditorsChildIsNotWaitedFor) {
    EnvironmentScope linger("KELVORN_STANDIN_LINGER_MS", "60000");
    EnvironmentScope print("KELVORN_STANDIN_PRINT", "last words\\r\\n");
    EnvironmentScope bytes("KELVORN_STANDIN_EXTRA_BYTES", "3000005");  // ends in part of a line
    const std::string output =
        RunOnce([&](CLoaderDlg& d) { d.DropFiles({editor + "maps\\a.ds1"}); }).output;
    // The filler follows the printed words; the grandchild's id is the editor's last line,
    // written after it was started.
    const std::string marker = "lvlprest def: 2\r\nlast words\r\n";
    const std::size_t start = output.find(marker) + marker.size();
    const std::size_t end = output.find("grandchild: ", start);
    ASSERT_NE(end, std::string::npos);
    ASSERT_NE(output.find("\r\n\r\nEnd of Standard Output.", end), std::string::npos);
    const std::string filler = output.substr(start, end - start);
    ASSERT_EQ(filler.size(), 3000005u);
    for (std::size_t at = 0; at < filler.size(); at += kFiller.size())
        ASSERT_EQ(filler.compare(at, kFiller.size(), kFiller, 0, filler.size() - at), 0) << at;
    // It still holds the pipe: the loader did not wait for it. It holds the editor folder
    // too; let it go before the folder is removed.
    const DWORD pid = std::strtoul(output.c_str() + end + 12, nullptr, 10);
    HANDLE grandchild = OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, pid);
    ASSERT_NE(grandchild, nullptr) << pid;
    EXPECT_EQ(WaitForSingleObject(grandchild, 0), static_cast<DWORD>(WAIT_TIMEOUT));
    TerminateProcess(grandchild, 0);
    WaitForSingleObject(grandchild, 5000);
    CloseHandle(grandchild);
}

TEST_F(RunE2ETest, ManyRunsInARowLeaveNoHandleBehind) {
    const int kRuns = 12;
    const long consoleKept = ConsoleHandlesKept(kRuns);
    // The count must see handles at all, or the comparison below proves nothing.
    const long empty = HandleCount();
    HANDLE readEnd, writeEnd;
    ASSERT_TRUE(CreatePipe(&readEnd, &writeEnd, nullptr, 0));
    EXPECT_EQ(HandleCount(), empty + 2);
    CloseHandle(readEnd);
    CloseHandle(writeEnd);

    long afterWarmUp = -1, atEnd = -1;
    int shown = 0;
    const int kWarmUp = 2;
    for (int i = 0; i <= kWarmUp + kRuns; ++i) {
        script.OnDialog(IDD_LOADER, [&, i](ui::Dialog& d) {
            ++shown;
            if (i == 0) d.DropFiles({editor + "maps\\a.ds1"});
            if (i == kWarmUp) afterWarmUp = HandleCount();
            if (i == kWarmUp + kRuns) {
                atEnd = HandleCount();
                d.PressEscape();
            } else {
                d.ChooseMenu(ID_FILE_RUN);
            }
        });
    }
    {
        test::CurrentFolderScope keep(root);
        ConsoleScope console;
        app.InitInstance("");
    }
    EXPECT_EQ(shown, kWarmUp + kRuns + 1);
    EXPECT_TRUE(script.MessageBoxes().empty()) << BoxTexts().front();
    EXPECT_EQ(atEnd - afterWarmUp, consoleKept);
}

// Make Batch and Load Batch through the real save and open dialogs; the batch run by the
// command processor, with Enter waiting for its pause.
class BatchE2ETest : public RunE2ETest {
  protected:
    // Runs `command` on a window listing `rows`, typing `path` into its file dialog; returns
    // the path and LvlType ID of each row afterwards.
    Strings Command(const Strings& rows, int command, const std::string& path) {
        Strings after;
        script.OnDialog(IDD_LOADER, [&](ui::Dialog& d) {
            if (!rows.empty()) d.DropFiles(rows);
            script.ShowRealFileDialog();
            kelvorn_test::DialogDriver drive(sys::win32::Widen(path));
            d.ChooseMenu(command);
            const ui::ListView& list = static_cast<CLoaderDlg&>(d).m_listFiles;
            for (int i = 0; i < list.GetItemCount(); ++i)
                after.push_back(list.GetItemText(i, 0) + "|" + list.GetItemText(i, 3));
            d.PressEscape();
        });
        app.m_strExeDir = program;
        test::CurrentFolderScope keep(root);  // the window makes the program folder current
        CLoaderDlg().DoModal();
        EXPECT_TRUE(script.MessageBoxes().empty()) << BoxTexts().front();
        return after;
    }
    // The batch run by the command processor through the program's own runner, Enter
    // waiting on its input; what it printed, and its exit code line.
    struct BatchRun {
        std::string printed, exitLine;
    };
    BatchRun RunBatch(const std::string& batch) {
        test::CurrentFolderScope keep(editor);  // where the batch leaves stderr.txt
        EXPECT_TRUE(WriteBytes(root + "enter.txt", "\r\n"));
        const std::string command = "cmd /c \"\"" + batch + "\" < \"" + root + "enter.txt\"\"";
        std::string output;
        {
            ConsoleScope console;
            EXPECT_EQ(RunCapturedEditor(sys::SystemProcessApi(), command, output), "");
        }
        const std::size_t begin = output.find("\r\n\r\n") + 4, end = output.find(kEndOfOutput);
        if (end == std::string::npos) return {output, ""};
        return {output.substr(begin, end - begin), output.substr(output.rfind("Editor's"))};
    }
    std::string BatchText(const std::string& line3) const {
        return "@echo off\r\ncd \"" + editor + "\"\r\n" + line3 +
               "\r\nIf ERRORLEVEL 0 goto DONE\r\npause\r\n:DONE\r\n";
    }
};

TEST_F(BatchE2ETest, OneMapWrittenRunAndReadBack) {
    Command({editor + "maps\\a.ds1"}, ID_FILE_MAKE_BATCH, root + "other\\one.bat");
    const std::string cmd = "\"kelvorn.exe\" \"maps\\a.ds1\" 1 2";
    const std::string debug = root + "other\\one_debug.txt";
    EXPECT_EQ(ReadBytes(root + "other\\one.bat"), BatchText(cmd + " > \"" + debug + "\""));
    const BatchRun run = RunBatch(root + "other\\one.bat");
    EXPECT_EQ(run.printed, "");
    EXPECT_EQ(run.exitLine, ExitCodeLine(0));
    // The command processor passes the blank before the redirection on.
    EXPECT_EQ(ReadBytes(debug), ReportHead(cmd + " ", {"kelvorn.exe", "maps\\a.ds1", "1", "2"}) +
                                    "shape: one map\r\nmap: maps\\a.ds1 (found)\r\n"
                                    "lvltype id: 1\r\nlvlprest def: 2\r\n");
    EXPECT_EQ(ReadBytes(editor + "stderr.txt"), "stand-in editor: no errors\r\n");
    EXPECT_EQ(Command({}, ID_FILE_LOAD_BATCH, root + "other\\one.bat"),
              Strings{editor + "maps\\a.ds1|1"});
}

TEST_F(BatchE2ETest, ThreeMapsWithAFailingEditor) {
    ASSERT_TRUE(CreateDirectoryA((editor + "batches").c_str(), nullptr));
    const std::string b = root + "other\\b.ds1";
    Command({editor + "maps\\a.ds1", b, editor + "maps\\c.ds1"}, ID_FILE_MAKE_BATCH,
            editor + "batches\\three");
    const std::string cmd = "\"kelvorn.exe\" \"batches\\three.ini\"";
    EXPECT_EQ(ReadBytes(editor + "batches\\three.bat"),
              BatchText(cmd + " > \"batches\\three_debug.txt\""));
    EXPECT_EQ(ReadBytes(editor + "batches\\three.ini"),
              "1 2 maps\\a.ds1\r\n3 4 " + b + "\r\n5 4294967295 maps\\c.ds1\r\n");
    EnvironmentScope exitCode("KELVORN_STANDIN_EXIT", "-1");
    const BatchRun run = RunBatch(editor + "batches\\three.bat");
    EXPECT_NE(run.printed.find("Press any key"), std::string::npos) << run.printed;
    EXPECT_EQ(ReadBytes(editor + "batches\\three_debug.txt"),
              ReportHead(cmd + " ", {"kelvorn.exe", "batches\\three.ini"}) +
                  "shape: map list\r\nmap list: batches\\three.ini\r\n"
                  "list line 1: 1 2 maps\\a.ds1\r\nmap: maps\\a.ds1 (found)\r\n"
                  "list line 2: 3 4 " +
                  b + "\r\nmap: " + b +
                  " (found)\r\n"
                  "list line 3: 5 4294967295 maps\\c.ds1\r\nmap: maps\\c.ds1 (found)\r\n");
    // Found again through the cd directory and the editor folder, last line first.
    EXPECT_EQ(Command({}, ID_FILE_LOAD_BATCH, editor + "batches\\three.bat"),
              (Strings{editor + "maps\\c.ds1|5", b + "|3", editor + "maps\\a.ds1|1"}));
}

}  // namespace
