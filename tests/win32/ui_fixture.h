// Helpers for the win32 backend's tests: a dialog that records what its window procedure
// delivered, a way to run test code inside a live dialog, and a hook on activations.
#pragma once

#include <windows.h>
// Our functions of these names, not the platform's macros.
#undef MessageBox
#undef SetCurrentDirectory

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "res/resource.h"
#include "ui/dialog.h"
#include "ui/script.h"
#include "ui/win32/wide.h"
#include "ui/win32/win32_port.h"

namespace kelvorn_test {

class Probe : public ui::Dialog {
  public:
    explicit Probe(int templateId, Dialog* owner = nullptr) : Dialog(templateId, owner) {
        MapEditChange(IDC_FILE_NAME, &Probe::OnFileNameChange);
        MapCommand(IDC_CONFIGURE_DT1, &Probe::OnConfigure);
    }

    std::function<void(Probe&)> onInit;       // runs in OnInitDialog
    std::function<void(Probe&)> onConfigure;  // button 1032 clicked
    int fileNameChanges = 0;
    std::vector<unsigned> sysCommands;

    int Show(Dialog* owner = nullptr) {
        SetOwner(owner);
        return static_cast<int>(DoModal());
    }
    int Box(const std::string& text, const std::string& caption, unsigned flags) {
        return MessageBox(text, caption, flags);
    }

  protected:
    bool OnInitDialog() override {
        if (onInit) onInit(*this);
        return true;
    }
    // The About item of the system menu is ours; everything else gets the default.
    bool OnSysCommand(unsigned command) override {
        sysCommands.push_back(command);
        return (command & 0xFFF0) == IDM_ABOUTBOX;
    }

  private:
    void OnFileNameChange() { ++fileNameChanges; }
    void OnConfigure() {
        if (onConfigure) onConfigure(*this);
    }
};

inline HWND Hwnd(const ui::Dialog& d) {
    return static_cast<ui::win32::Win32Port&>(d.Window()).Handle();
}

// Runs `body` inside the live dialog, once its window is up, then ends it with IdOk unless
// the body ended it. Returns the dialog's end code.
inline int RunInside(Probe& dialog, const std::function<void()>& body) {
    ui::Script script;
    script.OnDialog(dialog.TemplateId(), [&](ui::Dialog&) {
        body();
        if (!dialog.IsEnding()) dialog.EndDialog(ui::IdOk);
    });
    int code = dialog.Show();
    for (const std::string& e : script.Errors()) ADD_FAILURE() << e;
    EXPECT_TRUE(script.Finished());
    return code;
}

// Calls `onActivate` with each window about to be activated on this thread while it lives.
class ActivationHook {
  public:
    explicit ActivationHook(std::function<void(HWND)> onActivate) : m_onActivate(onActivate) {
        t_current = this;
        m_hook = SetWindowsHookExW(WH_CBT, &Proc, nullptr, GetCurrentThreadId());
    }
    ~ActivationHook() {
        UnhookWindowsHookEx(m_hook);
        t_current = nullptr;
    }

  private:
    static LRESULT CALLBACK Proc(int code, WPARAM wParam, LPARAM lParam) {
        if (code == HCBT_ACTIVATE && t_current)
            t_current->m_onActivate(reinterpret_cast<HWND>(wParam));
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }
    static inline thread_local ActivationHook* t_current = nullptr;
    std::function<void(HWND)> m_onActivate;
    HHOOK m_hook;
};

}  // namespace kelvorn_test
