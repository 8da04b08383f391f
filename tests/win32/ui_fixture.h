// Helpers for the win32 backend's tests: a dialog that records what its window procedure
// delivered, a way to run test code inside a live dialog, and a scratch folder.
#pragma once

#include <windows.h>
// Our functions of these names, not the platform's macros.
#undef MessageBox
#undef SetCurrentDirectory

#include <gtest/gtest.h>

#include <filesystem>
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
        MapEditChange(IDC_RESIZE_X, &Probe::OnResizeXChange);
        MapEditChange(IDC_FILE_NAME, &Probe::OnFileNameChange);
        MapNotify(IDC_FILE_LIST, ui::NmDblClk, &Probe::OnListDoubleClick);
        MapCommand(IDC_CONFIGURE_DT1, &Probe::OnConfigure);
    }

    std::function<void(Probe&)> onInit;       // runs in OnInitDialog
    std::function<void(Probe&)> onConfigure;  // button 1032 clicked
    int resizeXChanges = 0;
    int fileNameChanges = 0;
    std::vector<int> doubleClickRows;  // the row under the cursor at each double click
    std::vector<std::vector<std::string>> drops;
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
    void OnDropFiles(const std::vector<std::string>& paths) override { drops.push_back(paths); }
    // The About item of the system menu is ours; everything else gets the default.
    bool OnSysCommand(unsigned command) override {
        sysCommands.push_back(command);
        return (command & 0xFFF0) == IDM_ABOUTBOX;
    }

  private:
    void OnResizeXChange() { ++resizeXChanges; }
    void OnFileNameChange() { ++fileNameChanges; }
    void OnListDoubleClick() { doubleClickRows.push_back(Window().LvHitTestCursor(IDC_FILE_LIST)); }
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

// A fresh folder under the temporary folder, named with letters beyond ASCII that the
// code page (1252 in the tests) holds; removed with everything in it at the end.
class TempFolder {
  public:
    TempFolder() {
        wchar_t base[MAX_PATH + 1] = {};
        GetTempPathW(MAX_PATH + 1, base);
        static int serial = 0;
        std::wstring name = L"kelvorn \u00e9\u20ac " + std::to_wstring(GetCurrentProcessId()) +
                            L"-" + std::to_wstring(++serial);
        m_path = std::filesystem::path(base) / name;
        std::filesystem::create_directories(m_path);
    }
    ~TempFolder() {
        std::error_code ec;
        std::filesystem::remove_all(m_path, ec);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // Path of the folder, or of `name` inside it, in the code page.
    std::string Path(const std::string& name = "") const {
        std::string folder = ui::win32::NarrowExact(m_path.wstring()).value_or("(no code page)");
        return name.empty() ? folder : folder + "\\" + name;
    }
    std::filesystem::path Native(const std::string& name) const {
        return m_path / ui::win32::Widen(name);
    }

  private:
    std::filesystem::path m_path;
};

}  // namespace kelvorn_test
