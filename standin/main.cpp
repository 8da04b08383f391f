// The stand-in editor: accepts the map editor's command lines, reports on standard output
// what it received, leaves stderr.txt in its current directory and exits with a chosen code.
// See standin/README.md.
#include <windows.h>
//
#include <shellapi.h>

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "config.h"
#include "shape.h"

namespace {

// Text in the system code page, as the real editor, an ANSI console program, has it: its
// arguments, its map list, the paths it opens and the report it writes.
std::string Narrow(const std::wstring& text) {
    if (text.empty()) return {};
    const int size = WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string out(size, '\0');
    WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), out.data(), size,
                        nullptr, nullptr);
    return out;
}

std::wstring Wide(const std::string& text) {
    if (text.empty()) return {};
    const int size =
        MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring out(size, L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), out.data(), size);
    return out;
}

// Arguments as a C program sees them.
std::vector<std::string> Arguments() {
    int count = 0;
    wchar_t** list = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> args;
    for (int i = 0; list && i < count; ++i) args.push_back(Narrow(list[i]));
    LocalFree(list);
    return args;
}

std::wstring ProgramPath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), path.size());
        if (length < path.size()) return path.substr(0, length);
        path.resize(path.size() * 2);
    }
}

std::string CurrentDirectory() {
    const DWORD size = GetCurrentDirectoryW(0, nullptr);
    std::wstring path(size, L'\0');
    const DWORD length = GetCurrentDirectoryW(size, path.data());
    return Narrow(path.substr(0, length));
}

std::optional<std::string> ReadWholeFile(const std::string& path) {
    FILE* file = _wfopen(Wide(path).c_str(), L"rb");
    if (!file) return std::nullopt;
    std::string bytes;
    char buffer[4096];
    std::size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) bytes.append(buffer, got);
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (failed) return std::nullopt;
    return bytes;
}

bool Exists(const std::string& path) {
    return GetFileAttributesW(Wide(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::optional<std::string> Environment(const std::string& name) {
    const std::wstring wide = Wide(name);
    const DWORD size = GetEnvironmentVariableW(wide.c_str(), nullptr, 0);
    if (size == 0) return std::nullopt;
    std::wstring value(size, L'\0');
    const DWORD length = GetEnvironmentVariableW(wide.c_str(), value.data(), size);
    return Narrow(value.substr(0, length));
}

// Standard output through WriteFile, so the bytes arrive exactly as given.
class Output {
  public:
    Output() : m_handle(GetStdHandle(STD_OUTPUT_HANDLE)) {}
    void Line(const std::string& text) { Write(text + "\r\n"); }
    void Write(const std::string& bytes) { Write(bytes.data(), bytes.size()); }
    void Write(const char* data, std::size_t size) {
        while (size > 0 && m_ok) {
            DWORD written = 0;
            const DWORD chunk = size > (1u << 30) ? (1u << 30) : static_cast<DWORD>(size);
            m_ok = ::WriteFile(m_handle, data, chunk, &written, nullptr) && written > 0;
            data += written;
            size -= written;
        }
    }
    bool Ok() const { return m_ok; }

  private:
    HANDLE m_handle;
    bool m_ok = m_handle != nullptr && m_handle != INVALID_HANDLE_VALUE;
};

// Filler lines of 64 bytes, the same pattern every time, written a megabyte at a time.
void WriteFiller(Output& out, uint64_t bytes) {
    const std::string line = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789\r\n";
    std::string chunk;
    chunk.reserve(1 << 20);
    while (chunk.size() < (1 << 20)) chunk += line;
    while (bytes > 0 && out.Ok()) {
        const std::size_t size =
            bytes < chunk.size() ? static_cast<std::size_t>(bytes) : chunk.size();
        out.Write(chunk.data(), size);
        bytes -= size;
    }
}

// A copy of this program that inherits our handles, standard output included, and holds
// them for `ms` after we are gone. Returns its process id, 0 when it did not start.
DWORD StartLingeringChild(uint32_t ms) {
    const std::wstring program = ProgramPath();
    std::wstring commandLine = L"\"" + program + L"\" --linger " + std::to_wstring(ms);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr,
                        nullptr, &startup, &process)) {
        return 0;
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return process.dwProcessId;
}

// Sends `event` to every process of our console, as the user does with Ctrl+C, Ctrl+Break
// or the window's close button. A process that keeps the default handling ends on it; we
// say so and go on if we are still here a while later, or at once when the system could
// not send it.
void EndConsoleGroup(Output& out, const std::string& event) {
    out.Line("console event: " + event);
    bool sent = false;
    if (event == "close") {
        const HWND console = GetConsoleWindow();
        sent = console && PostMessageW(console, WM_CLOSE, 0, 0);
    } else {
        sent = GenerateConsoleCtrlEvent(event == "ctrl_c" ? CTRL_C_EVENT : CTRL_BREAK_EVENT, 0);
    }
    if (!sent) {
        out.Line("console event: not sent (error " + std::to_string(GetLastError()) + ")");
        return;
    }
    Sleep(20000);
    out.Line("console event: still running");
}

standin::Config LoadConfig(const std::wstring& folder, std::string& rejected) {
    standin::Config config;
    if (const auto text = ReadWholeFile(Narrow(folder) + "kelvorn_standin.cfg")) {
        rejected += standin::ApplyFileText(config, *text);
    }
    for (const std::string key : standin::kKeys) {
        std::string name = "KELVORN_STANDIN_";
        for (const char c : key) name += static_cast<char>(c >= 'a' && c <= 'z' ? c - 32 : c);
        const auto value = Environment(name);
        if (value && !standin::ApplySetting(config, key, *value)) {
            rejected += name + "=" + *value + "\n";
        }
    }
    return config;
}

}  // namespace

int main() {
    const std::vector<std::string> args = Arguments();
    if (args.size() == 3 && args[1] == "--linger") {
        Sleep(std::strtoul(args[2].c_str(), nullptr, 10));
        return 0;
    }

    const std::wstring program = ProgramPath();
    std::string rejected;
    const standin::Config config =
        LoadConfig(program.substr(0, program.find_last_of(L"\\/") + 1), rejected);

    Output out;
    out.Line("kelvorn stand-in editor");
    out.Line("command line: " + Narrow(GetCommandLineW()));
    for (std::size_t i = 0; i < args.size(); ++i) {
        out.Line("argument " + std::to_string(i) + ": " + args[i]);
    }
    out.Line("current directory: " + CurrentDirectory());
    for (std::size_t start = 0; start < rejected.size();) {
        const auto end = rejected.find('\n', start);
        out.Line("ignored setting: " + rejected.substr(start, end - start));
        start = end + 1;
    }

    const standin::FileAccess files{ReadWholeFile, Exists};
    const standin::ShapeReport report = standin::RecogniseShape(
        std::vector<std::string>(args.begin() + (args.empty() ? 0 : 1), args.end()), files);
    out.Line("shape: " +
             (report.problem.empty() ? report.shape : "not recognised: " + report.problem));
    for (const std::string& line : report.lines) out.Line(line);
    out.Write(config.print);
    WriteFiller(out, config.extraBytes);

    if (config.writeStderr) {
        const std::string text = config.stderrText.value_or(
            "stand-in editor: " + (report.problem.empty() ? "no errors" : report.problem) + "\r\n");
        if (FILE* file = _wfopen(L"stderr.txt", L"wb")) {
            std::fwrite(text.data(), 1, text.size(), file);
            std::fclose(file);
        }
    }
    if (config.lingerMs > 0) {
        out.Line("grandchild: " + std::to_string(StartLingeringChild(config.lingerMs)));
    }
    Sleep(config.sleepMs);
    if (!config.consoleEvent.empty()) EndConsoleGroup(out, config.consoleEvent);
    return config.exitCode.value_or(report.problem.empty() ? 0 : 1);
}
