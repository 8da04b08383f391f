#include "loadercfg/select_params_dlg.h"

#include <algorithm>

#include "res/resource.h"
#include "ui/ddx.h"
#include "ui/modal.h"
#include "ui/types.h"

namespace {

enum Column { kName, kPath, kTypeId, kPrestDef };

}  // namespace

CSelectParamsDlg::CSelectParamsDlg(ui::Dialog* owner) : ui::Dialog(IDD_SELECT_PARAMS, owner) {
    MapCommand(IDC_SKIP, &CSelectParamsDlg::OnSkip);
    MapCommand(IDC_SELECT_OK, &CSelectParamsDlg::OnSelectOk);
}

void CSelectParamsDlg::AddCandidate(const std::string& levelName, const std::string& gamePath,
                                    int32_t lvlTypeId, int32_t lvlPrestDef) {
    m_candidates.push_back(ParamEntry{levelName, gamePath, lvlTypeId, lvlPrestDef});
}

void CSelectParamsDlg::DoDataExchange(ui::DataExchange& dx) {
    ui::DDX_Control(dx, IDC_PARAM_LIST, m_list);
}

bool CSelectParamsDlg::OnInitDialog() {
    ui::Dialog::OnInitDialog();
    m_bSkipped = false;
    Window().SetCaption(m_strTitle);

    m_list.InsertColumn(kName, "Name");
    m_list.InsertColumn(kPath, "Path");
    m_list.InsertColumn(kTypeId, "LvlType ID");
    m_list.InsertColumn(kPrestDef, "LvlPrest DEF");

    int nameWidth = 0;
    int pathWidth = 0;
    for (std::size_t i = 0; i < m_candidates.size(); ++i) {
        const ParamEntry& c = m_candidates[i];
        int item = m_list.InsertItem(static_cast<int>(i), c.levelName);
        m_list.SetItemText(item, kPath, c.gamePath);
        m_list.SetItemText(item, kTypeId, std::to_string(c.lvlTypeId));
        m_list.SetItemText(item, kPrestDef, std::to_string(c.lvlPrestDef));
        nameWidth = std::max(nameWidth, m_list.MeasureText(c.levelName));
        pathWidth = std::max(pathWidth, m_list.MeasureText(c.gamePath));
    }
    // The number columns are as wide as their titles; the numbers are shorter.
    m_list.SetColumnWidth(kName, nameWidth);
    m_list.SetColumnWidth(kPath, pathWidth);
    m_list.SetColumnWidth(kTypeId, m_list.MeasureText("LvlType ID"));
    m_list.SetColumnWidth(kPrestDef, m_list.MeasureText("LvlPrest DEF"));

    m_list.SetFocus();
    m_list.SetSelected(0, true);
    m_list.SetFocused(0);
    m_list.SetExtendedStyle(ui::LvsExFullRowSelect);

    Window().EnableItem(ui::IdCancel, !m_bNoCancel);
    Window().EnableItem(IDC_SKIP, !m_bNoSkip);
    return false;  // the focus is on the list
}

void CSelectParamsDlg::OnSelectOk() {
    int item = m_list.GetNextSelected();
    if (item < 0 || item >= static_cast<int>(m_candidates.size())) {
        ui::ShowErrorMessage(this, "No File in List Selected");
        return;
    }
    m_chosen = m_candidates[static_cast<std::size_t>(item)];
    ui::Dialog::OnOK();
}

void CSelectParamsDlg::OnSkip() {
    // A disabled button cannot be pressed, but its command can still be sent.
    if (m_bNoSkip) return;
    m_bSkipped = true;
    ui::Dialog::OnOK();
}

void CSelectParamsDlg::OnCancel() {
    if (!m_bNoCancel) ui::Dialog::OnCancel();
}
