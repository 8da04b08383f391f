// The main window's tests, on either backend: a program folder with a small table.
#pragma once

#include <functional>

#include "app/loader_app.h"
#include "app/loader_dlg.h"
#include "loadercfg/select_params_dlg.h"
#include "res/resource.h"
#include "tests/common/helpers.h"

using test::Strings;

// Maps of the table. The lookup reads only the name: the paths need not exist.
inline std::string MapPath(const std::string& name) {
    return "C:\\maps\\" + name;
}
// r000.ds1 to r119.ds1 each fit one row.
inline std::string RowMap(int i) {
    return MapPath("r" + std::to_string(1000 + i).substr(1) + ".ds1");
}
// Rows as the list shows them, columns joined by '|'. twice.ds1 fits two rows.
inline const std::string kRowA = MapPath("a.ds1") + "|Act 1 - Town|data\\act1\\town|1|2";
inline const std::string kRowB = MapPath("b.ds1") + "|Act 2 - Desert|data\\act2|3|4";
inline const std::string kRowNeg = MapPath("neg.ds1") + "|Negative|data\\neg|7|4294967295";
inline const std::string kRowTwice2 = MapPath("twice.ds1") + "|Second|data\\two|12|13";

inline std::string TableText(const std::string& editorFolder) {
    std::string text =
        "; test table\r\nkelvornpath = " + editorFolder +
        "\r\nkelvornname = kelvorn.exe\r\n\r\n[PARAMS]\r\n"
        "a.ds1\tAct 1 - Town\tdata\\act1\\town\t1\t2\r\n"
        "b.ds1\tAct 2 - Desert\tdata\\act2\t3\t4\r\nneg.ds1\tNegative\tdata\\neg\t7\t-1\r\n"
        "twice.ds1\tFirst\tdata\\one\t10\t11\r\ntwice.ds1\tSecond\tdata\\two\t12\t13\r\n";
    for (int i = 0; i < 120; ++i)
        text += RowMap(i).substr(8) + "\tRow " + std::to_string(i) + "\tdata\\r\t" +
                std::to_string(i + 1) + "\t" + std::to_string(i + 200) + "\r\n";
    return text;
}

class LoaderDlgTest : public ::testing::Test {
  protected:
    // "Running the editor" notes the run in the pane.
    void SetUp() override {
        editorDir = ProgramDir() + "editor" + test::TempFolder::kSeparator;
        std::filesystem::create_directories(editorDir);
        m_folder.Write("kelvorn_loader.ini", TableText(editorDir));
        app.m_strExeDir = ProgramDir();
        app.m_programFilePath = [this] { return std::optional(ProgramDir() + "loader.exe"); };
        app.m_runEditor = [this](CLoaderDlg& dlg) {
            dlg.m_strOutput = "run " + std::to_string(++runs) + "\r\ndone";
        };
    }
    void TearDown() override { EXPECT_TRUE(script.Finished()) << test::Errors(script); }

    std::string ProgramDir() const { return m_folder.Path() + test::TempFolder::kSeparator; }
    static bool IsCurrentDir(std::string folder) {
        if (folder.ends_with(test::TempFolder::kSeparator)) folder.pop_back();  // for Windows
        return std::filesystem::equivalent(std::filesystem::current_path(), folder);
    }
    // `step` for the next showing of the main window, Escape after it.
    void OnMainWindow(std::function<void(CLoaderDlg&)> step) {
        test::OnShow<CLoaderDlg>(script, IDD_LOADER, std::move(step));
    }
    // Shows `dlg` once with `step` inside; returns the end code.
    intptr_t Show(CLoaderDlg& dlg, std::function<void(CLoaderDlg&)> step) {
        OnMainWindow(std::move(step));
        return dlg.DoModal();
    }

    // The texts of every row of the list, or of its first `columns` columns.
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
    // Drops r000.ds1 to r<n-1>.ds1 at once.
    static void FillRows(CLoaderDlg& dlg, int n) {
        Strings paths;
        for (int i = 0; i < n; ++i) paths.push_back(RowMap(i));
        dlg.DropFiles(paths);
    }

    ui::Script script;
    CLoaderApp app;
    int runs = 0;
    test::TempFolder m_folder;
    test::CurrentFolderScope m_keepCurrentFolder;  // let go of `m_folder` first
    std::string editorDir;
};

// Answers the choice dialog (Skip, Cancel grayed as given) with row `index`; -1: Escape.
inline ui::Script::Step Choose(int index, bool noSkip, bool noCancel) {
    return [=](ui::Dialog& d) {
        auto& choice = static_cast<CSelectParamsDlg&>(d);
        EXPECT_EQ(std::pair(choice.m_bNoSkip, choice.m_bNoCancel), std::pair(noSkip, noCancel));
        if (index < 0) return d.PressEscape();
        choice.m_list.SetSelected(-1, false);
        choice.m_list.SetSelected(index, true);
        choice.ClickButton(IDC_SELECT_OK);
    };
}
