// Make Batch and Load Batch from the main window, against real files in the test's own
// program folder: an editor folder and a batch's cd directory beside the table.
#include <algorithm>
#include <filesystem>
#include <fstream>

#include "launch/batch_file.h"
#include "tests/dialogs/loader_dlg_fixture.h"

namespace {

using Strings = std::vector<std::string>;
namespace fs = std::filesystem;

const char kSep = static_cast<char>(fs::path::preferred_separator);

// `relative` with '/' written as the platform's separator.
std::string Native(std::string relative) {
    for (char& c : relative)
        if (c == '/') c = kSep;
    return relative;
}

class BatchTest : public LoaderDlgTest {
  protected:
    void SetUp() override {
        LoaderDlgTest::SetUp();
        editor = In("editor/");
        for (const char* file : {"maps/a.ds1", "editor/maps/a.ds1", "editor/only/neg.ds1",
                                 "cd/r001.ds1", "cd/r002.ds1", "editor/r002.ds1", "twice.ds1",
                                 "editor/twice.ds1", "editor/lost.ds1", "out/old.bat"}) {
            fs::create_directories(fs::path(In(file)).parent_path());
            std::ofstream(In(file)) << "old";
        }
        for (int i = 100; i < 105; ++i) std::ofstream(In(RowMap(i).substr(8))) << "map";
        keys = "kelvornpath = " + editor + "\r\nkelvornname = kelvorn.exe\r\n";
        WriteSettings(keys);
    }
    std::string In(const std::string& relative) const { return ProgramDir() + Native(relative); }
    // The test table under the given key lines.
    void WriteSettings(const std::string& keys) const {
        std::string text = TableText();
        text.replace(0, text.find("\r\n[PARAMS]"), keys);
        std::ofstream(In("kelvorn_loader.ini"), std::ios::binary) << text;
    }
    std::string Read(const std::string& relative) const {
        std::string bytes;
        return sys::ReadWholeFile(In(relative), bytes) ? bytes : "(none)";
    }
    // Shows a window with `rows`, runs `before`, then the menu command.
    Strings Command(int id, const Strings& rows, std::function<void(CLoaderDlg&)> before) {
        CLoaderDlg dlg;
        Strings shown;
        Show(dlg, [&](CLoaderDlg& d) {
            d.DropFiles(rows);
            before(d);
            d.Window().SendCommand(id, 0);  // Make Batch is grayed with no rows
            EXPECT_TRUE(WorkingDirIsProgramDir());
            shown = Rows(d);
        });
        return shown;
    }

    std::string editor, keys;
};

TEST_F(BatchTest, MakeBatchWritesByteExactFilesWithRelativeNamesInTheEditorFolder) {
    WriteSettings("  KelvornPath\t=  " + editor + "\r\n\tKELVORNNAME = kelvorn.exe\r\n");
    script.AnswerOpenFile({In("out/one.bat")});
    Command(ID_FILE_MAKE_BATCH, {MapPath("a.ds1")},
            [](CLoaderDlg& d) { d.Window().SetCheck(IDC_NO_CHECK_ACT, true); });
    script.AnswerOpenFile({In("editor/three")});
    Command(ID_FILE_MAKE_BATCH, {In("editor/maps/a.ds1"), MapPath("b.ds1"), MapPath("neg.ds1")},
            [](CLoaderDlg&) {});
    EXPECT_EQ(Read("out/one.bat"),
              "@echo off\r\ncd \"" + editor +
                  "\"\r\n\"kelvorn.exe\" \"C:\\maps\\a.ds1\" 1 2 -no_check_act > \"" +
                  In("out/one_debug.txt") +
                  "\"\r\nIf ERRORLEVEL 0 goto DONE\r\npause\r\n:DONE\r\n");
    EXPECT_EQ(Read("out/one.ini"), "(none)");
    EXPECT_EQ(Read("editor/three.bat"),
              "@echo off\r\ncd \"" + editor +
                  "\"\r\n\"kelvorn.exe\" \"three.ini\" > \"three_debug.txt\"\r\n"
                  "If ERRORLEVEL 0 goto DONE\r\npause\r\n:DONE\r\n");
    EXPECT_EQ(
        Read("editor/three.ini"),
        Native("1 2 maps/a.ds1\r\n3 4 C:\\maps\\b.ds1\r\n7 4294967295 C:\\maps\\neg.ds1\r\n"));
    ASSERT_EQ(script.FileDialogs().size(), 2u);
    const ui::FileDialogCall& save = script.FileDialogs()[0];
    EXPECT_TRUE(save.save);
    ASSERT_EQ(save.options.filters.size(), 1u);
    EXPECT_EQ(save.options.filters[0].description + "|" + save.options.filters[0].pattern,
              "All Files (*.*)|*.*");
    EXPECT_EQ(save.options.defaultExtension + save.options.initialName, "");
    EXPECT_TRUE(script.MessageBoxes().empty()) << BoxTexts().front();
}

// A refused Make Batch says why in one box and writes nothing, an older batch file kept.
TEST_F(BatchTest, MakeBatchRefusals) {
    const std::string longName = In("out/") + std::string(502 - In("out/").size(), 'm');
    struct Case {
        Strings rows;
        std::function<void(CLoaderDlg&)> before;
        std::string chosen, message;
    };
    const Case cases[] = {
        {{}, [](CLoaderDlg&) {}, "", "No Files Added  to List"},
        {{MapPath("a.ds1")}, [](CLoaderDlg&) {}, longName + ".bat", kBatchPathTooLongMessage},
        {{MapPath("a.ds1")},
         [&](CLoaderDlg&) { fs::remove(In("kelvorn_loader.ini")); },
         In("out/old.bat"),
         "Unable to Open kelvorn_loader.ini"},
        {{MapPath("a.ds1")},
         [&](CLoaderDlg&) { WriteSettings("kelvornpath=" + editor + "\r\nkelvornname = k\r\n"); },
         In("out/old.bat"),
         "Unable to Find kelvornpath and kelvornname Entry in kelvorn_loader.ini"},
        {{MapPath("a.ds1")},
         [](CLoaderDlg& d) { d.Window().SetCheck(IDC_FORCE_DT1, true); },
         In("out/old.bat"),
         "You must enter at least 1 .dt1 in the list"},
        {{MapPath("a.ds1")},
         [&](CLoaderDlg&) { fs::create_directory(In("out/old.bat.kelvorn-tmp")); },
         In("out/old.bat"),
         "Unable to Open " + In("out/old.bat") + "!"},
        {{MapPath("a.ds1"), MapPath("b.ds1")},
         [&](CLoaderDlg&) { fs::create_directory(In("out/old.ini.kelvorn-tmp")); },
         In("out/old.bat"),
         "Unable to Open " + In("out/old.ini") + "!"},
    };
    std::size_t boxes = 0;
    for (const Case& c : cases) {
        WriteSettings(keys);
        if (!c.chosen.empty()) script.AnswerOpenFile({c.chosen});
        Command(ID_FILE_MAKE_BATCH, c.rows, c.before);
        ASSERT_EQ(BoxTexts().size(), ++boxes) << c.message;
        EXPECT_EQ(BoxTexts().back(), c.message);
        EXPECT_EQ(script.MessageBoxes().back().flags, 0x30u);
        EXPECT_EQ(Read("out/old.bat"), "old");
        EXPECT_EQ(Read("out/old.ini"), "(none)");
    }
    // Cancelled: nothing at all.
    script.CancelFileDialog();
    Command(ID_FILE_MAKE_BATCH, {MapPath("a.ds1")}, [](CLoaderDlg&) {});
    EXPECT_EQ(BoxTexts().size(), boxes);
    EXPECT_TRUE(script.Finished()) << FirstError();
}

TEST_F(BatchTest, LoadBatchFindsEachMapAsWrittenThenInTheEditorFolderThenInTheCdDirectory) {
    const std::string list = Native("1 2 maps/a.ds1\r\n0 0 only/neg.ds1\r\n9 9 r002.ds1\r\n") +
                             "0 0 r001.ds1\r\n0 0 missing.ds1\r\n";
    std::ofstream(In("cd/list.ini"), std::ios::binary) << list;
    std::ofstream(In("one.bat"), std::ios::binary)
        << "@echo off\r\ncd \"" + editor + "\"\r\n\"k.exe\" \"" + Native("only/neg.ds1") +
               "\" 5 5 -no_check_act > \"d.txt\"\r\n";
    std::ofstream(In("list.BAT"), std::ios::binary)
        << "@echo off\ncd " + In("cd/") + "\n\"k.exe\" list.ini > \"d.txt\"";
    struct Case {
        std::string chosen;
        Strings rows;
    };
    const std::string neg = editor + Native("only/neg.ds1") + "|Negative|data\\neg|7|4294967295";
    const Case cases[] = {
        {In("one.bat"), {neg}},
        // From the last line up; the first place a map is found wins.
        {In("list.BAT"),
         {In("cd/r001.ds1|Row 1|data\\r|2|201"), editor + "r002.ds1|Row 2|data\\r|3|202", neg,
          Native("maps/a.ds1") + "|Act 1 - Town|data\\act1\\town|1|2"}},
        {In("cd/list.ini"),
         {editor + "r002.ds1|Row 2|data\\r|3|202", neg,
          Native("maps/a.ds1") + "|Act 1 - Town|data\\act1\\town|1|2"}},
    };
    for (const Case& c : cases) {
        script.AnswerOpenFile({c.chosen});
        EXPECT_EQ(Command(ID_FILE_LOAD_BATCH, {MapPath("b.ds1")}, [](CLoaderDlg&) {}), [&] {
            Strings rows{MapPath("b.ds1") + "|Act 2 - Desert|data\\act2|3|4"};
            rows.insert(rows.end(), c.rows.begin(), c.rows.end());
            return rows;
        }()) << c.chosen;
    }
    const ui::FileDialogCall& open = script.FileDialogs()[0];
    EXPECT_FALSE(open.save || open.options.multiSelect);
    EXPECT_TRUE(open.options.fileMustExist);
    EXPECT_EQ(open.options.filters[0].description + "|" + open.options.filters[0].pattern,
              "Valid Files (*.bat, *.ini)|*.bat; *.ini");
    EXPECT_TRUE(script.MessageBoxes().empty()) << BoxTexts().front();
}

// Each failure says so in one box; a bad list line and a map the lookup cannot resolve
// stop only what follows or that map; a full list drops the maps of the first lines.
TEST_F(BatchTest, LoadBatchMessages) {
    const std::string part(200, 'd');
    const std::string entryLong = Native("deep/" + part + "/" + part + "/" + part + "/r005.ds1");
    fs::create_directories(fs::path(In("editor/" + entryLong)).parent_path());
    std::ofstream(In("editor/" + entryLong)) << "map";
    const std::pair<const char*, std::string> files[] = {
        {"short.bat", "@echo off\r\ncd x\r\n"},
        {"nolist.bat", "@echo off\r\ncd \"" + In("cd/") + "\"\r\nk.exe \"nolist.ini\" 1\r\n"},
        {"bad.ini", Native("1 2 r002.ds1\r\n1 2 maps/a.ds1\r\n\r\n1 2 only/neg.ds1\r\n")},
        {"five.ini", "0 0 r100.ds1\n0 0 r101.ds1\n0 0 r102.ds1\n0 0 r103.ds1\n0 0 r104.ds1\n"},
        {"lookup.ini", "0 0 twice.ds1\n0 0 r002.ds1\n0 0 lost.ds1\n"},
        {"long.ini", "0 0 " + entryLong + "\n0 0 r002.ds1\n"},
    };
    for (const auto& [name, text] : files) std::ofstream(In(name), std::ios::binary) << text;
    const std::string r002 = editor + "r002.ds1|Row 2|data\\r|3|202";
    struct Case {
        std::string chosen;
        std::function<void()> before;
        Strings added, messages;
    };
    const Case cases[] = {
        {"", [] {}, {}, {}},
        {In("missing.bat"), [] {}, {}, {"Failed to open specified File"}},
        {In("short.bat"), [] {}, {}, {"Bad Batch File"}},
        {In("nolist.bat"), [] {}, {}, {"Failed to find nolist.ini"}},
        {In("bad.ini"),
         [] {},
         {Native("maps/a.ds1") + "|Act 1 - Town|data\\act1\\town|1|2", r002},
         {"Bad Ini File"}},
        {In("bad.ini"),
         [&] { fs::remove(In("kelvorn_loader.ini")); },
         {},
         {"Bad Ini File", "Unable to Open kelvorn_loader.ini"}},
        {In("bad.ini"),
         [&] { WriteSettings("kelvornpath =" + editor + "\r\n"); },
         {},
         {"Bad Ini File", "Unable to Find kelvornpath Entry in kelvorn_loader.ini"}},
        {In("lookup.ini"),
         [&] { script.OnDialog(IDD_SELECT_PARAMS, [](ui::Dialog& d) { d.PressEscape(); }); },
         {r002},
         {"Unable to Find lost.ds1 in kelvorn_loader.ini"}},
#ifndef _WIN32
        {In("long.ini"), [] {}, {r002}, {kPathTooLongMessage}},
#endif
    };
    std::size_t boxes = 0;
    for (const Case& c : cases) {
        WriteSettings(keys);
        c.chosen.empty() ? script.CancelFileDialog() : script.AnswerOpenFile({c.chosen});
        Strings expected = {MapPath("b.ds1") + "|Act 2 - Desert|data\\act2|3|4"};
        expected.insert(expected.end(), c.added.begin(), c.added.end());
        EXPECT_EQ(Command(ID_FILE_LOAD_BATCH, {MapPath("b.ds1")}, [&](CLoaderDlg&) { c.before(); }),
                  expected)
            << c.chosen;
        const Strings texts = BoxTexts();
        EXPECT_EQ(Strings(texts.begin() + static_cast<long>(boxes), texts.end()), c.messages);
        boxes = texts.size();
    }
    // The choice dialog cancelled for twice.ds1 is not shown again for its second place.
    const std::vector<int>& opened = script.DialogsOpened();
    EXPECT_EQ(std::count(opened.begin(), opened.end(), IDD_SELECT_PARAMS), 1);
    for (const ui::MessageBoxCall& box : script.MessageBoxes()) EXPECT_EQ(box.flags, 0x30u);

    script.AnswerOpenFile({In("five.ini")});
    Strings rows = Command(ID_FILE_LOAD_BATCH, {}, [](CLoaderDlg& d) { FillRows(d, 98); });
    ASSERT_EQ(rows.size(), 100u);
    EXPECT_EQ(Strings(rows.begin() + 98, rows.end()),
              (Strings{Native("r104.ds1|Row 104|data\\r|105|304"),
                       Native("r103.ds1|Row 103|data\\r|104|303")}));
    EXPECT_EQ(BoxTexts().back(), "Maximum Files in List reached");
    EXPECT_TRUE(script.Finished()) << FirstError();
}

}  // namespace
