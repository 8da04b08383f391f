// The win32 backend's window: a WindowPort over one live dialog HWND and its controls.
// It lives from WM_INITDIALOG to WM_NCDESTROY and owns the fonts and icons it made.
#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "ui/window_port.h"

namespace ui {
class Dialog;
}

namespace ui::win32 {

// Sent by a watched control to its dialog: wParam the control id, lParam the key (ui::Key*
// flags with the virtual-key code). The dialog's result is nonzero when it took the key.
constexpr UINT kControlKey = WM_APP + 0x4C;

class Win32Port : public WindowPort {
  public:
    explicit Win32Port(HWND hwnd) : m_hwnd(hwnd) {}
    ~Win32Port() override;
    Win32Port(const Win32Port&) = delete;
    Win32Port& operator=(const Win32Port&) = delete;

    HWND Handle() const { return m_hwnd; }
    HICON BigIcon() const { return m_bigIcon; }

    void EndModal(int code) override;
    void SetCaption(const std::string& text) override;
    std::string GetCaption() const override;
    Rect GetWindowRect() const override;
    void SetWindowHeight(int pixels) override;
    void BringToTop() override;
    int GetDpi() const override;
    void DragAcceptFiles(bool accept) override;
    bool AcceptsFiles() const override;
    void SetIcons(int iconResource) override;

    void CheckMenuItem(int command, bool checked) override;
    bool IsMenuItemChecked(int command) const override;
    void EnableMenuItem(int command, bool enabled) override;
    bool IsMenuItemEnabled(int command) const override;
    std::string GetMenuItemText(int command) const override;

    bool HasSystemMenu() const override;
    void InsertSystemMenuItem(int beforeCommand, int command, const std::string& text) override;
    bool HasSystemMenuItem(int command) const override;

    bool HasItem(int id) const override;
    std::string GetItemText(int id) const override;
    void SetItemText(int id, const std::string& text) override;
    bool IsChecked(int id) const override;
    void SetCheck(int id, bool checked) override;
    void EnableItem(int id, bool enabled) override;
    bool IsItemEnabled(int id) const override;
    void ShowItem(int id, bool visible) override;
    bool IsItemVisible(int id) const override;
    void SetRedraw(int id, bool redraw) override;
    Rect GetItemRect(int id) const override;
    void MoveItem(int id, const Rect& rect, bool toBottomOfZOrder) override;
    void SetFocus(int id) override;
    int GetFocus() const override;
    void SetMonospaceFont(int id, const std::string& face, int cellHeight) override;
    int MeasureText(int id, const std::string& text) const override;
    void SetCharFilter(int id, std::function<bool(unsigned ch)> accept) override;
    void TypeChar(int id, unsigned ch) override;
    void WatchKeys(int id) override;
    void PressKey(int id, unsigned key) override;

    void SendCommand(int id, int code) override;
    void SendNotify(int id, int code) override;
    void SendDrop(const std::vector<std::string>& paths) override;

    void LvSetExtendedStyle(int id, unsigned style) override;
    unsigned LvGetExtendedStyle(int id) const override;
    int LvInsertColumn(int id, int column, const std::string& title, int width) override;
    int LvGetColumnCount(int id) const override;
    std::string LvGetColumnTitle(int id, int column) const override;
    void LvSetColumnWidth(int id, int column, int width) override;
    int LvGetColumnWidth(int id, int column) const override;
    int LvInsertItem(int id, int index, const std::string& text) override;
    void LvSetItemText(int id, int item, int column, const std::string& text) override;
    std::string LvGetItemText(int id, int item, int column) const override;
    int LvGetItemCount(int id) const override;
    bool LvDeleteItem(int id, int item) override;
    void LvDeleteAllItems(int id) override;
    int LvGetNextSelected(int id, int after) const override;
    void LvSetSelected(int id, int item, bool selected) override;
    void LvSetFocused(int id, int item) override;
    int LvHitTestCursor(int id) const override;
    void LvPlaceCursorOnItem(int id, int item) override;

    int LbAddString(int id, const std::string& text) override;
    int LbGetCount(int id) const override;
    std::string LbGetText(int id, int index) const override;
    void LbDeleteString(int id, int index) override;
    void LbResetContent(int id) override;
    bool LbGetSel(int id, int index) const override;
    void LbSetSel(int id, int index, bool selected) override;
    void LbSetHorizontalExtent(int id, int pixels) override;
    int LbGetHorizontalExtent(int id) const override;

    int CbAddString(int id, const std::string& text) override;
    int CbGetCount(int id) const override;
    std::string CbGetText(int id, int index) const override;
    void CbResetContent(int id) override;
    int CbGetCurSel(int id) const override;
    void CbSetCurSel(int id, int index) override;

  private:
    HWND Item(int id) const { return GetDlgItem(m_hwnd, id); }
    void DeleteFonts();

    HWND m_hwnd;
    HICON m_bigIcon = nullptr;
    HICON m_smallIcon = nullptr;
    std::map<int, HFONT> m_fonts;  // by control id
    // Char filters by control id; map nodes stay put, so the subclass keeps a pointer.
    std::map<int, std::function<bool(unsigned)>> m_filters;
};

}  // namespace ui::win32
