#include "ui/ddx.h"

#include <cerrno>
#include <cstdlib>

#include "ui/controls.h"
#include "ui/dialog.h"
#include "ui/modal.h"

namespace ui {

void DataExchange::Fail(int id, const std::string& prompt) {
    m_failed = true;
    ShowMessageBox(&m_dialog, prompt, "kelvorn Loader", MbOk | MbIconExclamation);
    m_dialog.Window().SetFocus(id);
}

namespace {

std::string_view Trimmed(const std::string& text) {
    std::string_view v(text);
    while (!v.empty() && (v.front() == ' ' || v.front() == '\t')) v.remove_prefix(1);
    while (!v.empty() && (v.back() == ' ' || v.back() == '\t')) v.remove_suffix(1);
    return v;
}

// Only the exchange's own controls are written; an unchanged text is not set again, so
// a change handler that writes its control back does not fire a second time.
void SetTextIfChanged(Dialog& dialog, int id, const std::string& text) {
    if (dialog.Window().GetItemText(id) != text) dialog.Window().SetItemText(id, text);
}

}  // namespace

bool ParseUnsigned(const std::string& text, uint32_t& out) {
    std::string_view v = Trimmed(text);
    if (v.empty()) return false;
    uint64_t value = 0;
    for (char c : v) {
        if (c < '0' || c > '9') return false;
        value = value * 10 + static_cast<uint64_t>(c - '0');
        if (value > 0xFFFFFFFFull) return false;
    }
    out = static_cast<uint32_t>(value);
    return true;
}

bool ParseSigned(const std::string& text, int32_t& out) {
    std::string_view v = Trimmed(text);
    bool negative = false;
    if (!v.empty() && (v.front() == '-' || v.front() == '+')) {
        negative = v.front() == '-';
        v.remove_prefix(1);
    }
    if (v.empty()) return false;
    int64_t value = 0;
    for (char c : v) {
        if (c < '0' || c > '9') return false;
        value = value * 10 + (c - '0');
        if (value > 2147483648LL) return false;
    }
    if (negative) value = -value;
    if (value > 2147483647LL || value < -2147483648LL) return false;
    out = static_cast<int32_t>(value);
    return true;
}

void DDX_Text(DataExchange& dx, int id, std::string& value) {
    if (dx.failed()) return;
    if (dx.saving())
        value = dx.dialog().Window().GetItemText(id);
    else
        SetTextIfChanged(dx.dialog(), id, value);
}

void DDX_Text(DataExchange& dx, int id, uint32_t& value) {
    if (dx.failed()) return;
    if (!dx.saving()) {
        SetTextIfChanged(dx.dialog(), id, std::to_string(value));
        return;
    }
    uint32_t parsed = 0;
    if (ParseUnsigned(dx.dialog().Window().GetItemText(id), parsed))
        value = parsed;
    else
        dx.Fail(id, kPromptUnsigned);
}

void DDX_Text(DataExchange& dx, int id, int32_t& value) {
    if (dx.failed()) return;
    if (!dx.saving()) {
        SetTextIfChanged(dx.dialog(), id, std::to_string(value));
        return;
    }
    int32_t parsed = 0;
    if (ParseSigned(dx.dialog().Window().GetItemText(id), parsed))
        value = parsed;
    else
        dx.Fail(id, kPromptSigned);
}

void DDX_Check(DataExchange& dx, int id, bool& value) {
    if (dx.failed()) return;
    if (dx.saving())
        value = dx.dialog().Window().IsChecked(id);
    else
        dx.dialog().Window().SetCheck(id, value);
}

void DDX_Check(DataExchange& dx, int id, int& value) {
    bool checked = value != 0;
    DDX_Check(dx, id, checked);
    if (dx.saving() && !dx.failed()) value = checked ? 1 : 0;
}

void DDX_Radio(DataExchange& dx, const std::vector<int>& ids, int& value) {
    if (dx.failed()) return;
    WindowPort& w = dx.dialog().Window();
    if (dx.saving()) {
        value = -1;
        for (std::size_t i = 0; i < ids.size(); ++i)
            if (w.IsChecked(ids[i])) value = static_cast<int>(i);
        return;
    }
    for (std::size_t i = 0; i < ids.size(); ++i) w.SetCheck(ids[i], static_cast<int>(i) == value);
}

void DDX_CBString(DataExchange& dx, int id, std::string& value) {
    if (dx.failed()) return;
    WindowPort& w = dx.dialog().Window();
    if (dx.saving()) {
        int sel = w.CbGetCurSel(id);
        value = sel < 0 ? std::string() : w.CbGetText(id, sel);
        return;
    }
    int count = w.CbGetCount(id);
    for (int i = 0; i < count; ++i) {
        if (w.CbGetText(id, i).compare(0, value.size(), value) == 0) {
            w.CbSetCurSel(id, i);
            return;
        }
    }
}

void DDX_Control(DataExchange& dx, int id, Control& control) {
    if (!dx.saving()) control.Bind(dx.dialog(), id);
}

}  // namespace ui
