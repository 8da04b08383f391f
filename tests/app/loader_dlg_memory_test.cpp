// What only the memory backend lets a test see: icons, fonts, z-order, other DPIs.
#include "tests/dialogs/loader_dlg_fixture.h"
#include "ui/memory/memory_port.h"

namespace {

ui::memory::MemoryPort& Port(CLoaderDlg& d) {
    return static_cast<ui::memory::MemoryPort&>(d.Window());
}

// Icon, the pane's font and, once moved, z-order; at 150 % all scales alike, halves up.
TEST_F(LoaderDlgTest, IconFontPlaceAndScaling) {
    ui::memory::SetDpi(144);
    CLoaderDlg dlg;
    Show(dlg, [&](CLoaderDlg& d) {
        EXPECT_EQ(Port(d).Icon(), IDI_APP);
        EXPECT_EQ(Port(d).FontFace(IDC_OUTPUT), "Courier New");
        EXPECT_FALSE(Port(d).AtBottomOfZOrder(IDC_OUTPUT));
        EXPECT_EQ(d.m_listFiles.GetColumnWidth(0), 300);
        EXPECT_EQ(d.Window().GetWindowRect().Height(), 371);  // 247 * 1.5 = 370.5
        d.ChooseMenu(ID_VIEW_PARAMETERS);
        d.ChooseMenu(ID_VIEW_OUTPUT);
        EXPECT_TRUE(Port(d).AtBottomOfZOrder(IDC_OUTPUT));
        EXPECT_EQ(d.Window().GetWindowRect().Height(), 836);     // 557 * 1.5 = 835.5
        EXPECT_EQ(d.Window().GetItemRect(IDC_OUTPUT).top, 369);  // 246 * 1.5
    });
    ui::memory::SetDpi(96);
}

}  // namespace
