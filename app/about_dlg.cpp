#include "app/about_dlg.h"

#include <charconv>

#include "res/resource.h"

CAboutDlg::CAboutDlg(ui::Dialog* owner) : ui::Dialog(IDD_ABOUTBOX, owner) {}

bool CAboutDlg::OnInitDialog() {
    // Three decimals, with a point whatever the user's locale says.
    char text[32];
    const auto end = std::to_chars(text, text + sizeof text, kVersion, std::chars_format::fixed, 3);
    Window().SetItemText(IDC_VERSION, std::string(text, end.ptr));
    return true;
}
