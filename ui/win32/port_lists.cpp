// Win32Port: list view (report mode), list box and drop-down list, by their messages.
#include <windows.h>
// Needs windows.h before it.
#include <commctrl.h>

#include <algorithm>

#include "ui/win32/wide.h"
#include "ui/win32/win32_port.h"

namespace ui::win32 {

namespace {

int Send(HWND item, UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) {
    return static_cast<int>(SendMessageW(item, msg, wParam, lParam));
}

template <class T>
LPARAM Ptr(T* p) {
    return reinterpret_cast<LPARAM>(p);
}

// Text of a list box or combo box item; "" when there is no such item.
std::string ItemText(HWND item, UINT lenMsg, UINT textMsg, int index) {
    if (!item) return {};
    int length = Send(item, lenMsg, index);
    if (length < 0) return {};
    std::wstring text(length + 1, L'\0');
    int got = Send(item, textMsg, index, Ptr(text.data()));
    return got < 0 ? std::string() : Narrow(text.data(), got);
}

void SetItemState(HWND list, int item, UINT state, UINT mask) {
    LVITEMW lv{};
    lv.state = state;
    lv.stateMask = mask;
    Send(list, LVM_SETITEMSTATE, item, Ptr(&lv));
}

}  // namespace

void Win32Port::LvSetExtendedStyle(int id, unsigned style) {
    // A zero mask replaces every extended style.
    Send(Item(id), LVM_SETEXTENDEDLISTVIEWSTYLE, 0, style);
}

unsigned Win32Port::LvGetExtendedStyle(int id) const {
    return static_cast<unsigned>(Send(Item(id), LVM_GETEXTENDEDLISTVIEWSTYLE));
}

int Win32Port::LvInsertColumn(int id, int column, const std::string& title, int width) {
    HWND list = Item(id);
    if (!list) return -1;
    std::wstring text = Widen(title);
    LVCOLUMNW col{};
    col.mask = LVCF_FMT | LVCF_TEXT | LVCF_SUBITEM | (width >= 0 ? LVCF_WIDTH : 0);
    col.fmt = LVCFMT_LEFT;
    col.cx = width;
    col.pszText = text.data();
    col.iSubItem = column;
    return Send(list, LVM_INSERTCOLUMNW, column, Ptr(&col));
}

int Win32Port::LvGetColumnCount(int id) const {
    HWND header = reinterpret_cast<HWND>(SendMessageW(Item(id), LVM_GETHEADER, 0, 0));
    return header ? Send(header, HDM_GETITEMCOUNT) : 0;
}

std::string Win32Port::LvGetColumnTitle(int id, int column) const {
    wchar_t text[1024] = {};
    LVCOLUMNW col{};
    col.mask = LVCF_TEXT;
    col.pszText = text;
    col.cchTextMax = 1024;
    if (!Send(Item(id), LVM_GETCOLUMNW, column, Ptr(&col))) return {};
    return Narrow(col.pszText, -1);
}

void Win32Port::LvSetColumnWidth(int id, int column, int width) {
    Send(Item(id), LVM_SETCOLUMNWIDTH, column, MAKELPARAM(width, 0));
}

int Win32Port::LvGetColumnWidth(int id, int column) const {
    return Send(Item(id), LVM_GETCOLUMNWIDTH, column);
}

int Win32Port::LvInsertItem(int id, int index, const std::string& text) {
    HWND list = Item(id);
    if (!list) return -1;
    std::wstring wide = Widen(text);
    LVITEMW lv{};
    lv.mask = LVIF_TEXT;
    lv.iItem = index;
    lv.pszText = wide.data();
    return Send(list, LVM_INSERTITEMW, 0, Ptr(&lv));
}

void Win32Port::LvSetItemText(int id, int item, int column, const std::string& text) {
    std::wstring wide = Widen(text);
    LVITEMW lv{};
    lv.iSubItem = column;
    lv.pszText = wide.data();
    Send(Item(id), LVM_SETITEMTEXTW, item, Ptr(&lv));
}

std::string Win32Port::LvGetItemText(int id, int item, int column) const {
    HWND list = Item(id);
    if (!list || item < 0 || item >= LvGetItemCount(id)) return {};
    // The list copies at most the buffer less one; grow until the text fits.
    for (int size = 256;; size *= 2) {
        std::wstring text(size, L'\0');
        LVITEMW lv{};
        lv.iSubItem = column;
        lv.pszText = text.data();
        lv.cchTextMax = size;
        int got = Send(list, LVM_GETITEMTEXTW, item, Ptr(&lv));
        if (got < size - 1 || size >= (1 << 20)) return Narrow(text.data(), got);
    }
}

int Win32Port::LvGetItemCount(int id) const {
    return Send(Item(id), LVM_GETITEMCOUNT);
}

bool Win32Port::LvDeleteItem(int id, int item) {
    return Send(Item(id), LVM_DELETEITEM, item) != 0;
}

void Win32Port::LvDeleteAllItems(int id) {
    Send(Item(id), LVM_DELETEALLITEMS);
}

int Win32Port::LvGetNextSelected(int id, int after) const {
    HWND list = Item(id);
    return list ? Send(list, LVM_GETNEXTITEM, after, MAKELPARAM(LVNI_SELECTED, 0)) : -1;
}

void Win32Port::LvSetSelected(int id, int item, bool selected) {
    SetItemState(Item(id), item, selected ? LVIS_SELECTED : 0, LVIS_SELECTED);
}

void Win32Port::LvSetFocused(int id, int item) {
    SetItemState(Item(id), item, LVIS_FOCUSED, LVIS_FOCUSED);
}

int Win32Port::LvHitTestCursor(int id) const {
    HWND list = Item(id);
    if (!list) return -1;
    LVHITTESTINFO hit{};
    GetCursorPos(&hit.pt);
    ScreenToClient(list, &hit.pt);
    return Send(list, LVM_HITTEST, 0, Ptr(&hit));
}

void Win32Port::LvPlaceCursorOnItem(int id, int item) {
    HWND list = Item(id);
    if (!list) return;
    int count = LvGetItemCount(id);
    RECT client{};
    GetClientRect(list, &client);
    POINT pt{client.left + 4, client.top + 4};
    if (item >= 0 && item < count) {
        Send(list, LVM_ENSUREVISIBLE, item, FALSE);
        RECT r{LVIR_LABEL, 0, 0, 0};
        Send(list, LVM_GETITEMRECT, item, Ptr(&r));
        pt = {r.left + (r.right - r.left) / 2, r.top + (r.bottom - r.top) / 2};
    } else if (count > 0) {
        // Just below the last row, or as low as the list goes when it is full.
        Send(list, LVM_ENSUREVISIBLE, count - 1, FALSE);
        RECT r{LVIR_BOUNDS, 0, 0, 0};
        Send(list, LVM_GETITEMRECT, count - 1, Ptr(&r));
        pt.y = std::min<LONG>(r.bottom + 4, client.bottom - 1);
    } else if (HWND header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0))) {
        RECT r{};
        ::GetWindowRect(header, &r);
        pt.y = client.top + (r.bottom - r.top) + 4;
    }
    ClientToScreen(list, &pt);
    SetCursorPos(pt.x, pt.y);
}

int Win32Port::LbAddString(int id, const std::string& text) {
    HWND list = Item(id);
    return list ? Send(list, LB_ADDSTRING, 0, Ptr(Widen(text).c_str())) : LB_ERR;
}

int Win32Port::LbGetCount(int id) const {
    HWND list = Item(id);
    return list ? Send(list, LB_GETCOUNT) : 0;
}

std::string Win32Port::LbGetText(int id, int index) const {
    return ItemText(Item(id), LB_GETTEXTLEN, LB_GETTEXT, index);
}

void Win32Port::LbDeleteString(int id, int index) {
    Send(Item(id), LB_DELETESTRING, index);
}

void Win32Port::LbResetContent(int id) {
    Send(Item(id), LB_RESETCONTENT);
}

bool Win32Port::LbGetSel(int id, int index) const {
    HWND list = Item(id);
    return list && Send(list, LB_GETSEL, index) > 0;
}

void Win32Port::LbSetSel(int id, int index, bool selected) {
    HWND list = Item(id);
    if (!list) return;
    if (GetWindowLongPtrW(list, GWL_STYLE) & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL)) {
        Send(list, LB_SETSEL, selected, index);
    } else if (selected) {
        Send(list, LB_SETCURSEL, index);
    } else if (Send(list, LB_GETCURSEL) == index) {
        Send(list, LB_SETCURSEL, static_cast<WPARAM>(-1));
    }
}

void Win32Port::LbSetHorizontalExtent(int id, int pixels) {
    Send(Item(id), LB_SETHORIZONTALEXTENT, pixels);
}

int Win32Port::LbGetHorizontalExtent(int id) const {
    return Send(Item(id), LB_GETHORIZONTALEXTENT);
}

int Win32Port::CbAddString(int id, const std::string& text) {
    HWND combo = Item(id);
    return combo ? Send(combo, CB_ADDSTRING, 0, Ptr(Widen(text).c_str())) : CB_ERR;
}

int Win32Port::CbGetCount(int id) const {
    HWND combo = Item(id);
    return combo ? Send(combo, CB_GETCOUNT) : 0;
}

std::string Win32Port::CbGetText(int id, int index) const {
    return ItemText(Item(id), CB_GETLBTEXTLEN, CB_GETLBTEXT, index);
}

void Win32Port::CbResetContent(int id) {
    Send(Item(id), CB_RESETCONTENT);
}

int Win32Port::CbGetCurSel(int id) const {
    HWND combo = Item(id);
    return combo ? Send(combo, CB_GETCURSEL) : CB_ERR;
}

void Win32Port::CbSetCurSel(int id, int index) {
    Send(Item(id), CB_SETCURSEL, index);
}

}  // namespace ui::win32
