// The program's entry: the command line after the program name, in the system code page,
// to the application. A map path the code page cannot hold is refused here, where it is
// still known as it was given. The ui backend registers the common controls. DLLs come
// from the system folder only.
#include <windows.h>

#include <string>
#include <vector>

#include "app/command_line.h"
#include "app/loader_app.h"
#include "sys/win32/dll_search.h"
#include "sys/win32/wide.h"
#include "ui/win32/unusable_paths.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    // Before anything loads a DLL late: the program makes other folders current.
    sys::win32::LoadDllsOnlyFromSystem();
    const wchar_t* full = GetCommandLineW();
    std::vector<std::wstring> unusable;
    std::string cmdLine =
        sys::win32::NarrowQuotedPaths(SkipProgramName(full ? full : L""), unusable);
    // Only the texts the application would have taken are named: the others it ignores.
    std::vector<std::wstring> refused;
    for (const std::wstring& text : unusable) {
        CommandLinePaths taken = ParseCommandLinePaths('"' + sys::win32::Narrow(text) + '"', 1);
        if (!taken.paths.empty() || taken.tooLong > 0) refused.push_back(text);
    }
    CLoaderApp app;
    ui::win32::RefuseUnusablePaths(nullptr, refused);
    app.InitInstance(cmdLine);
    return 0;
}
