// Win32Port: fonts and text measurement, typed-character filters, and deliveries made as
// the platform would make them (through the dialog's own window procedure).
#include <windows.h>
// Needs windows.h before it.
#include <commctrl.h>
#include <shellapi.h>
#include <shlobj.h>

#include <cstring>

#include "ui/win32/wide.h"
#include "ui/win32/win32_port.h"

namespace ui::win32 {

namespace {

constexpr UINT_PTR kFilterSubclass = 0x4B4C;  // any id unique to this subclass proc

LRESULT CALLBACK FilterProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                            DWORD_PTR refData) {
    if (msg == WM_CHAR) {
        auto* accept = reinterpret_cast<std::function<bool(unsigned)>*>(refData);
        bool pass = true;
        try {
            pass = !*accept || (*accept)(static_cast<unsigned>(wParam));
        } catch (...) {
            // A filter that fails lets the character through rather than lose the key.
        }
        if (!pass) return 0;
    } else if (msg == WM_NCDESTROY) {
        RemoveWindowSubclass(hwnd, FilterProc, kFilterSubclass);
    }
    return DefSubclassProc(hwnd, msg, wParam, lParam);
}

}  // namespace

Win32Port::~Win32Port() {
    // Normally the edits are gone already and took their subclass with them.
    for (auto& entry : m_filters)
        if (HWND edit = Item(entry.first)) RemoveWindowSubclass(edit, FilterProc, kFilterSubclass);
    DeleteFonts();
    if (m_bigIcon) DestroyIcon(m_bigIcon);
    if (m_smallIcon) DestroyIcon(m_smallIcon);
}

void Win32Port::DeleteFonts() {
    for (auto& entry : m_fonts) DeleteObject(entry.second);
    m_fonts.clear();
}

void Win32Port::SetMonospaceFont(int id, const std::string& face, int cellHeight) {
    HWND item = Item(id);
    if (!item) return;
    HFONT font = CreateFontW(cellHeight, 0, 0, 0, FW_DONTCARE, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                             OUT_CHARACTER_PRECIS, CLIP_CHARACTER_PRECIS, DEFAULT_QUALITY,
                             FIXED_PITCH | FF_MODERN, Widen(face).c_str());
    if (!font) return;
    SendMessageW(item, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    HFONT& slot = m_fonts[id];
    if (slot) DeleteObject(slot);  // the control has let go of it
    slot = font;
}

int Win32Port::MeasureText(int id, const std::string& text) const {
    // The control's device context as it comes, without its font selected: column widths
    // are measured this way on purpose.
    HWND item = Item(id);
    if (!item) return 0;
    HDC dc = GetDC(item);
    if (!dc) return 0;
    std::wstring wide = Widen(text);
    SIZE size{};
    GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &size);
    ReleaseDC(item, dc);
    return size.cx;
}

void Win32Port::SetCharFilter(int id, std::function<bool(unsigned ch)> accept) {
    HWND item = Item(id);
    if (!item) return;
    auto& slot = m_filters[id];
    slot = std::move(accept);
    SetWindowSubclass(item, FilterProc, kFilterSubclass, reinterpret_cast<DWORD_PTR>(&slot));
}

void Win32Port::TypeChar(int id, unsigned ch) {
    HWND item = Item(id);
    if (!item) return;
    if (ch > 0xFFFF) {  // a key press beyond the first plane arrives as two halves
        ch -= 0x10000;
        SendMessageW(item, WM_CHAR, 0xD800 + (ch >> 10), 1);
        SendMessageW(item, WM_CHAR, 0xDC00 + (ch & 0x3FF), 1);
        return;
    }
    SendMessageW(item, WM_CHAR, ch, 1);
}

void Win32Port::SendCommand(int id, int code) {
    SendMessageW(m_hwnd, WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(Item(id)));
}

void Win32Port::SendNotify(int id, int code) {
    // Clicks on a list view carry the row under the cursor, as real ones do.
    NMITEMACTIVATE note{};
    note.hdr.hwndFrom = Item(id);
    note.hdr.idFrom = static_cast<UINT_PTR>(id);
    note.hdr.code = static_cast<UINT>(code);
    note.iItem = -1;
    wchar_t cls[32] = {};
    GetClassNameW(note.hdr.hwndFrom, cls, 32);
    if ((note.hdr.code == NM_CLICK || note.hdr.code == NM_DBLCLK) &&
        lstrcmpiW(cls, WC_LISTVIEWW) == 0) {
        GetCursorPos(&note.ptAction);
        ScreenToClient(note.hdr.hwndFrom, &note.ptAction);
        note.iItem = LvHitTestCursor(id);
    }
    SendMessageW(m_hwnd, WM_NOTIFY, note.hdr.idFrom, reinterpret_cast<LPARAM>(&note));
}

void Win32Port::SendDrop(const std::vector<std::string>& paths) {
    // Only a window that accepts files can be dropped on.
    if (!AcceptsFiles()) return;
    std::wstring list;
    for (const std::string& path : paths) {
        list += Widen(path);
        list += L'\0';
    }
    list += L'\0';
    size_t bytes = sizeof(DROPFILES) + list.size() * sizeof(wchar_t);
    HGLOBAL block = GlobalAlloc(GHND, bytes);
    if (!block) return;
    auto* drop = static_cast<DROPFILES*>(GlobalLock(block));
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = TRUE;
    std::memcpy(reinterpret_cast<char*>(drop) + sizeof(DROPFILES), list.data(),
                list.size() * sizeof(wchar_t));
    GlobalUnlock(block);
    // The window procedure takes the block over and frees it with DragFinish.
    SendMessageW(m_hwnd, WM_DROPFILES, reinterpret_cast<WPARAM>(block), 0);
}

}  // namespace ui::win32
