// Help > Register Extension against the memory registry.
#include "app/shell_registration.h"
#include "sys/fs.h"
#include "sys/registry.h"
#include "tests/dialogs/loader_dlg_fixture.h"

namespace {

TEST_F(LoaderDlgTest, RegisterExtensionWritesTheOpenCommandAndSaysSuccess) {
    CLoaderDlg dlg;
    Show(dlg, [](CLoaderDlg& d) { d.ChooseMenu(ID_HELP_REGISTER); });
    ASSERT_EQ(script.MessageBoxes().size(), 1u);
    const ui::MessageBoxCall& box = script.MessageBoxes()[0];
    EXPECT_EQ(box.text, ".ds1 extension registered successfully!");
    EXPECT_EQ(box.caption, "Success");
    EXPECT_EQ(box.flags, ui::MbOk | ui::MbIconExclamation);
    EXPECT_EQ(box.ownerTemplate, IDD_LOADER);
    const std::string program = sys::ProgramFilePath(500).value();
    EXPECT_EQ(sys::SystemRegistry().ReadString(sys::RegRoot::ClassesRoot,
                                               "DiabloIIMap\\shell\\open\\command", ""),
              "\"" + program + "\" \"%1\"");
    EXPECT_TRUE(WorkingDirIsProgramDir());
}

TEST_F(LoaderDlgTest, RegisterExtensionRefusedEverywhereSaysSo) {
    auto& reg = static_cast<sys::MemoryRegistry&>(sys::SystemRegistry());
    CLoaderDlg dlg;
    Show(dlg, [&](CLoaderDlg& d) {
        reg.DenyKey(sys::RegRoot::ClassesRoot, "");
        reg.DenyKey(sys::RegRoot::CurrentUser, "");
        d.ChooseMenu(ID_HELP_REGISTER);
        reg.AllowAll();
    });
    ASSERT_EQ(script.MessageBoxes().size(), 1u);
    EXPECT_EQ(script.MessageBoxes()[0].text, "Failed to Register .ds1 Extension");
    EXPECT_EQ(script.MessageBoxes()[0].caption, "ERROR");
}

}  // namespace
