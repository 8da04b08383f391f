// The main window: the list of maps, the launch options, the output pane and the menu.
// The object lives for the whole program; its window is made anew for each showing.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "app/file_list_entry.h"
#include "app/force_dt1_dlg.h"
#include "ui/controls.h"
#include "ui/dialog.h"

// Text of the item added to the window's system menu (string resource 101).
inline constexpr const char* kAboutMenuText = "&About kelvorn Loader...";

inline constexpr const char* kMaxFilesMessage = "Maximum Files per Batch reached";
inline constexpr const char* kMaxFilesAddedMessage =
    "Maximum number of Files reached. No more files will be added.";
inline constexpr const char* kNoItemsSelectedMessage = "No Items Selected";

// Font of the output pane.
struct OutputFont {
    std::string face;
    int cellHeight = 0;
};

class CLoaderDlg : public ui::Dialog {
  public:
    CLoaderDlg();

    std::array<FileListEntry, kMaxFileRows> m_savedRows;
    char m_szCmdLine[512] = {};
    // The editor's program file that Run found in the editor folder; empty to let the
    // system find the command line's first item.
    std::string m_strEditorProgram;
    ui::ListView m_listFiles;
    std::string m_strOutput;
    LaunchOptions m_options;
    OutputFont m_font{"Courier New", 14};
    bool m_bShowOutput = false;
    CForceDt1Dlg m_dt1Dlg;
    bool m_bShowOptions = false;
    int m_hIcon;  // icon resource of the window

    // Appends one row at the end of the list; false when the list refused it.
    bool AddFileRow(const std::string& path, const std::string& levelName,
                    const std::string& gamePath, int32_t lvlTypeId, int32_t lvlPrestDef);
    // Shows or hides the panes, sizes the window and sets the states that follow the
    // number of rows; called after every change of that number.
    void RefreshLayout();

    // Fills m_szCmdLine for the rows of the list; false when refused (the user was told).
    // With several rows it writes the map list file; `listWritten`, when given, says
    // whether that worked (true when there was no file to write).
    bool BuildEditorCommandLine(const std::string& editorFolder, const std::string& editorName,
                                const std::string& listBase, bool* listWritten = nullptr);
    void OnRun();

    // The loader settings file from the working directory; nothing when it cannot be read,
    // after telling the user.
    std::optional<std::string> ReadLoaderIni();

  protected:
    bool OnInitDialog() override;
    void DoDataExchange(ui::DataExchange& dx) override;
    // Enter pressed where no control takes it: nothing happens, so that no stale command
    // line is run and no row added since the last Run is lost. Run ends the dialog
    // through ui::Dialog::OnOK.
    void OnOK() override;
    void OnDropFiles(const std::vector<std::string>& paths) override;
    bool OnSysCommand(unsigned command) override;

    void OnAddFiles();
    void OnRemoveFiles();
    void OnDblclkFileList();
    // Delete in the list: Remove without its message, the user pressed a key, not a command.
    void OnDeleteKey();
    void OnSelectAll();
    void OnViewParameters();
    void OnViewOutput();
    void OnResizeClicked();
    void OnForceDt1Clicked();
    void OnForcePaletteClicked();
    void OnConfigureDt1();
    void OnResizeXChanged();
    void OnResizeYChanged();
    void OnActChanged();

    void OnAbout();
    void OnRegisterExtension();
    void OnLoadBatch();
    void OnMakeBatch();
    void OnEditorIni();
    void OnLoaderIni();

    // Row whose path equals `path` ignoring case, -1 when there is none.
    int FindRow(const std::string& path) const;
    // Columns 1 to 4 of `item` from the parameters, numbers in unsigned decimal.
    void SetRowParams(int item, const ParamEntry& params);

  private:
    void LoadSavedRows();
    void EnableOptionControls(bool enabled);
};
