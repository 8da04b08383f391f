// Message boxes. A scripted answer is given the way Wine's own tests give one: a thread
// CBT hook sees the box activate and posts the button's command to it, so the real box
// appears and ends through its own code.
#include <windows.h>
#undef MessageBox  // ours is a function of the backend, not the platform's macro

#include <string>

#include "ui/backend.h"
#include "ui/win32/util.h"
#include "ui/win32/wide.h"

namespace ui::win32 {

namespace {

struct PendingAnswer {
    int answer;
    HWND box = nullptr;
    bool given = false;
};

thread_local PendingAnswer* t_pending = nullptr;

void GiveAnswer(HWND box, int answer) {
    if (GetDlgItem(box, answer)) {
        PostMessageW(box, WM_COMMAND, MAKEWPARAM(answer, BN_CLICKED), 0);
        return;
    }
    // No such button: a real user could not have answered so; end it rather than hang.
    ReportFailure("message box has no button " + std::to_string(answer));
    ::EndDialog(box, answer);
}

LRESULT CALLBACK CbtProc(int code, WPARAM wParam, LPARAM lParam) {
    PendingAnswer* pending = t_pending;
    auto window = reinterpret_cast<HWND>(wParam);
    try {
        if (pending && code == HCBT_CREATEWND && !pending->box && ClassName(window) == "#32770") {
            pending->box = window;
        } else if (pending && code == HCBT_ACTIVATE && !pending->given && window == pending->box) {
            pending->given = true;
            GiveAnswer(window, pending->answer);
        }
    } catch (...) {
        // Nothing may leave a hook; the box then waits for a person.
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

int ShowBox(HWND owner, const std::wstring& text, const std::wstring& caption, unsigned flags,
            std::optional<int> answer) {
    if (!answer) return ::MessageBoxW(owner, text.c_str(), caption.c_str(), flags);

    PendingAnswer pending{*answer};
    PendingAnswer* outer = t_pending;
    t_pending = &pending;
    HHOOK hook = SetWindowsHookExW(WH_CBT, CbtProc, nullptr, GetCurrentThreadId());
    int result = ::MessageBoxW(owner, text.c_str(), caption.c_str(), flags);
    if (hook) UnhookWindowsHookEx(hook);
    t_pending = outer;
    return result;
}

}  // namespace ui::win32

namespace ui::backend {

int MessageBox(const Dialog* owner, const MessageBoxCall& call, std::optional<int> answer) {
    return win32::ShowBox(win32::WindowOf(owner), win32::Widen(call.text),
                          win32::Widen(call.caption), call.flags, answer);
}

}  // namespace ui::backend
