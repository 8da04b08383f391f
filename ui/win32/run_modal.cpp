// Modal dialogs from the program's own dialog templates, and their window procedure.
#include <windows.h>
// Needs windows.h before it.
#include <commctrl.h>
#include <shellapi.h>

#include <exception>
#include <memory>
#include <mutex>

#include "ui/backend.h"
#include "ui/dialog.h"
#include "ui/script.h"
#include "ui/win32/dlg_init.h"
#include "ui/win32/min_icon.h"
#include "ui/win32/unusable_paths.h"
#include "ui/win32/util.h"
#include "ui/win32/win32_port.h"

namespace ui::backend {

namespace {

using win32::Win32Port;

// The script's step runs once the window is up and its modal loop is running.
constexpr UINT kRunStep = WM_APP + 0x4B;

struct ModalState {
    Dialog* dialog;
    std::unique_ptr<Win32Port> port;
};

void EnsureCommonControls() {
    static std::once_flag once;
    std::call_once(once, [] {
        INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
        InitCommonControlsEx(&icc);
    });
}

std::vector<std::wstring> DroppedPaths(HDROP drop) {
    std::vector<std::wstring> paths;
    UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        UINT length = DragQueryFileW(drop, i, nullptr, 0);
        std::wstring path(length + 1, L'\0');
        UINT got = DragQueryFileW(drop, i, path.data(), length + 1);
        path.resize(got);
        paths.push_back(std::move(path));
    }
    return paths;
}

bool PaintMinimized(HWND hwnd, HICON icon) {
    if (!icon || !IsIconic(hwnd)) return false;
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    SendMessageW(hwnd, WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    RECT client{};
    GetClientRect(hwnd, &client);
    POINT at = win32::MinimizedIconOrigin(client.right - client.left, client.bottom - client.top,
                                          GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON));
    DrawIcon(dc, at.x, at.y, icon);
    EndPaint(hwnd, &ps);
    return true;
}

void RunScriptStep(HWND hwnd, ModalState& state) {
    Script* script = ActiveScript();
    if (!script || !state.port || state.dialog->IsEnding()) return;
    // The modal loop shows a template without WS_VISIBLE only once it is idle, which it
    // would not be before the step; show it now, so the step works on what a user sees.
    if (!IsWindowVisible(hwnd)) {
        ShowWindow(hwnd, SW_SHOWNORMAL);
        UpdateWindow(hwnd);
    }
    script->RunStep(*state.dialog);
}

INT_PTR Handle(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_INITDIALOG) {
        auto* state = reinterpret_cast<ModalState*>(lParam);
        SetWindowLongPtrW(hwnd, DWLP_USER, lParam);
        state->port = std::make_unique<Win32Port>(hwnd);
        win32::ApplyDialogInit(hwnd, GetModuleHandleW(nullptr), state->dialog->TemplateId());
        state->dialog->AttachPort(state->port.get());
        bool defaultFocus = state->dialog->HandleInit();
        if (ActiveScript() && !state->dialog->IsEnding()) PostMessageW(hwnd, kRunStep, 0, 0);
        return defaultFocus;
    }
    auto* state = reinterpret_cast<ModalState*>(GetWindowLongPtrW(hwnd, DWLP_USER));
    if (msg == WM_DROPFILES) {
        // The block is ours to free whatever happens next.
        auto drop = reinterpret_cast<HDROP>(wParam);
        std::vector<std::wstring> paths;
        try {
            paths = DroppedPaths(drop);
        } catch (...) {
            DragFinish(drop);
            throw;
        }
        DragFinish(drop);
        if (!state || !state->port) return TRUE;
        std::vector<std::wstring> refused;
        std::vector<std::string> usable = win32::UsablePaths(paths, refused);
        win32::RefuseUnusablePaths(state->dialog, refused);
        if (!usable.empty()) state->dialog->HandleDropFiles(usable);
        return TRUE;
    }
    if (!state) return FALSE;
    Dialog& dialog = *state->dialog;
    Win32Port* port = state->port.get();
    switch (msg) {
        case WM_COMMAND:
            return port && dialog.DispatchCommand(LOWORD(wParam), HIWORD(wParam));
        case WM_NOTIFY: {
            auto* note = reinterpret_cast<const NMHDR*>(lParam);
            if (!port || !note) return FALSE;
            return dialog.DispatchNotify(static_cast<int>(note->idFrom),
                                         static_cast<int>(note->code));
        }
        case win32::kControlKey:
            SetWindowLongPtrW(hwnd, DWLP_MSGRESULT,
                              port && dialog.DispatchKey(static_cast<int>(wParam),
                                                         static_cast<unsigned>(lParam)));
            return TRUE;
        case WM_SYSCOMMAND:
            return port && dialog.HandleSysCommand(static_cast<unsigned>(wParam));
        case WM_PAINT:
            return port && PaintMinimized(hwnd, port->BigIcon());
        case WM_QUERYDRAGICON:
            return port ? reinterpret_cast<INT_PTR>(port->BigIcon()) : 0;
        case kRunStep:
            RunScriptStep(hwnd, *state);
            return TRUE;
        case WM_DESTROY:
            dialog.DetachPort();
            return FALSE;
        case WM_NCDESTROY:
            // After the controls: the fonts and icons the port made may go now.
            state->port.reset();
            SetWindowLongPtrW(hwnd, DWLP_USER, 0);
            return FALSE;
        default:
            return FALSE;
    }
}

INT_PTR CALLBACK DialogProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    try {
        return Handle(hwnd, msg, wParam, lParam);
    } catch (const std::exception& e) {
        win32::ReportFailure(std::string("dialog procedure: ") + e.what());
    } catch (...) {
        win32::ReportFailure("dialog procedure: unknown exception");
    }
    // A window that failed to set up could never be ended by its buttons.
    if (msg == WM_INITDIALOG) ::EndDialog(hwnd, -1);
    return FALSE;
}

}  // namespace

intptr_t RunModal(Dialog& dialog) {
    EnsureCommonControls();
    ModalState state{&dialog, nullptr};
    INT_PTR result = DialogBoxParamW(
        GetModuleHandleW(nullptr), MAKEINTRESOURCEW(dialog.TemplateId()),
        win32::WindowOf(dialog.Owner()), DialogProc, reinterpret_cast<LPARAM>(&state));
    dialog.DetachPort();  // in case the window never reached WM_DESTROY
    return result;
}

void DiscardQueuedMessages() {
    // WM_PAINT is left alone: it stays until the window is painted, so taking it would
    // never end, and a window left unpainted is no help either.
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, WM_PAINT - 1, PM_REMOVE) ||
           PeekMessageW(&msg, nullptr, WM_PAINT + 1, 0xFFFFFFFF, PM_REMOVE)) {
    }
}

}  // namespace ui::backend
