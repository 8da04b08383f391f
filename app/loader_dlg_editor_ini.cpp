// Edit > Editor's ini: the editor settings dialog, run inside the editor's folder because
// kelvorn.ini is addressed by its bare name.
#include "app/loader_app.h"
#include "app/loader_dlg.h"
#include "editorcfg/editor_ini_dlg.h"
#include "launch/editor_location.h"
#include "loadercfg/loader_settings.h"
#include "sys/fs.h"
#include "ui/modal.h"

void CLoaderDlg::OnEditorIni() {
    const std::optional<std::string> settings = ReadLoaderIni();
    if (!settings) return;
    // Without the editor's folder the dialog would show and write another kelvorn.ini.
    const std::optional<std::string> folder = FindEditorFolder(*settings);
    if (!folder) {
        ui::ShowErrorMessage(this, kNoEditorFolderMessage);
        return;
    }
    if (!sys::SetCurrentDirectory(*folder)) {
        ui::ShowErrorMessage(this, kEditorFolderMissingMessage + *folder);
        return;
    }
    CEditorIniDlg dlg(this);
    dlg.DoModal();
    if (const CLoaderApp* app = TheApp()) sys::SetCurrentDirectory(app->m_strExeDir);
}
