// Make Batch's files run by Wine's cmd from another drive than the editor's, beside maps in a
// folder named with "%", and read back by Load Batch.
#include <filesystem>
#include <fstream>

#include "launch/batch_file.h"
#include "sys/win32/wide.h"
#include "tests/dialogs/loader_dlg_fixture.h"
#include "tests/win32/windows_helpers.h"

using namespace testing_win32;

namespace {

namespace fs = std::filesystem;

// cmd /c `batch`, started in `folder`: its exit code, -1 if it does not end in 30 s.
long RunByCmd(const std::string& folder, const std::string& batch) {
    std::wstring line = L"cmd.exe /c \"" + sys::win32::Widen(batch) + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr,
                        sys::win32::Widen(folder).c_str(), &startup, &process))
        return -2;
    DWORD code = static_cast<DWORD>(-1);
    if (WaitForSingleObject(process.hProcess, 30000) == WAIT_OBJECT_0)
        GetExitCodeProcess(process.hProcess, &code);
    TerminateProcess(process.hProcess, 1);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    return static_cast<long>(code);
}

// The editor folder on C:; maps and batch files on D:, a scratch folder (tools/wine_env.sh).
class BatchOnAnotherDriveTest : public LoaderDlgTest {
  protected:
    void SetUp() override {
        LoaderDlgTest::SetUp();
        ASSERT_TRUE(editorDir.starts_with("C:\\")) << editorDir;
        ASSERT_EQ(GetDriveTypeA("D:\\"), static_cast<UINT>(DRIVE_FIXED))
            << "no drive D: (tools/wine_env.sh start maps it)";
        ASSERT_TRUE(CopyFileA(BuiltProgram("kelvorn.exe").c_str(),
                              (editorDir + "kelvorn.exe").c_str(), FALSE));
        drive = "D:\\kelvorn-" + std::to_string(GetTickCount64()) + "\\";
        maps = drive + "100% maps\\";
        ASSERT_TRUE(fs::create_directories(maps));
        for (const char* map : {"a.ds1", "go!.ds1"}) std::ofstream(maps + map) << "map";
        m_folder.Write("kelvorn_loader.ini",
                       TableText(editorDir) + "go!.ds1\tBang\tdata\\bang\t5\t6\r\n");
    }
    void TearDown() override {
        std::error_code ec;
        fs::remove_all(drive, ec);
        LoaderDlgTest::TearDown();
    }
    // Make Batch on `mapNames`, saved beside them as `name`; the rows Load Batch gives back.
    Strings MakeAndLoad(const Strings& mapNames, const std::string& name) {
        Strings paths, rows;
        for (const std::string& map : mapNames) paths.push_back(maps + map);
        script.AnswerOpenFile({maps + name});
        CLoaderDlg made;
        Show(made, [&](CLoaderDlg& d) {
            d.DropFiles(paths);
            d.Window().SendCommand(ID_FILE_MAKE_BATCH, 0);
        });
        script.AnswerOpenFile({maps + name});
        CLoaderDlg loaded;
        Show(loaded, [&](CLoaderDlg& d) {
            d.Window().SendCommand(ID_FILE_LOAD_BATCH, 0);
            rows = Rows(d, 4);
        });
        return rows;
    }
    std::string drive, maps;
};

// cmd on D: changes to the editor folder on C: and hands the editor the exact map paths,
// "%" and "!" included; the debug file and stderr.txt are written.
TEST_F(BatchOnAnotherDriveTest, RunsFromTheBatchFilesDriveWithTheExactMapPaths) {
    const std::string bang = maps + "go!.ds1", a = maps + "a.ds1";
    EXPECT_EQ(MakeAndLoad({"go!.ds1"}, "one.bat"), Strings{bang + "|Bang|data\\bang|5"});
    EXPECT_EQ(MakeAndLoad({"a.ds1", "go!.ds1"}, "list.bat"),
              (Strings{bang + "|Bang|data\\bang|5", a + "|Act 1 - Town|data\\act1\\town|1"}));
    EXPECT_TRUE(script.MessageBoxes().empty()) << test::BoxTexts(script).front();

    const std::string here = "current directory: " + editorDir.substr(0, editorDir.size() - 1);
    const std::pair<std::string, Strings> cases[] = {
        {"one", {here, "map: " + bang + " (found)"}},
        {"list",
         {here, "map list: " + maps + "list.ini", "map: " + a + " (found)",
          "map: " + bang + " (found)"}},
    };
    for (const auto& [name, lines] : cases) {
        fs::remove(editorDir + "stderr.txt");
        EXPECT_EQ(RunByCmd(maps, name + ".bat"), 0) << name;
        const std::string report = test::ReadFile(maps + name + "_debug.txt");
        for (const std::string& line : lines)
            EXPECT_NE(report.find("\r\n" + line + "\r\n"), std::string::npos) << line << report;
        EXPECT_EQ(test::ReadFile(editorDir + "stderr.txt"), "stand-in editor: no errors\r\n");
    }

    // Without /d, cmd stays on D: and finds no editor there.
    std::string batch = test::ReadFile(maps + "list.bat");
    ASSERT_EQ(batch.find("\r\ncd /d \""), 9u) << batch;
    std::ofstream(maps + "old.bat", std::ios::binary) << batch.replace(11, 6, "cd ");
    fs::remove(maps + "list_debug.txt");
    fs::remove(editorDir + "stderr.txt");
    EXPECT_NE(RunByCmd(maps, "old.bat"), 0);
    EXPECT_EQ(test::ReadFile(maps + "list_debug.txt").find("stand-in"), std::string::npos);
    EXPECT_FALSE(fs::exists(editorDir + "stderr.txt"));
}

}  // namespace
