// Modal dialogs and message boxes of the win32 backend, driven in process.
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

thread_local std::vector<SeenBox>* t_seen = nullptr;

LRESULT CALLBACK ObserveBoxes(int code, WPARAM wParam, LPARAM lParam) {
    auto box = reinterpret_cast<HWND>(wParam);
    if (code == HCBT_ACTIVATE && t_seen && GetDlgItem(box, kBoxText)) {
        SeenBox seen;
        seen.caption = ui::win32::WindowText(box);
        seen.text = ui::win32::WindowText(GetDlgItem(box, kBoxText));
        seen.owner = GetWindow(box, GW_OWNER);
        seen.hasOk = GetDlgItem(box, IDOK) != nullptr;
        seen.hasCancel = GetDlgItem(box, IDCANCEL) != nullptr;
        seen.hasYes = GetDlgItem(box, IDYES) != nullptr;
        seen.hasNo = GetDlgItem(box, IDNO) != nullptr;
        HWND icon = GetDlgItem(box, kBoxIcon);
        seen.hasIcon = icon && SendMessageW(icon, STM_GETICON, 0, 0) != 0;
        t_seen->push_back(seen);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// Records every message box that comes up on this thread while it lives.
class BoxObserver {
  public:
    BoxObserver() {
        t_seen = &seen;
        m_hook = SetWindowsHookExW(WH_CBT, ObserveBoxes, nullptr, GetCurrentThreadId());
    }
    ~BoxObserver() {
        UnhookWindowsHookEx(m_hook);
        t_seen = nullptr;
    }
    std::vector<SeenBox> seen;

  private:
    HHOOK m_hook;
};

TEST(Win32Modal, EndCodeAndMissingTemplate) {
    Probe d(IDD_FORCE_DT1);
    ui::Script script;
    script.OnDialog(IDD_FORCE_DT1, [](ui::Dialog& dlg) { dlg.EndDialog(ui::IdCancel); });
    EXPECT_EQ(d.Show(), ui::IdCancel);
    EXPECT_TRUE(script.Finished());

    Probe missing(4321);
    EXPECT_EQ(missing.DoModal(), -1);
    EXPECT_FALSE(missing.IsOpen());
}

TEST(Win32Modal, ScriptStepRunsOnceTheWindowIsShown) {
    Probe d(IDD_FORCE_DT1);  // a template without WS_VISIBLE
    bool visibleAtInit = true, visibleAtStep = false;
    d.onInit = [&](Probe& p) { visibleAtInit = IsWindowVisible(Hwnd(p)) != FALSE; };
    EXPECT_EQ(RunInside(d, [&] { visibleAtStep = IsWindowVisible(Hwnd(d)) != FALSE; }), ui::IdOk);
    EXPECT_FALSE(visibleAtInit);
    EXPECT_TRUE(visibleAtStep);
    EXPECT_FALSE(d.IsOpen());  // the port went with the window
}

TEST(Win32Modal, DialogEndedDuringInitNeverShowsAndRunsNoStep) {
    Probe d(IDD_FORCE_DT1);
    d.onInit = [](Probe& p) { p.EndDialog(ui::IdAbort); };
    ui::Script script;
    EXPECT_EQ(d.Show(), ui::IdAbort);
    EXPECT_TRUE(script.DialogsOpened().empty());
    EXPECT_TRUE(script.Errors().empty());
}

TEST(Win32Modal, NestedDialogIsOwnedAndDisablesItsOwner) {
    Probe main(IDD_LOADER);
    Probe child(IDD_FORCE_DT1);
    HWND owner = nullptr;
    bool ownerEnabled = true;
    int childCode = 0;
    main.onConfigure = [&](Probe& p) { childCode = child.Show(&p); };
    ui::Script script;
    script.OnDialog(IDD_LOADER, [&](ui::Dialog& d) {
        d.ClickButton(IDC_CONFIGURE_DT1);
        d.EndDialog(ui::IdOk);
    });
    script.OnDialog(IDD_FORCE_DT1, [&](ui::Dialog& d) {
        owner = GetWindow(Hwnd(d), GW_OWNER);
        ownerEnabled = IsWindowEnabled(Hwnd(main)) != FALSE;
        d.PressEnter();
    });
    EXPECT_EQ(main.Show(), ui::IdOk);
    EXPECT_TRUE(script.Finished());
    EXPECT_EQ(script.DialogsOpened(), (std::vector<int>{IDD_LOADER, IDD_FORCE_DT1}));
    EXPECT_NE(owner, nullptr);
    EXPECT_FALSE(ownerEnabled);
    EXPECT_EQ(childCode, ui::IdOk);
}

TEST(Win32Modal, HandlerExceptionStaysInsideTheWindow) {
    Probe d(IDD_LOADER);
    d.onConfigure = [](Probe&) { throw std::runtime_error("boom"); };
    ui::Script script;
    script.OnDialog(IDD_LOADER, [&](ui::Dialog& dlg) {
        d.Window().SendCommand(IDC_CONFIGURE_DT1, ui::BnClicked);  // through the procedure
        dlg.EndDialog(ui::IdOk);
    });
    EXPECT_EQ(d.Show(), ui::IdOk);
    ASSERT_EQ(script.Errors().size(), 1u);
    EXPECT_NE(script.Errors()[0].find("boom"), std::string::npos);
}

TEST(Win32MessageBox, OwnedBoxIsShownAndAnsweredByTheScript) {
    Probe d(IDD_LOADER);
    BoxObserver observer;
    int answer = 0;
    HWND dialog = nullptr;
    ui::Script script;
    script.AnswerMessageBox(ui::IdNo);
    script.OnDialog(IDD_LOADER, [&](ui::Dialog&) {
        dialog = Hwnd(d);
        answer =
            d.Box("Overwrite \"caf\xc3\xa9.ds1\"?", "Warning", ui::MbYesNo | ui::MbIconExclamation);
        d.EndDialog(ui::IdOk);
    });
    d.Show();
    EXPECT_EQ(answer, ui::IdNo);
    EXPECT_TRUE(script.Finished());
    ASSERT_EQ(script.MessageBoxes().size(), 1u);
    EXPECT_EQ(script.MessageBoxes()[0].ownerTemplate, IDD_LOADER);
    EXPECT_EQ(script.MessageBoxes()[0].flags, ui::MbYesNo | ui::MbIconExclamation);

    ASSERT_EQ(observer.seen.size(), 1u);
    const SeenBox& box = observer.seen[0];
    EXPECT_EQ(box.caption, "Warning");
    EXPECT_EQ(box.text, "Overwrite \"caf\xc3\xa9.ds1\"?");
    EXPECT_EQ(box.owner, dialog);
    EXPECT_TRUE(box.hasYes);
    EXPECT_TRUE(box.hasNo);
    EXPECT_FALSE(box.hasOk);
    EXPECT_FALSE(box.hasCancel);
    EXPECT_TRUE(box.hasIcon);
}

TEST(Win32MessageBox, UnownedBoxesTakeTheirAnswersInOrder) {
    BoxObserver observer;
    ui::Script script;
    script.AnswerMessageBox(ui::IdCancel);
    script.AnswerMessageBox(ui::IdYes);
    EXPECT_EQ(ui::ShowMessageBox(nullptr, "one", "ERROR", ui::MbOkCancel), ui::IdCancel);
    EXPECT_EQ(ui::ShowMessageBox(nullptr, "two", "Error", ui::MbYesNoCancel | ui::MbIconQuestion),
              ui::IdYes);
    // With no answer left the box is answered OK.
    EXPECT_EQ(ui::ShowMessageBox(nullptr, "three", "Success", ui::MbOk), ui::IdOk);
    EXPECT_TRUE(script.Finished());
    ASSERT_EQ(observer.seen.size(), 3u);
    EXPECT_EQ(observer.seen[0].text, "one");
    EXPECT_EQ(observer.seen[0].owner, nullptr);
    EXPECT_TRUE(observer.seen[0].hasCancel);
    EXPECT_FALSE(observer.seen[0].hasIcon);
    EXPECT_EQ(observer.seen[1].caption, "Error");
    EXPECT_TRUE(observer.seen[1].hasYes && observer.seen[1].hasNo && observer.seen[1].hasCancel);
    EXPECT_EQ(observer.seen[2].caption, "Success");
    EXPECT_TRUE(observer.seen[2].hasOk);
}

TEST(Win32MessageBox, AnswerWithoutItsButtonEndsTheBoxAndIsReported) {
    ui::Script script;
    script.AnswerMessageBox(ui::IdRetry);
    EXPECT_EQ(ui::ShowMessageBox(nullptr, "question", "Error", ui::MbYesNo), ui::IdRetry);
    ASSERT_EQ(script.Errors().size(), 1u);
    EXPECT_NE(script.Errors()[0].find("no button 4"), std::string::npos);
}

TEST(Win32Backend, DiscardQueuedMessagesEmptiesTheQueue) {
    PostThreadMessageW(GetCurrentThreadId(), WM_APP + 7, 0, 0);
    PostMessageW(nullptr, WM_APP + 8, 0, 0);
    PostQuitMessage(0);
    ui::DiscardQueuedMessages();
    MSG msg;
    EXPECT_FALSE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
}

TEST(Win32Backend, DiscardQueuedMessagesLeavesPaintingAlone) {
    Probe d(IDD_LOADER);
    RunInside(d, [&] {
        PostMessageW(Hwnd(d), WM_APP + 9, 0, 0);
        InvalidateRect(Hwnd(d), nullptr, TRUE);
        ui::DiscardQueuedMessages();  // returns although a paint is pending
        MSG msg;
        EXPECT_FALSE(PeekMessageW(&msg, nullptr, WM_APP, WM_APP + 9, PM_NOREMOVE));
        EXPECT_TRUE(GetUpdateRect(Hwnd(d), nullptr, FALSE));
    });
}

TEST(Win32Backend, ScriptDelayComesFromTheEnvironment) {
    const char* outer = std::getenv("KELVORN_SCRIPT_DELAY_MS");
    std::string kept = outer ? outer : "";
    _putenv_s("KELVORN_SCRIPT_DELAY_MS", "250");
    EXPECT_EQ(ui::win32::ScriptDelayMs(), 250u);
    _putenv_s("KELVORN_SCRIPT_DELAY_MS", "soon");
    EXPECT_EQ(ui::win32::ScriptDelayMs(), 0u);
    _putenv_s("KELVORN_SCRIPT_DELAY_MS", "-5");
    EXPECT_EQ(ui::win32::ScriptDelayMs(), 0u);
    _putenv_s("KELVORN_SCRIPT_DELAY_MS", "");
    EXPECT_EQ(ui::win32::ScriptDelayMs(), 0u);
    _putenv_s("KELVORN_SCRIPT_DELAY_MS", kept.c_str());
}

TEST(Win32Backend, MinimizedIconIsCentredRoundingTowardZero) {
    POINT at = ui::win32::MinimizedIconOrigin(160, 41, 32, 32);
    EXPECT_EQ(at.x, 64);  // (160 - 32 + 1) / 2 = 64.5
    EXPECT_EQ(at.y, 5);   // (41 - 32 + 1) / 2
    at = ui::win32::MinimizedIconOrigin(10, 0, 32, 32);
    EXPECT_EQ(at.x, -10);  // -21 / 2 rounds toward zero
    EXPECT_EQ(at.y, -15);  // -31 / 2
}

}  // namespace
}  // namespace kelvorn_test
