// What only the memory backend lets a test see: icons, fonts, z-order, other DPIs.
#include "tests/dialogs/loader_dlg_fixture.h"
#include "ui/memory/memory_port.h"

namespace {

ui::memory::MemoryPort& Port(CLoaderDlg& d) {
    return static_cast<ui::memory::MemoryPort&>(d.Window());
}

// The window gets its icon, the output pane its font and, once moved, the bottom of the
// z-order. At 150 % scaling the window, the pane and the columns scale alike.
TEST_F(LoaderDlgTest, IconFontPlaceAndScaling) {
    ui::memory::SetDpi(144);
    CLoaderDlg dlg;
    int icon = 0, none = 0, both = 0, top = 0, firstColumn = 0;
    std::string face;
    bool before = true, after = false;
    Show(dlg, [&](CLoaderDlg& d) {
        icon = Port(d).Icon();
        face = Port(d).FontFace(IDC_OUTPUT);
        before = Port(d).AtBottomOfZOrder(IDC_OUTPUT);
        firstColumn = d.m_listFiles.GetColumnWidth(0);
        none = d.Window().GetWindowRect().Height();
        d.ChooseMenu(ID_VIEW_PARAMETERS);
        d.ChooseMenu(ID_VIEW_OUTPUT);
        after = Port(d).AtBottomOfZOrder(IDC_OUTPUT);
        both = d.Window().GetWindowRect().Height();
        top = d.Window().GetItemRect(IDC_OUTPUT).top;
    });
    ui::memory::SetDpi(96);
    EXPECT_EQ(icon, IDI_APP);
    EXPECT_EQ(face, "Courier New");
    EXPECT_FALSE(before);
    EXPECT_TRUE(after);
    EXPECT_EQ(none, 371);  // 247 * 1.5 = 370.5
    EXPECT_EQ(both, 836);
    EXPECT_EQ(top, 369);
    EXPECT_EQ(firstColumn, 300);
}

}  // namespace
