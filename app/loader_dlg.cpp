#include "app/loader_dlg.h"

#include "app/layout.h"
#include "app/loader_app.h"
#include "loadercfg/param_lookup.h"
#include "res/resource.h"
#include "sys/fs.h"
#include "ui/ddx.h"

namespace {

// Width of each list column in pixels at 96 DPI, in column order.
struct ListColumn {
    const char* title;
    int width;
};
constexpr ListColumn kColumns[] = {
    {"File", 200}, {"Name", 90}, {"Game Path", 70}, {"LvlType ID", 64}, {"LvlPrest Def", 70},
};

// A saved row that already carries everything the editor needs is not looked up again.
bool IsResolved(const FileListEntry& row) {
    return !row.levelName.empty() && !row.gamePath.empty() && row.lvlTypeId != 0 &&
           row.lvlPrestDef != 0;
}

}  // namespace

CLoaderDlg::CLoaderDlg() : ui::Dialog(IDD_LOADER), m_dt1Dlg(this), m_hIcon(IDI_APP) {
    MapCommand(ID_FILE_ADD, &CLoaderDlg::OnAddFiles);
    MapCommand(ID_FILE_REMOVE, &CLoaderDlg::OnRemoveFiles);
    MapCommand(ID_FILE_LOAD_BATCH, &CLoaderDlg::OnLoadBatch);
    MapCommand(ID_FILE_MAKE_BATCH, &CLoaderDlg::OnMakeBatch);
    MapCommand(ID_FILE_RUN, &CLoaderDlg::OnRun);
    MapCommand(ID_FILE_EXIT, &CLoaderDlg::OnCancel);
    MapCommand(ID_EDIT_EDITOR_INI, &CLoaderDlg::OnEditorIni);
    MapCommand(ID_EDIT_LOADER_INI, &CLoaderDlg::OnLoaderIni);
    MapCommand(ID_VIEW_PARAMETERS, &CLoaderDlg::OnViewParameters);
    MapCommand(ID_VIEW_OUTPUT, &CLoaderDlg::OnViewOutput);
    MapCommand(ID_HELP_REGISTER, &CLoaderDlg::OnRegisterExtension);
    MapCommand(ID_HELP_ABOUT, &CLoaderDlg::OnAbout);

    MapCommand(IDC_RESIZE, &CLoaderDlg::OnResizeClicked);
    MapCommand(IDC_FORCE_DT1, &CLoaderDlg::OnForceDt1Clicked);
    MapCommand(IDC_FORCE_PAL, &CLoaderDlg::OnForcePaletteClicked);
    MapCommand(IDC_CONFIGURE_DT1, &CLoaderDlg::OnConfigureDt1);
    MapEditChange(IDC_RESIZE_X, &CLoaderDlg::OnResizeXChanged);
    MapEditChange(IDC_RESIZE_Y, &CLoaderDlg::OnResizeYChanged);
    MapEditChange(IDC_ACT, &CLoaderDlg::OnActChanged);
    MapNotify(IDC_FILE_LIST, ui::NmDblClk, &CLoaderDlg::OnDblclkFileList);
    MapKey(IDC_FILE_LIST, ui::VkDelete, &CLoaderDlg::OnDeleteKey);
    MapKey(IDC_FILE_LIST, ui::KeyCtrl + 'A', &CLoaderDlg::OnSelectAll);
}

void CLoaderDlg::DoDataExchange(ui::DataExchange& dx) {
    ui::DDX_Control(dx, IDC_FILE_LIST, m_listFiles);
    ui::DDX_Text(dx, IDC_OUTPUT, m_strOutput);
    ui::DDX_Check(dx, IDC_FORCE_DT1, m_options.bForceDt1);
    ui::DDX_Check(dx, IDC_FORCE_PAL, m_options.bForcePalette);
    ui::DDX_Check(dx, IDC_NO_CHECK_ACT, m_options.bNoCheckAct);
    ui::DDX_Check(dx, IDC_RESIZE, m_options.bResize);
    ui::DDX_Text(dx, IDC_RESIZE_X, m_options.resizeX);
    ui::DDX_Text(dx, IDC_RESIZE_Y, m_options.resizeY);
    ui::DDX_Text(dx, IDC_ACT, m_options.act);
}

bool CLoaderDlg::OnInitDialog() {
    ui::WindowPort& window = Window();
    if (window.HasSystemMenu()) window.InsertSystemMenuItem(0, IDM_ABOUTBOX, kAboutMenuText);
    window.SetIcons(m_hIcon);

    if (CLoaderApp* app = TheApp(); app && !app->m_strExeDir.empty())
        sys::SetCurrentDirectory(app->m_strExeDir);

    // Column widths and the pane's font are pixels at 96 DPI; they grow with the scaling
    // as the dialog's own units do.
    const int dpi = window.GetDpi();
    m_listFiles.SetExtendedStyle(ui::LvsExFullRowSelect);
    int column = 0;
    for (const ListColumn& heading : kColumns)
        m_listFiles.InsertColumn(column++, heading.title, ScaleForDpi(heading.width, dpi));

    LoadSavedRows();

    if (!m_font.face.empty())
        window.SetMonospaceFont(IDC_OUTPUT, m_font.face, ScaleForDpi(m_font.cellHeight, dpi));
    RefreshLayout();
    UpdateData(false);
    return true;
}

void CLoaderDlg::LoadSavedRows() {
    ui::RedrawPause pause(m_listFiles);
    for (const FileListEntry& saved : m_savedRows) {
        if (saved.path.empty()) continue;
        ParamEntry params;
        if (IsResolved(saved))
            params = {saved.levelName, saved.gamePath, saved.lvlTypeId, saved.lvlPrestDef};
        else if (LookupParams(saved.path, this, params, LOOKUP_NO_CANCEL) != LOOKUP_FOUND)
            continue;
        AddFileRow(saved.path, params.levelName, params.gamePath, params.lvlTypeId,
                   params.lvlPrestDef);
    }
}

void CLoaderDlg::OnOK() {}

bool CLoaderDlg::OnSysCommand(unsigned command) {
    if ((command & 0xFFF0) != IDM_ABOUTBOX) return false;
    OnAbout();
    return true;
}

void CLoaderDlg::OnConfigureDt1() {
    m_dt1Dlg.DoModal();
}
