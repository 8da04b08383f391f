// The settings editor and its line dialog on a real kelvorn_loader.ini in a folder of
// its own, on either backend. Level names are Windows-1252 bytes.
#include "loadercfg/loader_ini_dlg.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>

#include "loadercfg/param_line_dlg.h"
#include "loadercfg/param_line_rules.h"
#include "res/resource.h"
#include "tests/dialogs/loader_dlg_fixture.h"
#include "tests/loadercfg/temp_folder.h"
#include "ui/script.h"

namespace {

using Strings = std::vector<std::string>;
using Step = std::function<void(CLoaderIniDlg&)>;

const std::string kHeaderStart =
    "; put a ; or a // AT THE BEGINNING of a line to comment it out\r\n\r\n"
    "; set kelvornpath to the path to Vellamors editor\r\n";
const std::string kHeaderMiddle =
    "\r\n\r\n; set kelvornname to the name of the executable for the editor\r\n";
const std::string kHeaderEnd =
    "\r\n\r\n; Format of the PARAMS section:\r\n"
    "; Filename\tName\tPath\tTypeID\tPrestDEF\tcomments (ignored)\r\n"
    "; Each entry MUST be separated by a tab. You can leave away the comment and the tabstop "
    "preceding the comment\r\n\r\n[PARAMS]\r\n";

std::string Header(const std::string& path, const std::string& name) {
    return kHeaderStart + "kelvornpath = " + path + kHeaderMiddle + "kelvornname = " + name +
           kHeaderEnd;
}

// A user's file: comments, a key line in a form of its own, an empty line and a line
// without tabs in the table, a commented row, numbers with leading zeros, -1, a comment
// holding a tab.
const std::string kUserFile =
    "// my table\nkelvornpath = C:\\Ed\\\nkelvornname = ed.exe\n[PARAMS]\n"
    "caf\xe9.ds1\tCaf\xe9 \xc9glise\tdata\\caf\xe9\t0012\t7\tfirst\tsecond\n"
    "\n"
    "no tabs here\n"
    ";off.ds1\tOff\tp\t1\t2\n"
    "neg.ds1\tN\xfc\xdf\tdata\\n\t5\t-1";

void Fill(ui::WindowPort& w, const ParamLineFields& f) {
    w.SetItemText(IDC_FILE_NAME, f.fileName);
    w.SetItemText(IDC_LEVEL_NAME, f.levelName);
    w.SetItemText(IDC_GAME_PATH, f.gamePath);
    w.SetItemText(IDC_LVLTYPE_ID, std::to_string(f.lvlTypeId));
    w.SetItemText(IDC_LVLPREST_DEF, std::to_string(f.lvlPrestDef));
    w.SetItemText(IDC_COMMENTS, f.comments);
}

// Queues the line dialog's next showing: fills it (when `values` is set), records what
// it opened with into `seen`, and presses `button`.
void QueueLine(ui::Script& s, const ParamLineFields* values, int button,
               ParamLineFields* seen = nullptr, std::string* caption = nullptr) {
    s.OnDialog(IDD_PARAM_LINE, [=](ui::Dialog& d) {
        ui::WindowPort& w = d.Window();
        if (seen)
            *seen = {w.GetItemText(IDC_FILE_NAME),
                     w.GetItemText(IDC_LEVEL_NAME),
                     w.GetItemText(IDC_GAME_PATH),
                     static_cast<uint32_t>(std::stoul(w.GetItemText(IDC_LVLTYPE_ID))),
                     static_cast<uint32_t>(std::stoul(w.GetItemText(IDC_LVLPREST_DEF))),
                     w.GetItemText(IDC_COMMENTS)};
        if (caption) *caption = w.GetCaption();
        if (values) Fill(w, *values);
        d.ClickButton(button);
    });
}
class LoaderIniTest : public ::testing::Test {
  protected:
    void SetUp() override {
        m_startDir = std::filesystem::current_path();
        std::filesystem::current_path(folder.File(""));
    }
    void TearDown() override { std::filesystem::current_path(m_startDir); }

    // Shows the editor with `step` inside; Escape after it unless the step ended it.
    // `inner` queues the steps of the dialogs the step opens.
    intptr_t Show(Step step, const std::function<void()>& inner = nullptr) {
        script.OnDialog(IDD_LOADER_INI, [step](ui::Dialog& d) {
            step(static_cast<CLoaderIniDlg&>(d));
            if (!d.IsEnding()) d.PressEscape();
        });
        if (inner) inner();
        CLoaderIniDlg dlg(&owner);
        intptr_t code = dlg.DoModal();
        EXPECT_TRUE(script.Errors().empty()) << script.Errors().front();
        return code;
    }
    static Strings Rows(const CLoaderIniDlg& d) {
        Strings rows;
        for (int i = 0; i < d.m_list.GetItemCount(); ++i) {
            std::string row;
            for (int c = 0; c < 6; ++c) row += (c ? "|" : "") + d.m_list.GetItemText(i, c);
            rows.push_back(row);
        }
        return rows;
    }
    static void Select(CLoaderIniDlg& d, int item) {
        d.m_list.SetSelected(-1, false);
        d.m_list.SetSelected(item, true);
    }
    Strings BoxTexts() const {
        Strings texts;
        for (const ui::MessageBoxCall& call : script.MessageBoxes()) texts.push_back(call.text);
        return texts;
    }
    std::string File() const { return folder.Read("kelvorn_loader.ini"); }

    TempFolder folder;
    ui::Script script;
    ui::Dialog owner{IDD_LOADER};

  private:
    std::filesystem::path m_startDir;
};

TEST_F(LoaderIniTest, OpensWithTheFileReportsBadLinesAndCancelLeavesItAsItWas) {
    folder.Write("kelvorn_loader.ini", kUserFile);
    const ParamLineFields added{"x.ds1", "X", "p", 1, 2, ""};
    Strings rows, columns;
    std::string path, name;
    unsigned style = 0;
    int widths[6] = {};
    EXPECT_EQ(Show(
                  [&](CLoaderIniDlg& d) {
                      ui::WindowPort& w = d.Window();
                      rows = Rows(d);
                      path = w.GetItemText(IDC_EDITOR_PATH);
                      name = w.GetItemText(IDC_EDITOR_NAME);
                      style = w.LvGetExtendedStyle(IDC_PARAM_TABLE);
                      for (int c = 0; c < w.LvGetColumnCount(IDC_PARAM_TABLE); ++c) {
                          columns.push_back(w.LvGetColumnTitle(IDC_PARAM_TABLE, c));
                          widths[c] = w.LvGetColumnWidth(IDC_PARAM_TABLE, c);
                      }
                      d.ClickButton(IDC_ADD);
                      Select(d, 0);
                      d.ClickButton(IDC_MODIFY);
                      Select(d, 1);
                      d.ClickButton(IDC_REMOVE);
                      d.ClickButton(IDC_BROWSE);
                  },
                  [&] {
                      QueueLine(script, &added, ui::IdOk);
                      QueueLine(script, &added, ui::IdOk);
                      script.AnswerOpenFile({"C:\\Other\\other.exe"});
                  }),
              ui::IdCancel);
    EXPECT_EQ(rows, (Strings{"caf\xe9.ds1|Caf\xe9 \xc9glise|data\\caf\xe9|0012|7|first\tsecond",
                             ";off.ds1|Off|p|1|2|", "neg.ds1|N\xfc\xdf|data\\n|5|-1|"}));
    EXPECT_EQ(path, "C:\\Ed\\");
    EXPECT_EQ(name, "ed.exe");
    EXPECT_EQ(style & ui::LvsExFullRowSelect, ui::LvsExFullRowSelect);
    EXPECT_EQ(columns, (Strings{"File Name", "Level Name", "Game Path", "LvlType ID",
                                "LvlPrest Def", "Comments"}));
    EXPECT_EQ(std::vector<int>(widths, widths + 6), (std::vector<int>{140, 225, 125, 65, 70, 100}));
    EXPECT_EQ(BoxTexts(), (Strings{"Bad Line: ", "Bad Line: no tabs here"}));
    for (const ui::MessageBoxCall& box : script.MessageBoxes()) {
        EXPECT_EQ(box.caption, "ERROR");
        EXPECT_EQ(box.ownerTemplate, IDD_LOADER_INI);
    }
    EXPECT_EQ(File(), kUserFile);
    EXPECT_TRUE(script.Finished());
}

TEST_F(LoaderIniTest, OkRewritesTheWholeFileInItsCanonicalForm) {
    folder.Write("kelvorn_loader.ini", kUserFile);
    EXPECT_EQ(Show([](CLoaderIniDlg& d) { d.PressEnter(); }), ui::IdOk);
    EXPECT_EQ(File(),
              Header("C:\\Ed\\", "ed.exe") +
                  "caf\xe9.ds1\tCaf\xe9 \xc9glise\tdata\\caf\xe9\t0012\t7\tfirst\tsecond\r\n"
                  ";off.ds1\tOff\tp\t1\t2\r\n"
                  "neg.ds1\tN\xfc\xdf\tdata\\n\t5\t-1\r\n");
}

TEST_F(LoaderIniTest, AddModifyRemoveBrowseThenOkWriteEveryChange) {
    folder.Write("kelvorn_loader.ini", kUserFile);
    const ParamLineFields added{"r\xe9ve.ds1", "R\xeave \xe0 Tristram", "act1\\r\xe9ve", 4, 9,
                                "new"};
    ParamLineFields seenAdd, seenModify;
    std::string addCaption, modifyCaption;
    EXPECT_EQ(Show(
                  [](CLoaderIniDlg& d) {
                      d.ClickButton(IDC_ADD);
                      Select(d, 2);
                      d.ClickButton(IDC_MODIFY);
                      Select(d, 0);
                      d.ClickButton(IDC_MODIFY);
                      Select(d, 1);
                      d.ClickButton(IDC_REMOVE);
                      d.ClickButton(IDC_BROWSE);
                      d.ClickButton(ui::IdOk);
                  },
                  [&] {
                      QueueLine(script, &added, ui::IdOk, &seenAdd, &addCaption);
                      // Modify of the row with -1, confirmed unchanged: its numbers come
                      // back unsigned.
                      QueueLine(script, nullptr, ui::IdOk, &seenModify, &modifyCaption);
                      // Modify of the first row, cancelled: 0012 stays as it was.
                      QueueLine(script, nullptr, ui::IdCancel);
                      script.AnswerOpenFile({"C:\\Tools\\Editor \xe9\\editor.exe"});
                  }),
              ui::IdOk);
    EXPECT_EQ(addCaption, "Add Line");
    EXPECT_EQ(seenAdd.fileName + seenAdd.levelName + seenAdd.gamePath + seenAdd.comments, "");
    EXPECT_EQ(seenAdd.lvlTypeId + seenAdd.lvlPrestDef, 0u);
    EXPECT_EQ(modifyCaption, "Modify Line");
    EXPECT_EQ(seenModify.fileName, "neg.ds1");
    EXPECT_EQ(seenModify.levelName, "N\xfc\xdf");
    EXPECT_EQ(seenModify.lvlTypeId, 5u);
    EXPECT_EQ(seenModify.lvlPrestDef, 4294967295u);
    EXPECT_EQ(File(),
              Header("C:\\Tools\\Editor \xe9\\", "editor.exe") +
                  "caf\xe9.ds1\tCaf\xe9 \xc9glise\tdata\\caf\xe9\t0012\t7\tfirst\tsecond\r\n"
                  "neg.ds1\tN\xfc\xdf\tdata\\n\t5\t4294967295\r\n"
                  "r\xe9ve.ds1\tR\xeave \xe0 Tristram\tact1\\r\xe9ve\t4\t9\tnew\r\n");
    EXPECT_TRUE(script.Finished()) << script.MessageBoxes().size();
}

TEST_F(LoaderIniTest, ModifyWithoutSelectionSaysSoAndRemoveDoesNothing) {
    folder.Write("kelvorn_loader.ini", kUserFile);
    Strings rows;
    Show([&](CLoaderIniDlg& d) {
        d.m_list.SetSelected(-1, false);
        d.ClickButton(IDC_MODIFY);
        d.ClickButton(IDC_REMOVE);
        rows = Rows(d);
    });
    EXPECT_EQ(rows.size(), 3u);
    EXPECT_EQ(BoxTexts().back(), kModifyWithoutSelectionMessage);
    EXPECT_TRUE(script.Finished());
}

// A failed write keeps the dialog and the user's edits; a second OK, once the file can
// be written, saves them.
TEST_F(LoaderIniTest, AFailedWriteSaysSoAndKeepsTheDialogWithItsEdits) {
    folder.Write("kelvorn_loader.ini", kUserFile);
    std::filesystem::create_directory(folder.File("kelvorn_loader.ini.kelvorn-tmp"));
    bool stayed = false;
    std::size_t rowsAfter = 0;
    EXPECT_EQ(Show([&](CLoaderIniDlg& d) {
                  Select(d, 0);
                  d.ClickButton(IDC_REMOVE);
                  d.PressEnter();
                  stayed = !d.IsEnding();
                  rowsAfter = Rows(d).size();
                  std::filesystem::remove(folder.File("kelvorn_loader.ini.kelvorn-tmp"));
                  d.PressEnter();
              }),
              ui::IdOk);
    EXPECT_TRUE(stayed);
    EXPECT_EQ(rowsAfter, 2u);
    EXPECT_EQ(BoxTexts().back(), kWriteFailedMessage);
    EXPECT_EQ(File(), Header("C:\\Ed\\", "ed.exe") + ";off.ds1\tOff\tp\t1\t2\r\n" +
                          "neg.ds1\tN\xfc\xdf\tdata\\n\t5\t-1\r\n");
}

// Missing or not a file at all: the table opens empty and says so; OK writes a new file.
TEST_F(LoaderIniTest, AFileThatCannotBeReadOpensAnEmptyTableAndSaysSo) {
    std::filesystem::create_directory(folder.File("kelvorn_loader.ini"));
    Strings rows{"unset"};
    Show([&](CLoaderIniDlg& d) { rows = Rows(d); });
    EXPECT_EQ(rows, Strings{});
    EXPECT_EQ(BoxTexts(), Strings{kUnreadableTableMessage});

    std::filesystem::remove(folder.File("kelvorn_loader.ini"));
    EXPECT_EQ(Show([](CLoaderIniDlg& d) { d.PressEnter(); }), ui::IdOk);
    EXPECT_EQ(BoxTexts().size(), 2u);
    EXPECT_EQ(File(), Header("", ""));
}

// Each refusal names its reason, keeps the dialog open and the entries as typed.
TEST_F(LoaderIniTest, TheLineDialogRefusesRowsTheTableCannotHold) {
    const ParamLineFields good{"a.ds1", "Town", "act1", 1, 2, "tab\tin comments"};
    struct Case {
        ParamLineFields fields;
        std::string message;
    };
    auto with = [&](std::function<void(ParamLineFields&)> change) {
        ParamLineFields f = good;
        change(f);
        return f;
    };
    const std::string longText(128, 'x');
    const Case cases[] = {
        {with([](auto& f) { f.lvlTypeId = 0; }), kAllFieldsMessage},
        {with([](auto& f) { f.gamePath.clear(); }), kAllFieldsMessage},
        {with([](auto& f) { f.levelName = "two\tcolumns"; }),
         "Level Name holds a tab or a line break. They separate the columns and rows of "
         "kelvorn_loader.ini: please remove it."},
        {with([](auto& f) { f.gamePath = "act1\r\nx"; }),
         "Game Path holds a tab or a line break. They separate the columns and rows of "
         "kelvorn_loader.ini: please remove it."},
        {with([&](auto& f) { f.levelName = longText; }),
         "Level Name is longer than 127 characters, more than the lookup takes from a row."},
        {with([](auto& f) { f.comments = "one\nrow"; }),
         "Comments hold a line break. It separates the rows of kelvorn_loader.ini: please "
         "remove it."},
    };
    for (const Case& c : cases) {
        ui::Script s;
        std::string afterRefusal;
        s.OnDialog(IDD_PARAM_LINE, [&](ui::Dialog& d) {
            ui::WindowPort& w = d.Window();
            Fill(w, c.fields);
            d.PressEnter();
            if (d.IsEnding()) return;
            afterRefusal = w.GetItemText(IDC_LEVEL_NAME) + "|" + w.GetItemText(IDC_GAME_PATH);
            w.SetItemText(IDC_LEVEL_NAME, good.levelName);
            w.SetItemText(IDC_GAME_PATH, good.gamePath);
            w.SetItemText(IDC_LVLTYPE_ID, "1");
            w.SetItemText(IDC_COMMENTS, good.comments);
            d.PressEnter();
        });
        CParamLineDlg line(&owner);
        EXPECT_EQ(line.DoModal(), ui::IdOk) << c.message;
        ASSERT_EQ(s.MessageBoxes().size(), 1u) << c.message;
        EXPECT_EQ(s.MessageBoxes()[0].text, c.message);
        EXPECT_EQ(afterRefusal, c.fields.levelName + "|" + c.fields.gamePath);
        EXPECT_EQ(line.m_strComments, good.comments);
    }
}

TEST_F(LoaderIniTest, TheFileNameBoxDropsTheNineCharactersAndKeepsTheRest) {
    std::string typed, afterBackspace;
    script.OnDialog(IDD_PARAM_LINE, [&](ui::Dialog& d) {
        for (char ch : std::string("C:\\Maps\\A.DS1\"*/<>?|"))
            d.Window().TypeChar(IDC_FILE_NAME, static_cast<unsigned char>(ch));
        typed = d.Window().GetItemText(IDC_FILE_NAME);
        d.Window().TypeChar(IDC_FILE_NAME, '\b');
        afterBackspace = d.Window().GetItemText(IDC_FILE_NAME);
        d.PressEscape();
    });
    CParamLineDlg line(&owner);
    EXPECT_EQ(line.DoModal(), ui::IdCancel);
    // The box's own style lowers typed letters where there is a real box.
    std::transform(typed.begin(), typed.end(), typed.begin(), ::tolower);
    EXPECT_EQ(typed, "cmapsa.ds1");
    EXPECT_EQ(afterBackspace.size(), typed.size() - 1);
}

// Edit > Loader's ini works on the table in the program directory, and the next lookup
// reads what OK wrote.
TEST_F(LoaderDlgTest, LoaderIniCommandEditsTheTableTheNextLookupReads) {
    CLoaderDlg dlg;
    std::vector<std::string> rows;
    OnMainWindow([&](CLoaderDlg& d) {
        d.ChooseMenu(ID_EDIT_LOADER_INI);
        d.DropFiles({MapPath("added.ds1")});
        rows = Rows(d);
    });
    script.OnDialog(IDD_LOADER_INI, [](ui::Dialog& d) {
        d.ClickButton(IDC_ADD);
        d.PressEnter();
    });
    const ParamLineFields added{"added.ds1", "Added", "data\\added", 8, 9, ""};
    QueueLine(script, &added, ui::IdOk);
    dlg.DoModal();
    EXPECT_EQ(rows, std::vector<std::string>{MapPath("added.ds1") + "|Added|data\\added|8|9"});
    EXPECT_TRUE(WorkingDirIsProgramDir());
    EXPECT_TRUE(script.Finished()) << FirstError();
}

}  // namespace
