// The dialog framework through real templates, on whichever backend is linked: natively
// the memory backend, under Wine real windows.
#include <gtest/gtest.h>

#include "res/resource.h"
#include "ui/controls.h"
#include "ui/ddx.h"
#include "ui/dialog.h"
#include "ui/modal.h"
#include "ui/script.h"

namespace {

class ProbeDialog : public ui::Dialog {
  public:
    ProbeDialog() : ui::Dialog(IDD_LOADER) {
        MapEditChange(IDC_RESIZE_X, &ProbeDialog::OnXChanged);
        MapCommand(IDC_RESIZE, &ProbeDialog::OnResizeClicked);
        MapCommand(ID_VIEW_OUTPUT, &ProbeDialog::OnViewOutput);
        MapNotify(IDC_FILE_LIST, ui::NmDblClk, &ProbeDialog::OnListDoubleClick);
        MapCommand(IDC_FORCE_PAL, &ProbeDialog::OnThrow);
    }
    uint32_t x = 250;
    bool resize = false;
    std::string output;
    int xChanges = 0, resizeClicks = 0, viewOutputs = 0;
    int doubleClickedRow = -2;
    std::vector<std::string> dropped;
    ui::ListView list;

    void DoDataExchange(ui::DataExchange& dx) override {
        ui::DDX_Control(dx, IDC_FILE_LIST, list);
        ui::DDX_Text(dx, IDC_RESIZE_X, x);
        ui::DDX_Check(dx, IDC_RESIZE, resize);
        ui::DDX_Text(dx, IDC_OUTPUT, output);
    }
    // Clamps and writes back, as the main window does: must not loop forever.
    void OnXChanged() {
        ++xChanges;
        if (!UpdateData(true)) return;
        if (x > 255) x = 255;
        UpdateData(false);
    }
    void OnResizeClicked() { ++resizeClicks; }
    void OnViewOutput() { ++viewOutputs; }
    void OnListDoubleClick() { doubleClickedRow = list.HitTestCursor(); }
    void OnThrow() { throw std::runtime_error("boom"); }
    void OnDropFiles(const std::vector<std::string>& paths) override { dropped = paths; }
};

TEST(DialogFramework, DataExchangeLoadsAndSavesMembers) {
    ui::Script script;
    ProbeDialog dlg;
    dlg.x = 17;
    dlg.output = "line 1\r\nline 2";
    std::string shownX, shownOutput;
    bool savedOk = false;
    script.OnDialog(IDD_LOADER, [&](ui::Dialog& d) {
        shownX = d.Window().GetItemText(IDC_RESIZE_X);
        shownOutput = d.Window().GetItemText(IDC_OUTPUT);
        d.Window().SetCheck(IDC_RESIZE, true);
        savedOk = d.UpdateData(true);
        d.EndDialog(ui::IdCancel);
    });
    EXPECT_EQ(dlg.DoModal(), ui::IdCancel);
    EXPECT_EQ(shownX, "17");
    EXPECT_EQ(shownOutput, "line 1\r\nline 2");
    EXPECT_TRUE(savedOk);
    EXPECT_TRUE(dlg.resize);
    EXPECT_TRUE(script.Finished()) << (script.Errors().empty() ? "" : script.Errors()[0]);
}

TEST(DialogFramework, TextThatIsNotANumberFailsTheExchangeAndKeepsTheMember) {
    ui::Script script;
    ProbeDialog dlg;
    bool saved = true;
    script.OnDialog(IDD_LOADER, [&](ui::Dialog& d) {
        auto& probe = static_cast<ProbeDialog&>(d);
        probe.x = 40;
        probe.resize = true;
        d.TypeText(IDC_RESIZE_X, "");  // the change handler's exchange fails first
        d.Window().SetCheck(IDC_RESIZE, false);
        saved = d.UpdateData(true);
        d.EndDialog(ui::IdOk);
    });
    dlg.DoModal();
    EXPECT_FALSE(saved);
    EXPECT_EQ(dlg.x, 40u);
    // The exchange stops at the failing control, so later members are not touched.
    EXPECT_TRUE(dlg.resize);
    ASSERT_EQ(script.MessageBoxes().size(), 2u);
    EXPECT_EQ(script.MessageBoxes()[1].text, ui::kPromptUnsigned);
    EXPECT_EQ(script.MessageBoxes()[1].ownerTemplate, IDD_LOADER);
}

TEST(DialogFramework, ChangeHandlerThatWritesBackRunsOncePerUserChange) {
    ui::Script script;
    ProbeDialog dlg;
    std::string shown;
    int changesAfterTyping = 0;
    script.OnDialog(IDD_LOADER, [&](ui::Dialog& d) {
        auto& probe = static_cast<ProbeDialog&>(d);
        probe.xChanges = 0;
        d.TypeText(IDC_RESIZE_X, "300");
        changesAfterTyping = probe.xChanges;
        shown = d.Window().GetItemText(IDC_RESIZE_X);
        d.EndDialog(ui::IdOk);
    });
    dlg.DoModal();
    EXPECT_EQ(shown, "255");
    EXPECT_EQ(dlg.x, 255u);
    EXPECT_EQ(changesAfterTyping, 1);  // writing the clamped value back is no user edit
}

TEST(DialogFramework, CommandsNotificationsAndDropsReachTheirHandlers) {
    ui::Script script;
    ProbeDialog dlg;
    script.OnDialog(IDD_LOADER, [&](ui::Dialog& d) {
        auto& probe = static_cast<ProbeDialog&>(d);
        d.ClickButton(IDC_RESIZE);
        probe.list.InsertColumn(0, "File", 200);
        probe.list.InsertItem(0, "a.ds1");
        probe.list.InsertItem(1, "b.ds1");
        d.DoubleClickList(IDC_FILE_LIST, 1);
        d.Window().DragAcceptFiles(false);
        d.DropFiles({"C:\\ignored.ds1"});
        d.Window().DragAcceptFiles(true);
        d.DropFiles({"C:\\maps\\caf\xC3\xA9.ds1", "C:\\maps\\\xD0\x96.ds1"});
        d.ClickButton(IDC_FORCE_PAL);  // a throwing handler must not take the dialog down
        d.EndDialog(ui::IdOk);
    });
    EXPECT_EQ(dlg.DoModal(), ui::IdOk);
    EXPECT_EQ(dlg.resizeClicks, 1);
    EXPECT_EQ(dlg.doubleClickedRow, 1);
    EXPECT_EQ(dlg.dropped,
              (std::vector<std::string>{"C:\\maps\\caf\xC3\xA9.ds1", "C:\\maps\\\xD0\x96.ds1"}));
    ASSERT_EQ(script.Errors().size(), 1u);
    EXPECT_NE(script.Errors()[0].find("boom"), std::string::npos);
}

TEST(DialogFramework, MenuStatesAndGrayedCommands) {
    ui::Script script;
    ProbeDialog dlg;
    bool checked = false, unchecked = true, enabledAfter = false;
    int viewsWhileGrayed = -1;
    script.OnDialog(IDD_LOADER, [&](ui::Dialog& d) {
        auto& probe = static_cast<ProbeDialog&>(d);
        ui::WindowPort& w = d.Window();
        w.CheckMenuItem(ID_VIEW_OUTPUT, true);
        checked = w.IsMenuItemChecked(ID_VIEW_OUTPUT);
        w.CheckMenuItem(ID_VIEW_OUTPUT, false);
        unchecked = !w.IsMenuItemChecked(ID_VIEW_OUTPUT);
        w.EnableMenuItem(ID_VIEW_OUTPUT, false);
        d.ChooseMenu(ID_VIEW_OUTPUT);
        viewsWhileGrayed = probe.viewOutputs;
        w.EnableMenuItem(ID_VIEW_OUTPUT, true);
        enabledAfter = w.IsMenuItemEnabled(ID_VIEW_OUTPUT);
        d.ChooseMenu(ID_VIEW_OUTPUT);
        d.EndDialog(ui::IdOk);
    });
    dlg.DoModal();
    EXPECT_TRUE(checked);
    EXPECT_TRUE(unchecked);
    EXPECT_EQ(viewsWhileGrayed, 0);
    EXPECT_TRUE(enabledAfter);
    EXPECT_EQ(dlg.viewOutputs, 1);
}

TEST(DialogFramework, ListViewAndListBoxKeepItemsAndSelection) {
    ui::Script script;
    ProbeDialog dlg;
    std::vector<std::string> seen;
    int firstSelected = -2, nextSelected = -2, countAfterDelete = -1;
    script.OnDialog(IDD_LOADER, [&](ui::Dialog& d) {
        ui::ListView& list = static_cast<ProbeDialog&>(d).list;
        list.InsertColumn(0, "File", 200);
        list.InsertColumn(1, "Name", 90);
        for (int i = 0; i < 3; ++i) {
            int at = list.InsertItem(list.GetItemCount(), "map" + std::to_string(i));
            list.SetItemText(at, 1, "level" + std::to_string(i));
        }
        list.SetSelected(0, true);
        list.SetSelected(2, true);
        firstSelected = list.GetNextSelected();
        nextSelected = list.GetNextSelected(firstSelected);
        list.DeleteItem(0);
        countAfterDelete = list.GetItemCount();
        for (int i = 0; i < list.GetItemCount(); ++i)
            seen.push_back(list.GetItemText(i, 0) + "/" + list.GetItemText(i, 1));
        d.EndDialog(ui::IdOk);
    });
    dlg.DoModal();
    EXPECT_EQ(firstSelected, 0);
    EXPECT_EQ(nextSelected, 2);
    EXPECT_EQ(countAfterDelete, 2);
    EXPECT_EQ(seen, (std::vector<std::string>{"map1/level1", "map2/level2"}));
}

TEST(DialogFramework, MessageBoxesAreAnsweredAndRecorded) {
    ui::Script script;
    ProbeDialog dlg;
    int answer = 0;
    script.AnswerMessageBox(ui::IdNo);
    script.OnDialog(IDD_LOADER, [&](ui::Dialog& d) {
        answer =
            ui::ShowMessageBox(&d, "Save changes?", "Warning", ui::MbYesNo | ui::MbIconExclamation);
        d.EndDialog(ui::IdOk);
    });
    dlg.DoModal();
    EXPECT_EQ(answer, ui::IdNo);
    ASSERT_EQ(script.MessageBoxes().size(), 1u);
    EXPECT_EQ(script.MessageBoxes()[0].text, "Save changes?");
    EXPECT_EQ(script.MessageBoxes()[0].caption, "Warning");
    EXPECT_EQ(script.MessageBoxes()[0].flags, ui::MbYesNo | ui::MbIconExclamation);
}

TEST(DialogFramework, NestedModalDialogReturnsItsEndCode) {
    ui::Script script;
    ProbeDialog dlg;
    intptr_t inner = 0;
    script.OnDialog(IDD_LOADER, [&](ui::Dialog& d) {
        ui::Dialog child(IDD_FORCE_DT1, &d);
        inner = child.DoModal();
        d.EndDialog(ui::IdCancel);
    });
    script.OnDialog(IDD_FORCE_DT1, [](ui::Dialog& d) { d.PressEnter(); });
    EXPECT_EQ(dlg.DoModal(), ui::IdCancel);
    EXPECT_EQ(inner, ui::IdOk);
    EXPECT_EQ(script.DialogsOpened(), (std::vector<int>{IDD_LOADER, IDD_FORCE_DT1}));
    EXPECT_TRUE(script.Finished());
}

TEST(DialogFramework, ScriptReportsDialogsItDidNotExpect) {
    ui::Script script;
    ProbeDialog dlg;
    script.OnDialog(IDD_LOADER, [](ui::Dialog&) {});  // leaves the dialog open
    EXPECT_EQ(dlg.DoModal(), ui::IdCancel);
    EXPECT_EQ(dlg.DoModal(), ui::IdCancel);  // no step left at all
    ASSERT_EQ(script.Errors().size(), 2u);
    EXPECT_NE(script.Errors()[0].find("left dialog 102 open"), std::string::npos);
    EXPECT_NE(script.Errors()[1].find("no step"), std::string::npos);
}

TEST(DialogFramework, FileDialogsAreAnsweredByTheScript) {
    ui::Script script;
    script.AnswerOpenFiles("C:\\maps", {"a.ds1", "b.ds1"});
    script.CancelFileDialog();
    ui::FileDialogResult several = ui::ShowOpenFileDialog(nullptr, {});
    ui::FileDialogResult cancelled = ui::ShowOpenFileDialog(nullptr, {});
    EXPECT_TRUE(several.confirmed);
    EXPECT_EQ(several.folder, "C:\\maps");
    EXPECT_EQ(several.paths, (std::vector<std::string>{"C:\\maps\\a.ds1", "C:\\maps\\b.ds1"}));
    EXPECT_FALSE(cancelled.confirmed);
    EXPECT_TRUE(script.Finished());
}

TEST(DialogFramework, TextMeasurementGrowsWithTheText) {
    ui::Script script;
    ProbeDialog dlg;
    int empty = -1, shortText = 0, longText = 0;
    script.OnDialog(IDD_LOADER, [&](ui::Dialog& d) {
        empty = d.Window().MeasureText(IDC_FILE_LIST, "");
        shortText = d.Window().MeasureText(IDC_FILE_LIST, "Name");
        longText = d.Window().MeasureText(IDC_FILE_LIST, "Name of a much longer level");
        d.EndDialog(ui::IdOk);
    });
    dlg.DoModal();
    EXPECT_EQ(empty, 0);
    EXPECT_GT(shortText, 0);
    EXPECT_GT(longText, shortText);
}

TEST(DialogFramework, SystemMenuTakesAnInsertedItem) {
    ui::Script script;
    ProbeDialog dlg;
    bool before = true, after = false;
    script.OnDialog(IDD_LOADER, [&](ui::Dialog& d) {
        before = d.Window().HasSystemMenuItem(IDM_ABOUTBOX);
        d.Window().InsertSystemMenuItem(0, IDM_ABOUTBOX, "&About kelvorn Loader...");
        after = d.Window().HasSystemMenuItem(IDM_ABOUTBOX);
        d.EndDialog(ui::IdOk);
    });
    dlg.DoModal();
    EXPECT_FALSE(before);
    EXPECT_TRUE(after);
}

}  // namespace
