// What a dialog can ask of its live window. The win32 backend answers with real
// controls; the memory backend with plain state. Controls are addressed by id.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "ui/types.h"

namespace ui {

class WindowPort {
  public:
    virtual ~WindowPort() = default;

    // Window as a whole.
    virtual void EndModal(int code) = 0;  // the modal loop ends once the handler returns
    virtual void SetCaption(const std::string& text) = 0;
    virtual std::string GetCaption() const = 0;
    virtual Rect GetWindowRect() const = 0;  // outer rectangle, screen pixels
    virtual void SetWindowHeight(int pixels) = 0;
    virtual void BringToTop() = 0;
    virtual int GetDpi() const = 0;  // 96 at 100 % scaling
    virtual void DragAcceptFiles(bool accept) = 0;
    virtual bool AcceptsFiles() const = 0;
    virtual void SetIcons(int iconResource) = 0;  // big and small

    // Menu bar items, by command id.
    virtual void CheckMenuItem(int command, bool checked) = 0;
    virtual bool IsMenuItemChecked(int command) const = 0;
    virtual void EnableMenuItem(int command, bool enabled) = 0;
    virtual bool IsMenuItemEnabled(int command) const = 0;
    virtual std::string GetMenuItemText(int command) const = 0;  // "" when there is none

    // System menu: inserts a string item before the item with command `beforeCommand`.
    virtual bool HasSystemMenu() const = 0;
    virtual void InsertSystemMenuItem(int beforeCommand, int command, const std::string& text) = 0;
    virtual bool HasSystemMenuItem(int command) const = 0;

    // Any control.
    virtual bool HasItem(int id) const = 0;
    virtual std::string GetItemText(int id) const = 0;
    virtual void SetItemText(int id, const std::string& text) = 0;  // edits raise EnChange
    virtual bool IsChecked(int id) const = 0;
    virtual void SetCheck(int id, bool checked) = 0;
    virtual void EnableItem(int id, bool enabled) = 0;
    virtual bool IsItemEnabled(int id) const = 0;
    virtual void ShowItem(int id, bool visible) = 0;
    virtual bool IsItemVisible(int id) const = 0;
    // Off: the control stops drawing itself while many items change; on: it draws anew.
    virtual void SetRedraw(int id, bool redraw) = 0;
    virtual Rect GetItemRect(int id) const = 0;  // dialog client coordinates
    virtual void MoveItem(int id, const Rect& rect, bool toBottomOfZOrder) = 0;
    virtual void SetFocus(int id) = 0;
    virtual int GetFocus() const = 0;  // id of the focused control, 0 when none
    virtual void SetMonospaceFont(int id, const std::string& face, int cellHeight) = 0;
    // Width in pixels of `text` drawn with the control's device context, default font.
    virtual int MeasureText(int id, const std::string& text) const = 0;
    // Typed characters pass `accept` first; a refused one is dropped without a sound.
    virtual void SetCharFilter(int id, std::function<bool(unsigned ch)> accept) = 0;
    virtual void TypeChar(int id, unsigned ch) = 0;  // as a key press would
    // Key presses on control `id` go to the dialog's DispatchKey first; what it takes does
    // not reach the control.
    virtual void WatchKeys(int id) = 0;
    virtual void PressKey(int id, unsigned key) = 0;  // focus on `id`, then as a key press would

    // Deliveries as the platform would make them (through the window procedure on win32).
    virtual void SendCommand(int id, int code) = 0;
    virtual void SendNotify(int id, int code) = 0;
    virtual void SendDrop(const std::vector<std::string>& paths) = 0;

    // List view (report mode).
    virtual void LvSetExtendedStyle(int id, unsigned style) = 0;
    virtual unsigned LvGetExtendedStyle(int id) const = 0;
    virtual int LvInsertColumn(int id, int column, const std::string& title, int width) = 0;
    virtual int LvGetColumnCount(int id) const = 0;
    virtual std::string LvGetColumnTitle(int id, int column) const = 0;
    virtual void LvSetColumnWidth(int id, int column, int width) = 0;
    virtual int LvGetColumnWidth(int id, int column) const = 0;
    virtual int LvInsertItem(int id, int index, const std::string& text) = 0;  // -1 on failure
    virtual void LvSetItemText(int id, int item, int column, const std::string& text) = 0;
    virtual std::string LvGetItemText(int id, int item, int column) const = 0;
    virtual int LvGetItemCount(int id) const = 0;
    virtual bool LvDeleteItem(int id, int item) = 0;
    virtual void LvDeleteAllItems(int id) = 0;
    virtual int LvGetNextSelected(int id, int after) const = 0;  // after = -1 to start
    virtual void LvSetSelected(int id, int item, bool selected) = 0;
    virtual void LvSetFocused(int id, int item) = 0;
    // Row under the mouse cursor, -1 when there is none.
    virtual int LvHitTestCursor(int id) const = 0;
    // Puts the mouse cursor over `item`, or over empty space below the rows when -1.
    virtual void LvPlaceCursorOnItem(int id, int item) = 0;

    // List box.
    virtual int LbAddString(int id, const std::string& text) = 0;
    virtual int LbGetCount(int id) const = 0;
    virtual std::string LbGetText(int id, int index) const = 0;
    virtual void LbDeleteString(int id, int index) = 0;
    virtual void LbResetContent(int id) = 0;
    virtual bool LbGetSel(int id, int index) const = 0;
    virtual void LbSetSel(int id, int index, bool selected) = 0;
    virtual void LbSetHorizontalExtent(int id, int pixels) = 0;
    virtual int LbGetHorizontalExtent(int id) const = 0;

    // Drop-down list (combo box without edit part).
    virtual int CbAddString(int id, const std::string& text) = 0;
    virtual int CbGetCount(int id) const = 0;
    virtual std::string CbGetText(int id, int index) const = 0;
    virtual void CbResetContent(int id) = 0;
    virtual int CbGetCurSel(int id) const = 0;
    virtual void CbSetCurSel(int id, int index) = 0;
};

}  // namespace ui
