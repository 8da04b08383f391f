// The dialog framework through real templates, on either backend, and its number texts.
#include <functional>
#include <new>
#include <stdexcept>

#include "res/resource.h"
#include "tests/common/helpers.h"
#include "ui/ddx.h"
#include "ui/dialog.h"

namespace {

// The main window's template with Force Palette, Help > About and Ctrl+A in the list running
// `action`; Delete in the list is noted in `keys`.
class ProbeDialog : public ui::Dialog {
  public:
    ProbeDialog() : ui::Dialog(IDD_LOADER) {
        MapCommand(IDC_FORCE_PAL, &ProbeDialog::OnAction);
        MapCommand(ID_HELP_ABOUT, &ProbeDialog::OnAction);
        MapKey(IDC_FILE_LIST, ui::VkDelete, &ProbeDialog::OnDelete);
        MapKey(IDC_FILE_LIST, ui::KeyCtrl + 'A', &ProbeDialog::OnAction);
    }
    void OnAction() { action(); }
    void OnDelete() { keys += "Delete "; }

    std::string keys;

    std::function<void()> action;
};

// A mapped key runs its handler only with its own modifiers and on its own control, through
// the window's key handling on either backend. A handler that throws or cannot open its
// window is told in one box naming the command (or the key); the window takes the next one.
TEST(DialogFramework, MappedKeysRunOnlyOnTheirControlAndFailingHandlersAreTold) {
    const std::string button = "\"Force Palette\" could not be completed";
#ifdef _WIN32
    const std::string menu = "\"About\" could not be completed";
#else
    const std::string menu = "A command could not be completed";  // no menu resource here
#endif
    const std::string noWindow = ": the window it needs could not be opened.";
    ui::Script script;
    ProbeDialog dlg;
    intptr_t opened = 0;
    auto throwing = [](auto error) { return [error] { throw error; }; };
    auto opening = [&](int templateId, bool scriptedFailure) {
        return [&, templateId, scriptedFailure] {
            if (scriptedFailure) script.FailToOpen(templateId);
            opened = ui::Dialog(templateId, &dlg).DoModal();
        };
    };
    struct Case {
        std::function<void()> action;
        int command;  // 0: Ctrl+A in the list
        std::string message;
    };
    std::vector<Case> cases = {
        {throwing(std::runtime_error("disk full")), IDC_FORCE_PAL, button + " (disk full)."},
        {throwing(std::bad_alloc()), IDC_FORCE_PAL, button + ": there was not enough memory."},
        {throwing(42), ID_HELP_ABOUT, menu + "."},
        {opening(IDD_FORCE_DT1, true), IDC_FORCE_PAL, button + noWindow},
        {throwing(std::runtime_error("stuck")), 0,
         "The key pressed could not be completed (stuck)."},
    };
#ifdef _WIN32
    cases.push_back({opening(9999, false), ID_HELP_ABOUT, menu + noWindow});  // no such template
#endif
    test::Strings messages;
    script.OnDialog(IDD_LOADER, [&](ui::Dialog& d) {
        dlg.action = [&] { dlg.keys += "Ctrl+A "; };
        const std::pair<int, unsigned> presses[] = {
            {IDC_FILE_LIST, ui::VkDelete}, {IDC_FILE_LIST, ui::KeyShift + ui::VkDelete},
            {IDC_FILE_LIST, 'A'},          {IDC_FILE_LIST, ui::KeyCtrl + 'A'},
            {IDC_OUTPUT, ui::VkDelete},    {IDC_OUTPUT, ui::KeyCtrl + 'A'}};
        for (const auto& [id, key] : presses) d.PressKey(id, key);
        EXPECT_EQ(dlg.keys, "Delete Ctrl+A ");
        d.Window().SetItemText(IDC_FORCE_PAL, "For&ce Palette...");
        for (const Case& c : cases) {
            opened = 0;
            dlg.action = c.action;
            // A button as a menu command arrives, too.
            c.command ? d.ClickButton(c.command) : d.PressKey(IDC_FILE_LIST, ui::KeyCtrl + 'A');
            EXPECT_FALSE(d.IsEnding()) << c.message;
            EXPECT_EQ(opened, c.message.ends_with(noWindow) ? -1 : 0) << c.message;
            messages.push_back(c.message);
        }
        d.EndDialog(ui::IdOk);
    });
    EXPECT_EQ(dlg.DoModal(), ui::IdOk);
    test::ExpectErrorBoxes(script, messages, IDD_LOADER);
}

// Unsigned: 32-bit decimal, blanks around; signed: int32 with a sign. Refused: value kept.
TEST(NumberParsing, TakesDecimalNumbersWithinRange) {
    const std::pair<const char*, uint32_t> unsignedCases[] = {
        {"0", 0u},  {" 4294967295 ", 4294967295u},  {"4294967296", 7u}, {"", 7u}, {"12a", 7u},
        {"-1", 7u}, {"99999999999999999999999", 7u}};
    for (const auto& [text, expected] : unsignedCases) {
        uint32_t v = 7;
        EXPECT_EQ(ui::ParseUnsigned(text, v), expected != 7u) << text;
        EXPECT_EQ(v, expected) << text;
    }
    // clang-format off
    const std::pair<const char*, int32_t> signedCases[] = {
        {"-2147483648", INT32_MIN}, {"+2147483647", INT32_MAX}, {"-19", -19}, {"2147483648", 7},
        {"-2147483649", 7}, {"-", 7}, {"1 2", 7}, {"--1", 7}};
    // clang-format on
    for (const auto& [text, expected] : signedCases) {
        int32_t v = 7;
        EXPECT_EQ(ui::ParseSigned(text, v), expected != 7) << text;
        EXPECT_EQ(v, expected) << text;
    }
}

}  // namespace
