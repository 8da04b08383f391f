// The small dialog that enters or changes one row of the parameter table.
#pragma once

#include <cstdint>
#include <string>

#include "ui/controls.h"
#include "ui/dialog.h"

// The file-name box: typed characters that cannot stand in a file name are dropped without
// a sound; the box's own style makes typed letters lower case.
class CFileNameEdit : public ui::FilteredEdit {
  public:
    CFileNameEdit();
};

class CParamLineDlg : public ui::Dialog {
  public:
    explicit CParamLineDlg(ui::Dialog* owner = nullptr);

    CFileNameEdit m_editFileName;
    std::string m_strFileName;
    std::string m_strLevelName;
    std::string m_strGamePath;
    uint32_t m_nLvlTypeId = 0;
    uint32_t m_nLvlPrestDef = 0;
    std::string m_strComments;
    std::string m_strTitle;  // the window's caption

  protected:
    void DoDataExchange(ui::DataExchange& dx) override;
    bool OnInitDialog() override;
    // Closes only on a row the table can hold; otherwise says why and keeps the entries.
    void OnOK() override;
};
