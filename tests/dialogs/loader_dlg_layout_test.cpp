// The main window's panes, option controls, number limits and menu states.
#include <set>

#include "app/layout.h"
#include "tests/dialogs/loader_dlg_fixture.h"
#include "ui/ddx.h"

namespace {

constexpr int kOptionIds[] = {IDC_RESIZE,     IDC_STATIC_X,  IDC_RESIZE_X,      IDC_STATIC_Y,
                              IDC_RESIZE_Y,   IDC_FORCE_DT1, IDC_CONFIGURE_DT1, IDC_FORCE_PAL,
                              IDC_STATIC_ACT, IDC_ACT,       IDC_NO_CHECK_ACT};

// Which option controls are enabled, '+' or '-' each, in the order above.
std::string Enabled(CLoaderDlg& d) {
    std::string marks;
    for (int id : kOptionIds) marks += d.Window().IsItemEnabled(id) ? "+" : "-";
    return marks;
}

// Window height, output pane top (-1: hidden), option controls shown, View's check marks.
std::string Look(CLoaderDlg& d) {
    ui::WindowPort& w = d.Window();
    int visible = 0;
    for (int id : kOptionIds) visible += w.IsItemVisible(id) ? 1 : 0;
    return std::to_string(w.GetWindowRect().Height()) + " " +
           std::to_string(w.IsItemVisible(IDC_OUTPUT) ? w.GetItemRect(IDC_OUTPUT).top : -1) + " " +
           std::to_string(visible) + (w.IsMenuItemChecked(ID_VIEW_PARAMETERS) ? " P" : " -") +
           (w.IsMenuItemChecked(ID_VIEW_OUTPUT) ? "O" : "-");
}

// Run and Make Batch gray on an empty list; drops stop at 100 rows. A second row disables
// the options and clears the switches; Remove takes the selected rows, or says none is; the
// Delete key takes them quietly, Ctrl+A selects all.
TEST_F(LoaderDlgTest, RemoveAndTheRowCountSetTheMenusDropsAndOptions) {
    const LaunchOptions all{true, true, true, true, 100, 120, 3},
        cleared{false, false, false, false, 100, 120, 3};
    CLoaderDlg dlg;
    dlg.m_options = all;
    for (const char* map : {"a.ds1", "neg.ds1"}) script.AnswerOpenFile({MapPath(map)});
    Show(dlg, [&](CLoaderDlg& d) {
        ui::WindowPort& w = d.Window();
        auto states = [&] {
            return std::string(w.IsMenuItemEnabled(ID_FILE_RUN) ? "R" : "-") +
                   (w.IsMenuItemEnabled(ID_FILE_MAKE_BATCH) ? "B" : "-") +
                   (w.AcceptsFiles() ? "D " : "- ") + Enabled(d);
        };
        d.ChooseMenu(ID_FILE_REMOVE);
        EXPECT_EQ(states(), "--D +++++++++++");
        d.ChooseMenu(ID_FILE_ADD);
        EXPECT_EQ(states(), "RBD +++++++++++");
        d.DropFiles({MapPath("b.ds1")});
        EXPECT_EQ(states(), "RBD -----------");
        EXPECT_EQ(d.m_options, cleared);
        d.m_listFiles.SetSelected(0, true);
        d.ChooseMenu(ID_FILE_REMOVE);
        EXPECT_EQ(states(), "RBD +++++++++++");
        EXPECT_EQ(d.m_options, all);  // read back from the marks the drop left
        d.ChooseMenu(ID_FILE_ADD);
        d.m_listFiles.SetSelected(1, true);
        d.ChooseMenu(ID_FILE_REMOVE);
        EXPECT_EQ(d.m_options, cleared);
        FillRows(d, 100);
        EXPECT_EQ(states(), "RB- -----------");
        d.DropFiles({MapPath("a.ds1")});
        for (int i : {0, 2, 3}) d.m_listFiles.SetSelected(i, true);
        d.ChooseMenu(ID_FILE_REMOVE);
        EXPECT_EQ(states(), "RBD -----------");
        const Strings rows = Rows(d, 1);
        EXPECT_EQ(Strings(rows.begin(), rows.begin() + 2), (Strings{RowMap(0), RowMap(3)}));
        EXPECT_EQ(rows.size(), 97u);
        // The keys: Delete is Remove, quiet with no row selected; Ctrl+A selects every row.
        d.PressKey(IDC_FILE_LIST, ui::VkDelete);
        d.m_listFiles.SetSelected(1, true);
        d.PressKey(IDC_FILE_LIST, ui::VkDelete);
        EXPECT_EQ(Rows(d, 1)[1], RowMap(4));
        EXPECT_EQ(states(), "RBD -----------");
        d.PressKey(IDC_FILE_LIST, ui::KeyCtrl + 'A');
        d.PressKey(IDC_FILE_LIST, ui::VkDelete);
        EXPECT_EQ(states(), "--D +++++++++++");
    });
    test::ExpectErrorBoxes(script, {kNoItemsSelectedMessage}, IDD_LOADER);
}

// View's four layouts, the pane moving only its top, the last kept. Resize 1-255, act 1-5,
// an empty field prompts; each check box enables its own controls.
TEST_F(LoaderDlgTest, ViewLayoutsLastAndOptionControlsShowClampAndEnable) {
    Strings seen;
    std::set<std::tuple<int, int, int>> paneSizes;
    int dpi = 96;
    const struct {
        int id;
        const char *typed, *shown;
    } steps[] = {{IDC_RESIZE_X, "256", "255"}, {IDC_RESIZE_X, "0", "1"}, {IDC_RESIZE_X, "42", "42"},
                 {IDC_RESIZE_X, "", "42"},     {IDC_RESIZE_Y, "0", "1"}, {IDC_RESIZE_Y, "7", "7"},
                 {IDC_ACT, "6", "5"},          {IDC_ACT, "0", "1"},      {IDC_ACT, "4", "4"}};
    CLoaderDlg dlg;
    dlg.m_options = {true, false, true, false, 12, 34, 2};
    Show(dlg, [&](CLoaderDlg& d) {
        ui::WindowPort& w = d.Window();
        dpi = w.GetDpi();
        for (int command : {0, ID_VIEW_PARAMETERS, ID_VIEW_OUTPUT, ID_VIEW_PARAMETERS,
                            ID_VIEW_OUTPUT, ID_VIEW_OUTPUT, ID_VIEW_PARAMETERS}) {
            if (command) d.ChooseMenu(command);
            seen.push_back(Look(d));
            const ui::Rect pane = w.GetItemRect(IDC_OUTPUT);
            paneSizes.insert({pane.left, pane.Width(), pane.Height()});
        }
        for (const auto& step : steps) {
            d.TypeText(step.id, step.typed);
            EXPECT_EQ(w.GetItemText(step.id), step.shown) << step.typed;
        }
        // Each box cleared in turn, then each checked again.
        const char* marks[] = {"+----++++++", "+----+-++++", "+----+-+--+",
                               "++++++-+--+", "++++++++--+", "+++++++++++"};
        for (int i = 0; i < 6; ++i) {
            const int id = std::array{IDC_RESIZE, IDC_FORCE_DT1, IDC_FORCE_PAL}[i % 3];
            w.SetCheck(id, i >= 3);
            d.ClickButton(id);
            EXPECT_EQ(Enabled(d), marks[i]) << i;
        }
        w.SetCheck(IDC_NO_CHECK_ACT, false);
        EXPECT_TRUE(d.UpdateData(true));
    });
    Show(dlg, [&](CLoaderDlg& d) { seen.push_back(Look(d)); });
    auto px = [dpi](int at96) { return std::to_string(ScaleForDpi(at96, dpi)); };
    const std::string none = px(247) + " -1 0 --", both = px(557) + " " + px(246) + " 11 PO",
                      output = px(508) + " " + px(197) + " 0 -O";
    EXPECT_EQ(seen, (Strings{none, px(296) + " -1 11 P-", both, output, none, output, both, both}));
    EXPECT_EQ(paneSizes.size(), 1u);
    EXPECT_EQ(dlg.m_options, (LaunchOptions{true, true, false, true, 42, 7, 4}));
    ASSERT_EQ(test::BoxTexts(script), (Strings{ui::kPromptUnsigned}));
    EXPECT_EQ(script.MessageBoxes()[0].ownerTemplate, IDD_LOADER);
}

}  // namespace
