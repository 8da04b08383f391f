// The main window's panes, option controls, number limits and menu states.
#include "app/layout.h"
#include "tests/dialogs/loader_dlg_fixture.h"
#include "ui/ddx.h"

namespace {

constexpr int kOptionIds[] = {IDC_RESIZE,     IDC_STATIC_X,  IDC_RESIZE_X,      IDC_STATIC_Y,
                              IDC_RESIZE_Y,   IDC_FORCE_DT1, IDC_CONFIGURE_DT1, IDC_FORCE_PAL,
                              IDC_STATIC_ACT, IDC_ACT,       IDC_NO_CHECK_ACT};

// Window height and the output pane's top at 96 DPI (-1 when hidden), how many option
// controls are visible, and the check marks of View > Parameters and View > Output.
std::string Layout(int height, int top, int options, const char* marks, int dpi) {
    return std::to_string(height) + " " + std::to_string(top) + " " + std::to_string(options) +
           " " + marks + " @" + std::to_string(dpi);
}
std::string Look(CLoaderDlg& d) {
    ui::WindowPort& w = d.Window();
    int options = 0;
    for (int id : kOptionIds) options += w.IsItemVisible(id) ? 1 : 0;
    const int dpi = w.GetDpi(), top = w.GetItemRect(IDC_OUTPUT).top;
    std::string marks = std::string(w.IsMenuItemChecked(ID_VIEW_PARAMETERS) ? "P" : "-") +
                        (w.IsMenuItemChecked(ID_VIEW_OUTPUT) ? "O" : "-");
    return Layout(w.GetWindowRect().Height(), w.IsItemVisible(IDC_OUTPUT) ? top : -1, options,
                  marks.c_str(), dpi);
}

int EnabledOptions(CLoaderDlg& d) {
    int n = 0;
    for (int id : kOptionIds) n += d.Window().IsItemEnabled(id) ? 1 : 0;
    return n;
}

// The pane keeps its left edge and size; only its top moves. The last layout is the one
// the next showing opens with.
TEST_F(LoaderDlgTest, ViewCommandsGiveTheFourLayoutsWhichLastToTheNextShowing) {
    CLoaderDlg dlg;
    Strings seen;
    std::vector<ui::Rect> panes;
    int dpi = 96;
    Show(dlg, [&](CLoaderDlg& d) {
        dpi = d.Window().GetDpi();
        auto note = [&] {
            seen.push_back(Look(d));
            panes.push_back(d.Window().GetItemRect(IDC_OUTPUT));
        };
        note();
        for (int command :
             {ID_VIEW_PARAMETERS, ID_VIEW_OUTPUT, ID_VIEW_PARAMETERS, ID_VIEW_OUTPUT}) {
            d.ChooseMenu(command);
            note();
        }
        d.ChooseMenu(ID_VIEW_OUTPUT);
        d.ChooseMenu(ID_VIEW_PARAMETERS);
    });
    Show(dlg, [&](CLoaderDlg& d) { seen.push_back(Look(d)); });
    auto px = [dpi](int at96) { return at96 < 0 ? -1 : ScaleForDpi(at96, dpi); };
    Strings expected;
    for (auto [height, top, options, marks] : {std::tuple{247, -1, 0, "--"},
                                               {296, -1, 11, "P-"},
                                               {557, 246, 11, "PO"},
                                               {508, 197, 0, "-O"},
                                               {247, -1, 0, "--"},
                                               {557, 246, 11, "PO"}})
        expected.push_back(Layout(px(height), px(top), options, marks, dpi));
    EXPECT_EQ(seen, expected);
    ASSERT_EQ(panes.size(), 5u);
    EXPECT_EQ(panes[3].left, panes[2].left);
    EXPECT_EQ(panes[3].Width(), panes[2].Width());
    EXPECT_EQ(panes[3].Height(), panes[2].Height());
}

// A second row disables every option control and clears the switches: Add shows the
// cleared members, a drop leaves the check marks, which the next exchange reads back.
// With one row again every option control is enabled, check boxes clear or not.
TEST_F(LoaderDlgTest, TwoRowsDisableTheOptionsAndClearTheSwitches) {
    const LaunchOptions all{true, true, true, true, 100, 120, 3};
    for (bool byDrop : {false, true}) {
        CLoaderDlg dlg;
        dlg.m_savedRows[0].path = MapPath("a.ds1");
        dlg.m_options = all;
        if (!byDrop) script.AnswerOpenFile({MapPath("b.ds1")});
        int enabledWithTwo = -1, enabledAfterRemove = -1;
        bool markShown = !byDrop;
        LaunchOptions withTwo;
        Show(dlg, [&](CLoaderDlg& d) {
            EXPECT_EQ(EnabledOptions(d), 11);
            if (byDrop)
                d.DropFiles({MapPath("b.ds1")});
            else
                d.ChooseMenu(ID_FILE_ADD);
            enabledWithTwo = EnabledOptions(d);
            withTwo = d.m_options;
            markShown = d.Window().IsChecked(IDC_RESIZE);
            d.m_listFiles.SetSelected(1, true);
            d.ChooseMenu(ID_FILE_REMOVE);
            enabledAfterRemove = EnabledOptions(d);
        });
        EXPECT_EQ(enabledWithTwo, 0);
        EXPECT_EQ(withTwo, (LaunchOptions{false, false, false, false, 100, 120, 3}));
        EXPECT_EQ(markShown, byDrop);
        EXPECT_EQ(enabledAfterRemove, 11);
        EXPECT_EQ(dlg.m_options, byDrop ? all : withTwo);
    }
}

// Run and Make Batch are grayed on an empty list; a full list refuses drops.
TEST_F(LoaderDlgTest, MenuAndDropStatesFollowTheRowCount) {
    CLoaderDlg dlg;
    std::vector<bool> seen;
    int afterRefusedDrop = -1;
    Show(dlg, [&](CLoaderDlg& d) {
        ui::WindowPort& w = d.Window();
        auto note = [&] {
            seen.push_back(w.IsMenuItemEnabled(ID_FILE_RUN));
            seen.push_back(w.IsMenuItemEnabled(ID_FILE_MAKE_BATCH));
            seen.push_back(w.AcceptsFiles());
        };
        note();
        d.DropFiles({MapPath("a.ds1")});
        note();
        FillRows(d, 100);
        note();
        d.DropFiles({MapPath("b.ds1")});
        afterRefusedDrop = d.m_listFiles.GetItemCount();
        d.m_listFiles.SetSelected(50, true);
        d.ChooseMenu(ID_FILE_REMOVE);
        note();
    });
    EXPECT_EQ(seen, (std::vector<bool>{false, false, true, true, true, true, true, true, false,
                                       true, true, true}));
    EXPECT_EQ(afterRefusedDrop, 100);
}

TEST_F(LoaderDlgTest, CheckBoxesEnableTheirOwnControls) {
    CLoaderDlg dlg;
    std::vector<bool> seen;
    Show(dlg, [&](CLoaderDlg& d) {
        ui::WindowPort& w = d.Window();
        auto click = [&](int id, bool checked) {
            w.SetCheck(id, checked);
            d.ClickButton(id);
        };
        click(IDC_RESIZE, false);
        for (int id : {IDC_STATIC_X, IDC_RESIZE_X, IDC_STATIC_Y, IDC_RESIZE_Y})
            seen.push_back(w.IsItemEnabled(id));
        click(IDC_FORCE_DT1, false);
        seen.push_back(w.IsItemEnabled(IDC_CONFIGURE_DT1));
        click(IDC_FORCE_PAL, false);
        seen.push_back(w.IsItemEnabled(IDC_STATIC_ACT));
        seen.push_back(w.IsItemEnabled(IDC_ACT));
        // Clearing one box leaves the others' controls alone.
        seen.push_back(w.IsItemEnabled(IDC_NO_CHECK_ACT));
        click(IDC_RESIZE, true);
        click(IDC_FORCE_DT1, true);
        click(IDC_FORCE_PAL, true);
        for (int id : {IDC_STATIC_X, IDC_RESIZE_X, IDC_STATIC_Y, IDC_RESIZE_Y, IDC_CONFIGURE_DT1,
                       IDC_STATIC_ACT, IDC_ACT})
            seen.push_back(w.IsItemEnabled(id));
    });
    EXPECT_EQ(seen, (std::vector<bool>{false, false, false, false, false, false, false, true, true,
                                       true, true, true, true, true, true}));
    EXPECT_TRUE(dlg.m_options.bResize && dlg.m_options.bForceDt1 && dlg.m_options.bForcePalette);
}

// The fields start at 250, 250 and 1; resize numbers stay from 1 to 255, the act from 1
// to 5; an empty field prompts and gets its last value back.
TEST_F(LoaderDlgTest, NumberFieldsAreClampedOnEveryChange) {
    const struct {
        int id;
        const char *typed, *shown;
    } steps[] = {
        {IDC_RESIZE_X, "300", "255"}, {IDC_RESIZE_X, "256", "255"}, {IDC_RESIZE_X, "0", "1"},
        {IDC_RESIZE_X, "42", "42"},   {IDC_RESIZE_X, "", "42"},     {IDC_RESIZE_Y, "1000", "255"},
        {IDC_RESIZE_Y, "0", "1"},     {IDC_RESIZE_Y, "7", "7"},     {IDC_ACT, "9", "5"},
        {IDC_ACT, "0", "1"},          {IDC_ACT, "4", "4"}};
    CLoaderDlg dlg;
    Strings initial;
    Show(dlg, [&](CLoaderDlg& d) {
        for (int id : {IDC_RESIZE_X, IDC_RESIZE_Y, IDC_ACT})
            initial.push_back(d.Window().GetItemText(id));
        for (const auto& step : steps) {
            d.TypeText(step.id, step.typed);
            EXPECT_EQ(d.Window().GetItemText(step.id), step.shown) << step.typed;
        }
    });
    EXPECT_EQ(initial, (Strings{"250", "250", "1"}));
    EXPECT_EQ(dlg.m_options, (LaunchOptions{false, false, false, false, 42, 7, 4}));
    ASSERT_EQ(BoxTexts(), (Strings{ui::kPromptUnsigned}));
    EXPECT_EQ(script.MessageBoxes()[0].ownerTemplate, IDD_LOADER);
}

TEST_F(LoaderDlgTest, MembersAreShownInTheControlsAndReadBack) {
    CLoaderDlg dlg;
    dlg.m_options = {true, false, true, false, 12, 34, 2};
    dlg.m_strOutput = "first line\r\nsecond line";
    Strings texts;
    std::vector<bool> checks;
    Show(dlg, [&](CLoaderDlg& d) {
        ui::WindowPort& w = d.Window();
        for (int id : {IDC_RESIZE_X, IDC_RESIZE_Y, IDC_ACT, IDC_OUTPUT})
            texts.push_back(w.GetItemText(id));
        for (int id : {IDC_FORCE_DT1, IDC_FORCE_PAL, IDC_NO_CHECK_ACT, IDC_RESIZE})
            checks.push_back(w.IsChecked(id));
        w.SetCheck(IDC_FORCE_PAL, true);
        w.SetCheck(IDC_NO_CHECK_ACT, false);
        EXPECT_TRUE(d.UpdateData(true));
    });
    EXPECT_EQ(texts, (Strings{"12", "34", "2", "first line\r\nsecond line"}));
    EXPECT_EQ(checks, (std::vector<bool>{true, false, true, false}));
    EXPECT_EQ(dlg.m_options, (LaunchOptions{true, true, false, false, 12, 34, 2}));
}

TEST_F(LoaderDlgTest, ConfigureShowsTheForcedListWhichOnlyOkChanges) {
    CLoaderDlg dlg;
    OnMainWindow([](CLoaderDlg& d) {
        d.ClickButton(IDC_CONFIGURE_DT1);
        d.ClickButton(IDC_CONFIGURE_DT1);
    });
    script.OnDialog(IDD_FORCE_DT1, [](ui::Dialog& d) {
        EXPECT_NE(d.Owner(), nullptr);  // owned by the main window
        d.DropFiles({"C:\\t\\a.dt1", "C:\\t\\b.dt1"});
        d.PressEscape();
    });
    script.OnDialog(IDD_FORCE_DT1, [](ui::Dialog& d) {
        d.DropFiles({"C:\\t\\c.dt1"});
        d.PressEnter();
    });
    dlg.DoModal();
    EXPECT_EQ(dlg.m_dt1Dlg.m_nDt1Count, 1);
    EXPECT_EQ(dlg.m_dt1Dlg.m_dt1Files[0], "C:\\t\\c.dt1");
    EXPECT_EQ(script.DialogsOpened(), (std::vector<int>{IDD_LOADER, IDD_FORCE_DT1, IDD_FORCE_DT1}));
    EXPECT_TRUE(script.Finished()) << test::Errors(script);
}

}  // namespace
