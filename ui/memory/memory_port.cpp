#include "ui/memory/memory_port.h"

#include <algorithm>

#include "ui/dialog.h"

namespace ui::memory {

namespace {
int g_dpi = 96;

// Text here is bytes in a code page, as on the real backend: a typed character takes one
// byte, and one the code page cannot hold (above Latin-1, in this stand-in) becomes '?',
// as the system's own conversion makes it.
char CodePageByte(unsigned ch) {
    return ch < 0x100 ? static_cast<char>(ch) : '?';
}
}  // namespace

void SetDpi(int dpi) {
    g_dpi = dpi;
}

MemoryPort::MemoryPort(Dialog& dialog) : m_dialog(dialog), m_dpi(g_dpi) {}

void MemoryPort::EndModal(int) {
    m_ended = true;
}

const MemoryPort::Control& MemoryPort::Get(int id) const {
    static const Control empty;
    auto it = m_controls.find(id);
    return it == m_controls.end() ? empty : it->second;
}

bool MemoryPort::IsMenuItemChecked(int command) const {
    auto it = m_menu.find(command);
    return it != m_menu.end() && it->second.checked;
}

bool MemoryPort::IsMenuItemEnabled(int command) const {
    auto it = m_menu.find(command);
    return it == m_menu.end() || it->second.enabled;
}

void MemoryPort::InsertSystemMenuItem(int beforeCommand, int command, const std::string& text) {
    auto it = std::find_if(m_systemMenu.begin(), m_systemMenu.end(),
                           [&](const auto& item) { return item.first == beforeCommand; });
    m_systemMenu.insert(it, {command, text});
}

bool MemoryPort::HasSystemMenuItem(int command) const {
    return std::any_of(m_systemMenu.begin(), m_systemMenu.end(),
                       [&](const auto& item) { return item.first == command; });
}

void MemoryPort::SetItemText(int id, const std::string& text) {
    At(id).text = text;
    m_dialog.DispatchCommand(id, EnChange);
}

void MemoryPort::MoveItem(int id, const Rect& rect, bool toBottomOfZOrder) {
    Control& c = At(id);
    c.rect = rect;
    c.atBottom = toBottomOfZOrder;
}

void MemoryPort::SetMonospaceFont(int id, const std::string& face, int) {
    At(id).fontFace = face;
}

int MemoryPort::MeasureText(int, const std::string& text) const {
    return static_cast<int>(text.size()) * kCharWidth;
}

void MemoryPort::SetCharFilter(int id, std::function<bool(unsigned ch)> accept) {
    At(id).filter = std::move(accept);
}

void MemoryPort::TypeChar(int id, unsigned ch) {
    Control& c = At(id);
    if (c.filter && !c.filter(ch)) return;
    std::string text = c.text;
    if (ch != '\b')
        text += CodePageByte(ch);
    else if (!text.empty())
        text.pop_back();
    SetItemText(id, text);
}

void MemoryPort::PressKey(int id, unsigned key) {
    m_focus = id;
    m_dialog.DispatchKey(id, key);
}

void MemoryPort::SendCommand(int id, int code) {
    m_dialog.DispatchCommand(id, code);
}

void MemoryPort::SendNotify(int id, int code) {
    m_dialog.DispatchNotify(id, code);
}

void MemoryPort::SendDrop(const std::vector<std::string>& paths) {
    m_dialog.HandleDropFiles(paths);
}

int MemoryPort::LvInsertColumn(int id, int column, const std::string& title, int width) {
    auto& cols = At(id).columns;
    column = std::clamp(column, 0, static_cast<int>(cols.size()));
    cols.insert(cols.begin() + column, Column{title, width < 0 ? 0 : width});
    return column;
}

int MemoryPort::LvGetColumnCount(int id) const {
    return static_cast<int>(Get(id).columns.size());
}

std::string MemoryPort::LvGetColumnTitle(int id, int column) const {
    const auto& cols = Get(id).columns;
    return column >= 0 && column < static_cast<int>(cols.size()) ? cols[column].title : "";
}

void MemoryPort::LvSetColumnWidth(int id, int column, int width) {
    auto& cols = At(id).columns;
    if (column >= 0 && column < static_cast<int>(cols.size())) cols[column].width = width;
}

int MemoryPort::LvGetColumnWidth(int id, int column) const {
    const auto& cols = Get(id).columns;
    return column >= 0 && column < static_cast<int>(cols.size()) ? cols[column].width : 0;
}

MemoryPort::Row* MemoryPort::RowAt(int id, int index) {
    auto& rows = At(id).rows;
    return index >= 0 && index < static_cast<int>(rows.size()) ? &rows[index] : nullptr;
}

const MemoryPort::Row* MemoryPort::RowAt(int id, int index) const {
    const auto& rows = Get(id).rows;
    return index >= 0 && index < static_cast<int>(rows.size()) ? &rows[index] : nullptr;
}

int MemoryPort::LvInsertItem(int id, int index, const std::string& text) {
    auto& rows = At(id).rows;
    index = std::clamp(index, 0, static_cast<int>(rows.size()));
    rows.insert(rows.begin() + index, Row{{text}, false});
    return index;
}

void MemoryPort::LvSetItemText(int id, int item, int column, const std::string& text) {
    Row* row = RowAt(id, item);
    if (!row || column < 0) return;
    if (static_cast<int>(row->cells.size()) <= column) row->cells.resize(column + 1);
    row->cells[column] = text;
}

std::string MemoryPort::LvGetItemText(int id, int item, int column) const {
    const Row* row = RowAt(id, item);
    if (!row || column < 0 || column >= static_cast<int>(row->cells.size())) return "";
    return row->cells[column];
}

int MemoryPort::LvGetItemCount(int id) const {
    return static_cast<int>(Get(id).rows.size());
}

bool MemoryPort::LvDeleteItem(int id, int item) {
    auto& rows = At(id).rows;
    if (item < 0 || item >= static_cast<int>(rows.size())) return false;
    rows.erase(rows.begin() + item);
    return true;
}

void MemoryPort::LvDeleteAllItems(int id) {
    At(id).rows.clear();
}

int MemoryPort::LvGetNextSelected(int id, int after) const {
    const auto& rows = Get(id).rows;
    for (int i = std::max(after + 1, 0); i < static_cast<int>(rows.size()); ++i)
        if (rows[i].selected) return i;
    return -1;
}

void MemoryPort::LvSetSelected(int id, int item, bool selected) {
    if (item == -1) {
        for (Row& row : At(id).rows) row.selected = selected;
    } else if (Row* row = RowAt(id, item)) {
        row->selected = selected;
    }
}

int MemoryPort::LbAddString(int id, const std::string& text) {
    auto& rows = At(id).rows;
    rows.push_back(Row{{text}, false});
    return static_cast<int>(rows.size()) - 1;
}

int MemoryPort::LbGetCount(int id) const {
    return LvGetItemCount(id);
}

std::string MemoryPort::LbGetText(int id, int index) const {
    return LvGetItemText(id, index, 0);
}

void MemoryPort::LbDeleteString(int id, int index) {
    LvDeleteItem(id, index);
}

void MemoryPort::LbResetContent(int id) {
    LvDeleteAllItems(id);
}

bool MemoryPort::LbGetSel(int id, int index) const {
    const Row* row = RowAt(id, index);
    return row && row->selected;
}

void MemoryPort::LbSetSel(int id, int index, bool selected) {
    LvSetSelected(id, index, selected);
}

int MemoryPort::CbAddString(int id, const std::string& text) {
    return LbAddString(id, text);
}

int MemoryPort::CbGetCount(int id) const {
    return LvGetItemCount(id);
}

std::string MemoryPort::CbGetText(int id, int index) const {
    return LvGetItemText(id, index, 0);
}

void MemoryPort::CbResetContent(int id) {
    LvDeleteAllItems(id);
    At(id).curSel = -1;
}

void MemoryPort::CbSetCurSel(int id, int index) {
    At(id).curSel = index >= 0 && index < CbGetCount(id) ? index : -1;
}

}  // namespace ui::memory
