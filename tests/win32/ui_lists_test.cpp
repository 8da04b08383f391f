// List view, list box and drop-down list through the win32 WindowPort.
#include <windows.h>
// Needs windows.h before it.
#include <commctrl.h>

#include "tests/win32/ui_fixture.h"

namespace kelvorn_test {
namespace {

const std::string kAccented = "\xc9t\xe9\x80";  // "Été€" in Windows-1252

TEST(Win32ListView, ColumnsItemsSelectionCursorRowAndDoubleClick) {
    Probe d(IDD_LOADER);
    RunInside(d, [&] {
        ui::WindowPort& w = d.Window();
        const int id = IDC_FILE_LIST;
        EXPECT_EQ(w.LvGetColumnCount(id), 0);
        EXPECT_EQ(w.LvInsertColumn(id, 0, "Path", 120), 0);
        EXPECT_EQ(w.LvInsertColumn(id, 1, "Level " + kAccented, -1), 1);
        EXPECT_EQ(w.LvInsertColumn(id, 1, "Between", 50), 1);
        ASSERT_EQ(w.LvGetColumnCount(id), 3);
        EXPECT_EQ(w.LvGetColumnTitle(id, 0), "Path");
        EXPECT_EQ(w.LvGetColumnTitle(id, 1), "Between");
        EXPECT_EQ(w.LvGetColumnTitle(id, 2), "Level " + kAccented);
        EXPECT_EQ(w.LvGetColumnWidth(id, 0), 120);
        w.LvSetColumnWidth(id, 0, 200);
        w.LvSetColumnWidth(id, 2, 77);
        EXPECT_EQ(w.LvGetColumnWidth(id, 2), 77);

        EXPECT_EQ(w.LvInsertItem(id, 0, "b.ds1"), 0);
        EXPECT_EQ(w.LvInsertItem(id, 0, "a.ds1"), 0);
        EXPECT_EQ(w.LvInsertItem(id, 5, "c " + kAccented + ".ds1"), 2);  // past the end: appended
        ASSERT_EQ(w.LvGetItemCount(id), 3);
        EXPECT_EQ(w.LvGetItemText(id, 0, 0), "a.ds1");
        EXPECT_EQ(w.LvGetItemText(id, 2, 0), "c " + kAccented + ".ds1");
        w.LvSetItemText(id, 1, 2, kAccented);
        EXPECT_EQ(w.LvGetItemText(id, 1, 2), kAccented);
        EXPECT_EQ(w.LvGetItemText(id, 9, 0), "");
        std::string longText(3000, 'x');
        w.LvSetItemText(id, 0, 1, longText);
        EXPECT_EQ(w.LvGetItemText(id, 0, 1), longText);

        EXPECT_TRUE(w.LvDeleteItem(id, 1));
        EXPECT_FALSE(w.LvDeleteItem(id, 7));
        ASSERT_EQ(w.LvGetItemCount(id), 2);
        EXPECT_EQ(w.LvGetItemText(id, 1, 0), "c " + kAccented + ".ds1");
        w.LvDeleteAllItems(id);
        EXPECT_EQ(w.LvGetItemCount(id), 0);
        EXPECT_EQ(w.LvGetColumnCount(id), 3);

        for (const char* name : {"a", "b", "c", "d"})
            w.LvInsertItem(id, w.LvGetItemCount(id), name);
        EXPECT_EQ(w.LvGetNextSelected(id, -1), -1);
        w.LvSetSelected(id, 1, true);
        w.LvSetSelected(id, 3, true);
        w.LvSetSelected(id, 0, true);
        w.LvSetSelected(id, 0, false);
        EXPECT_EQ(w.LvGetNextSelected(id, -1), 1);
        EXPECT_EQ(w.LvGetNextSelected(id, 1), 3);
        EXPECT_EQ(w.LvGetNextSelected(id, 3), -1);
        EXPECT_EQ(w.LvGetNextSelected(4321, -1), -1);  // no such control
        w.LvSetFocused(id, 2);
        EXPECT_EQ(SendDlgItemMessageW(Hwnd(d), id, LVM_GETNEXTITEM, static_cast<WPARAM>(-1),
                                      LVNI_FOCUSED),
                  2);
        w.LvSetExtendedStyle(id, LVS_EX_GRIDLINES | LVS_EX_CHECKBOXES);
        w.LvSetExtendedStyle(id, ui::LvsExFullRowSelect);  // replaces, does not add
        EXPECT_EQ(w.LvGetExtendedStyle(id), ui::LvsExFullRowSelect);

        for (int row : {2, 0, 1}) {
            w.LvPlaceCursorOnItem(id, row);
            EXPECT_EQ(w.LvHitTestCursor(id), row);
        }
        w.LvPlaceCursorOnItem(id, -1);
        EXPECT_EQ(w.LvHitTestCursor(id), -1);
        POINT pt;
        GetCursorPos(&pt);
        RECT list;
        GetWindowRect(GetDlgItem(Hwnd(d), id), &list);
        EXPECT_TRUE(PtInRect(&list, pt));  // below the rows, still inside the list
        for (int row : {1, -1, 2}) d.DoubleClickList(id, row);
    });
    EXPECT_EQ(d.doubleClickRows, (std::vector<int>{1, -1, 2}));
}

// The list box and drop-down list, with a non-ASCII item each; the forced-list and
// loader dialog tests use them with plain names.
TEST(Win32ListBox, ItemsSelectionAndExtent) {
    Probe d(IDD_FORCE_DT1);
    RunInside(d, [&] {
        ui::WindowPort& w = d.Window();
        const int id = IDC_DT1_LIST;
        for (const std::string& name :
             {std::string("z.dt1"), "a " + kAccented + ".dt1", std::string("m.dt1")})
            w.LbAddString(id, name);  // not sorted
        ASSERT_EQ(w.LbGetCount(id), 3);
        EXPECT_EQ(w.LbGetText(id, 1), "a " + kAccented + ".dt1");
        EXPECT_EQ(w.LbGetText(id, 3), "");
        w.LbSetSel(id, 0, true);
        w.LbSetSel(id, 2, true);
        w.LbSetSel(id, 0, false);
        w.LbSetSel(id, 0, true);
        w.LbDeleteString(id, 0);
        ASSERT_EQ(w.LbGetCount(id), 2);
        EXPECT_EQ(w.LbGetText(id, 0), "a " + kAccented + ".dt1");
        EXPECT_FALSE(w.LbGetSel(id, 0));
        EXPECT_TRUE(w.LbGetSel(id, 1));  // the selection moved with its item
        w.LbSetHorizontalExtent(id, 640);
        EXPECT_EQ(w.LbGetHorizontalExtent(id), 640);
        w.LbResetContent(id);
        EXPECT_EQ(w.LbGetCount(id), 0);
    });
}

TEST(Win32DropDownList, ResourceItemsAddedItemsAndSelection) {
    Probe d(IDD_EDITOR_INI);
    RunInside(d, [&] {
        ui::WindowPort& w = d.Window();
        // Dialog initialisation fills two of the lists from the resource.
        EXPECT_EQ(w.CbGetCount(IDC_SCREEN_DEPTH), 5);
        EXPECT_EQ(w.CbGetText(IDC_SCREEN_DEPTH, 4), "32");
        EXPECT_EQ(w.CbGetCount(IDC_CENTER_ZOOM), 6);
        EXPECT_EQ(w.CbGetText(IDC_CENTER_ZOOM, 0), "NO_CHANGE");
        EXPECT_EQ(w.CbGetText(IDC_CENTER_ZOOM, 5), "1:16");

        const int id = IDC_GAMMA;
        EXPECT_EQ(w.CbGetCurSel(id), -1);
        EXPECT_EQ(w.CbAddString(id, "1.00"), 0);
        EXPECT_EQ(w.CbAddString(id, "1.30 " + kAccented), 1);
        EXPECT_EQ(w.CbGetText(id, 2), "");
        w.CbSetCurSel(id, 1);
        EXPECT_EQ(w.CbGetCurSel(id), 1);
        EXPECT_EQ(w.GetItemText(id), "1.30 " + kAccented);
        w.CbSetCurSel(id, -1);
        EXPECT_EQ(w.CbGetCurSel(id), -1);
        w.CbResetContent(id);
        EXPECT_EQ(w.CbGetCount(id), 0);
    });
}

}  // namespace
}  // namespace kelvorn_test
