// The dialog base class: a thin object over one modal window made from a dialog template.
// The object outlives its window; each DoModal creates the window anew.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "ui/types.h"
#include "ui/window_port.h"

namespace ui {

class DataExchange;

class Dialog {
  public:
    explicit Dialog(int templateId, Dialog* owner = nullptr);
    virtual ~Dialog();
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;

    int TemplateId() const { return m_templateId; }
    Dialog* Owner() const { return m_owner; }
    void SetOwner(Dialog* owner) { m_owner = owner; }

    // Shows the dialog modally; returns the code given to EndDialog, -1 when the window
    // could not be created.
    intptr_t DoModal();
    void EndDialog(int code);
    bool IsOpen() const { return m_port != nullptr; }
    bool IsEnding() const { return m_ending; }

    // Moves values between controls and members. Saving fails (and returns false) when a
    // control holds text that does not convert; the prompt has then been shown. Text
    // changes made while loading raise no change notification.
    bool UpdateData(bool saveAndValidate = true);

    // The live window; only valid between window creation and its destruction.
    WindowPort& Window() const { return *m_port; }

    // ---- entry points the backends call ------------------------------------------
    // Each returns normally; handlers never let an exception escape into the platform.
    bool HandleInit();
    bool DispatchCommand(int id, int code);
    bool DispatchNotify(int id, int code);
    bool DispatchKey(int id, unsigned key);  // false: the control's own handling
    void HandleDropFiles(const std::vector<std::string>& paths);
    bool HandleSysCommand(unsigned command);
    void AttachPort(WindowPort* port) { m_port = port; }
    void DetachPort() { m_port = nullptr; }
    int EndCode() const { return m_endCode; }

    // ---- driving a live dialog: tests and scripted runs use these -------------------
    void ClickButton(int id) { DispatchCommand(id, BnClicked); }
    void ChooseMenu(int command);  // as the menu bar would; ignored when grayed
    void TypeText(int id, const std::string& text) { m_port->SetItemText(id, text); }
    void DoubleClickList(int id, int item);                 // item -1: empty space below the rows
    void DropFiles(const std::vector<std::string>& paths);  // ignored when not accepting
    void PressKey(int id, unsigned key);                    // ui::VkDelete, ui::KeyCtrl + 'A', ...
    void PressEnter();   // the default push button's command, IdOk
    void PressEscape();  // IdCancel

  protected:
    virtual bool OnInitDialog() { return true; }
    virtual void DoDataExchange(DataExchange&) {}
    virtual void OnOK();      // UpdateData(true), then EndDialog(IdOk) when it succeeded
    virtual void OnCancel();  // EndDialog(IdCancel)
    virtual void OnDropFiles(const std::vector<std::string>&) {}
    virtual bool OnSysCommand(unsigned) { return false; }  // false: default handling

    // Message map. Handlers are members of the derived class.
    template <class D>
    void MapCommand(int id, void (D::*handler)(), int code = BnClicked) {
        m_commands[{id, code}] = [this, handler] { (static_cast<D*>(this)->*handler)(); };
    }
    template <class D>
    void MapEditChange(int id, void (D::*handler)()) {
        MapCommand(id, handler, EnChange);
    }
    template <class D>
    void MapNotify(int id, int code, void (D::*handler)()) {
        m_notifies[{id, code}] = [this, handler] { (static_cast<D*>(this)->*handler)(); };
    }

    // A key pressed while control `id` has the focus: the keyboard's road to a command.
    template <class D>
    void MapKey(int id, unsigned key, void (D::*handler)()) {
        m_keys[{id, key}] = [this, handler] { (static_cast<D*>(this)->*handler)(); };
    }

    // A message box owned by this dialog.
    int MessageBox(const std::string& text, const std::string& caption, unsigned flags);

  private:
    // What a handler is doing, for a failure message: a command id, or one of these.
    enum Activity : int {
        kNoActivity = 0,
        kInitActivity = -1,
        kDropActivity = -2,
        kSysCommandActivity = -3,
        kKeyActivity = -4
    };

    // Runs a handler. What escapes it is told to the user in one box, and the window goes
    // on: a half-done command is better than a vanished one.
    void Guarded(int activity, const std::function<void()>& handler);
    // One error box naming what failed: the running command, or the window's setup.
    void ReportFailure(const std::string& why);
    std::string ActivityName() const;

    int m_templateId;
    Dialog* m_owner;
    WindowPort* m_port = nullptr;
    int m_endCode = 0;
    bool m_ending = false;
    bool m_loading = false;  // inside UpdateData(false)
    int m_activity = kNoActivity;
    std::map<std::pair<int, int>, std::function<void()>> m_commands;
    std::map<std::pair<int, int>, std::function<void()>> m_notifies;
    std::map<std::pair<int, unsigned>, std::function<void()>> m_keys;
};

}  // namespace ui
