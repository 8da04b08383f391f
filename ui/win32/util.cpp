#include "ui/win32/util.h"

#include "ui/dialog.h"
#include "ui/script.h"
#include "ui/win32/wide.h"
#include "ui/win32/win32_port.h"

namespace ui::win32 {

HWND WindowOf(const Dialog* dialog) {
    if (!dialog || !dialog->IsOpen()) return nullptr;
    auto* port = dynamic_cast<Win32Port*>(&dialog->Window());
    return port ? port->Handle() : nullptr;
}

std::string WindowText(HWND hwnd) {
    if (!hwnd) return {};
    int length = GetWindowTextLengthW(hwnd);
    std::wstring text(length + 1, L'\0');
    int got = GetWindowTextW(hwnd, text.data(), length + 1);
    return Narrow(text.data(), got);
}

std::string ClassName(HWND hwnd) {
    wchar_t name[256] = {};
    int got = hwnd ? GetClassNameW(hwnd, name, 256) : 0;
    return Narrow(name, got);
}

void ReportFailure(const std::string& what) {
    if (Script* script = ActiveScript())
        script->RecordError(what);
    else
        OutputDebugStringW(Widen("kelvorn: " + what + "\n").c_str());
}

}  // namespace ui::win32
