// Win32Port: the keys a dialog maps for its controls, taken before the control sees them.
#include <windows.h>
// Needs windows.h before it.
#include <commctrl.h>

#include "ui/types.h"
#include "ui/win32/win32_port.h"

namespace ui::win32 {

namespace {

constexpr UINT_PTR kKeySubclass = 0x4B4B;  // any id unique to this subclass proc

unsigned HeldModifiers() {
    unsigned held = 0;
    if (GetKeyState(VK_CONTROL) < 0) held |= KeyCtrl;
    if (GetKeyState(VK_SHIFT) < 0) held |= KeyShift;
    if (GetKeyState(VK_MENU) < 0) held |= KeyAlt;
    return held;
}

LRESULT CALLBACK KeyProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
    if (msg == WM_KEYDOWN) {
        const auto key = static_cast<LPARAM>((wParam & 0xFFFF) | HeldModifiers());
        if (SendMessageW(GetParent(hwnd), kControlKey, GetDlgCtrlID(hwnd), key)) return 0;
    } else if (msg == WM_NCDESTROY) {
        RemoveWindowSubclass(hwnd, KeyProc, kKeySubclass);
    }
    return DefSubclassProc(hwnd, msg, wParam, lParam);
}

// The thread's view of the modifier keys, held down for one posted key press.
class HeldKeys {
  public:
    explicit HeldKeys(unsigned key) {
        GetKeyboardState(m_saved);
        BYTE state[256];
        GetKeyboardState(state);
        state[VK_CONTROL] = (key & KeyCtrl) ? 0x80 : 0;
        state[VK_SHIFT] = (key & KeyShift) ? 0x80 : 0;
        state[VK_MENU] = (key & KeyAlt) ? 0x80 : 0;
        SetKeyboardState(state);
    }
    ~HeldKeys() { SetKeyboardState(m_saved); }
    HeldKeys(const HeldKeys&) = delete;
    HeldKeys& operator=(const HeldKeys&) = delete;

  private:
    BYTE m_saved[256];
};

}  // namespace

void Win32Port::WatchKeys(int id) {
    if (HWND item = Item(id)) SetWindowSubclass(item, KeyProc, kKeySubclass, 0);
}

void Win32Port::PressKey(int id, unsigned key) {
    HWND item = Item(id);
    if (!item) return;
    ::SetFocus(item);
    // Down and up through the thread's queue and the dialog's own key handling, as the
    // modal loop takes a key from the keyboard.
    HeldKeys held(key);
    const auto vk = static_cast<WPARAM>(key & 0xFFFF);
    const UINT scan = MapVirtualKeyW(static_cast<UINT>(vk), MAPVK_VK_TO_VSC);
    PostMessageW(item, WM_KEYDOWN, vk, 1 | (scan << 16));
    PostMessageW(item, WM_KEYUP, vk, 1 | (scan << 16) | 0xC0000000u);
    MSG msg;
    while (PeekMessageW(&msg, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE)) {
        if (IsDialogMessageW(m_hwnd, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

}  // namespace ui::win32
