#include "ui/dialog.h"

#include <exception>

#include "ui/backend.h"
#include "ui/ddx.h"
#include "ui/modal.h"
#include "ui/script.h"

namespace ui {

namespace {

// Handlers run inside the platform's window procedure: nothing may escape from them.
template <class F>
void Guarded(F&& f) {
    try {
        f();
    } catch (const std::exception& e) {
        if (Script* s = ActiveScript()) s->RecordError(std::string("handler threw: ") + e.what());
    } catch (...) {
        if (Script* s = ActiveScript()) s->RecordError("handler threw");
    }
}

}  // namespace

Dialog::Dialog(int templateId, Dialog* owner) : m_templateId(templateId), m_owner(owner) {}

Dialog::~Dialog() = default;

intptr_t Dialog::DoModal() {
    m_ending = false;
    m_endCode = 0;
    return backend::RunModal(*this);
}

void Dialog::EndDialog(int code) {
    m_ending = true;
    m_endCode = code;
    if (m_port) m_port->EndModal(code);
}

bool Dialog::UpdateData(bool saveAndValidate) {
    if (!m_port) return false;
    DataExchange dx(*this, saveAndValidate);
    // Filling controls from members is not an edit by the user: change handlers that read
    // the controls back would see half-loaded values.
    bool wasLoading = m_loading;
    if (!saveAndValidate) m_loading = true;
    DoDataExchange(dx);
    m_loading = wasLoading;
    return !dx.failed();
}

bool Dialog::HandleInit() {
    bool setDefaultFocus = true;
    Guarded([&] {
        UpdateData(false);
        setDefaultFocus = OnInitDialog();
    });
    return setDefaultFocus;
}

bool Dialog::DispatchCommand(int id, int code) {
    if (code == EnChange && m_loading) return true;
    auto it = m_commands.find({id, code});
    if (it != m_commands.end()) {
        Guarded(it->second);
        return true;
    }
    if (code != BnClicked) return false;
    if (id == IdOk) {
        Guarded([this] { OnOK(); });
        return true;
    }
    if (id == IdCancel) {
        Guarded([this] { OnCancel(); });
        return true;
    }
    return false;
}

bool Dialog::DispatchNotify(int id, int code) {
    auto it = m_notifies.find({id, code});
    if (it == m_notifies.end()) return false;
    Guarded(it->second);
    return true;
}

void Dialog::HandleDropFiles(const std::vector<std::string>& paths) {
    Guarded([&] { OnDropFiles(paths); });
}

bool Dialog::HandleSysCommand(unsigned command) {
    bool handled = false;
    Guarded([&] { handled = OnSysCommand(command); });
    return handled;
}

void Dialog::ChooseMenu(int command) {
    if (m_port->IsMenuItemEnabled(command)) m_port->SendCommand(command, 0);
}

void Dialog::DropFiles(const std::vector<std::string>& paths) {
    if (m_port->AcceptsFiles()) m_port->SendDrop(paths);
}

void Dialog::DoubleClickList(int id, int item) {
    m_port->LvPlaceCursorOnItem(id, item);
    m_port->SendNotify(id, NmDblClk);
}

void Dialog::PressEnter() {
    m_port->SendCommand(IdOk, BnClicked);
}

void Dialog::PressEscape() {
    m_port->SendCommand(IdCancel, BnClicked);
}

void Dialog::OnOK() {
    if (UpdateData(true)) EndDialog(IdOk);
}

void Dialog::OnCancel() {
    EndDialog(IdCancel);
}

int Dialog::MessageBox(const std::string& text, const std::string& caption, unsigned flags) {
    return ShowMessageBox(this, text, caption, flags);
}

}  // namespace ui
