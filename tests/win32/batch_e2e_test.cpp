// Make Batch and Load Batch end to end: real save and open dialogs typed into, the written
// batch run by the command processor with the stand-in editor, and read back again.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "app/loader_app.h"
#include "app/loader_dlg.h"
#include "res/resource.h"
#include "tests/win32/child_capture.h"
#include "tests/win32/file_dialog_driver.h"
#include "ui/script.h"

using namespace testing_win32;

namespace {

using Strings = std::vector<std::string>;

class BatchE2ETest : public ::testing::Test {
  protected:
    void SetUp() override {
        root = m_temp.Path() + std::to_string(GetTickCount64()) + "\\";
        program = root + "loader\\";
        editor = root + "editor\\";
        for (const std::string& folder : {root, program, editor, editor + "maps\\",
                                          editor + "batches\\", root + "other\\", root + "out\\"})
            ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr)) << folder;
        ASSERT_TRUE(CopyFileA(StandinPath().c_str(), (editor + "kelvorn.exe").c_str(), FALSE));
        for (const std::string& map :
             {editor + "maps\\a.ds1", root + "other\\b.ds1", editor + "maps\\c.ds1"})
            ASSERT_TRUE(WriteBytes(map, "map"));
        ASSERT_TRUE(WriteBytes(program + "kelvorn_loader.ini",
                               "kelvornpath = " + editor +
                                   "\r\nkelvornname = kelvorn.exe\r\n"
                                   "\r\n[PARAMS]\r\na.ds1\tAct 1 - Town\tdata\\act1\t1\t2\r\n"
                                   "b.ds1\tAct 2 - Desert\tdata\\act2\t3\t4\r\n"
                                   "c.ds1\tAct 3 - Jungle\tdata\\act3\t5\t4294967295\r\n"));
        ASSERT_TRUE(WriteBytes(root + "enter.txt", "\r\n"));
        app.m_strExeDir = program;
    }
    // The stand-in may still hold the editor folder for a moment after it ended.
    void TearDown() override {
        for (int attempt = 0; attempt < 30 && std::filesystem::exists(root); ++attempt) {
            std::error_code ec;
            std::filesystem::remove_all(root, ec);
            if (ec) Sleep(100);
        }
    }

    // Shows the main window with `rows` and runs `command` with the real file dialog
    // answered by `typed`; returns the rows afterwards.
    Strings Command(const Strings& rows, int command, const std::string& typed) {
        Strings after;
        script.OnDialog(IDD_LOADER, [&](ui::Dialog& d) {
            auto& dlg = static_cast<CLoaderDlg&>(d);
            dlg.DropFiles(rows);
            script.ShowRealFileDialog();
            {
                kelvorn_test::DialogDriver drive(sys::win32::Widen(typed));
                dlg.ChooseMenu(command);
            }
            for (int i = 0; i < dlg.m_listFiles.GetItemCount(); ++i) {
                std::string row;
                for (int c = 0; c < 5; ++c)
                    row += (c ? "|" : "") + dlg.m_listFiles.GetItemText(i, c);
                after.push_back(row);
            }
            d.PressEscape();
        });
        CLoaderDlg dlg;
        dlg.DoModal();
        EXPECT_TRUE(script.MessageBoxes().empty()) << script.MessageBoxes()[0].text;
        EXPECT_TRUE(script.Finished());
        return after;
    }
    // The command processor runs the batch; its pause, if reached, reads Enter.
    Capture RunBatch(const std::string& batch) {
        CurrentDirectoryScope keep(root);
        return CaptureChild("cmd /c \"\"" + batch + "\" < \"" + root + "enter.txt\"\"");
    }
    std::string StandinReport(const Strings& arguments, const std::string& rest) const {
        std::string report;
        for (std::size_t i = 0; i < arguments.size(); ++i)
            report += "argument " + std::to_string(i) + ": " + arguments[i] + "\r\n";
        return report + "current directory: " + editor.substr(0, editor.size() - 1) + "\r\n" + rest;
    }
    // The debug file without its first two lines (the name and the raw command line).
    std::string DebugReport(const std::string& path) const {
        std::string text = ReadBytes(path).value_or("(none)");
        std::size_t second = text.find("\r\n", text.find("\r\n") + 2);
        return second == std::string::npos ? text : text.substr(second + 2);
    }

    std::string root, program, editor;
    ui::Script script;
    CLoaderApp app;

  private:
    TempFolder m_temp;
};

TEST_F(BatchE2ETest, OneMap) {
    Command({editor + "maps\\a.ds1"}, ID_FILE_MAKE_BATCH, root + "out\\one.bat");
    const std::string debug = root + "out\\one_debug.txt";
    EXPECT_EQ(ReadBytes(root + "out\\one.bat"),
              "@echo off\r\ncd \"" + editor + "\"\r\n\"kelvorn.exe\" \"maps\\a.ds1\" 1 2 > \"" +
                  debug + "\"\r\nIf ERRORLEVEL 0 goto DONE\r\npause\r\n:DONE\r\n");

    const Capture run = RunBatch(root + "out\\one.bat");
    ASSERT_TRUE(run.started);
    EXPECT_EQ(run.exitCode, 0u);
    EXPECT_EQ(run.output, "");  // no pause
    EXPECT_EQ(DebugReport(debug),
              StandinReport({"kelvorn.exe", "maps\\a.ds1", "1", "2"},
                            "shape: one map\r\nmap: maps\\a.ds1 (found)\r\nlvltype id: 1\r\n"
                            "lvlprest def: 2\r\n"));
    EXPECT_EQ(ReadBytes(editor + "stderr.txt"), "stand-in editor: no errors\r\n");

    EXPECT_EQ(Command({}, ID_FILE_LOAD_BATCH, root + "out\\one.bat"),
              Strings{editor + "maps\\a.ds1|Act 1 - Town|data\\act1|1|2"});
}

TEST_F(BatchE2ETest, ThreeMapsWithAFailingEditor) {
    const std::string b = root + "other\\b.ds1";
    Command({editor + "maps\\a.ds1", b, editor + "maps\\c.ds1"}, ID_FILE_MAKE_BATCH,
            editor + "batches\\three");
    EXPECT_EQ(ReadBytes(editor + "batches\\three.bat"),
              "@echo off\r\ncd \"" + editor +
                  "\"\r\n\"kelvorn.exe\" \"batches\\three.ini\" > \"batches\\three_debug.txt\"\r\n"
                  "If ERRORLEVEL 0 goto DONE\r\npause\r\n:DONE\r\n");
    EXPECT_EQ(ReadBytes(editor + "batches\\three.ini"),
              "1 2 maps\\a.ds1\r\n3 4 " + b + "\r\n5 4294967295 maps\\c.ds1\r\n");

    EnvironmentScope exitCode("KELVORN_STANDIN_EXIT", "-1");
    const Capture run = RunBatch(editor + "batches\\three.bat");
    ASSERT_TRUE(run.started);
    EXPECT_NE(run.output.find("Press any key"), std::string::npos) << run.output;
    EXPECT_EQ(
        DebugReport(editor + "batches\\three_debug.txt"),
        StandinReport({"kelvorn.exe", "batches\\three.ini"},
                      "shape: map list\r\nmap list: batches\\three.ini\r\n"
                      "list line 1: 1 2 maps\\a.ds1\r\nmap: maps\\a.ds1 (found)\r\n"
                      "list line 2: 3 4 " +
                          b + "\r\nmap: " + b +
                          " (found)\r\n"
                          "list line 3: 5 4294967295 maps\\c.ds1\r\nmap: maps\\c.ds1 (found)\r\n"));

    // Found again through the cd directory and the editor folder, last line first.
    EXPECT_EQ(Command({}, ID_FILE_LOAD_BATCH, editor + "batches\\three.bat"),
              (Strings{editor + "maps\\c.ds1|Act 3 - Jungle|data\\act3|5|4294967295",
                       b + "|Act 2 - Desert|data\\act2|3|4",
                       editor + "maps\\a.ds1|Act 1 - Town|data\\act1|1|2"}));
}

}  // namespace
