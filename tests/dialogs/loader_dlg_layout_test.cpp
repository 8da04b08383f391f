// The main window's panes, option controls, number limits and menu states.
#include "app/layout.h"
#include "tests/dialogs/loader_dlg_fixture.h"
#include "ui/ddx.h"

namespace {

using Strings = std::vector<std::string>;

constexpr int kOptionIds[] = {IDC_RESIZE,     IDC_STATIC_X,  IDC_RESIZE_X,      IDC_STATIC_Y,
                              IDC_RESIZE_Y,   IDC_FORCE_DT1, IDC_CONFIGURE_DT1, IDC_FORCE_PAL,
                              IDC_STATIC_ACT, IDC_ACT,       IDC_NO_CHECK_ACT};

struct Seen {
    int height = 0;
    int paneTop = 0;
    ui::Rect pane;
    bool paneVisible = false;
    int optionsVisible = 0;  // how many of the eleven option controls are visible
    bool parametersChecked = false, outputChecked = false;
};

Seen Look(CLoaderDlg& d) {
    Seen s;
    ui::WindowPort& w = d.Window();
    s.height = w.GetWindowRect().Height();
    s.pane = w.GetItemRect(IDC_OUTPUT);
    s.paneTop = s.pane.top;
    s.paneVisible = w.IsItemVisible(IDC_OUTPUT);
    for (int id : kOptionIds) s.optionsVisible += w.IsItemVisible(id) ? 1 : 0;
    s.parametersChecked = w.IsMenuItemChecked(ID_VIEW_PARAMETERS);
    s.outputChecked = w.IsMenuItemChecked(ID_VIEW_OUTPUT);
    return s;
}

int EnabledOptions(CLoaderDlg& d) {
    int n = 0;
    for (int id : kOptionIds) n += d.Window().IsItemEnabled(id) ? 1 : 0;
    return n;
}

TEST_F(LoaderDlgTest, ViewCommandsGiveTheFourLayoutsWhichLastToTheNextShowing) {
    CLoaderDlg dlg;
    Seen first, options, both, output, none, again;
    int dpi = 96;
    Show(dlg, [&](CLoaderDlg& d) {
        dpi = d.Window().GetDpi();
        first = Look(d);
        d.ChooseMenu(ID_VIEW_PARAMETERS);
        options = Look(d);
        d.ChooseMenu(ID_VIEW_OUTPUT);
        both = Look(d);
        d.ChooseMenu(ID_VIEW_PARAMETERS);
        output = Look(d);
        d.ChooseMenu(ID_VIEW_OUTPUT);
        none = Look(d);
        d.ChooseMenu(ID_VIEW_OUTPUT);
        d.ChooseMenu(ID_VIEW_PARAMETERS);
    });
    Show(dlg, [&](CLoaderDlg& d) { again = Look(d); });
    auto px = [dpi](int at96) { return ScaleForDpi(at96, dpi); };

    EXPECT_EQ(first.height, px(247));
    EXPECT_FALSE(first.paneVisible);
    EXPECT_EQ(first.optionsVisible, 0);
    EXPECT_FALSE(first.parametersChecked || first.outputChecked);

    EXPECT_EQ(options.height, px(296));
    EXPECT_FALSE(options.paneVisible);
    EXPECT_EQ(options.optionsVisible, 11);
    EXPECT_TRUE(options.parametersChecked);
    EXPECT_FALSE(options.outputChecked);

    EXPECT_EQ(both.height, px(557));
    EXPECT_TRUE(both.paneVisible);
    EXPECT_EQ(both.paneTop, px(246));
    EXPECT_TRUE(both.parametersChecked && both.outputChecked);

    EXPECT_EQ(output.height, px(508));
    EXPECT_EQ(output.paneTop, px(197));
    EXPECT_EQ(output.optionsVisible, 0);
    EXPECT_FALSE(output.parametersChecked);
    EXPECT_TRUE(output.outputChecked);
    // Only the top moves: left edge, width and height stay.
    EXPECT_EQ(output.pane.left, both.pane.left);
    EXPECT_EQ(output.pane.Width(), both.pane.Width());
    EXPECT_EQ(output.pane.Height(), both.pane.Height());

    EXPECT_EQ(none.height, px(247));
    EXPECT_FALSE(none.paneVisible);
    EXPECT_FALSE(none.outputChecked);

    EXPECT_TRUE(dlg.m_bShowOptions && dlg.m_bShowOutput);
    EXPECT_EQ(again.height, px(557));
    EXPECT_EQ(again.paneTop, px(246));
    EXPECT_TRUE(again.parametersChecked && again.outputChecked);
}

TEST_F(LoaderDlgTest, TwoRowsDisableTheOptionsAndClearTheSwitches) {
    CLoaderDlg dlg;
    dlg.m_savedRows[0].path = MapPath("a.ds1");
    dlg.m_options = {true, true, true, true, 100, 120, 3};
    script.AnswerOpenFile({MapPath("b.ds1")});
    int enabledWithTwo = -1, enabledAfterRemove = -1;
    bool resizeShown = true;
    Show(dlg, [&](CLoaderDlg& d) {
        EXPECT_EQ(EnabledOptions(d), 11);
        d.ChooseMenu(ID_FILE_ADD);
        enabledWithTwo = EnabledOptions(d);
        resizeShown = d.Window().IsChecked(IDC_RESIZE);
        d.m_listFiles.SetSelected(1, true);
        d.ChooseMenu(ID_FILE_REMOVE);
        enabledAfterRemove = EnabledOptions(d);
    });
    EXPECT_EQ(enabledWithTwo, 0);
    // Add moves the cleared members back into the controls.
    EXPECT_FALSE(resizeShown);
    // With one row again every option control is enabled, check boxes clear or not.
    EXPECT_EQ(enabledAfterRemove, 11);
    EXPECT_EQ(dlg.m_options, (LaunchOptions{false, false, false, false, 100, 120, 3}));
}

TEST_F(LoaderDlgTest, DropToTwoRowsClearsTheMembersButNotTheCheckMarks) {
    CLoaderDlg dlg;
    dlg.m_savedRows[0].path = MapPath("a.ds1");
    dlg.m_options.bResize = true;
    dlg.m_options.bForcePalette = true;
    LaunchOptions afterDrop;
    bool markShown = false;
    Show(dlg, [&](CLoaderDlg& d) {
        d.DropFiles({MapPath("b.ds1")});
        afterDrop = d.m_options;
        markShown = d.Window().IsChecked(IDC_RESIZE);
        d.ChooseMenu(ID_FILE_REMOVE);  // reads the controls first
    });
    EXPECT_FALSE(afterDrop.bResize);
    EXPECT_FALSE(afterDrop.bForcePalette);
    EXPECT_TRUE(markShown);
    EXPECT_TRUE(dlg.m_options.bResize);
    EXPECT_TRUE(dlg.m_options.bForcePalette);
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

// An empty field prompts and gets its last value back.
TEST_F(LoaderDlgTest, NumberFieldsAreClampedOnEveryChange) {
    CLoaderDlg dlg;
    Strings shown;
    Show(dlg, [&](CLoaderDlg& d) {
        auto type = [&](int id, const std::string& text) {
            d.TypeText(id, text);
            shown.push_back(d.Window().GetItemText(id));
        };
        type(IDC_RESIZE_X, "300");
        type(IDC_RESIZE_X, "256");
        type(IDC_RESIZE_X, "0");
        type(IDC_RESIZE_X, "42");
        type(IDC_RESIZE_X, "");
        type(IDC_RESIZE_Y, "1000");
        type(IDC_RESIZE_Y, "0");
        type(IDC_RESIZE_Y, "7");
        type(IDC_ACT, "9");
        type(IDC_ACT, "0");
        type(IDC_ACT, "4");
    });
    EXPECT_EQ(shown, (Strings{"255", "255", "1", "42", "42", "255", "1", "7", "5", "1", "4"}));
    EXPECT_EQ(dlg.m_options.resizeX, 42u);
    EXPECT_EQ(dlg.m_options.resizeY, 7u);
    EXPECT_EQ(dlg.m_options.act, 4u);
    ASSERT_EQ(BoxTexts(), (Strings{ui::kPromptUnsigned}));
    EXPECT_EQ(script.MessageBoxes()[0].ownerTemplate, IDD_LOADER);
}

TEST_F(LoaderDlgTest, MembersStartAtTheDefaultsAreShownInTheControlsAndReadBack) {
    CLoaderDlg fresh;
    Strings texts;
    Show(fresh, [&](CLoaderDlg& d) {
        for (int id : {IDC_RESIZE_X, IDC_RESIZE_Y, IDC_ACT})
            texts.push_back(d.Window().GetItemText(id));
    });
    EXPECT_EQ(texts, (Strings{"250", "250", "1"}));
    EXPECT_EQ(fresh.m_options, LaunchOptions{});
    EXPECT_EQ(fresh.m_szCmdLine[0], '\0');

    CLoaderDlg dlg;
    dlg.m_options = {true, false, true, false, 12, 34, 2};
    dlg.m_strOutput = "first line\r\nsecond line";
    texts.clear();
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
    EXPECT_TRUE(script.Finished()) << FirstError();
}

}  // namespace
