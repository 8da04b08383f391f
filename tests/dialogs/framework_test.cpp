// The dialog framework through real templates: natively the memory backend, under Wine
// real windows.
#include <functional>
#include <new>
#include <stdexcept>

#include "res/resource.h"
#include "tests/common/helpers.h"
#include "ui/dialog.h"

namespace {

// The main window's template with two buttons mapped: Resize counts its clicks, Force
// Palette and Help > About run `action`.
class ProbeDialog : public ui::Dialog {
  public:
    ProbeDialog() : ui::Dialog(IDD_LOADER) {
        MapCommand(IDC_RESIZE, &ProbeDialog::OnResizeClicked);
        MapCommand(IDC_FORCE_PAL, &ProbeDialog::OnAction);
        MapCommand(ID_HELP_ABOUT, &ProbeDialog::OnAction);
    }
    void OnResizeClicked() { ++resizeClicks; }
    void OnAction() { action(); }

    int resizeClicks = 0;
    std::function<void()> action;
};

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
        test::ExpectErrorBoxes(script, {c.message}, IDD_LOADER);
        EXPECT_EQ(opened, c.message.ends_with(noWindow) ? -1 : 0) << c.message;
    }
}

}  // namespace
