// Commands of the main window that do nothing yet: their menu items exist and are routed
// here, each to be given its own file when its work is written.
#include "app/loader_dlg.h"

void CLoaderDlg::OnEditorIni() {}
