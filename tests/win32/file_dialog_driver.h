// Drives the real common file dialogs in process, through a CBT hook: a full path (or a
// folder's quoted names) typed into the file-name box and OK pressed, as a user would.
#pragma once

#include <windows.h>
// Needs windows.h before it.
#include <dlgs.h>

#include <string>
#include <vector>

#include "tests/win32/ui_fixture.h"
#include "ui/win32/util.h"

namespace kelvorn_test {

constexpr UINT_PTR kDriveTimer = 71;
constexpr UINT_PTR kWatchdogTimer = 72;

// What to type into the dialog's file-name box before pressing OK; with nothing to type,
// the dialog is cancelled. Prompts of the dialog's own are noted and agreed to.
struct DialogDriver {
    explicit DialogDriver(std::wstring entry) : entry(std::move(entry)) { t_driver = this; }
    ~DialogDriver() { t_driver = nullptr; }
    static inline thread_local DialogDriver* t_driver = nullptr;

    std::wstring entry;
    HWND dialog = nullptr;
    HWND owner = nullptr;               // of the dialog, while it was up
    std::vector<std::wstring> prompts;  // texts of message boxes raised meanwhile
    ActivationHook hook{[this](HWND window) {
        if (ui::win32::ClassName(window) != "#32770") return;
        if (!dialog) {
            dialog = window;
            owner = GetWindow(window, GW_OWNER);
            SetTimer(window, kDriveTimer, 150, Step);
        } else if (window != dialog && GetDlgItem(window, 0xFFFF)) {
            wchar_t text[4096] = {};
            GetWindowTextW(GetDlgItem(window, 0xFFFF), text, 4096);
            prompts.push_back(text);
            Press(window, GetDlgItem(window, IDYES) ? IDYES : IDOK);
        }
    }};

    static void Press(HWND window, int id) {
        PostMessageW(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(window, id)));
    }
    static void CALLBACK Step(HWND window, UINT, UINT_PTR id, DWORD) {
        KillTimer(window, id);
        DialogDriver* self = t_driver;
        if (!self || self->entry.empty()) {
            Press(window, IDCANCEL);  // nothing (left) to type, or the watchdog
            return;
        }
        HWND name = GetDlgItem(window, cmb13);
        SetWindowTextW(name ? name : GetDlgItem(window, edt1), self->entry.c_str());
        self->entry.clear();
        Press(window, IDOK);
        SetTimer(window, kWatchdogTimer, 10000, Step);  // never wait for ever
    }
};

}  // namespace kelvorn_test
