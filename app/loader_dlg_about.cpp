// Help > About and the system menu's About item open the same box.
#include "app/about_dlg.h"
#include "app/loader_dlg.h"

void CLoaderDlg::OnAbout() {
    CAboutDlg about(this);
    about.DoModal();
}
