#include "loadercfg/loader_ini_dlg.h"

#include <vector>

#include "loadercfg/editor_location_check.h"
#include "loadercfg/param_line_dlg.h"
#include "loadercfg/param_scan.h"
#include "res/resource.h"
#include "ui/ddx.h"
#include "ui/dpi.h"
#include "ui/modal.h"

namespace {

enum Column { kFileName, kLevelName, kGamePath, kTypeId, kPrestDef, kComments };

struct TableColumn {
    const char* title;
    int width;  // pixels at 96 DPI
};
constexpr TableColumn kColumns[] = {{"File Name", 140}, {"Level Name", 225},  {"Game Path", 125},
                                    {"LvlType ID", 65}, {"LvlPrest Def", 70}, {"Comments", 100}};

}  // namespace

CLoaderIniDlg::CLoaderIniDlg(ui::Dialog* owner) : ui::Dialog(IDD_LOADER_INI, owner) {
    MapCommand(IDC_BROWSE, &CLoaderIniDlg::OnBrowse);
    MapCommand(IDC_ADD, &CLoaderIniDlg::OnAdd);
    MapCommand(IDC_MODIFY, &CLoaderIniDlg::OnModify);
    MapCommand(IDC_REMOVE, &CLoaderIniDlg::OnRemove);
    MapKey(IDC_PARAM_TABLE, ui::VkDelete, &CLoaderIniDlg::OnRemove);
    MapNotify(IDC_PARAM_TABLE, ui::NmDblClk, &CLoaderIniDlg::OnDblclkTable);
}

void CLoaderIniDlg::DoDataExchange(ui::DataExchange& dx) {
    ui::DDX_Text(dx, IDC_EDITOR_PATH, m_strEditorPath);
    ui::DDX_Text(dx, IDC_EDITOR_NAME, m_strEditorName);
    ui::DDX_Control(dx, IDC_PARAM_TABLE, m_list);
}

bool CLoaderIniDlg::OnInitDialog() {
    m_list.SetExtendedStyle(ui::LvsExFullRowSelect);
    int column = 0;
    const int dpi = Window().GetDpi();
    for (const TableColumn& c : kColumns)
        m_list.InsertColumn(column++, c.title, ui::ScaleForDpi(c.width, dpi));

    LoaderSettings settings;
    std::vector<std::string> badLines;
    const bool read = ReadLoaderSettings(settings, badLines);
    m_strEditorPath = settings.editorPath;
    m_strEditorName = settings.editorName;
    for (const ParamRow& row : settings.rows)
        SetRow(m_list.InsertItem(m_list.GetItemCount(), ""), row);

    // Said before the dialog shows: an empty table must not look like the user's file.
    if (!read) ui::ShowErrorMessage(this, kUnreadableTableMessage);
    for (const std::string& line : badLines) ui::ShowErrorMessage(this, kBadLinePrefix + line);
    UpdateData(false);
    return true;
}

ParamRow CLoaderIniDlg::Row(int item) const {
    return {m_list.GetItemText(item, kFileName), m_list.GetItemText(item, kLevelName),
            m_list.GetItemText(item, kGamePath), m_list.GetItemText(item, kTypeId),
            m_list.GetItemText(item, kPrestDef), m_list.GetItemText(item, kComments)};
}

void CLoaderIniDlg::SetRow(int item, const ParamRow& row) {
    m_list.SetItemText(item, kFileName, row.fileName);
    m_list.SetItemText(item, kLevelName, row.levelName);
    m_list.SetItemText(item, kGamePath, row.gamePath);
    m_list.SetItemText(item, kTypeId, row.lvlTypeId);
    m_list.SetItemText(item, kPrestDef, row.lvlPrestDef);
    m_list.SetItemText(item, kComments, row.comments);
}

bool CLoaderIniDlg::EditRow(const std::string& title, ParamRow& row) {
    CParamLineDlg line(this);
    line.m_strTitle = title;
    line.m_strFileName = row.fileName;
    line.m_strLevelName = row.levelName;
    line.m_strGamePath = row.gamePath;
    // Read as atoi reads them and kept unsigned: -1 comes back as 4294967295.
    line.m_nLvlTypeId = static_cast<uint32_t>(AtoiValue(row.lvlTypeId));
    line.m_nLvlPrestDef = static_cast<uint32_t>(AtoiValue(row.lvlPrestDef));
    line.m_strComments = row.comments;
    if (line.DoModal() != ui::IdOk) return false;
    row = {line.m_strFileName,
           line.m_strLevelName,
           line.m_strGamePath,
           std::to_string(line.m_nLvlTypeId),
           std::to_string(line.m_nLvlPrestDef),
           line.m_strComments};
    return true;
}

void CLoaderIniDlg::OnBrowse() {
    UpdateData(true);
    ui::OpenFileOptions options;
    options.filters = {{"Executable (*.exe)", "*.exe"}};
    options.fileMustExist = true;
    options.initialFolder = m_strEditorPath;
    options.initialName = m_strEditorName;
    const ui::FileDialogResult chosen = ui::ShowOpenFileDialog(this, options);
    if (!chosen.confirmed || chosen.paths.empty()) return;
    const std::string& path = chosen.paths.front();
    const std::size_t nameStart = path.find_last_of("\\/") + 1;  // 0 without a folder
    m_strEditorPath = path.substr(0, nameStart);
    m_strEditorName = path.substr(nameStart);
    UpdateData(false);
}

void CLoaderIniDlg::OnAdd() {
    ParamRow row;
    if (EditRow("Add Line", row)) SetRow(m_list.InsertItem(m_list.GetItemCount(), ""), row);
}

void CLoaderIniDlg::OnModify() {
    const int item = m_list.GetNextSelected();
    if (item < 0) {
        ui::ShowErrorMessage(this, kModifyWithoutSelectionMessage);
        return;
    }
    ParamRow row = Row(item);
    if (EditRow("Modify Line", row)) SetRow(item, row);
}

void CLoaderIniDlg::OnRemove() {
    const int item = m_list.GetNextSelected();
    if (item >= 0) m_list.DeleteItem(item);
}

void CLoaderIniDlg::OnDblclkTable() {
    const int item = m_list.HitTestCursor();
    if (item < 0) return;
    m_list.SetSelected(-1, false);
    m_list.SetSelected(item, true);
    OnModify();
}

void CLoaderIniDlg::OnOK() {
    if (!UpdateData(true)) return;
    if (const std::string unusable =
            UnusableEditorLocationMessage(m_strEditorPath, m_strEditorName);
        !unusable.empty()) {
        ui::ShowErrorMessage(this, unusable);
        return;
    }
    LoaderSettings settings{m_strEditorPath, m_strEditorName, {}};
    const int count = m_list.GetItemCount();
    for (int item = 0; item < count; ++item) settings.rows.push_back(Row(item));
    if (!WriteLoaderSettings(settings)) {
        ui::ShowErrorMessage(this, kWriteFailedMessage);
        return;
    }
    EndDialog(ui::IdOk);
}
