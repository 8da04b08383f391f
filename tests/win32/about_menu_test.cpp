// The main window's system menu carries string 101, and its item opens the About box.
#include "tests/dialogs/loader_dlg_fixture.h"
#include "tests/win32/ui_fixture.h"

namespace {

TEST_F(LoaderDlgTest, TheSystemMenuItemIsString101AndOpensTheAboutBox) {
    std::wstring itemText;
    std::string version;
    CLoaderDlg dlg;
    OnMainWindow([&](CLoaderDlg& d) {
        wchar_t text[64] = {};
        GetMenuStringW(GetSystemMenu(kelvorn_test::Hwnd(d), FALSE), IDM_ABOUTBOX, text, 64,
                       MF_BYCOMMAND);
        itemText = text;
        SendMessageW(kelvorn_test::Hwnd(d), WM_SYSCOMMAND, IDM_ABOUTBOX, 0);
    });
    script.OnDialog(IDD_ABOUTBOX, [&](ui::Dialog& d) {
        version = d.Window().GetItemText(IDC_VERSION);
        d.PressEnter();
    });
    dlg.DoModal();
    wchar_t resource[64] = {};
    LoadStringW(GetModuleHandleW(nullptr), IDS_ABOUTBOX, resource, 64);
    EXPECT_EQ(itemText, resource);
    EXPECT_EQ(itemText, L"&About kelvorn Loader...");
    EXPECT_EQ(version, "1.014");
    EXPECT_TRUE(script.Finished()) << FirstError();
}

}  // namespace
