// The memory backend's window: every control is plain state, created on first use.
#pragma once

#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "ui/window_port.h"

namespace ui {
class Dialog;
}

namespace ui::memory {

// Pixels per byte of text in MeasureText: a fixed metric keeps tests exact.
inline constexpr int kCharWidth = 6;

// The DPI every new memory window reports (96 unless a test changes it).
void SetDpi(int dpi);

class MemoryPort : public WindowPort {
  public:
    explicit MemoryPort(Dialog& dialog);

    void EndModal(int code) override;
    bool Ended() const { return m_ended; }

    void SetCaption(const std::string& text) override { m_caption = text; }
    std::string GetCaption() const override { return m_caption; }
    Rect GetWindowRect() const override { return m_windowRect; }
    void SetWindowHeight(int pixels) override { m_windowRect.bottom = m_windowRect.top + pixels; }
    void BringToTop() override {}
    int GetDpi() const override { return m_dpi; }
    void DragAcceptFiles(bool accept) override { m_acceptsFiles = accept; }
    bool AcceptsFiles() const override { return m_acceptsFiles; }
    void SetIcons(int iconResource) override { m_icon = iconResource; }

    void CheckMenuItem(int command, bool checked) override { m_menu[command].checked = checked; }
    bool IsMenuItemChecked(int command) const override;
    void EnableMenuItem(int command, bool enabled) override { m_menu[command].enabled = enabled; }
    bool IsMenuItemEnabled(int command) const override;
    // No menu resource is loaded here: tests name commands by their buttons.
    std::string GetMenuItemText(int) const override { return {}; }

    bool HasSystemMenu() const override { return true; }
    void InsertSystemMenuItem(int beforeCommand, int command, const std::string& text) override;
    bool HasSystemMenuItem(int command) const override;

    bool HasItem(int id) const override { return m_controls.count(id) != 0; }
    std::string GetItemText(int id) const override { return Get(id).text; }
    void SetItemText(int id, const std::string& text) override;
    bool IsChecked(int id) const override { return Get(id).checked; }
    void SetCheck(int id, bool checked) override { At(id).checked = checked; }
    void EnableItem(int id, bool enabled) override { At(id).enabled = enabled; }
    bool IsItemEnabled(int id) const override { return Get(id).enabled; }
    void ShowItem(int id, bool visible) override { At(id).visible = visible; }
    bool IsItemVisible(int id) const override { return Get(id).visible; }
    void SetRedraw(int, bool) override {}  // nothing is drawn here
    Rect GetItemRect(int id) const override { return Get(id).rect; }
    void MoveItem(int id, const Rect& rect, bool toBottomOfZOrder) override;
    void SetFocus(int id) override { m_focus = id; }
    int GetFocus() const override { return m_focus; }
    void SetMonospaceFont(int id, const std::string& face, int cellHeight) override;
    int MeasureText(int id, const std::string& text) const override;
    void SetCharFilter(int id, std::function<bool(unsigned ch)> accept) override;
    void TypeChar(int id, unsigned ch) override;
    void WatchKeys(int) override {}  // every key goes to the dialog here
    void PressKey(int id, unsigned key) override;

    void SendCommand(int id, int code) override;
    void SendNotify(int id, int code) override;
    void SendDrop(const std::vector<std::string>& paths) override;

    void LvSetExtendedStyle(int id, unsigned style) override { At(id).lvStyle = style; }
    unsigned LvGetExtendedStyle(int id) const override { return Get(id).lvStyle; }
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
    void LvSetFocused(int id, int item) override { At(id).focusedItem = item; }
    int LvHitTestCursor(int id) const override { return Get(id).cursorItem; }
    void LvPlaceCursorOnItem(int id, int item) override { At(id).cursorItem = item; }

    int LbAddString(int id, const std::string& text) override;
    int LbGetCount(int id) const override;
    std::string LbGetText(int id, int index) const override;
    void LbDeleteString(int id, int index) override;
    void LbResetContent(int id) override;
    bool LbGetSel(int id, int index) const override;
    void LbSetSel(int id, int index, bool selected) override;
    void LbSetHorizontalExtent(int id, int pixels) override { At(id).hExtent = pixels; }
    int LbGetHorizontalExtent(int id) const override { return Get(id).hExtent; }

    int CbAddString(int id, const std::string& text) override;
    int CbGetCount(int id) const override;
    std::string CbGetText(int id, int index) const override;
    void CbResetContent(int id) override;
    int CbGetCurSel(int id) const override { return Get(id).curSel; }
    void CbSetCurSel(int id, int index) override;

    // Seen only by memory-backend tests.
    int LvFocusedItem(int id) const { return Get(id).focusedItem; }
    std::string FontFace(int id) const { return Get(id).fontFace; }
    bool AtBottomOfZOrder(int id) const { return Get(id).atBottom; }
    int Icon() const { return m_icon; }

  private:
    struct Row {
        std::vector<std::string> cells;
        bool selected = false;
    };
    struct Column {
        std::string title;
        int width = 0;
    };
    struct Control {
        std::string text;
        bool checked = false, enabled = true, visible = true, atBottom = false;
        Rect rect;
        std::string fontFace;
        std::function<bool(unsigned)> filter;
        unsigned lvStyle = 0;
        std::vector<Column> columns;
        std::vector<Row> rows;  // list view rows, list box and combo items (cells[0])
        int focusedItem = -1, cursorItem = -1, hExtent = 0, curSel = -1;
    };
    struct MenuItem {
        bool checked = false, enabled = true;
    };

    Control& At(int id) { return m_controls[id]; }
    const Control& Get(int id) const;
    Row* RowAt(int id, int index);
    const Row* RowAt(int id, int index) const;

    Dialog& m_dialog;
    bool m_ended = false;
    std::string m_caption;
    Rect m_windowRect{0, 0, 700, 600};
    int m_dpi;
    bool m_acceptsFiles = false;
    int m_icon = 0;
    int m_focus = 0;
    std::map<int, Control> m_controls;
    std::map<int, MenuItem> m_menu;
    std::vector<std::pair<int, std::string>> m_systemMenu;
};

}  // namespace ui::memory
