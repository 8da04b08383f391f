// The settings editor and its line dialog on a real kelvorn_loader.ini (Windows-1252 bytes).
#include "loadercfg/loader_ini_dlg.h"

#include <filesystem>

#include "loadercfg/editor_location_check.h"
#include "loadercfg/param_line_dlg.h"
#include "loadercfg/param_line_rules.h"
#include "res/resource.h"
#include "tests/common/helpers.h"

namespace {

using test::Strings;
namespace fs = std::filesystem;

// An empty line, one without tabs, a commented row, 0012, -1, a tab in a comment, no end.
const std::string kUserFile =
    "// mine\nkelvornpath = C:\\Ed\\\nkelvornname = ed.exe\n[PARAMS]\n"
    "caf\xe9.ds1\t\xc9glise\tdata\\caf\xe9\t0012\t7\tfirst\tsecond\n\nno tabs\n"
    ";off.ds1\tOff\tp\t1\t2\nneg.ds1\tN\xfc\xdf\tn\t5\t-1";
constexpr int kLineIds[] = {IDC_FILE_NAME,  IDC_LEVEL_NAME,   IDC_GAME_PATH,
                            IDC_LVLTYPE_ID, IDC_LVLPREST_DEF, IDC_COMMENTS};

// A line dialog step: caption and fields into `seen`, `fields` typed, `button` (0: none).
ui::Script::Step Line(Strings fields, int button, std::string* seen = nullptr) {
    return [=](ui::Dialog& d) {
        for (int i = -1; seen && i < 6; ++i)
            *seen += i < 0 ? d.Window().GetCaption() : "|" + d.Window().GetItemText(kLineIds[i]);
        for (std::size_t i = 0; i < fields.size(); ++i)
            d.Window().SetItemText(kLineIds[i], fields[i]);
        if (button) d.ClickButton(button);
    };
}

class LoaderIniTest : public ::testing::Test {
  protected:
    void SetUp() override { folder.Write("kelvorn_loader.ini", kUserFile); }
    void TearDown() override { EXPECT_TRUE(script.Finished()) << test::Errors(script); }

    // The editor with `step` inside, the line dialogs `lines`; it must end with `code`.
    void Show(intptr_t code, std::vector<ui::Script::Step> lines,
              std::function<void(CLoaderIniDlg&)> step) {
        test::OnShow<CLoaderIniDlg>(script, IDD_LOADER_INI, step);
        for (auto& line : lines) script.OnDialog(IDD_PARAM_LINE, line);
        EXPECT_EQ(CLoaderIniDlg(&owner).DoModal(), code);
    }
    static void Press(CLoaderIniDlg& d, int button, int item) {
        d.m_list.SetSelected(-1, false);
        if (item >= 0) d.m_list.SetSelected(item, true);
        d.ClickButton(button);
    }

    test::TempFolder folder;
    test::CurrentFolderScope inFolder{folder.Path()};
    ui::Script script;
    ui::Dialog owner{IDD_LOADER};
};

// Rows shown, bad lines told; Cancel leaves the file. OK writes the edits (-1 back from
// Modify as 4294967295); a double click is Modify, Delete is Remove; a failed write keeps the
// edits. An unreadable table opens empty, told.
TEST_F(LoaderIniTest, OkWritesTheEditsAFailedWriteKeepsThemAndTheLineDialogRefusesBadRows) {
    script.AnswerOpenFile({"C:\\Other\\other.exe"});
    Show(ui::IdCancel, {Line({"x.ds1", "X", "p", "1", "2"}, ui::IdOk), Line({"y"}, ui::IdOk)},
         [&](CLoaderIniDlg& d) {
             std::string rows;
             for (int i = 0; i < d.m_list.GetItemCount() * 6; ++i)
                 rows += d.m_list.GetItemText(i / 6, i % 6) + (i % 6 == 5 ? "\n" : "|");
             EXPECT_EQ(rows + d.m_strEditorPath + "|" + d.m_strEditorName,
                       "caf\xe9.ds1|\xc9glise|data\\caf\xe9|0012|7|first\tsecond\n"
                       ";off.ds1|Off|p|1|2|\nneg.ds1|N\xfc\xdf|n|5|-1|\nC:\\Ed\\|ed.exe");
             Press(d, IDC_MODIFY, -1);  // nothing selected: a message
             Press(d, IDC_REMOVE, -1);  // nothing selected: nothing happens
             d.PressKey(IDC_PARAM_TABLE, ui::VkDelete);
             d.DoubleClickList(IDC_PARAM_TABLE, -1);  // below the rows: nothing
             d.ClickButton(IDC_ADD);
             Press(d, IDC_MODIFY, 0);
             Press(d, IDC_REMOVE, 0);
             d.ClickButton(IDC_BROWSE);
         });
    EXPECT_EQ(folder.Read("kelvorn_loader.ini"), kUserFile);

    std::string added, modified;
    script.AnswerOpenFile({"C:\\Tools\\Editor \xe9\\editor.exe"});
    Show(ui::IdOk,
         {Line({"r\xe9ve.ds1", "R\xeave", "a\\r", "4", "9", "new"}, ui::IdOk, &added),
          Line({}, ui::IdOk, &modified), Line({}, ui::IdCancel)},
         [&](CLoaderIniDlg& d) {
             d.ClickButton(IDC_ADD);
             d.m_list.SetSelected(0, true);
             d.DoubleClickList(IDC_PARAM_TABLE, 2);  // modifies the row clicked
             Press(d, IDC_MODIFY, 0);
             d.m_list.SetSelected(-1, false);
             d.m_list.SetSelected(1, true);
             d.PressKey(IDC_PARAM_TABLE, ui::VkDelete);
             d.Window().SetItemText(IDC_EDITOR_NAME, "ed\t.exe");  // as a file may hold it
             d.PressEnter();
             EXPECT_FALSE(d.IsEnding());
             d.ClickButton(IDC_BROWSE);
             for (auto change : {fs::perm_options::remove, fs::perm_options::add}) {
                 fs::permissions(folder.Path("kelvorn_loader.ini"), fs::perms::owner_write, change);
                 d.PressEnter();  // read-only: not replaced
                 EXPECT_EQ(d.IsEnding(), change == fs::perm_options::add);
             }
         });
    EXPECT_EQ(added + modified, "Add Line||||0|0|Modify Line|neg.ds1|N\xfc\xdf|n|5|4294967295|");
    EXPECT_EQ(folder.Read("kelvorn_loader.ini"),
              FormatLoaderSettings(
                  {"C:\\Tools\\Editor \xe9\\",
                   "editor.exe",
                   {{"caf\xe9.ds1", "\xc9glise", "data\\caf\xe9", "0012", "7", "first\tsecond"},
                    {"neg.ds1", "N\xfc\xdf", "n", "5", "4294967295", ""},
                    {"r\xe9ve.ds1", "R\xeave", "a\\r", "4", "9", "new"}}}));
    fs::remove(folder.Path("kelvorn_loader.ini"));
    fs::create_directory(folder.Path("kelvorn_loader.ini"));  // there, but no file
    Show(ui::IdCancel, {}, [&](CLoaderIniDlg& d) { EXPECT_EQ(d.m_list.GetItemCount(), 0); });
    test::ExpectErrorBoxes(
        script,
        {"Bad Line: ", "Bad Line: no tabs", kModifyWithoutSelectionMessage,
         "Bad Line: ", "Bad Line: no tabs", UnusableEditorLocationMessage("", "\""),
         kWriteFailedMessage, kUnreadableTableMessage},
        IDD_LOADER_INI);

    // The line dialog: each refusal keeps it open, the mended row is taken; names drop 9 chars.
    const Strings good{"a.ds1", "Town", "act1", "1", "2", "tab\tin comments"};
    const std::pair<Strings, std::string> cases[] = {
        {{"a.ds1", "Town", "act1", "0"}, kAllFieldsMessage},
        {{"a.ds1", "Town", "act1", "1", "0"}, kAllFieldsMessage},
        {{"a.ds1", "two\tcolumns"}, "Level Name holds a tab or a line break."},
        {{"a.ds1", std::string(128, 'x')}, "Level Name is longer than 127 characters,"},
        {{"a.ds1", "Town", "act1", "1", "2", "one\nrow"}, "Comments hold a line break."},
    };
    for (const auto& c : cases) {
        ui::Script s;
        s.OnDialog(IDD_PARAM_LINE, [&](ui::Dialog& d) {
            Line(good, 0)(d);
            Line(c.first, ui::IdOk)(d);
            Line(good, ui::IdOk)(d);
        });
        CParamLineDlg line(&owner);
        EXPECT_EQ(line.DoModal(), ui::IdOk);
        EXPECT_TRUE(s.MessageBoxes().size() == 1 && s.MessageBoxes()[0].text.starts_with(c.second));
    }
    script.OnDialog(IDD_PARAM_LINE, [&](ui::Dialog& d) {
        for (char ch : std::string("c:\\maps\\a.ds1\"*/<>?|x\b"))
            d.Window().TypeChar(IDC_FILE_NAME, ch);
        EXPECT_EQ(d.Window().GetItemText(IDC_FILE_NAME), "cmapsa.ds1");
        d.PressEscape();
    });
    EXPECT_EQ(CParamLineDlg(&owner).DoModal(), ui::IdCancel);
}

}  // namespace
