// The win32 WindowPort over real dialogs made from the program's own templates.
#include <windows.h>
// Needs windows.h before it.
#include <commctrl.h>

#include "tests/win32/ui_fixture.h"

namespace kelvorn_test {
namespace {

const std::string kUnicode = "Kelvorn \xe9\x80";  // "Kelvorn é€" in Windows-1252

TEST(Win32Window, CaptionSizeDpiIconsAndMinimizing) {
    Probe d(IDD_LOADER);
    RunInside(d, [&] {
        ui::WindowPort& w = d.Window();
        w.SetCaption(kUnicode);
        EXPECT_EQ(w.GetCaption(), kUnicode);
        wchar_t raw[64] = {};
        GetWindowTextW(Hwnd(d), raw, 64);
        EXPECT_STREQ(raw, L"Kelvorn \u00e9\u20ac");

        ui::Rect before = w.GetWindowRect();
        EXPECT_GT(before.Width(), 0);
        w.SetWindowHeight(before.Height() - 40);
        ui::Rect after = w.GetWindowRect();
        EXPECT_EQ(after, (ui::Rect{before.left, before.top, before.right, before.bottom - 40}));
        int systemDpi = static_cast<int>(GetDpiForWindow(Hwnd(d)));
        EXPECT_EQ(w.GetDpi(), systemDpi > 0 ? systemDpi : 96);

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

        EXPECT_FALSE(w.IsMinimized());
        SendMessageW(Hwnd(d), WM_SYSCOMMAND, SC_MINIMIZE, 0);
        EXPECT_TRUE(w.IsMinimized());
        EXPECT_EQ(SendMessageW(Hwnd(d), WM_QUERYDRAGICON, 0, 0),
                  SendMessageW(Hwnd(d), WM_GETICON, ICON_BIG, 0));
        // A painting while minimized must not disturb anything.
        RedrawWindow(Hwnd(d), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        SendMessageW(Hwnd(d), WM_SYSCOMMAND, SC_RESTORE, 0);
        EXPECT_FALSE(w.IsMinimized());
    });
    // Minimize and restore reached the dialog and got the default handling.
    EXPECT_EQ(d.sysCommands, (std::vector<unsigned>{SC_MINIMIZE, SC_RESTORE}));
}

TEST(Win32Window, MenuStatesAndTheSystemMenuItemBeforeItsSeparator) {
    Probe d(IDD_LOADER);
    RunInside(d, [&] {
        ui::WindowPort& w = d.Window();
        HMENU menu = GetMenu(Hwnd(d));
        // The resource checks both View items.
        EXPECT_TRUE(w.IsMenuItemChecked(ID_VIEW_PARAMETERS));
        EXPECT_TRUE(w.IsMenuItemChecked(ID_VIEW_OUTPUT));
        w.CheckMenuItem(ID_VIEW_OUTPUT, false);
        EXPECT_FALSE(w.IsMenuItemChecked(ID_VIEW_OUTPUT));
        EXPECT_TRUE(w.IsMenuItemChecked(ID_VIEW_PARAMETERS));
        EXPECT_EQ(GetMenuState(menu, ID_VIEW_OUTPUT, MF_BYCOMMAND) & MF_CHECKED, 0u);
        w.EnableMenuItem(ID_FILE_RUN, false);
        EXPECT_FALSE(w.IsMenuItemEnabled(ID_FILE_RUN));
        EXPECT_NE(GetMenuState(menu, ID_FILE_RUN, MF_BYCOMMAND) & MF_GRAYED, 0u);
        EXPECT_TRUE(w.IsMenuItemEnabled(ID_FILE_MAKE_BATCH));
        // A command the menu does not have is neither checked nor enabled.
        EXPECT_FALSE(w.IsMenuItemChecked(4321));
        EXPECT_FALSE(w.IsMenuItemEnabled(4321));

        ASSERT_TRUE(w.HasSystemMenu());
        HMENU sys = GetSystemMenu(Hwnd(d), FALSE);
        int count = GetMenuItemCount(sys), separator = -1;
        for (int i = 0; i < count && separator < 0; ++i)
            if (GetMenuItemID(sys, i) == 0) separator = i;
        ASSERT_GE(separator, 0);
        w.InsertSystemMenuItem(0, IDM_ABOUTBOX, "&About kelvorn Loader...");
        EXPECT_EQ(GetMenuItemCount(sys), count + 1);
        EXPECT_EQ(GetMenuItemID(sys, separator), static_cast<UINT>(IDM_ABOUTBOX));
        wchar_t text[64] = {};
        GetMenuStringW(sys, IDM_ABOUTBOX, text, 64, MF_BYCOMMAND);
        EXPECT_STREQ(text, L"&About kelvorn Loader...");
        // Choosing it reaches the dialog, which handles it itself.
        SendMessageW(Hwnd(d), WM_SYSCOMMAND, IDM_ABOUTBOX, 0);
    });
    EXPECT_EQ(d.sysCommands, (std::vector<unsigned>{IDM_ABOUTBOX}));
}

TEST(Win32Controls, TextChecksEnabledVisibleFocusAndPlace) {
    Probe d(IDD_LOADER);
    RunInside(d, [&] {
        ui::WindowPort& w = d.Window();
        EXPECT_TRUE(w.HasItem(IDC_FILE_LIST));
        EXPECT_FALSE(w.HasItem(4321));
        EXPECT_EQ(w.GetItemText(4321), "");

        int changes = d.resizeXChanges;
        w.SetItemText(IDC_RESIZE_X, "640");
        EXPECT_EQ(w.GetItemText(IDC_RESIZE_X), "640");
        EXPECT_EQ(d.resizeXChanges, changes + 1);  // as the user's typing would
        w.SetItemText(IDC_OUTPUT, kUnicode + "\r\nline 2");
        EXPECT_EQ(w.GetItemText(IDC_OUTPUT), kUnicode + "\r\nline 2");
        EXPECT_EQ(w.GetItemText(IDC_FORCE_DT1), "&Force .dt1");

        // Each state read back through the port and straight from the control.
        HWND act = GetDlgItem(Hwnd(d), IDC_ACT), output = GetDlgItem(Hwnd(d), IDC_OUTPUT);
        for (bool on : {false, true}) {
            w.SetCheck(IDC_FORCE_PAL, on);
            EXPECT_EQ(w.IsChecked(IDC_FORCE_PAL), on);
            EXPECT_EQ(IsDlgButtonChecked(Hwnd(d), IDC_FORCE_PAL), on ? BST_CHECKED : BST_UNCHECKED);
            w.EnableItem(IDC_ACT, on);
            EXPECT_EQ(w.IsItemEnabled(IDC_ACT), on);
            EXPECT_EQ(IsWindowEnabled(act) != FALSE, on);
            w.ShowItem(IDC_OUTPUT, on);
            EXPECT_EQ(w.IsItemVisible(IDC_OUTPUT), on);
            EXPECT_EQ(IsWindowVisible(output) != FALSE, on);
        }

        // Client coordinates: the list view sits 7 dialog units from the top left.
        ui::Rect list = w.GetItemRect(IDC_FILE_LIST);
        RECT units{7, 7, 332, 107};  // x, y, width, height, each mapped on its own
        MapDialogRect(Hwnd(d), &units);
        EXPECT_EQ(list, (ui::Rect{units.left, units.top, units.left + units.right,
                                  units.top + units.bottom}));
        ui::Rect moved{list.left + 5, list.top + 9, list.right - 20, list.bottom - 30};
        w.MoveItem(IDC_FILE_LIST, moved, false);
        EXPECT_EQ(w.GetItemRect(IDC_FILE_LIST), moved);
        w.MoveItem(IDC_OUTPUT, w.GetItemRect(IDC_OUTPUT), true);
        EXPECT_EQ(GetWindow(GetWindow(Hwnd(d), GW_CHILD), GW_HWNDLAST), output);

        for (int id : {IDC_RESIZE_Y, IDC_FILE_LIST}) {
            w.SetFocus(id);
            EXPECT_EQ(w.GetFocus(), id);
        }
    });
}

TEST(Win32Controls, MonospaceFontAndTextMeasure) {
    Probe d(IDD_LOADER);
    RunInside(d, [&] {
        ui::WindowPort& w = d.Window();
        int longer = w.MeasureText(IDC_FILE_LIST, "WW and more");
        EXPECT_GT(w.MeasureText(IDC_FILE_LIST, kUnicode), w.MeasureText(IDC_FILE_LIST, "Kelvorn"));
        // Measuring uses the device context's default font, not the control's.
        w.SetMonospaceFont(IDC_FILE_LIST, "Courier New", 40);
        EXPECT_EQ(w.MeasureText(IDC_FILE_LIST, "WW and more"), longer);

        // A second font replaces the first; the control holds a live one.
        for (int height : {14, 16}) {
            w.SetMonospaceFont(IDC_OUTPUT, "Courier New", height);
            auto font =
                reinterpret_cast<HFONT>(SendDlgItemMessageW(Hwnd(d), IDC_OUTPUT, WM_GETFONT, 0, 0));
            LOGFONTW lf{};
            ASSERT_TRUE(font && GetObjectW(font, sizeof(lf), &lf));
            EXPECT_STREQ(lf.lfFaceName, L"Courier New");
            EXPECT_EQ(lf.lfHeight, height);
            EXPECT_EQ(lf.lfPitchAndFamily & 3, FIXED_PITCH);
        }
    });
}

TEST(Win32Controls, CharFilterDropsRefusedKeys) {
    Probe d(IDD_PARAM_LINE);
    std::vector<unsigned> seen;
    RunInside(d, [&] {
        ui::WindowPort& w = d.Window();
        w.SetCharFilter(IDC_FILE_NAME, [&](unsigned ch) {
            seen.push_back(ch);
            return ch != '*' && ch != ':';
        });
        for (unsigned ch : {'a', '*', 'B', ':', 'c'}) w.TypeChar(IDC_FILE_NAME, ch);
        // The box is lower case: typed letters are lowered by the control itself.
        EXPECT_EQ(w.GetItemText(IDC_FILE_NAME), "abc");
        w.TypeChar(IDC_FILE_NAME, '\b');
        EXPECT_EQ(w.GetItemText(IDC_FILE_NAME), "ab");
        w.TypeChar(IDC_FILE_NAME, 0x00e9);
        EXPECT_EQ(w.GetItemText(IDC_FILE_NAME), "ab\xe9");
        EXPECT_GE(d.fileNameChanges, 4);
        // Another control without a filter takes every character.
        w.TypeChar(IDC_COMMENTS, '*');
        EXPECT_EQ(w.GetItemText(IDC_COMMENTS), "*");
    });
    EXPECT_EQ(seen, (std::vector<unsigned>{'a', '*', 'B', ':', 'c', '\b', 0x00e9}));
}

TEST(Win32Controls, DroppedFilesArriveInTheCodePageWhileAccepted) {
    Probe d(IDD_LOADER);
    std::vector<std::string> paths = {"C:\\maps\\a.ds1", "C:\\cartes \xe9t\xe9\\\x80.ds1"};
    RunInside(d, [&] {
        ui::WindowPort& w = d.Window();
        EXPECT_TRUE(w.AcceptsFiles());  // the template asks for drops
        d.DropFiles(paths);
        w.DragAcceptFiles(false);
        EXPECT_FALSE(w.AcceptsFiles());
        d.DropFiles({"C:\\refused.ds1"});
        w.DragAcceptFiles(true);
        EXPECT_TRUE(w.AcceptsFiles());
        d.DropFiles({"C:\\again.ds1"});
    });
    EXPECT_EQ(d.drops, (std::vector<std::vector<std::string>>{paths, {"C:\\again.ds1"}}));
}

}  // namespace
}  // namespace kelvorn_test
