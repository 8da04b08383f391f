// The dialog framework through real templates, on whichever backend is linked: natively
// the memory backend, under Wine real windows.
#include <gtest/gtest.h>

#include <functional>
#include <new>
#include <stdexcept>

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
        MapCommand(IDC_FORCE_PAL, &ProbeDialog::OnAction);
        MapCommand(ID_HELP_ABOUT, &ProbeDialog::OnAction);
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
    std::function<void()> action = [] { throw std::runtime_error("boom"); };
    void OnAction() { action(); }
    void OnDropFiles(const std::vector<std::string>& paths) override { dropped = paths; }
};

TEST(DialogFramework, DataExchangeLoadsSavesAndWritesBackOncePerUserChange) {
    ui::Script script;
    ProbeDialog dlg;
    dlg.x = 17;
    dlg.output = "line 1\r\nline 2";
    std::string shownX, shownOutput, clamped;
    bool savedOk = false;
    int changesAfterTyping = 0;
    script.OnDialog(IDD_LOADER, [&](ui::Dialog& d) {
        auto& probe = static_cast<ProbeDialog&>(d);
        shownX = d.Window().GetItemText(IDC_RESIZE_X);
        shownOutput = d.Window().GetItemText(IDC_OUTPUT);
        d.Window().SetCheck(IDC_RESIZE, true);
        savedOk = d.UpdateData(true);
        probe.xChanges = 0;
        d.TypeText(IDC_RESIZE_X, "300");
        changesAfterTyping = probe.xChanges;
        clamped = d.Window().GetItemText(IDC_RESIZE_X);
        d.EndDialog(ui::IdCancel);
    });
    EXPECT_EQ(dlg.DoModal(), ui::IdCancel);
    EXPECT_EQ(shownX, "17");
    EXPECT_EQ(shownOutput, "line 1\r\nline 2");
    EXPECT_TRUE(savedOk);
    EXPECT_TRUE(dlg.resize);
    EXPECT_EQ(clamped, "255");
    EXPECT_EQ(dlg.x, 255u);
    EXPECT_EQ(changesAfterTyping, 1);  // writing the clamped value back is no user edit
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

// Clicks, double clicks, drops while accepted and menu commands while enabled reach their
// handlers; a throwing handler is reported and does not take the dialog down.
TEST(DialogFramework, CommandsNotificationsDropsAndMenuStates) {
    ui::Script script;
    ProbeDialog dlg;
    std::vector<bool> menu;
    int viewsWhileGrayed = -1;
    script.OnDialog(IDD_LOADER, [&](ui::Dialog& d) {
        auto& probe = static_cast<ProbeDialog&>(d);
        ui::WindowPort& w = d.Window();
        d.ClickButton(IDC_RESIZE);
        probe.list.InsertColumn(0, "File", 200);
        probe.list.InsertItem(0, "a.ds1");
        probe.list.InsertItem(1, "b.ds1");
        d.DoubleClickList(IDC_FILE_LIST, 1);
        w.DragAcceptFiles(false);
        d.DropFiles({"C:\\ignored.ds1"});
        w.DragAcceptFiles(true);
        d.DropFiles({"C:\\maps\\caf\xC3\xA9.ds1", "C:\\maps\\\xD0\x96.ds1"});
        d.ClickButton(IDC_FORCE_PAL);
        for (bool on : {true, false}) {
            w.CheckMenuItem(ID_VIEW_OUTPUT, on);
            menu.push_back(w.IsMenuItemChecked(ID_VIEW_OUTPUT));
        }
        w.EnableMenuItem(ID_VIEW_OUTPUT, false);
        menu.push_back(w.IsMenuItemEnabled(ID_VIEW_OUTPUT));
        d.ChooseMenu(ID_VIEW_OUTPUT);
        viewsWhileGrayed = probe.viewOutputs;
        w.EnableMenuItem(ID_VIEW_OUTPUT, true);
        menu.push_back(w.IsMenuItemEnabled(ID_VIEW_OUTPUT));
        d.ChooseMenu(ID_VIEW_OUTPUT);
        d.EndDialog(ui::IdOk);
    });
    EXPECT_EQ(dlg.DoModal(), ui::IdOk);
    EXPECT_EQ(dlg.resizeClicks, 1);
    EXPECT_EQ(dlg.doubleClickedRow, 1);
    EXPECT_EQ(dlg.dropped,
              (std::vector<std::string>{"C:\\maps\\caf\xC3\xA9.ds1", "C:\\maps\\\xD0\x96.ds1"}));
    ASSERT_EQ(script.Errors().size(), 1u);
    EXPECT_NE(script.Errors()[0].find("boom"), std::string::npos);
    EXPECT_EQ(menu, (std::vector<bool>{true, false, false, true}));
    EXPECT_EQ(viewsWhileGrayed, 0);
    EXPECT_EQ(dlg.viewOutputs, 1);
}

// A handler that fails, by an exception or because the window it opens cannot be shown, is
// told in one error box naming the command; the window stays and takes the next command.
TEST(DialogFramework, FailingHandlersAreToldAndTheWindowGoesOn) {
    const std::string button = "\"Force Palette\" could not be completed";
#ifdef _WIN32
    const std::string menu = "\"About\" could not be completed";
#else
    const std::string menu = "A command could not be completed";  // no menu resource here
#endif
    const std::string noWindow = ": the window it needs could not be opened.";
    intptr_t opened = 0;
    struct Case {
        std::function<void(ui::Script&, ui::Dialog&)> action;
        int command;
        std::string message;
    };
    auto throwing = [](auto error) { return [error](ui::Script&, ui::Dialog&) { throw error; }; };
    auto opening = [&](int templateId, bool scriptedFailure) {
        return [&opened, templateId, scriptedFailure](ui::Script& s, ui::Dialog& owner) {
            if (scriptedFailure) s.FailToOpen(templateId);
            ui::Dialog child(templateId, &owner);
            opened = child.DoModal();
        };
    };
    std::vector<Case> cases = {
        {throwing(std::runtime_error("disk full")), IDC_FORCE_PAL, button + " (disk full)."},
        {throwing(std::bad_alloc()), IDC_FORCE_PAL, button + ": there was not enough memory."},
        {throwing(42), ID_HELP_ABOUT, menu + "."},
        {opening(IDD_FORCE_DT1, true), IDC_FORCE_PAL, button + noWindow},
    };
#ifdef _WIN32
    cases.push_back({opening(9999, false), ID_HELP_ABOUT, menu + noWindow});  // no such template
#endif
    for (const Case& c : cases) {
        ui::Script script;
        ProbeDialog dlg;
        script.OnDialog(IDD_LOADER, [&](ui::Dialog& d) {
            d.Window().SetItemText(IDC_FORCE_PAL, "For&ce Palette...");
            dlg.action = [&] { c.action(script, d); };
            d.ClickButton(c.command);  // as a menu command arrives, too
            d.ClickButton(IDC_RESIZE);
            d.EndDialog(ui::IdOk);
        });
        opened = 0;
        EXPECT_EQ(dlg.DoModal(), ui::IdOk) << c.message;
        EXPECT_EQ(dlg.resizeClicks, 1) << c.message;
        ASSERT_EQ(script.MessageBoxes().size(), 1u) << c.message;
        EXPECT_EQ(script.MessageBoxes()[0].text, c.message);
        EXPECT_EQ(script.MessageBoxes()[0].caption, "ERROR");
        EXPECT_EQ(script.MessageBoxes()[0].ownerTemplate, IDD_LOADER);
        EXPECT_EQ(opened, c.message.ends_with(noWindow) ? -1 : 0) << c.message;
    }
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

}  // namespace
