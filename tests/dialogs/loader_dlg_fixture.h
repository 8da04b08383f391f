// The main window's tests share this: a folder of their own as the program directory,
// holding a kelvorn_loader.ini with a small table, and a running application pointing
// at it. Works on either backend.
#pragma once

#include <functional>

#include "app/loader_app.h"
#include "app/loader_dlg.h"
#include "loadercfg/select_params_dlg.h"
#include "res/resource.h"
#include "tests/common/helpers.h"

using test::Strings;

// Maps of the table: "a.ds1" ... and r000.ds1 to r119.ds1, each fitting one row, and
// "twice.ds1" fitting two rows. Paths need not exist: the lookup reads only the name.
inline std::string MapPath(const std::string& name) {
    return "C:\\maps\\" + name;
}
inline std::string RowMap(int i) {
    char name[16];
    std::snprintf(name, sizeof name, "r%03d.ds1", i);
    return MapPath(name);
}
inline const std::string kRowA = MapPath("a.ds1") + "|Act 1 - Town|data\\act1\\town|1|2";

inline std::string TableText(const std::string& editorFolder = "C:\\editor\\",
                             const std::string& editorName = "kelvorn.exe") {
    std::string text = "; test table\r\nkelvornpath = " + editorFolder +
                       "\r\nkelvornname = " + editorName +
                       "\r\n\r\n[PARAMS]\r\n"
                       "a.ds1\tAct 1 - Town\tdata\\act1\\town\t1\t2\r\n"
                       "b.ds1\tAct 2 - Desert\tdata\\act2\t3\t4\r\n"
                       "neg.ds1\tNegative\tdata\\neg\t7\t-1\r\n"
                       "twice.ds1\tFirst\tdata\\one\t10\t11\r\n"
                       "twice.ds1\tSecond\tdata\\two\t12\t13\r\n";
    for (int i = 0; i < 120; ++i) {
        char line[80];
        std::snprintf(line, sizeof line, "r%03d.ds1\tRow %d\tdata\\r\t%d\t%d\r\n", i, i, i + 1,
                      i + 200);
        text += line;
    }
    return text;
}

class LoaderDlgTest : public ::testing::Test {
  protected:
    void SetUp() override {
        m_folder.Write("kelvorn_loader.ini", TableText());
        app.m_strExeDir = ProgramDir();
    }
    void TearDown() override { std::filesystem::current_path(m_startDir); }

    std::string ProgramDir() const { return m_folder.Path() + test::TempFolder::kSeparator; }
    bool WorkingDirIsProgramDir() const {
        std::error_code ec;
        return std::filesystem::equivalent(std::filesystem::current_path(), m_folder.Path(), ec);
    }

    // Queues `step` for the next showing of the main window; Escape closes the window
    // after it unless the step ended it. Dialogs that open inside the step are queued
    // after this; those that open while the window is created, before it.
    void OnMainWindow(std::function<void(CLoaderDlg&)> step) {
        script.OnDialog(IDD_LOADER, [step](ui::Dialog& d) {
            step(static_cast<CLoaderDlg&>(d));
            if (!d.IsEnding()) d.PressEscape();
        });
    }
    // Shows `dlg` once with `step` inside; returns the end code.
    intptr_t Show(CLoaderDlg& dlg, std::function<void(CLoaderDlg&)> step) {
        OnMainWindow(std::move(step));
        return dlg.DoModal();
    }

    // The texts of every row of the list, columns joined by '|', or only the paths.
    static Strings Rows(const CLoaderDlg& dlg, int columns = 5) {
        Strings rows;
        for (int i = 0; i < dlg.m_listFiles.GetItemCount(); ++i) {
            std::string row;
            for (int c = 0; c < columns; ++c)
                row += (c ? "|" : "") + dlg.m_listFiles.GetItemText(i, c);
            rows.push_back(row);
        }
        return rows;
    }
    // Fills the list with r000.ds1 to r<n-1>.ds1 through drops.
    static void FillRows(CLoaderDlg& dlg, int n) {
        Strings paths;
        for (int i = 0; i < n; ++i) paths.push_back(RowMap(i));
        dlg.DropFiles(paths);
    }
    static void Check(ui::Dialog& d, int id) {
        d.Window().SetCheck(id, true);
        d.ClickButton(id);
    }
    Strings BoxTexts() const { return test::BoxTexts(script); }

    ui::Script script;
    CLoaderApp app;
    test::TempFolder m_folder;

  private:
    std::filesystem::path m_startDir = std::filesystem::current_path();
};

// Answers the choice dialog with the row at `index`, or cancels it, and notes the flags
// it was given.
struct ChoiceProbe {
    bool opened = false, noSkip = false, noCancel = false;
    ui::Script::Step Choose(int index) {
        return [this, index](ui::Dialog& d) {
            auto& choice = Note(d);
            choice.m_list.SetSelected(-1, false);
            choice.m_list.SetSelected(index, true);
            choice.m_list.SetFocused(index);
            choice.ClickButton(IDC_SELECT_OK);
        };
    }
    ui::Script::Step Cancel() {
        return [this](ui::Dialog& d) { Note(d).PressEscape(); };
    }
    CSelectParamsDlg& Note(ui::Dialog& d) {
        auto& choice = static_cast<CSelectParamsDlg&>(d);
        opened = true;
        noSkip = choice.m_bNoSkip;
        noCancel = choice.m_bNoCancel;
        return choice;
    }
};
