// Edit > Loader's ini: the settings editor, on the file in the program directory (the
// working directory while the main window is shown).
#include "app/loader_dlg.h"
#include "loadercfg/loader_ini_dlg.h"

void CLoaderDlg::OnLoaderIni() {
    CLoaderIniDlg dlg(this);
    dlg.DoModal();
}
