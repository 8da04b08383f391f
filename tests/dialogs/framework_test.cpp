// The dialog framework through real templates, on whichever backend is linked: natively
// the memory backend, under Wine real windows.
#include <algorithm>
#include <new>
#include <stdexcept>

#include "res/resource.h"
#include "tests/common/helpers.h"
#include "ui/ddx.h"

namespace {

class ProbeDialog : public ui::Dialog {
  public:
    ProbeDialog() : ui::Dialog(IDD_LOADER) {
        MapEditChange(IDC_RESIZE_X, &ProbeDialog::OnXChanged);
        MapCommand(IDC_RESIZE, &ProbeDialog::OnResizeClicked);
        MapCommand(IDC_FORCE_PAL, &ProbeDialog::OnAction);
        MapCommand(ID_HELP_ABOUT, &ProbeDialog::OnAction);
    }
    uint32_t x = 250;
    bool resize = false;
    std::string output;
    int xChanges = 0, resizeClicks = 0;
    std::function<void()> action = [] { throw std::runtime_error("boom"); };

    void DoDataExchange(ui::DataExchange& dx) override {
        ui::DDX_Text(dx, IDC_RESIZE_X, x);
        ui::DDX_Check(dx, IDC_RESIZE, resize);
        ui::DDX_Text(dx, IDC_OUTPUT, output);
    }
    // Clamps and writes back, as the main window does: must not loop forever.
    void OnXChanged() {
        ++xChanges;
        if (!UpdateData(true)) return;
        x = std::min<uint32_t>(x, 255);
        UpdateData(false);
    }
    void OnResizeClicked() { ++resizeClicks; }
    void OnAction() { action(); }
};

// Text that is no number fails the exchange at its control: that member and the ones
// after it keep their values, and the user is prompted.
TEST(DialogFramework, DataExchangeLoadsSavesAndWritesBackOncePerUserChange) {
    ui::Script script;
    ProbeDialog dlg;
    dlg.x = 17;
    dlg.output = "line 1\r\nline 2";
    script.OnDialog(IDD_LOADER, [&](ui::Dialog& d) {
        ui::WindowPort& w = d.Window();
        EXPECT_EQ(w.GetItemText(IDC_RESIZE_X) + "|" + w.GetItemText(IDC_OUTPUT),
                  "17|line 1\r\nline 2");
        w.SetCheck(IDC_RESIZE, true);
        EXPECT_TRUE(d.UpdateData(true));
        EXPECT_TRUE(dlg.resize);
        dlg.xChanges = 0;
        d.TypeText(IDC_RESIZE_X, "300");
        EXPECT_EQ(dlg.xChanges, 1);  // writing the clamped value back is no user edit
        EXPECT_EQ(w.GetItemText(IDC_RESIZE_X), "255");
        EXPECT_EQ(dlg.x, 255u);
        d.TypeText(IDC_RESIZE_X, "");  // the change handler's exchange fails first
        w.SetCheck(IDC_RESIZE, false);
        EXPECT_FALSE(d.UpdateData(true));
        EXPECT_EQ(dlg.x, 255u);
        EXPECT_TRUE(dlg.resize);
        d.EndDialog(ui::IdCancel);
    });
    EXPECT_EQ(dlg.DoModal(), ui::IdCancel);
    EXPECT_EQ(test::BoxTexts(script), test::Strings(2, ui::kPromptUnsigned));
    EXPECT_EQ(script.MessageBoxes()[1].ownerTemplate, IDD_LOADER);
    EXPECT_TRUE(script.Finished()) << test::Errors(script);
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
    auto throwing = [](auto error) { return [error](ui::Script&, ui::Dialog&) { throw error; }; };
    auto opening = [&](int templateId, bool scriptedFailure) {
        return [&opened, templateId, scriptedFailure](ui::Script& s, ui::Dialog& owner) {
            if (scriptedFailure) s.FailToOpen(templateId);
            opened = ui::Dialog(templateId, &owner).DoModal();
        };
    };
    struct Case {
        std::function<void(ui::Script&, ui::Dialog&)> action;
        int command;
        std::string message;
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
        const std::string& message = c.message;
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
        EXPECT_EQ(dlg.DoModal(), ui::IdOk) << message;
        EXPECT_EQ(dlg.resizeClicks, 1) << message;
        test::ExpectErrorBoxes(script, {message}, IDD_LOADER);
        EXPECT_EQ(opened, message.ends_with(noWindow) ? -1 : 0) << message;
    }
}

}  // namespace
