#include "loadercfg/param_line_dlg.h"

#include "loadercfg/param_line_rules.h"
#include "res/resource.h"
#include "ui/ddx.h"
#include "ui/modal.h"

CFileNameEdit::CFileNameEdit()
    : ui::FilteredEdit([](unsigned ch) { return !IsForbiddenFileNameChar(ch); }) {}

CParamLineDlg::CParamLineDlg(ui::Dialog* owner) : ui::Dialog(IDD_PARAM_LINE, owner) {}

void CParamLineDlg::DoDataExchange(ui::DataExchange& dx) {
    ui::DDX_Control(dx, IDC_FILE_NAME, m_editFileName);
    ui::DDX_Text(dx, IDC_FILE_NAME, m_strFileName);
    ui::DDX_Text(dx, IDC_LEVEL_NAME, m_strLevelName);
    ui::DDX_Text(dx, IDC_GAME_PATH, m_strGamePath);
    ui::DDX_Text(dx, IDC_LVLTYPE_ID, m_nLvlTypeId);
    ui::DDX_Text(dx, IDC_LVLPREST_DEF, m_nLvlPrestDef);
    ui::DDX_Text(dx, IDC_COMMENTS, m_strComments);
}

bool CParamLineDlg::OnInitDialog() {
    Window().SetCaption(m_strTitle);
    return true;
}

void CParamLineDlg::OnOK() {
    if (!UpdateData(true)) return;
    const LineProblem problem = CheckParamLine({m_strFileName, m_strLevelName, m_strGamePath,
                                                m_nLvlTypeId, m_nLvlPrestDef, m_strComments});
    if (problem.field == LineField::None) {
        EndDialog(ui::IdOk);
        return;
    }
    ui::ShowErrorMessage(this, problem.message);
    constexpr int kControls[] = {
        0,           IDC_FILE_NAME, IDC_LEVEL_NAME, IDC_GAME_PATH, IDC_LVLTYPE_ID, IDC_LVLPREST_DEF,
        IDC_COMMENTS};
    Window().SetFocus(kControls[static_cast<int>(problem.field)]);
}
