// Small helpers shared by the win32 backend's files.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace ui {
class Dialog;
}

namespace ui::win32 {

// The HWND of a dialog's live window, or null when it has none.
HWND WindowOf(const Dialog* dialog);

// Text of any window, in the code page as the system's ANSI calls give it; "" for a
// null handle.
std::string WindowText(HWND hwnd);

// Class name of a window.
std::string ClassName(HWND hwnd);

// A message box with wide texts, owned by `owner` (may be null). With `answer` (a test
// script's), a CBT hook gives it once the real box is up.
int ShowBox(HWND owner, const std::wstring& text, const std::wstring& caption, unsigned flags,
            std::optional<int> answer);

// Something went wrong inside a callback of the window system, where nothing may be
// thrown: the active test script records it, otherwise it goes to the debugger.
void ReportFailure(const std::string& what);

}  // namespace ui::win32
