// Modal dialogs and message boxes of the win32 backend, driven in process.
#include <array>
#include <cstdlib>
#include <stdexcept>

#include "tests/win32/ui_fixture.h"
#include "ui/backend.h"
#include "ui/modal.h"
#include "ui/win32/min_icon.h"
#include "ui/win32/util.h"

namespace kelvorn_test {
namespace {

// Both systems give a message box's text and icon these control ids.
constexpr int kBoxText = 0xFFFF;
constexpr int kBoxIcon = 0x0440;

struct SeenBox {
    std::string caption, text;
    HWND owner = nullptr;
    bool hasOk = false, hasCancel = false, hasYes = false, hasNo = false, hasIcon = false;
};

// Records every message box that comes up on this thread while it lives.
struct BoxObserver {
    std::vector<SeenBox> seen;
    ActivationHook hook{[this](HWND box) {
        if (!GetDlgItem(box, kBoxText)) return;
        HWND icon = GetDlgItem(box, kBoxIcon);
        seen.push_back({ui::win32::WindowText(box),
                        ui::win32::WindowText(GetDlgItem(box, kBoxText)), GetWindow(box, GW_OWNER),
                        GetDlgItem(box, IDOK) != nullptr, GetDlgItem(box, IDCANCEL) != nullptr,
                        GetDlgItem(box, IDYES) != nullptr, GetDlgItem(box, IDNO) != nullptr,
                        icon && SendMessageW(icon, STM_GETICON, 0, 0) != 0});
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
        dialog = Hwnd(d);
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

    ASSERT_EQ(observer.seen.size(), 4u);
    const SeenBox& box = observer.seen[0];
    EXPECT_EQ(box.caption, "Warning");
    EXPECT_EQ(box.text, "Overwrite \"caf\xe9.ds1\"?");
    EXPECT_EQ(box.owner, dialog);
    EXPECT_TRUE(box.hasYes && box.hasNo && box.hasIcon);
    EXPECT_FALSE(box.hasOk || box.hasCancel);
    EXPECT_EQ(observer.seen[1].text, "one");
    EXPECT_EQ(observer.seen[1].owner, nullptr);
    EXPECT_TRUE(observer.seen[1].hasOk && observer.seen[1].hasCancel);
    EXPECT_FALSE(observer.seen[1].hasIcon);
    EXPECT_EQ(observer.seen[2].caption, "Success");
    EXPECT_TRUE(observer.seen[2].hasOk);
    EXPECT_EQ(observer.seen[3].caption, "Error");
    EXPECT_TRUE(observer.seen[3].hasYes && observer.seen[3].hasNo && observer.seen[3].hasCancel);
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

TEST(Win32Backend, ScriptDelayComesFromTheEnvironment) {
    const char* outer = std::getenv("KELVORN_SCRIPT_DELAY_MS");
    std::string kept = outer ? outer : "";
    for (auto [text, ms] : {std::pair{"250", 250u}, {"soon", 0u}, {"-5", 0u}, {"", 0u}}) {
        _putenv_s("KELVORN_SCRIPT_DELAY_MS", text);
        EXPECT_EQ(ui::win32::ScriptDelayMs(), ms) << text;
    }
    _putenv_s("KELVORN_SCRIPT_DELAY_MS", kept.c_str());
}

TEST(Win32Backend, MinimizedIconIsCentredRoundingTowardZero) {
    // (160 - 32 + 1) / 2 = 64.5 and (41 - 32 + 1) / 2; -21 / 2 and -31 / 2 toward zero.
    for (auto [w, h, x, y] : {std::array{160, 41, 64, 5}, {10, 0, -10, -15}}) {
        POINT at = ui::win32::MinimizedIconOrigin(w, h, 32, 32);
        EXPECT_EQ(at.x, x);
        EXPECT_EQ(at.y, y);
    }
}

}  // namespace
}  // namespace kelvorn_test
