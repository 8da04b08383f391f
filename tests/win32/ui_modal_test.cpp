// Modal dialogs and message boxes of the win32 backend, driven in process.
#include <stdexcept>

#include "tests/win32/ui_fixture.h"
#include "ui/modal.h"
#include "ui/win32/util.h"

namespace kelvorn_test {
namespace {

// Both systems give a message box's text and icon these control ids.
constexpr int kBoxText = 0xFFFF;
constexpr int kBoxIcon = 0x0440;

// Records every message box that comes up on this thread while it lives, as
// "caption|text|owned or -|buttons|icon or -".
struct BoxObserver {
    HWND owner = nullptr;
    std::vector<std::string> seen;
    ActivationHook hook{[this](HWND box) {
        if (!GetDlgItem(box, kBoxText)) return;
        std::string buttons;
        for (auto [id, name] :
             {std::pair{IDOK, "Ok"}, {IDYES, "Yes"}, {IDNO, "No"}, {IDCANCEL, "Cancel"}})
            if (GetDlgItem(box, id)) buttons += name;
        HWND icon = GetDlgItem(box, kBoxIcon);
        const bool owned = owner && GetWindow(box, GW_OWNER) == owner;
        seen.push_back(ui::win32::WindowText(box) + "|" +
                       ui::win32::WindowText(GetDlgItem(box, kBoxText)) + "|" +
                       (owned                      ? "owned"
                        : GetWindow(box, GW_OWNER) ? "other"
                                                   : "-") +
                       "|" + buttons + "|" +
                       (icon && SendMessageW(icon, STM_GETICON, 0, 0) ? "icon" : "-"));
    }};
};

TEST(Win32Modal, StepRunsOnceShownAndEndCodesComeBack) {
    Probe d(IDD_FORCE_DT1);  // a template without WS_VISIBLE
    bool visibleAtInit = true, visibleAtStep = false;
    d.onInit = [&](Probe& p) { visibleAtInit = IsWindowVisible(Hwnd(p)) != FALSE; };
    EXPECT_EQ(RunInside(d,
                        [&] {
                            visibleAtStep = IsWindowVisible(Hwnd(d)) != FALSE;
                            d.EndDialog(ui::IdCancel);
                        }),
              ui::IdCancel);
    EXPECT_FALSE(visibleAtInit);
    EXPECT_TRUE(visibleAtStep);
    EXPECT_FALSE(d.IsOpen());  // the port went with the window

    // Ended during its initialisation: never shown, and no step runs.
    d.onInit = [](Probe& p) { p.EndDialog(ui::IdAbort); };
    ui::Script script;
    EXPECT_EQ(d.Show(), ui::IdAbort);
    EXPECT_TRUE(script.DialogsOpened().empty());
    EXPECT_TRUE(script.Errors().empty());

    Probe missing(4321);
    EXPECT_EQ(missing.DoModal(), -1);
    EXPECT_FALSE(missing.IsOpen());
}

TEST(Win32Modal, NestedDialogIsOwnedAndAHandlerExceptionStaysInsideTheWindow) {
    Probe main(IDD_LOADER);
    Probe child(IDD_FORCE_DT1);
    bool ownedByMain = false, mainEnabled = true;
    int childCode = 0, configures = 0;
    main.onConfigure = [&](Probe& p) {
        if (configures++ == 0)
            childCode = child.Show(&p);
        else
            throw std::runtime_error("boom");
    };
    ui::Script script;
    script.OnDialog(IDD_LOADER, [&](ui::Dialog& d) {
        d.ClickButton(IDC_CONFIGURE_DT1);
        d.Window().SendCommand(IDC_CONFIGURE_DT1, ui::BnClicked);  // through the procedure
        d.EndDialog(ui::IdOk);
    });
    script.OnDialog(IDD_FORCE_DT1, [&](ui::Dialog& d) {
        ownedByMain = GetWindow(Hwnd(d), GW_OWNER) == Hwnd(main);
        mainEnabled = IsWindowEnabled(Hwnd(main)) != FALSE;
        d.PressEnter();
    });
    EXPECT_EQ(main.Show(), ui::IdOk);
    EXPECT_EQ(script.DialogsOpened(), (std::vector<int>{IDD_LOADER, IDD_FORCE_DT1}));
    EXPECT_TRUE(ownedByMain);
    EXPECT_FALSE(mainEnabled);
    EXPECT_EQ(childCode, ui::IdOk);
    ASSERT_EQ(script.Errors().size(), 1u);
    EXPECT_NE(script.Errors()[0].find("boom"), std::string::npos);
}

TEST(Win32MessageBox, RealBoxesAreShownAndAnsweredByTheScriptInOrder) {
    Probe d(IDD_LOADER);
    BoxObserver observer;
    int answer = 0;
    HWND dialog = nullptr;
    ui::Script script;
    script.AnswerMessageBox(ui::IdNo);
    script.AnswerMessageBox(ui::IdCancel);
    script.OnDialog(IDD_LOADER, [&](ui::Dialog&) {
        dialog = observer.owner = Hwnd(d);
        answer =
            d.Box("Overwrite \"caf\xe9.ds1\"?", "Warning", ui::MbYesNo | ui::MbIconExclamation);
        d.EndDialog(ui::IdOk);
    });
    d.Show();
    EXPECT_EQ(answer, ui::IdNo);
    EXPECT_EQ(ui::ShowMessageBox(nullptr, "one", "ERROR", ui::MbOkCancel), ui::IdCancel);
    // With no answer left the box is answered OK.
    EXPECT_EQ(ui::ShowMessageBox(nullptr, "two", "Success", ui::MbOk), ui::IdOk);
    EXPECT_TRUE(script.Finished());
    // An answer without its button ends the box and is reported.
    script.AnswerMessageBox(ui::IdRetry);
    EXPECT_EQ(ui::ShowMessageBox(nullptr, "three", "Error", ui::MbYesNoCancel | ui::MbIconQuestion),
              ui::IdRetry);
    ASSERT_EQ(script.Errors().size(), 1u);
    EXPECT_NE(script.Errors()[0].find("no button 4"), std::string::npos);
    ASSERT_EQ(script.MessageBoxes().size(), 4u);
    EXPECT_EQ(script.MessageBoxes()[0].ownerTemplate, IDD_LOADER);

    // What the user saw: caption, text, owner, buttons and icon of each real box.
    EXPECT_EQ(observer.seen,
              (std::vector<std::string>{"Warning|Overwrite \"caf\xe9.ds1\"?|owned|YesNo|icon",
                                        "ERROR|one|-|OkCancel|-", "Success|two|-|Ok|-",
                                        "Error|three|-|YesNoCancel|icon"}));
    EXPECT_NE(dialog, nullptr);
}

TEST(Win32Backend, DiscardQueuedMessagesEmptiesTheQueueButLeavesPaintingAlone) {
    PostThreadMessageW(GetCurrentThreadId(), WM_APP + 7, 0, 0);
    PostMessageW(nullptr, WM_APP + 8, 0, 0);
    PostQuitMessage(0);
    ui::DiscardQueuedMessages();
    MSG msg;
    EXPECT_FALSE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));

    Probe d(IDD_LOADER);
    RunInside(d, [&] {
        PostMessageW(Hwnd(d), WM_APP + 9, 0, 0);
        InvalidateRect(Hwnd(d), nullptr, TRUE);
        ui::DiscardQueuedMessages();  // returns although a paint is pending
        EXPECT_FALSE(PeekMessageW(&msg, nullptr, WM_APP, WM_APP + 9, PM_NOREMOVE));
        EXPECT_TRUE(GetUpdateRect(Hwnd(d), nullptr, FALSE));
    });
}

}  // namespace
}  // namespace kelvorn_test
