// Control objects: a dialog and a control id, bound by DDX_Control. They forward to the
// dialog's live window, so they are only usable while it exists.
#pragma once

#include <functional>
#include <string>

#include "ui/dialog.h"

namespace ui {

class Control {
  public:
    virtual ~Control() = default;
    void Bind(Dialog& dialog, int id) {
        m_dialog = &dialog;
        m_id = id;
        OnBound();
    }
    bool IsBound() const { return m_dialog != nullptr && m_dialog->IsOpen(); }
    int Id() const { return m_id; }
    WindowPort& Port() const { return m_dialog->Window(); }

    std::string GetText() const { return Port().GetItemText(m_id); }
    void SetText(const std::string& text) { Port().SetItemText(m_id, text); }
    void Enable(bool enabled) { Port().EnableItem(m_id, enabled); }
    bool IsEnabled() const { return Port().IsItemEnabled(m_id); }
    void Show(bool visible) { Port().ShowItem(m_id, visible); }
    void SetFocus() { Port().SetFocus(m_id); }
    int MeasureText(const std::string& text) const { return Port().MeasureText(m_id, text); }

  protected:
    virtual void OnBound() {}

  private:
    Dialog* m_dialog = nullptr;
    int m_id = 0;
};

// Holds a control's drawing while many of its items change, and lets it draw once after.
// Under Wine every redraw of an item is a round trip to its server: a list of 100 rows
// filled with drawing on takes most of a second on a busy machine.
class RedrawPause {
  public:
    explicit RedrawPause(Control& control) : m_control(control) {
        m_control.Port().SetRedraw(m_control.Id(), false);
    }
    ~RedrawPause() { m_control.Port().SetRedraw(m_control.Id(), true); }
    RedrawPause(const RedrawPause&) = delete;
    RedrawPause& operator=(const RedrawPause&) = delete;

  private:
    Control& m_control;
};

class Edit : public Control {};
class Button : public Control {
  public:
    bool IsChecked() const { return Port().IsChecked(Id()); }
    void SetCheck(bool checked) { Port().SetCheck(Id(), checked); }
};

// An edit whose typed characters pass a filter (installed when the control is bound).
class FilteredEdit : public Edit {
  public:
    explicit FilteredEdit(std::function<bool(unsigned ch)> accept) : m_accept(std::move(accept)) {}

  protected:
    void OnBound() override { Port().SetCharFilter(Id(), m_accept); }

  private:
    std::function<bool(unsigned ch)> m_accept;
};

class ListView : public Control {
  public:
    void SetExtendedStyle(unsigned style) { Port().LvSetExtendedStyle(Id(), style); }
    int InsertColumn(int column, const std::string& title, int width = -1) {
        return Port().LvInsertColumn(Id(), column, title, width);
    }
    void SetColumnWidth(int column, int width) { Port().LvSetColumnWidth(Id(), column, width); }
    int GetColumnWidth(int column) const { return Port().LvGetColumnWidth(Id(), column); }
    int InsertItem(int index, const std::string& text) {
        return Port().LvInsertItem(Id(), index, text);
    }
    void SetItemText(int item, int column, const std::string& text) {
        Port().LvSetItemText(Id(), item, column, text);
    }
    std::string GetItemText(int item, int column) const {
        return Port().LvGetItemText(Id(), item, column);
    }
    int GetItemCount() const { return Port().LvGetItemCount(Id()); }
    bool DeleteItem(int item) { return Port().LvDeleteItem(Id(), item); }
    void DeleteAllItems() { Port().LvDeleteAllItems(Id()); }
    int GetNextSelected(int after = -1) const { return Port().LvGetNextSelected(Id(), after); }
    void SetSelected(int item, bool selected) { Port().LvSetSelected(Id(), item, selected); }
    void SetFocused(int item) { Port().LvSetFocused(Id(), item); }
    int HitTestCursor() const { return Port().LvHitTestCursor(Id()); }
};

class ListBox : public Control {
  public:
    int AddString(const std::string& text) { return Port().LbAddString(Id(), text); }
    int GetCount() const { return Port().LbGetCount(Id()); }
    std::string GetText(int index) const { return Port().LbGetText(Id(), index); }
    void DeleteString(int index) { Port().LbDeleteString(Id(), index); }
    void ResetContent() { Port().LbResetContent(Id()); }
    bool GetSel(int index) const { return Port().LbGetSel(Id(), index); }
    void SetSel(int index, bool selected) { Port().LbSetSel(Id(), index, selected); }
    void SetHorizontalExtent(int pixels) { Port().LbSetHorizontalExtent(Id(), pixels); }
    int GetHorizontalExtent() const { return Port().LbGetHorizontalExtent(Id()); }
};

class DropDownList : public Control {
  public:
    int AddString(const std::string& text) { return Port().CbAddString(Id(), text); }
    int GetCount() const { return Port().CbGetCount(Id()); }
    std::string GetText(int index) const { return Port().CbGetText(Id(), index); }
    void ResetContent() { Port().CbResetContent(Id()); }
    int GetCurSel() const { return Port().CbGetCurSel(Id()); }
    void SetCurSel(int index) { Port().CbSetCurSel(Id(), index); }
};

}  // namespace ui
