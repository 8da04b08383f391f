// Helpers of the Windows tests that start the stand-in editor: where it lies, and a capture
// of a child's standard output made of sys::ProcessApi calls the way the runner makes it.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "sys/process.h"

namespace testing_win32 {

// kelvorn.exe is built beside the test program.
inline std::string StandinPath() {
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path, length);
    return folder.substr(0, folder.find_last_of("\\/") + 1) + "kelvorn.exe";
}

// A fresh folder under the temporary folder, removed with what it holds.
class TempFolder {
  public:
    TempFolder() {
        static int count = 0;
        char base[MAX_PATH];
        GetTempPathA(MAX_PATH, base);
        m_path = std::string(base) + "kelvorn_test_" + std::to_string(GetCurrentProcessId()) + "_" +
                 std::to_string(++count) + "\\";
        CreateDirectoryA(m_path.c_str(), nullptr);
    }
    ~TempFolder() {
        std::string pattern = m_path + "*";
        WIN32_FIND_DATAA found;
        HANDLE search = FindFirstFileA(pattern.c_str(), &found);
        if (search != INVALID_HANDLE_VALUE) {
            do {
                DeleteFileA((m_path + found.cFileName).c_str());
            } while (FindNextFileA(search, &found));
            FindClose(search);
        }
        RemoveDirectoryA(m_path.c_str());
    }
    const std::string& Path() const { return m_path; }  // ends with a backslash

  private:
    std::string m_path;
};

// Makes `folder` current for the scope.
class CurrentDirectoryScope {
  public:
    explicit CurrentDirectoryScope(const std::string& folder) {
        char old[MAX_PATH];
        m_old.assign(old, GetCurrentDirectoryA(MAX_PATH, old));
        SetCurrentDirectoryA(folder.c_str());
    }
    ~CurrentDirectoryScope() { SetCurrentDirectoryA(m_old.c_str()); }

  private:
    std::string m_old;
};

// Sets an environment variable, inherited by children, for the scope.
class EnvironmentScope {
  public:
    EnvironmentScope(const std::string& name, const std::string& value) : m_name(name) {
        SetEnvironmentVariableA(name.c_str(), value.c_str());
    }
    ~EnvironmentScope() { SetEnvironmentVariableA(m_name.c_str(), nullptr); }

  private:
    std::string m_name;
};

inline bool WriteBytes(const std::string& path, const std::string& bytes) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const bool ok =
        WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
        written == bytes.size();
    CloseHandle(file);
    return ok;
}

inline std::optional<std::string> ReadBytes(const std::string& path) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return std::nullopt;
    std::string bytes;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0) {
        bytes.append(buffer, got);
    }
    CloseHandle(file);
    return bytes;
}

// Puts back the standard handles that a console allocation replaces, and leaves the test
// process without a console of its own, so that a run can allocate one.
class ConsoleScope {
  public:
    ConsoleScope()
        : m_in(GetStdHandle(STD_INPUT_HANDLE)),
          m_out(GetStdHandle(STD_OUTPUT_HANDLE)),
          m_err(GetStdHandle(STD_ERROR_HANDLE)) {
        FreeConsole();
    }
    ~ConsoleScope() {
        SetStdHandle(STD_INPUT_HANDLE, m_in);
        SetStdHandle(STD_OUTPUT_HANDLE, m_out);
        SetStdHandle(STD_ERROR_HANDLE, m_err);
    }

  private:
    HANDLE m_in, m_out, m_err;
};

struct Capture {
    bool started = false;
    std::string output;
    uint32_t exitCode = 0;
    int failedCalls = 0;  // primitives that reported failure besides the expected ones
};

// Standard output switched to the pipe only around CreateChild; the parent's write end
// closed before reading; reads only of what PeekAvailable reports, so that a process the
// child left behind holding the pipe cannot keep us waiting.
// Like the program, the run allocates a console that the child shares and frees it at the
// end: a console program started by a process without one would get a console of its own,
// and its standard output with it.
inline Capture CaptureChild(const std::string& commandLine) {
    sys::ProcessApi& api = sys::SystemProcessApi();
    ConsoleScope scope;
    Capture capture;
    auto check = [&capture](bool ok) {
        if (!ok) ++capture.failedCalls;
        return ok;
    };
    if (!check(api.AllocConsole())) return capture;
    const sys::Handle saved = api.GetStdOutput();
    sys::Handle readEnd = 0, writeEnd = 0, reader = 0;
    if (!check(api.CreateInheritablePipe(readEnd, writeEnd))) {
        api.FreeConsole();
        return capture;
    }
    check(api.DuplicateNonInheritable(readEnd, reader));
    check(api.CloseHandle(readEnd));
    check(api.SetStdOutput(writeEnd));
    sys::Handle process = 0, thread = 0;
    capture.started = api.CreateChild(commandLine, process, thread);
    check(api.SetStdOutput(saved));
    check(api.CloseHandle(writeEnd));
    if (capture.started) {
        char buffer[4096];
        bool ended = false;
        for (;;) {
            const bool endedBeforePeek = ended;
            std::size_t available = 0;
            if (!api.PeekAvailable(reader, available)) break;  // every writer gone
            if (available > 0) {
                std::size_t got = 0;
                const std::size_t want = available < sizeof buffer ? available : sizeof buffer;
                if (!check(api.Read(reader, buffer, want, got))) break;
                capture.output.append(buffer, got);
            } else if (endedBeforePeek) {
                break;  // the child is gone and all it wrote has been read
            } else {
                ended = api.WaitEnded(process, 5);
            }
        }
        check(api.WaitEnded(process, INFINITE));
        check(api.ExitCode(process, capture.exitCode));
        check(api.CloseHandle(process));
        check(api.CloseHandle(thread));
    }
    check(api.CloseHandle(reader));
    check(api.FreeConsole());
    return capture;
}

}  // namespace testing_win32
