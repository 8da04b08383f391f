// Run and the editor runner: placeholders until the editor can be started.
#include "app/loader_dlg.h"
#include "app/run_editor.h"

bool CLoaderDlg::BuildEditorCommandLine(const std::string&, const std::string&,
                                        const std::string&) {
    return false;
}

void CLoaderDlg::OnRun() {}

void RunEditor(CLoaderDlg&) {}
