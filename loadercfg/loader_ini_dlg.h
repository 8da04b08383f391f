// The editor of kelvorn_loader.ini: the editor's location and the whole parameter table.
// Nothing is written before OK; Cancel leaves the file as it was.
#pragma once

#include <string>

#include "loadercfg/loader_settings.h"
#include "ui/controls.h"
#include "ui/dialog.h"

inline constexpr const char* kBadLinePrefix = "Bad Line: ";
inline constexpr const char* kUnreadableTableMessage =
    "Unable to Open kelvorn_loader.ini. The table is shown empty; OK writes a new file in its "
    "place.";
inline constexpr const char* kModifyWithoutSelectionMessage =
    "You must select an item to be modified";
inline constexpr const char* kWriteFailedMessage =
    "CLoaderIniDlg::OnOK: Failed to open kelvorn_loader.ini";

class CLoaderIniDlg : public ui::Dialog {
  public:
    explicit CLoaderIniDlg(ui::Dialog* owner = nullptr);

    std::string m_strEditorPath;
    std::string m_strEditorName;
    ui::ListView m_list;  // the rows while the dialog is open, one column per ParamRow column

    void OnBrowse();
    void OnAdd();
    void OnModify();
    void OnRemove();
    // A double click on a row modifies it; on empty space it does nothing.
    void OnDblclkTable();

  protected:
    void DoDataExchange(ui::DataExchange& dx) override;
    bool OnInitDialog() override;
    // Writes the whole file; when it cannot be written the dialog stays open with the edits.
    void OnOK() override;

  private:
    ParamRow Row(int item) const;
    void SetRow(int item, const ParamRow& row);
    // Runs the line dialog on `row`; true, with `row` replaced, when it ended with OK.
    bool EditRow(const std::string& title, ParamRow& row);
};
