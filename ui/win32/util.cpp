#include "ui/win32/util.h"

#include <cstdlib>

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

unsigned ScriptDelayMs() {
    const char* text = std::getenv("KELVORN_SCRIPT_DELAY_MS");
    if (!text || !*text) return 0;
    char* end = nullptr;
    unsigned long value = std::strtoul(text, &end, 10);
    if (*end != '\0' || value > 600000) return 0;
    return static_cast<unsigned>(value);
}

void ReportFailure(const std::string& what) {
    if (Script* script = ActiveScript())
        script->RecordError(what);
    else
        OutputDebugStringW(Widen("kelvorn: " + what + "\n").c_str());
}

}  // namespace ui::win32
