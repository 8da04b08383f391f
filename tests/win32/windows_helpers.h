// What the Windows-only tests and the runs benchmark share.
#pragma once

#include <windows.h>
// Our functions of these names, not the platform's macros.
#undef MessageBox
#undef SetCurrentDirectory

#include <string>

namespace testing_win32 {

// kelvorn.exe (the stand-in editor) and kelvorn_loader.exe are built beside the tests.
inline std::string BuiltProgram(const std::string& name) {
    char path[MAX_PATH];
    const std::string self(path, GetModuleFileNameA(nullptr, path, MAX_PATH));
    return self.substr(0, self.find_last_of("\\/") + 1) + name;
}

// A window's text in wide form, asked of the window itself, in this process or another.
inline std::wstring Text(HWND window) {
    std::wstring text(1 << 16, L'\0');
    DWORD_PTR got = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                        SMTO_ABORTIFHUNG, 5000, &got);
    text.resize(got);
    return text;
}

// No console, as from the desktop; the standard handles a run replaces put back after.
class ConsoleScope {
  public:
    ConsoleScope() { FreeConsole(); }
    ~ConsoleScope() {
        for (int i = 0; i < 3; ++i) SetStdHandle(kIds[i], m_saved[i]);
    }

  private:
    static constexpr DWORD kIds[] = {STD_INPUT_HANDLE, STD_OUTPUT_HANDLE, STD_ERROR_HANDLE};
    HANDLE m_saved[3] = {GetStdHandle(kIds[0]), GetStdHandle(kIds[1]), GetStdHandle(kIds[2])};
};

// Handles held (GetProcessHandleCount gives 0 under Wine): each multiple of 4 answering.
inline long HandleCount() {
    long count = 0;
    DWORD flags = 0;
    for (ULONG_PTR value = 4; value < (1 << 16); value += 4)
        count += GetHandleInformation(reinterpret_cast<HANDLE>(value), &flags) != 0;
    return count;
}

// What `runs` pairs of Wine's AllocConsole and FreeConsole keep: all that runs may keep.
inline long ConsoleHandlesKept(int runs) {
    ConsoleScope scope;
    AllocConsole();
    FreeConsole();
    const long start = HandleCount();
    for (int run = 0; run < runs; ++run) {
        AllocConsole();
        FreeConsole();
    }
    return HandleCount() - start;
}

}  // namespace testing_win32
