// The choice among several table rows that fit one map: pick a row, skip the map, or
// cancel.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "loadercfg/param_entry.h"
#include "ui/controls.h"
#include "ui/dialog.h"

class CSelectParamsDlg : public ui::Dialog {
  public:
    explicit CSelectParamsDlg(ui::Dialog* owner = nullptr);

    // Appends one candidate; called once per fitting row, in file order, before DoModal.
    void AddCandidate(const std::string& levelName, const std::string& gamePath, int32_t lvlTypeId,
                      int32_t lvlPrestDef);

    std::string m_strTitle;
    bool m_bNoSkip = false;
    bool m_bNoCancel = false;
    bool m_bSkipped = false;  // after IdOk: Skip ended the dialog
    ParamEntry m_chosen;      // after IdOk without Skip: the row picked
    ui::ListView m_list;

    void OnSkip();
    void OnSelectOk();

  protected:
    void DoDataExchange(ui::DataExchange& dx) override;
    bool OnInitDialog() override;
    // IdOk may arrive without the OK button (Enter); it must choose a row all the same.
    void OnOK() override { OnSelectOk(); }
    // With Cancel disabled, Escape must not cancel either.
    void OnCancel() override;

  private:
    std::vector<ParamEntry> m_candidates;
};
