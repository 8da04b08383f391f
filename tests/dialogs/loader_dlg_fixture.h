// The main window's tests share this: a folder of their own as the program directory,
// holding a kelvorn_loader.ini with a small table, and a running application pointing
// at it. Works on either backend.
#pragma once

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "app/loader_app.h"
#include "app/loader_dlg.h"
#include "loadercfg/select_params_dlg.h"
#include "res/resource.h"
#include "sys/fs.h"
#include "ui/script.h"

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

inline std::string TableText() {
    std::string text =
        "; test table\r\nkelvornpath = C:\\editor\\\r\nkelvornname = kelvorn.exe\r\n\r\n"
        "[PARAMS]\r\n"
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
        static std::atomic<unsigned> counter{0};
        auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
        m_folder = std::filesystem::temp_directory_path() /
                   ("kelvorn-app-" + std::to_string(stamp) + "-" + std::to_string(++counter));
        std::filesystem::create_directories(m_folder);
        std::ofstream(m_folder / "kelvorn_loader.ini", std::ios::binary) << TableText();
        m_startDir = std::filesystem::current_path();
        app.m_strExeDir = ProgramDir();
    }
    void TearDown() override {
        std::filesystem::current_path(m_startDir);
        std::error_code ec;
        std::filesystem::remove_all(m_folder, ec);
    }

    std::string ProgramDir() const {
        return m_folder.string() + static_cast<char>(std::filesystem::path::preferred_separator);
    }
    bool WorkingDirIsProgramDir() const {
        std::error_code ec;
        return std::filesystem::equivalent(std::filesystem::current_path(), m_folder, ec);
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

    // The texts of every row of the list, columns joined by '|'.
    static std::vector<std::string> Rows(const CLoaderDlg& dlg) {
        std::vector<std::string> rows;
        for (int i = 0; i < dlg.m_listFiles.GetItemCount(); ++i) {
            std::string row;
            for (int c = 0; c < 5; ++c) row += (c ? "|" : "") + dlg.m_listFiles.GetItemText(i, c);
            rows.push_back(row);
        }
        return rows;
    }
    // Fills the list with r000.ds1 to r<n-1>.ds1 through drops.
    static void FillRows(CLoaderDlg& dlg, int n) {
        std::vector<std::string> paths;
        for (int i = 0; i < n; ++i) paths.push_back(RowMap(i));
        dlg.DropFiles(paths);
    }
    std::vector<std::string> BoxTexts() const {
        std::vector<std::string> texts;
        for (const ui::MessageBoxCall& call : script.MessageBoxes()) texts.push_back(call.text);
        return texts;
    }
    std::string FirstError() const {
        return script.Errors().empty() ? "" : script.Errors().front();
    }

    ui::Script script;
    CLoaderApp app;

  private:
    std::filesystem::path m_folder;
    std::filesystem::path m_startDir;
};

// Answers the choice dialog with the row at `index`, and notes the flags it was given.
struct ChoiceProbe {
    bool opened = false, noSkip = false, noCancel = false;
    ui::Script::Step Choose(int index) {
        return [this, index](ui::Dialog& d) {
            auto& choice = static_cast<CSelectParamsDlg&>(d);
            Note(choice);
            choice.m_list.SetSelected(-1, false);
            choice.m_list.SetSelected(index, true);
            choice.m_list.SetFocused(index);
            choice.ClickButton(IDC_SELECT_OK);
        };
    }
    ui::Script::Step Cancel() {
        return [this](ui::Dialog& d) {
            Note(static_cast<CSelectParamsDlg&>(d));
            d.PressEscape();
        };
    }
    void Note(const CSelectParamsDlg& choice) {
        opened = true;
        noSkip = choice.m_bNoSkip;
        noCancel = choice.m_bNoCancel;
    }
};
