// Make Batch's refusals and Load Batch's search for each map, against real files: a
// program folder holding the table, an editor folder and a batch file's cd directory.
#include <algorithm>
#include <filesystem>
#include <fstream>

#include "launch/batch_file.h"
#include "tests/dialogs/loader_dlg_fixture.h"

namespace {

using Strings = std::vector<std::string>;
namespace fs = std::filesystem;

class BatchTest : public LoaderDlgTest {
  protected:
    // '/' written as the platform's separator.
    static std::string Sep(std::string text) {
        std::replace(text.begin(), text.end(), '/', kSep);
        return text;
    }
    std::string In(const std::string& relative) const { return ProgramDir() + Sep(relative); }
    void Write(const std::string& relative, const std::string& text) const {
        fs::create_directories(fs::path(In(relative)).parent_path());
        std::ofstream(In(relative), std::ios::binary) << text;
    }
    void WriteSettings(const std::string& keys) const {
        std::string text = TableText();
        Write("kelvorn_loader.ini", text.replace(0, text.find("\r\n[PARAMS]"), keys));
    }

    static constexpr char kSep = static_cast<char>(fs::path::preferred_separator);
    void SetUp() override {
        LoaderDlgTest::SetUp();
        editor = In("editor/");
        keys = "kelvornpath = " + editor + "\r\nkelvornname = kelvorn.exe\r\n";
    }
    std::string editor, keys;
};

// Each command runs on a window listing b.ds1; `chosen` answers its file dialog.
TEST_F(BatchTest, EachMapIsFoundWhereItIsFirstSeenAndEveryFailureIsTold) {
    const std::string part(200, 'd'), deep = "deep/" + part + "/" + part + "/" + part + "/r5.ds1";
    for (const std::string& file :
         Strings{"maps/a.ds1", "editor/maps/a.ds1", "editor/only/neg.ds1", "cd/r001.ds1",
                 "cd/r002.ds1", "editor/r002.ds1", "twice.ds1", "editor/twice.ds1",
                 "editor/lost.ds1", "editor/" + deep})
        Write(file, "map");
    for (int i = 100; i < 105; ++i) Write(RowMap(i).substr(8), "map");
    Write("out/old.bat", "old");
    Write("main.ini", Sep("1 2 maps/a.ds1\r\n0 0 only/neg.ds1\r\n9 9 r002.ds1\r\n0 0 r001.ds1\r\n"
                          "0 0 gone.ds1\r\n0 0 twice.ds1\r\n0 0 lost.ds1\r\n\r\n0 0 r003.ds1\r\n"));
    Write("cd/list.bat", "@echo off\ncd \"" + In("cd/") + "\"\n\"k.exe\" list.ini > \"d.txt\"");
    Write("cd/list.ini", "0 0 r001.ds1\n0 0 r002.ds1\n");
    Write("one.bat", "@echo off\r\ncd " + editor + "\r\n\"k.exe\" \"" + In("maps/a.ds1") +
                         "\" 5 5 -no_check_act > \"d.txt\"\r\n");
    Write("short.bat", "@echo off\r\ncd x\r\n");
    Write("nolist.bat", "@echo off\r\ncd \"" + In("cd/") + "\"\r\nk.exe \"no.ini\" 1\r\n");
    Write("five.ini", "0 0 r100.ds1\n0 0 r101.ds1\n0 0 r102.ds1\n0 0 r103.ds1\n0 0 r104.ds1\n");
    Write("deep.ini", "0 0 " + Sep(deep) + "\n");
    const std::string a = In("maps/a.ds1|Act 1 - Town|data\\act1\\town|1|2");
    struct Case {
        int command;
        std::string chosen;
        std::function<void(CLoaderDlg&)> before;
        Strings added, messages;
    };
    const Case cases[] = {
        // From the last line up: as written, in the editor folder, in the cd directory; a
        // map the lookup does not resolve ends there (the choice dialog is cancelled once).
        {ID_FILE_LOAD_BATCH,
         In("main.ini"),
         [&](CLoaderDlg&) {
             script.OnDialog(IDD_SELECT_PARAMS, [](ui::Dialog& d) { d.PressEscape(); });
         },
         {editor + "r002.ds1|Row 2|data\\r|3|202",
          editor + Sep("only/neg.ds1|Negative|data\\neg|7|4294967295"),
          Sep("maps/a.ds1|Act 1 - Town|data\\act1\\town|1|2")},
         {"Bad Ini File", "Unable to Find lost.ds1 in kelvorn_loader.ini"}},
        {ID_FILE_LOAD_BATCH,
         In("cd/list.bat"),
         {},
         {editor + "r002.ds1|Row 2|data\\r|3|202", In("cd/r001.ds1|Row 1|data\\r|2|201")},
         {}},
        {ID_FILE_LOAD_BATCH, In("one.bat"), {}, {a}, {}},
        {ID_FILE_LOAD_BATCH, "cancel", {}, {}, {}},
        {ID_FILE_MAKE_BATCH, "cancel", {}, {}, {}},
        {ID_FILE_LOAD_BATCH, In("none.bat"), {}, {}, {"Failed to open specified File"}},
        {ID_FILE_LOAD_BATCH, In("short.bat"), {}, {}, {"Bad Batch File"}},
        {ID_FILE_LOAD_BATCH, In("nolist.bat"), {}, {}, {"Failed to find no.ini"}},
        {ID_FILE_LOAD_BATCH,
         In("one.bat"),
         [&](CLoaderDlg&) { fs::remove(In("kelvorn_loader.ini")); },
         {},
         {"Unable to Open kelvorn_loader.ini"}},
        {ID_FILE_LOAD_BATCH,
         In("one.bat"),
         [&](CLoaderDlg&) { WriteSettings("kelvornpath =x\n"); },
         {},
         {"Unable to Find kelvornpath Entry in kelvorn_loader.ini"}},
        {ID_FILE_LOAD_BATCH,
         In("five.ini"),
         [](CLoaderDlg& d) { FillRows(d, 97); },
         {"r104.ds1|Row 104|data\\r|105|304", "r103.ds1|Row 103|data\\r|104|303"},
         {"Maximum Files in List reached"}},
#ifndef _WIN32  // deeper than Windows paths go
        {ID_FILE_LOAD_BATCH, In("deep.ini"), {}, {}, {kPathTooLongMessage}},
#endif
        {ID_FILE_MAKE_BATCH,
         "",
         [](CLoaderDlg& d) { d.m_listFiles.DeleteItem(0); },
         {},
         {"No Files Added  to List"}},
        {ID_FILE_MAKE_BATCH,
         In("out/") + std::string(502 - In("out/").size(), 'm') + ".bat",
         {},
         {},
         {kBatchPathTooLongMessage}},
        {ID_FILE_MAKE_BATCH,
         In("out/old.bat"),
         [&](CLoaderDlg&) { fs::remove(In("kelvorn_loader.ini")); },
         {},
         {"Unable to Open kelvorn_loader.ini"}},
        {ID_FILE_MAKE_BATCH,
         In("out/old.bat"),
         [&](CLoaderDlg&) { WriteSettings("kelvornpath=" + editor + "\nkelvornname = k\n"); },
         {},
         {"Unable to Find kelvornpath and kelvornname Entry in kelvorn_loader.ini"}},
        {ID_FILE_MAKE_BATCH,
         In("out/old.bat"),
         [](CLoaderDlg& d) { d.Window().SetCheck(IDC_FORCE_DT1, true); },
         {},
         {"You must enter at least 1 .dt1 in the list"}},
        {ID_FILE_MAKE_BATCH,
         In("out/old.bat"),
         [&](CLoaderDlg&) { fs::create_directory(In("out/old.bat.kelvorn-tmp")); },
         {},
         {"Unable to Open " + In("out/old.bat") + "!"}},
        {ID_FILE_MAKE_BATCH,
         In("out/old.bat"),
         [&](CLoaderDlg& d) {
             d.DropFiles({MapPath("a.ds1")});
             fs::create_directory(In("out/old.ini.kelvorn-tmp"));
         },
         {},
         {"Unable to Open " + In("out/old.ini") + "!"}},
    };
    std::size_t boxes = 0;
    for (const Case& c : cases) {
        WriteSettings(keys);
        if (c.chosen == "cancel")
            script.CancelFileDialog();
        else if (!c.chosen.empty())
            script.AnswerOpenFile({c.chosen});
        Strings rows;
        CLoaderDlg dlg;
        Show(dlg, [&](CLoaderDlg& d) {
            d.DropFiles({MapPath("b.ds1")});
            if (c.before) c.before(d);
            const long before = d.m_listFiles.GetItemCount();
            d.Window().SendCommand(c.command, 0);  // Make Batch is grayed with no rows
            EXPECT_TRUE(WorkingDirIsProgramDir());
            rows = Rows(d);
            rows.erase(rows.begin(), rows.begin() + before);
        });
        EXPECT_EQ(rows, c.added) << c.chosen;
        const Strings texts = BoxTexts();
        EXPECT_EQ(Strings(texts.begin() + static_cast<long>(boxes), texts.end()), c.messages)
            << c.chosen;
        boxes = texts.size();
    }
    for (const ui::MessageBoxCall& box : script.MessageBoxes()) EXPECT_EQ(box.flags, 0x30u);
    std::string old;
    EXPECT_TRUE(sys::ReadWholeFile(In("out/old.bat"), old) && old == "old" &&
                !fs::exists(In("out/old.ini")));
    EXPECT_TRUE(script.Finished()) << FirstError();
}

}  // namespace
