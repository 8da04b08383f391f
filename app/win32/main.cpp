// The program's entry: the command line after the program name, as UTF-8, to the
// application. The ui backend registers the common controls.
#include <windows.h>

#include <string>

#include "app/command_line.h"
#include "app/loader_app.h"

namespace {

std::string ToUtf8(std::wstring_view text) {
    if (text.empty()) return {};
    int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr,
                                   0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(size > 0 ? size : 0), '\0');
    if (size > 0)
        WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(),
                            size, nullptr, nullptr);
    return out;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    const wchar_t* full = GetCommandLineW();
    std::string cmdLine = ToUtf8(SkipProgramName(full ? full : L""));
    CLoaderApp app;
    app.InitInstance(cmdLine);
    return 0;
}
