// Helpers of the Windows tests that start the stand-in editor: where it lies, its
// environment, the console a run takes, and the handles this process holds.
#pragma once

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "sys/win32/wide.h"

namespace testing_win32 {

// kelvorn.exe is built beside the test program.
inline std::string StandinPath() {
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path, length);
    return folder.substr(0, folder.find_last_of("\\/") + 1) + "kelvorn.exe";
}

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
