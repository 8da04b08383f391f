// The About box, from Help > About and from the system menu.
#include "tests/dialogs/loader_dlg_fixture.h"

namespace {

TEST_F(LoaderDlgTest, HelpAboutAndTheSystemMenuOpenTheSameBoxWithTheVersion) {
    std::vector<std::string> versions;
    auto readVersion = [&](ui::Dialog& d) {
        versions.push_back(d.Window().GetItemText(IDC_VERSION));
        d.PressEnter();
    };
    CLoaderDlg dlg;
    OnMainWindow([](CLoaderDlg& d) {
        d.ChooseMenu(ID_HELP_ABOUT);
        d.HandleSysCommand(IDM_ABOUTBOX);
    });
    script.OnDialog(IDD_ABOUTBOX, readVersion);
    script.OnDialog(IDD_ABOUTBOX, readVersion);
    dlg.DoModal();
    EXPECT_EQ(versions, (std::vector<std::string>{"1.014", "1.014"}));
    EXPECT_EQ(script.DialogsOpened(), (std::vector<int>{IDD_LOADER, IDD_ABOUTBOX, IDD_ABOUTBOX}));
    EXPECT_TRUE(script.Finished()) << FirstError();
}

}  // namespace
