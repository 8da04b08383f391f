// Helpers of the Windows tests that start the stand-in editor: where it lies, and a capture
// of a child's standard output made of sys::ProcessApi calls the way the runner makes it.
#pragma once

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "sys/process.h"
#include "sys/win32/wide.h"

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
        std::error_code ec;
        std::filesystem::remove_all(m_path, ec);
    }
    const std::string& Path() const { return m_path; }  // ends with a backslash

  private:
    std::string m_path;
};

// Makes `folder` current for the scope.
class CurrentDirectoryScope {
  public:
    explicit CurrentDirectoryScope(const std::string& folder)
        : m_old(std::filesystem::current_path()) {
        SetCurrentDirectoryA(folder.c_str());
    }
    ~CurrentDirectoryScope() { std::filesystem::current_path(m_old); }

  private:
    std::filesystem::path m_old;
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

// Whole files by path in the code page.
inline bool WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(std::filesystem::path(sys::win32::Widen(path)), std::ios::binary);
    return static_cast<bool>(out << bytes);
}

inline std::optional<std::string> ReadBytes(const std::string& path) {
    std::ifstream in(std::filesystem::path(sys::win32::Widen(path)), std::ios::binary);
    if (!in) return std::nullopt;
    return std::string(std::istreambuf_iterator<char>(in), {});
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

// Handles this process holds, from the system's handle list (GetProcessHandleCount gives 0
// under Wine).
inline long HandleCount() {
    struct Entry {
        void* object;
        ULONG_PTR processId, handle;
        ULONG access;
        USHORT creatorBackTrace, objectType;
        ULONG attributes, reserved;
    };
    struct List {
        ULONG_PTR count, reserved;
        Entry entries[1];
    };
    using Query = LONG(WINAPI*)(int, void*, ULONG, ULONG*);
    const auto query = reinterpret_cast<Query>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQuerySystemInformation")));
    std::vector<char> buffer(1 << 16);
    ULONG length = 0;
    LONG status;
    while ((status = query(64, buffer.data(), static_cast<ULONG>(buffer.size()), &length)) ==
           static_cast<LONG>(0xC0000004))  // extended handle list; the buffer was too small
        buffer.resize(buffer.size() * 2);
    if (status != 0) return -1;
    const auto* list = reinterpret_cast<const List*>(buffer.data());
    long count = 0;
    for (ULONG_PTR i = 0; i < list->count; ++i)
        count += list->entries[i].processId == GetCurrentProcessId();
    return count;
}

// Wine's own AllocConsole and FreeConsole leave handles behind per pair: what `runs` pairs
// keep, measured alone, is all that as many runs may keep.
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
