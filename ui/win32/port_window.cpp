// Win32Port: the window as a whole, its menus, and the controls' common state.
#include <windows.h>
// Needs windows.h before it.
#include <commctrl.h>
#include <shellapi.h>

#include "ui/win32/util.h"
#include "ui/win32/wide.h"
#include "ui/win32/win32_port.h"

namespace ui::win32 {

namespace {

Rect ToRect(const RECT& r) {
    return Rect{r.left, r.top, r.right, r.bottom};
}

// GetMenuState answers -1 for an item that is not there.
bool MenuItemExists(UINT state) {
    return state != static_cast<UINT>(-1);
}

}  // namespace

void Win32Port::EndModal(int code) {
    ::EndDialog(m_hwnd, code);
}

void Win32Port::SetCaption(const std::string& text) {
    SetWindowTextW(m_hwnd, Widen(text).c_str());
}

std::string Win32Port::GetCaption() const {
    return WindowText(m_hwnd);
}

Rect Win32Port::GetWindowRect() const {
    RECT r{};
    ::GetWindowRect(m_hwnd, &r);
    return ToRect(r);
}

void Win32Port::SetWindowHeight(int pixels) {
    RECT r{};
    ::GetWindowRect(m_hwnd, &r);
    SetWindowPos(m_hwnd, nullptr, 0, 0, r.right - r.left, pixels,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32Port::BringToTop() {
    BringWindowToTop(m_hwnd);
}

int Win32Port::GetDpi() const {
    // Looked up at run time: older systems lack it and answer 96 through the fallback.
    using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
    static const auto getDpi = reinterpret_cast<GetDpiForWindowFn>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
    UINT dpi = getDpi ? getDpi(m_hwnd) : 0;
    return dpi ? static_cast<int>(dpi) : 96;
}

void Win32Port::DragAcceptFiles(bool accept) {
    ::DragAcceptFiles(m_hwnd, accept);
}

bool Win32Port::AcceptsFiles() const {
    return (GetWindowLongPtrW(m_hwnd, GWL_EXSTYLE) & WS_EX_ACCEPTFILES) != 0;
}

void Win32Port::SetIcons(int iconResource) {
    HINSTANCE module = GetModuleHandleW(nullptr);
    auto load = [&](int cx, int cy) {
        return static_cast<HICON>(LoadImageW(module, MAKEINTRESOURCEW(iconResource), IMAGE_ICON,
                                             GetSystemMetrics(cx), GetSystemMetrics(cy),
                                             LR_DEFAULTCOLOR));
    };
    HICON big = load(SM_CXICON, SM_CYICON);
    HICON small = load(SM_CXSMICON, SM_CYSMICON);
    SendMessageW(m_hwnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));
    SendMessageW(m_hwnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
    // The window no longer uses the old ones.
    if (m_bigIcon) DestroyIcon(m_bigIcon);
    if (m_smallIcon) DestroyIcon(m_smallIcon);
    m_bigIcon = big;
    m_smallIcon = small;
}

void Win32Port::CheckMenuItem(int command, bool checked) {
    if (HMENU menu = GetMenu(m_hwnd))
        ::CheckMenuItem(menu, command, MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

bool Win32Port::IsMenuItemChecked(int command) const {
    HMENU menu = GetMenu(m_hwnd);
    if (!menu) return false;
    UINT state = GetMenuState(menu, command, MF_BYCOMMAND);
    return MenuItemExists(state) && (state & MF_CHECKED) != 0;
}

void Win32Port::EnableMenuItem(int command, bool enabled) {
    HMENU menu = GetMenu(m_hwnd);
    if (!menu) return;
    ::EnableMenuItem(menu, command, MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
    DrawMenuBar(m_hwnd);
}

bool Win32Port::IsMenuItemEnabled(int command) const {
    HMENU menu = GetMenu(m_hwnd);
    if (!menu) return false;
    UINT state = GetMenuState(menu, command, MF_BYCOMMAND);
    return MenuItemExists(state) && (state & (MF_GRAYED | MF_DISABLED)) == 0;
}

std::string Win32Port::GetMenuItemText(int command) const {
    HMENU menu = GetMenu(m_hwnd);
    if (!menu) return {};
    wchar_t text[256] = {};
    int got = GetMenuStringW(menu, command, text, 256, MF_BYCOMMAND);
    return Narrow(text, got);
}

bool Win32Port::HasSystemMenu() const {
    return GetSystemMenu(m_hwnd, FALSE) != nullptr;
}

void Win32Port::InsertSystemMenuItem(int beforeCommand, int command, const std::string& text) {
    if (HMENU menu = GetSystemMenu(m_hwnd, FALSE))
        InsertMenuW(menu, beforeCommand, MF_BYCOMMAND | MF_STRING, command, Widen(text).c_str());
}

bool Win32Port::HasSystemMenuItem(int command) const {
    HMENU menu = GetSystemMenu(m_hwnd, FALSE);
    return menu && MenuItemExists(GetMenuState(menu, command, MF_BYCOMMAND));
}

bool Win32Port::HasItem(int id) const {
    return Item(id) != nullptr;
}

std::string Win32Port::GetItemText(int id) const {
    return WindowText(Item(id));
}

void Win32Port::SetItemText(int id, const std::string& text) {
    // An edit answers WM_SETTEXT with EN_CHANGE to this dialog, as typing would.
    SetDlgItemTextW(m_hwnd, id, Widen(text).c_str());
}

bool Win32Port::IsChecked(int id) const {
    return IsDlgButtonChecked(m_hwnd, id) == BST_CHECKED;
}

void Win32Port::SetCheck(int id, bool checked) {
    CheckDlgButton(m_hwnd, id, checked ? BST_CHECKED : BST_UNCHECKED);
}

void Win32Port::EnableItem(int id, bool enabled) {
    if (HWND item = Item(id)) EnableWindow(item, enabled);
}

bool Win32Port::IsItemEnabled(int id) const {
    HWND item = Item(id);
    return item && IsWindowEnabled(item);
}

void Win32Port::ShowItem(int id, bool visible) {
    if (HWND item = Item(id)) ShowWindow(item, visible ? SW_SHOW : SW_HIDE);
}

void Win32Port::SetRedraw(int id, bool redraw) {
    HWND item = Item(id);
    if (!item) return;
    SendMessageW(item, WM_SETREDRAW, redraw, 0);
    if (redraw) InvalidateRect(item, nullptr, TRUE);
}

bool Win32Port::IsItemVisible(int id) const {
    // The control's own state, whether or not the dialog itself is shown yet.
    HWND item = Item(id);
    return item && (GetWindowLongPtrW(item, GWL_STYLE) & WS_VISIBLE) != 0;
}

Rect Win32Port::GetItemRect(int id) const {
    HWND item = Item(id);
    if (!item) return {};
    RECT r{};
    ::GetWindowRect(item, &r);
    MapWindowPoints(nullptr, m_hwnd, reinterpret_cast<POINT*>(&r), 2);
    return ToRect(r);
}

void Win32Port::MoveItem(int id, const Rect& rect, bool toBottomOfZOrder) {
    HWND item = Item(id);
    if (!item) return;
    UINT flags = SWP_NOACTIVATE | (toBottomOfZOrder ? 0 : SWP_NOZORDER);
    SetWindowPos(item, toBottomOfZOrder ? HWND_BOTTOM : nullptr, rect.left, rect.top, rect.Width(),
                 rect.Height(), flags);
}

void Win32Port::SetFocus(int id) {
    if (HWND item = Item(id)) ::SetFocus(item);
}

int Win32Port::GetFocus() const {
    // The focus may sit in a part of a control (the edit of a combo box).
    HWND focus = ::GetFocus();
    while (focus && focus != m_hwnd) {
        HWND parent = GetParent(focus);
        if (parent == m_hwnd) return GetDlgCtrlID(focus);
        focus = parent;
    }
    return 0;
}

}  // namespace ui::win32
