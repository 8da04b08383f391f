// Shows one dialog template of the program's resources, for looking at a layout under Wine
// or Windows without running the program:
//
//     dialog_preview ID [LAYOUT_FILE]
//
// With LAYOUT_FILE it also writes the dialog's base units and every control's place in
// client pixels there, to compare with the template's dialog units. Escape, Enter or the
// close box end it.
#include <windows.h>
// After windows.h, which it builds on.
#include <commctrl.h>

#include <cstdio>
#include <cstring>
#include <cwchar>
#include <string>

namespace {

// Resource type of the list contents that a template carries beside it.
constexpr WORD kDialogInitType = 240;
constexpr WORD kAddComboString = 0x0403;
constexpr WORD kAddListString = 0x0401;

std::wstring Widen(const char* text) {
    int n = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    std::wstring out(n > 0 ? n - 1 : 0, L'\0');
    if (n > 1) MultiByteToWideChar(CP_ACP, 0, text, -1, out.data(), n);
    return out;
}

// Fills combo and list boxes from the template's dialog-init resource, as the program's
// dialogs see them when they open.
void FillLists(HWND dlg, int id) {
    HRSRC found = FindResourceW(nullptr, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(kDialogInitType));
    if (!found) return;
    const BYTE* p = static_cast<const BYTE*>(LockResource(LoadResource(nullptr, found)));
    const BYTE* end = p + SizeofResource(nullptr, found);
    while (p + 8 <= end) {
        WORD control, message;
        DWORD size;
        std::memcpy(&control, p, 2);
        if (control == 0) break;
        std::memcpy(&message, p + 2, 2);
        std::memcpy(&size, p + 4, 4);
        p += 8;
        if (size > static_cast<DWORD>(end - p)) break;
        std::string text(reinterpret_cast<const char*>(p),
                         strnlen(reinterpret_cast<const char*>(p), size));
        std::wstring wide = Widen(text.c_str());
        UINT add = message == kAddComboString  ? CB_ADDSTRING
                   : message == kAddListString ? LB_ADDSTRING
                                               : 0;
        if (add) SendDlgItemMessageW(dlg, control, add, 0, reinterpret_cast<LPARAM>(wide.c_str()));
        p += size;
    }
}

void WriteLayout(HWND dlg, const wchar_t* path) {
    FILE* f = _wfopen(path, L"w");
    if (!f) return;
    RECT units{0, 0, 4, 8};
    MapDialogRect(dlg, &units);
    RECT client;
    GetClientRect(dlg, &client);
    POINT origin{0, 0};
    ClientToScreen(dlg, &origin);
    std::fprintf(f, "base %ld %ld client %ld %ld origin %ld %ld\n", units.right, units.bottom,
                 client.right, client.bottom, origin.x, origin.y);
    // The face the system actually chose for the template's font: text that fits with one
    // face may be cut with a wider stand-in.
    HDC dc = GetDC(dlg);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(dlg, WM_GETFONT, 0, 0)));
    wchar_t face[LF_FACESIZE] = L"";
    GetTextFaceW(dc, LF_FACESIZE, face);
    SelectObject(dc, old);
    ReleaseDC(dlg, dc);
    std::fprintf(f, "font %ls\n", face);
    // Children come in creation order, which is the order of the template.
    for (HWND c = GetWindow(dlg, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        RECT r;
        GetWindowRect(c, &r);
        MapWindowPoints(nullptr, dlg, reinterpret_cast<POINT*>(&r), 2);
        wchar_t cls[64] = L"";
        GetClassNameW(c, cls, 64);
        std::fprintf(f, "%d %ls %ld %ld %ld %ld", GetDlgCtrlID(c), cls, r.left, r.top,
                     r.right - r.left, r.bottom - r.top);
        bool combo = lstrcmpiW(cls, L"ComboBox") == 0;
        if (combo || lstrcmpiW(cls, L"ListBox") == 0) {
            LRESULT count = SendMessageW(c, combo ? CB_GETCOUNT : LB_GETCOUNT, 0, 0);
            for (LRESULT i = 0; i < count; ++i) {
                wchar_t item[64] = L"";
                if (SendMessageW(c, combo ? CB_GETLBTEXTLEN : LB_GETTEXTLEN, i, 0) < 64)
                    SendMessageW(c, combo ? CB_GETLBTEXT : LB_GETTEXT, i,
                                 reinterpret_cast<LPARAM>(item));
                std::fprintf(f, " [%ls]", item);
            }
        }
        std::fprintf(f, "\n");
    }
    std::fclose(f);
}

INT_PTR CALLBACK PreviewProc(HWND dlg, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            FillLists(dlg, static_cast<int>(lParam));
            return TRUE;
        case WM_COMMAND:
            if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) DestroyWindow(dlg);
            return TRUE;
        case WM_CLOSE:
            DestroyWindow(dlg);
            return TRUE;
        case WM_DESTROY:
            PostQuitMessage(0);
            return TRUE;
    }
    return FALSE;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR cmdLine, int) {
    wchar_t* rest = nullptr;
    long id = std::wcstol(cmdLine, &rest, 10);
    if (id <= 0 || id > 0xFFFF) {
        MessageBoxW(nullptr, L"usage: dialog_preview ID [LAYOUT_FILE]", L"dialog_preview",
                    MB_OK | MB_ICONEXCLAMATION);
        return 2;
    }
    while (*rest == L' ') ++rest;

    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);

    HWND dlg = CreateDialogParamW(instance, MAKEINTRESOURCEW(id), nullptr, PreviewProc, id);
    if (!dlg) {
        wchar_t text[96];
        std::swprintf(text, 96, L"Dialog %ld cannot be created (error %lu).", id, GetLastError());
        MessageBoxW(nullptr, text, L"dialog_preview", MB_OK | MB_ICONEXCLAMATION);
        return 1;
    }
    ShowWindow(dlg, SW_SHOW);
    UpdateWindow(dlg);
    if (*rest) WriteLayout(dlg, rest);

    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (!IsDialogMessageW(dlg, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    return 0;
}
