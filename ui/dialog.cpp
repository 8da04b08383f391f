#include "ui/dialog.h"

#include <exception>
#include <new>

#include "ui/backend.h"
#include "ui/ddx.h"
#include "ui/modal.h"
#include "ui/script.h"

namespace ui {

namespace {

// A control's or menu item's text as a name: no '&' marks, no accelerator, no "...".
std::string PlainName(const std::string& text) {
    std::string name;
    for (std::size_t i = 0; i < text.size() && text[i] != '\t'; ++i) {
        if (text[i] == '&' && i + 1 < text.size()) ++i;
        name += text[i];
    }
    while (!name.empty() && (name.back() == '.' || name.back() == ' ')) name.pop_back();
    return name;
}

}  // namespace

Dialog::Dialog(int templateId, Dialog* owner) : m_templateId(templateId), m_owner(owner) {}

Dialog::~Dialog() = default;

intptr_t Dialog::DoModal() {
    m_ending = false;
    m_endCode = 0;
    Script* script = ActiveScript();
    intptr_t result =
        script && script->TakeOpenFailure(m_templateId) ? -1 : backend::RunModal(*this);
    // The owner's handler goes on as after a cancel; the user must still learn why.
    if (result == -1 && m_owner && m_owner->IsOpen())
        m_owner->ReportFailure(": the window it needs could not be opened.");
    return result;
}

void Dialog::Guarded(int activity, const std::function<void()>& handler) {
    const int outer = m_activity;
    m_activity = activity;
    std::string why;
    try {
        handler();
    } catch (const std::bad_alloc&) {
        why = ": there was not enough memory.";
    } catch (const std::exception& e) {
        why = std::string(" (") + e.what() + ").";
    } catch (...) {
        why = ".";
    }
    if (!why.empty()) {
        if (Script* s = ActiveScript()) s->RecordError("handler failed" + why);
        ReportFailure(why);
    }
    m_activity = outer;
}

void Dialog::ReportFailure(const std::string& why) {
    try {
        ShowErrorMessage(this, ActivityName() + " could not be completed" + why);
    } catch (...) {
        // Nothing may leave a handler; with no memory even for the box, nothing is left.
    }
}

std::string Dialog::ActivityName() const {
    switch (m_activity) {
        case kNoActivity:
            return "A window";
        case kInitActivity:
            return "Opening the window \"" + (m_port ? m_port->GetCaption() : "") + "\"";
        case kDropActivity:
            return "Adding the dropped files";
        case kSysCommandActivity:
            return "The window menu command";
        case kKeyActivity:
            return "The key pressed";
    }
    std::string name;
    if (m_port) {
        name = m_port->HasItem(m_activity) ? m_port->GetItemText(m_activity)
                                           : m_port->GetMenuItemText(m_activity);
    }
    name = PlainName(name);
    return name.empty() ? "A command" : "\"" + name + "\"";
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
    Guarded(kInitActivity, [&] {
        for (const auto& entry : m_keys) m_port->WatchKeys(entry.first.first);
        UpdateData(false);
        setDefaultFocus = OnInitDialog();
    });
    return setDefaultFocus;
}

bool Dialog::DispatchCommand(int id, int code) {
    if (code == EnChange && m_loading) return true;
    auto it = m_commands.find({id, code});
    if (it != m_commands.end()) {
        Guarded(id, it->second);
        return true;
    }
    if (code != BnClicked) return false;
    if (id == IdOk) {
        Guarded(id, [this] { OnOK(); });
        return true;
    }
    if (id == IdCancel) {
        Guarded(id, [this] { OnCancel(); });
        return true;
    }
    return false;
}

bool Dialog::DispatchNotify(int id, int code) {
    auto it = m_notifies.find({id, code});
    if (it == m_notifies.end()) return false;
    Guarded(id, it->second);
    return true;
}

bool Dialog::DispatchKey(int id, unsigned key) {
    auto it = m_keys.find({id, key});
    if (it == m_keys.end()) return false;
    Guarded(kKeyActivity, it->second);
    return true;
}

void Dialog::HandleDropFiles(const std::vector<std::string>& paths) {
    Guarded(kDropActivity, [&] { OnDropFiles(paths); });
}

bool Dialog::HandleSysCommand(unsigned command) {
    bool handled = false;
    Guarded(kSysCommandActivity, [&] { handled = OnSysCommand(command); });
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

void Dialog::PressKey(int id, unsigned key) {
    m_port->PressKey(id, key);
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
