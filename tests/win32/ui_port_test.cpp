// What only real windows show of the win32 WindowPort: text through the wide API, the
// window's icons and system menu, lists filled from the resource, the typing filter. The
// dialog tests drive the rest of the port through the program's own dialogs.
#include <windows.h>
// Needs windows.h before it.
#include <commctrl.h>

#include "tests/win32/ui_fixture.h"

namespace kelvorn_test {
namespace {

const std::string kUnicode = "Kelvorn \xe9\x80";  // "Kelvorn é€" in Windows-1252

// The About item goes in before the system menu's separator and reaches the dialog; the
// big and small icons are the system's sizes, the big one also when dragged minimized.
TEST(Win32Window, CaptionIconsAndSystemMenu) {
    Probe d(IDD_LOADER);
    RunInside(d, [&] {
        ui::WindowPort& w = d.Window();
        w.SetCaption(kUnicode);
        wchar_t raw[64] = {};
        GetWindowTextW(Hwnd(d), raw, 64);
        EXPECT_STREQ(raw, L"Kelvorn \u00e9\u20ac");
        EXPECT_EQ(w.GetCaption(), kUnicode);

        w.SetIcons(IDI_APP);
        for (auto [kind, width] : {std::pair{ICON_BIG, SM_CXICON}, {ICON_SMALL, SM_CXSMICON}}) {
            auto icon = reinterpret_cast<HICON>(SendMessageW(Hwnd(d), WM_GETICON, kind, 0));
            ICONINFO info{};
            ASSERT_TRUE(icon && GetIconInfo(icon, &info)) << kind;
            BITMAP bm{};
            GetObjectW(info.hbmColor, sizeof(bm), &bm);
            EXPECT_EQ(bm.bmWidth, GetSystemMetrics(width));
            DeleteObject(info.hbmColor);
            DeleteObject(info.hbmMask);
        }
        EXPECT_EQ(SendMessageW(Hwnd(d), WM_QUERYDRAGICON, 0, 0),
                  SendMessageW(Hwnd(d), WM_GETICON, ICON_BIG, 0));

        ASSERT_TRUE(w.HasSystemMenu());
        HMENU sys = GetSystemMenu(Hwnd(d), FALSE);
        int separator = 0;
        while (separator < GetMenuItemCount(sys) && GetMenuItemID(sys, separator) != 0) ++separator;
        w.InsertSystemMenuItem(0, IDM_ABOUTBOX, "&About kelvorn Loader...");
        EXPECT_EQ(GetMenuItemID(sys, separator), static_cast<UINT>(IDM_ABOUTBOX));
        wchar_t text[64] = {};
        GetMenuStringW(sys, IDM_ABOUTBOX, text, 64, MF_BYCOMMAND);
        EXPECT_STREQ(text, L"&About kelvorn Loader...");
        SendMessageW(Hwnd(d), WM_SYSCOMMAND, IDM_ABOUTBOX, 0);
    });
    EXPECT_EQ(d.sysCommands, (std::vector<unsigned>{IDM_ABOUTBOX}));
}

// Non-ASCII and long texts come back whole from every kind of list and from an edit box;
// the editor settings dialog's drop-down lists are filled from the resource.
TEST(Win32Controls, ListsAndEditsKeepTheirTexts) {
    const std::string longText(3000, 'x');
    Probe loader(IDD_LOADER), forced(IDD_FORCE_DT1), settings(IDD_EDITOR_INI);
    RunInside(loader, [&] {
        ui::WindowPort& w = loader.Window();
        w.SetItemText(IDC_OUTPUT, kUnicode + "\r\nline 2");
        EXPECT_EQ(w.GetItemText(IDC_OUTPUT), kUnicode + "\r\nline 2");
        w.LvInsertColumn(IDC_FILE_LIST, 0, kUnicode, 120);
        w.LvInsertColumn(IDC_FILE_LIST, 1, "Long", 50);
        EXPECT_EQ(w.LvGetColumnTitle(IDC_FILE_LIST, 0), kUnicode);
        EXPECT_EQ(w.LvInsertItem(IDC_FILE_LIST, 5, kUnicode), 0);  // past the end: appended
        w.LvSetItemText(IDC_FILE_LIST, 0, 1, longText);
        EXPECT_EQ(w.LvGetItemText(IDC_FILE_LIST, 0, 0), kUnicode);
        EXPECT_EQ(w.LvGetItemText(IDC_FILE_LIST, 0, 1), longText);
    });
    RunInside(forced, [&] {
        forced.Window().LbAddString(IDC_DT1_LIST, kUnicode + longText);
        EXPECT_EQ(forced.Window().LbGetText(IDC_DT1_LIST, 0), kUnicode + longText);
    });
    RunInside(settings, [&] {
        ui::WindowPort& w = settings.Window();
        EXPECT_EQ(w.CbGetCount(IDC_SCREEN_DEPTH), 5);
        EXPECT_EQ(w.CbGetText(IDC_SCREEN_DEPTH, 4), "32");
        EXPECT_EQ(w.CbGetCount(IDC_CENTER_ZOOM), 6);
        EXPECT_EQ(w.CbGetText(IDC_CENTER_ZOOM, 0), "NO_CHANGE");
        EXPECT_EQ(w.CbGetText(IDC_CENTER_ZOOM, 5), "1:16");
        w.CbSetCurSel(IDC_GAMMA, w.CbAddString(IDC_GAMMA, kUnicode));
        EXPECT_EQ(w.GetItemText(IDC_GAMMA), kUnicode);
    });
}

// The filter sees each typed character and drops the refused ones; the box itself lowers
// letters; a control without a filter takes every character.
TEST(Win32Controls, CharFilterDropsRefusedKeys) {
    Probe d(IDD_PARAM_LINE);
    std::vector<unsigned> seen;
    RunInside(d, [&] {
        ui::WindowPort& w = d.Window();
        w.SetCharFilter(IDC_FILE_NAME, [&](unsigned ch) {
            seen.push_back(ch);
            return ch != '*' && ch != ':';
        });
        for (unsigned ch : std::vector<unsigned>{'a', '*', 'B', ':', 'c', '\b', 0x00e9})
            w.TypeChar(IDC_FILE_NAME, ch);
        EXPECT_EQ(w.GetItemText(IDC_FILE_NAME), "ab\xe9");
        EXPECT_GE(d.fileNameChanges, 4);
        w.TypeChar(IDC_COMMENTS, '*');
        EXPECT_EQ(w.GetItemText(IDC_COMMENTS), "*");
    });
    EXPECT_EQ(seen, (std::vector<unsigned>{'a', '*', 'B', ':', 'c', '\b', 0x00e9}));
}

}  // namespace
}  // namespace kelvorn_test
