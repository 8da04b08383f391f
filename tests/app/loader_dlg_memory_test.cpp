// What only the memory backend lets a test see: icons, fonts, z-order, other DPIs.
#include "loadercfg/loader_ini_dlg.h"
#include "tests/dialogs/loader_dlg_fixture.h"
#include "ui/memory/memory_port.h"

namespace {

ui::memory::MemoryPort& Port(CLoaderDlg& d) {
    return static_cast<ui::memory::MemoryPort&>(d.Window());
}

// Icon, the pane's font and, once moved, z-order; at 150 % all scales alike, halves up.
TEST_F(LoaderDlgTest, IconFontPlaceAndScalingOfEveryDialog) {
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

    // The other dialogs' pixel sizes scale too: the settings table's columns and the slack the
    // .dt1 list leaves of its widest item (50 bytes, 300 pixels here) before it scrolls.
    test::CurrentFolderScope inFolder{m_folder.Path()};
    m_folder.Write("kelvorn_loader.ini", FormatLoaderSettings({}));
    for (int scale : {1, 2}) {
        ui::memory::SetDpi(96 * scale);
        std::vector<int> widths;
        test::OnShow<CLoaderIniDlg>(script, IDD_LOADER_INI, [&](CLoaderIniDlg& d) {
            for (int c = 0; c < 6; ++c) widths.push_back(d.m_list.GetColumnWidth(c));
        });
        CLoaderIniDlg().DoModal();
        CForceDt1Dlg dt1;
        dt1.m_dt1Files[0] = std::string(50, 'x');
        test::OnShow<CForceDt1Dlg>(script, IDD_FORCE_DT1, [&](CForceDt1Dlg& d) {
            widths.push_back(d.m_listDt1.GetHorizontalExtent());
        });
        dt1.DoModal();
        const std::vector<int> at96{140, 225, 125, 65, 70, 100, 100};
        for (std::size_t i = 0; i < at96.size(); ++i)
            EXPECT_EQ(widths.at(i), i < 6 ? at96[i] * scale : 300 - at96[i] * scale) << i;
    }
    ui::memory::SetDpi(96);
}

}  // namespace
