// Run's and Make Batch's refusals and Load Batch's search for each map, on real files.
#include <algorithm>

#include "editorcfg/settings_writer.h"
#include "launch/batch_file.h"
#include "launch/editor_location.h"
#include "loadercfg/editor_location_check.h"
#include "tests/dialogs/loader_dlg_fixture.h"

namespace {

namespace fs = std::filesystem;

// A batch file as Make Batch wrote it before it changed drive and doubled "%".
const std::string kOldBatch =
    "@echo off\r\ncd \"C:\\Ed\\\"\r\n\"k.exe\" \"m.ini\" > \"m_debug.txt\"\r\n"
    "If ERRORLEVEL 0 goto DONE\r\npause\r\n:DONE\r\n";

class BatchTest : public LoaderDlgTest {
  protected:
    // `relative` in the program folder, '/' written as the platform's separator.
    std::string In(std::string relative) const {
        std::replace(relative.begin(), relative.end(), '/', test::TempFolder::kSeparator);
        return ProgramDir() + relative;
    }
    void Write(const std::string& relative, const std::string& text) const {
        fs::create_directories(fs::path(In(relative)).parent_path());
        m_folder.Write(relative, text);
    }
};

// Each command on a window listing b.ds1. A refusal says why in one box and leaves the
// window open, the rows unsaved, the working directory as it was and nothing started.
TEST_F(BatchTest, EachMapIsTakenWhereFirstFoundAndEveryFailureIsTold) {
    const int kLoad = ID_FILE_LOAD_BATCH, kMake = ID_FILE_MAKE_BATCH, kRun = ID_FILE_RUN;
    const std::string &editor = editorDir, deep = "/" + std::string(250, 'd');
    for (const char* file :
         {"a.ds1", "editor/a.ds1", "editor/neg.ds1", "cd/r001.ds1", "cd/r002.ds1",
          "editor/r002.ds1", "twice.ds1", "editor/twice.ds1", "editor/lost.ds1"})
        Write(file, "map");
    Write("editor/deep" + deep + deep + "/r5.ds1", "map");
    for (const char* file : {"r100.ds1", "r101.ds1", "r102.ds1", "r103.ds1", "r104.ds1"})
        Write(file, "old");
    Write("old.bat", kOldBatch);
    Write("main.ini",
          "1 2 a.ds1\r\n0 0 neg.ds1\r\n9 9 r002.ds1\r\n0 0 r001.ds1\r\n0 0 gone.ds1\r\n"
          "0 0 twice.ds1\r\n0 0 lost.ds1\r\n\r\n0 0 r003.ds1\r\n");
    Write("cd/list.bat", "@echo off\ncd \"" + In("cd/") + "\"\n\"k.exe\" list.ini > \"d.txt\"");
    Write("cd/list.ini", "0 0 r001.ds1\n0 0 r002.ds1\n");
    Write("short.bat", "@echo off\r\ncd x\r\n");
    Write("nolist.bat", "@echo off\r\ncd \"" + In("cd/") + "\"\r\nk.exe \"no.ini\" 1\r\n");
    Write("five.ini", "0 0 r100.ds1\n0 0 r101.ds1\n0 0 r102.ds1\n0 0 r103.ds1\n0 0 r104.ds1\n");
    Write("deep.ini", "0 0 " + In("deep" + deep + deep + "/r5.ds1").substr(ProgramDir().size()));
    using Before = std::function<void(CLoaderDlg&)>;
    const std::string badIni = "Bad Ini File", in = " in kelvorn_loader.ini",
                      noTable = "Unable to Open kelvorn_loader.ini",
                      noRowsMessage = "No Files Added  to List",
                      noKeys = "Unable to Find kelvornpath and kelvornname Entry" + in;
    auto table = [&](std::string text) -> Before {
        return [=, this](CLoaderDlg&) { m_folder.Write("kelvorn_loader.ini", text); };
    };
    auto location = [&](std::string folder, std::string name) {
        return table("kelvornpath = " + folder + "\r\nkelvornname = " + name + "\r\n");
    };
    const Before noIni = [&](CLoaderDlg&) { fs::remove(In("kelvorn_loader.ini")); };
    const Before badKeys = table("kelvornpath=" + editor + "\nkelvornname = k\n");
    const Before cancelChoice = [&](CLoaderDlg&) {
        script.OnDialog(IDD_SELECT_PARAMS, Choose(-1, true, false));
    };
    const Before fill97 = [](CLoaderDlg& d) { FillRows(d, 97); };
    const Before noRows = [](CLoaderDlg& d) { d.m_listFiles.DeleteItem(0); };
    const Before forceDt1 = [](CLoaderDlg& d) { d.Window().SetCheck(IDC_FORCE_DT1, true); };
    const Before upperName = table("kelvornpath = " + editor + "\r\nKELVORNNAME = k.exe\r\n");
    const Before longMap = [](CLoaderDlg& d) {
        d.m_listFiles.SetItemText(0, kColPath, "C:\\" + std::string(490, 'd') + "\\b.ds1");
    };
    const Before blockBat = [&](CLoaderDlg&) {
        fs::permissions(In("old.bat"), fs::perms::owner_write, fs::perm_options::remove);
    };
    const Before blockIni = [&](CLoaderDlg& d) {
        d.DropFiles({MapPath("a.ds1")});
        fs::create_directory(In("old.ini"));
    };
    const Before goneFolder = [&](CLoaderDlg& d) {
        d.DropFiles({MapPath("a.ds1")});
        location(In("gone/"), "kelvorn.exe")(d);
    };
    const Before blockList = [&](CLoaderDlg& d) {  // or the editor opens an older list
        d.DropFiles({MapPath("a.ds1")});
        EXPECT_FALSE(fs::exists(In("temp.ini")));  // no refusal before wrote one
        fs::create_directory(In("temp.ini"));
    };
    const struct {
        int command;
        std::string chosen;  // answers the file dialog; "" when none opens
        Before before = {};
        Strings messages = {}, added = {};
    } cases[] = {
        // clang-format off
        // Last line first: as written, in the editor folder, in the cd directory; a map
        // the lookup does not resolve ends there.
        {kLoad, In("main.ini"), cancelChoice, {badIni, "Unable to Find lost.ds1" + in},
         {editor + "r002.ds1|3", editor + "neg.ds1|7", "a.ds1|1"}},
        {kLoad, In("cd/list.bat"), {}, {}, {editor + "r002.ds1|3", In("cd/r001.ds1|2")}},
        {kLoad, "cancel"},
        {kLoad, In("none.bat"), {}, {"Failed to open specified File"}},
        {kLoad, In("short.bat"), {}, {"Bad Batch File"}},
        {kLoad, In("nolist.bat"), {}, {"Failed to find no.ini"}},
        {kLoad, In("main.ini"), noIni, {badIni, noTable}},
        {kLoad, In("main.ini"), badKeys, {badIni, "Unable to Find kelvornpath Entry" + in}},
        {kLoad, In("five.ini"), fill97, {"Maximum Files in List reached"},
         {"r104.ds1|105", "r103.ds1|104"}},
#ifndef _WIN32  // deeper than Windows paths go
        {kLoad, In("deep.ini"), {}, {kPathTooLongMessage}},
#endif
        {kMake, "cancel"},
        {kMake, "", noRows, {noRowsMessage}},
        {kMake, In(std::string(502 - ProgramDir().size(), 'm')), {}, {kBatchPathTooLongMessage}},
        {kMake, In("old.bat"), noIni, {noTable}},
        {kMake, In("old.bat"), badKeys, {noKeys}},
        {kMake, In("old.bat"), forceDt1, {"You must enter at least 1 .dt1 in the list"}},
        {kMake, In("old.bat"), blockBat, {"Unable to Open " + In("old.bat") + "!"}},
        {kMake, In("old.bat"), blockIni, {"Unable to Open " + In("old.ini") + "!"}},
        {kMake, In("old.bat"), location(editor, "k\".exe"),
         {UnusableEditorLocationMessage("", "\"")}},
        {kRun, "", noRows, {noRowsMessage}},
        {kRun, "", upperName, {noKeys}},
        {kRun, "", location(editor + "\x7f", "k.exe"), {UnusableEditorLocationMessage("\n", "")}},
        {kRun, "", longMap, {"The editor's command line would be 519 characters long; at most "
                             "511 fit.\nUse shorter paths, a shorter editor location or fewer "
                             "forced .dt1 files."}},
        {kRun, "", goneFolder, {kEditorFolderMissingMessage + In("gone/")}},
        {kRun, "", blockList, {"Unable to Open " + In("temp.ini") + "!"}},
    };  // clang-format on
    Strings messages;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.chosen + ::testing::PrintToString(c.messages));
        m_folder.Write("kelvorn_loader.ini", TableText(editorDir));
        if (c.chosen == "cancel")
            script.CancelFileDialog();
        else if (!c.chosen.empty())
            script.AnswerOpenFile({c.chosen});
        Strings added;
        CLoaderDlg dlg;
        Show(dlg, [&](CLoaderDlg& d) {
            d.DropFiles({MapPath("b.ds1")});
            if (c.before) c.before(d);
            const int before = d.m_listFiles.GetItemCount();
            d.Window().SendCommand(c.command, 0);  // Run and Make Batch are grayed with no rows
            EXPECT_FALSE(d.IsEnding());
            EXPECT_TRUE(IsCurrentDir(ProgramDir()));
            for (int i = before; i < d.m_listFiles.GetItemCount(); ++i)
                added.push_back(d.m_listFiles.GetItemText(i, kColPath) + "|" +
                                d.m_listFiles.GetItemText(i, kColTypeId));
        });
        EXPECT_EQ(added, c.added);
        EXPECT_EQ(dlg.m_savedRows, decltype(dlg.m_savedRows){});
        messages.insert(messages.end(), c.messages.begin(), c.messages.end());
    }
    test::ExpectErrorBoxes(script, messages, IDD_LOADER);
    EXPECT_EQ(m_folder.Read("old.bat"), kOldBatch);
    fs::permissions(In("old.bat"), fs::perms::owner_write, fs::perm_options::add);
    EXPECT_TRUE(fs::is_directory(In("old.ini")) && fs::is_directory(In("temp.ini")));
}

// Make Batch replaces m.bat and m.ini only where it wrote them, in any form; any other file
// of those names it names, and writes nothing.
TEST_F(BatchTest, MakeBatchReplacesOnlyTheFilesItWrote) {
    const std::string list = "1 2 C:\\maps\\a.ds1\r\n3 4 C:\\maps\\b.ds1\r\n";
    const std::string batch =
        BatchFileText(editorDir, "\"kelvorn.exe\" \"" + In("m.ini") + "\"", In("m_debug.txt"));
    const struct {
        std::string name, bytes;
        bool replaced;
    } cases[] = {
        {"m.bat", kOldBatch, true},
        {"m.bat", BatchFileText("D:\\100% ed\\", "\"k.exe\" \"m.ini\"", "m_debug.txt"), true},
        {"m.ini", "0 0 C:\\old.ds1\n7 4294967295 x\n", true},
        {"m.ini", FormatEditorSettings(EditorSettings{}, RemoveComments), false},
        {"m.ini", TableText(editorDir), false},
        {"m.bat", "notes\r\n", false},
        {"m.bat", kOldBatch + "exit\r\n", false},  // edited since
        {"m.bat", kOldBatch.substr(0, kOldBatch.size() - 7), false},
        {"m.ini", "1 2 a.ds1\n 4 b.ds1\n", false},  // the list shows both numbers
        {"m.ini", "1 2 \n", false},
        {"m.ini", "", false},
    };
    Strings messages;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name + ": " + c.bytes);
        for (const char* name : {"m.bat", "m.ini"}) fs::remove(In(name));
        m_folder.Write(c.name, c.bytes);
        script.AnswerOpenFile({In("m")});
        CLoaderDlg dlg;
        Show(dlg, [&](CLoaderDlg& d) {
            d.DropFiles({MapPath("a.ds1"), MapPath("b.ds1")});
            d.Window().SendCommand(ID_FILE_MAKE_BATCH, 0);
        });
        if (c.replaced) {
            EXPECT_EQ(m_folder.Read("m.bat"), batch);
            EXPECT_EQ(m_folder.Read("m.ini"), list);
        } else {
            messages.push_back(NotWrittenByMakeBatchMessage(In(c.name)));
            EXPECT_EQ(m_folder.Read(c.name), c.bytes);
            EXPECT_FALSE(fs::exists(In(c.name == "m.bat" ? "m.ini" : "m.bat")));
        }
    }
    test::ExpectErrorBoxes(script, messages, IDD_LOADER);
}

}  // namespace
