#include "sys/process.h"

#include <windows.h>

#include <vector>

// Ours, not the platform's macro.
#undef SetCurrentDirectory
#include "sys/fs.h"

namespace sys {
namespace {

HANDLE H(Handle handle) {
    return reinterpret_cast<HANDLE>(handle);
}
Handle N(HANDLE handle) {
    return reinterpret_cast<Handle>(handle);
}

DWORD Clamp(std::size_t size) {
    return size > MAXDWORD ? MAXDWORD : static_cast<DWORD>(size);
}

class Win32ProcessApi : public ProcessApi {
  public:
    bool AllocConsole() override { return ::AllocConsole(); }
    bool FreeConsole() override { return ::FreeConsole(); }
    Handle GetStdOutput() override { return N(::GetStdHandle(STD_OUTPUT_HANDLE)); }
    bool SetStdOutput(Handle handle) override {
        return ::SetStdHandle(STD_OUTPUT_HANDLE, H(handle));
    }

    bool CreateInheritablePipe(Handle& readEnd, Handle& writeEnd) override {
        SECURITY_ATTRIBUTES security{};
        security.nLength = sizeof security;
        security.bInheritHandle = TRUE;
        HANDLE r = nullptr;
        HANDLE w = nullptr;
        if (!::CreatePipe(&r, &w, &security, 0)) return false;
        readEnd = N(r);
        writeEnd = N(w);
        return true;
    }

    bool DuplicateNonInheritable(Handle source, Handle& copy) override {
        HANDLE self = ::GetCurrentProcess();
        HANDLE target = nullptr;
        if (!::DuplicateHandle(self, H(source), self, &target, 0, FALSE, DUPLICATE_SAME_ACCESS)) {
            return false;
        }
        copy = N(target);
        return true;
    }

    bool CloseHandle(Handle handle) override { return ::CloseHandle(H(handle)); }

    bool CreateChild(const std::string& program, const std::string& commandLine, Handle& process,
                     Handle& thread) override {
        // CreateProcessA may write into the command line, so it gets a copy.
        std::vector<char> line(commandLine.begin(), commandLine.end());
        line.push_back('\0');
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION info{};
        if (!::CreateProcessA(program.empty() ? nullptr : program.c_str(), line.data(), nullptr,
                              nullptr, TRUE, 0, nullptr, nullptr, &startup, &info)) {
            return false;
        }
        process = N(info.hProcess);
        thread = N(info.hThread);
        return true;
    }

    bool WaitEnded(Handle process, uint32_t ms) override {
        return ::WaitForSingleObject(H(process), ms) != WAIT_TIMEOUT;
    }

    bool ExitCode(Handle process, uint32_t& code) override {
        DWORD value = 0;
        if (!::GetExitCodeProcess(H(process), &value)) return false;
        code = value;
        return true;
    }

    bool Read(Handle handle, char* buffer, std::size_t max, std::size_t& got) override {
        DWORD read = 0;
        const bool ok = ::ReadFile(H(handle), buffer, Clamp(max), &read, nullptr);
        got = read;
        return ok;
    }

    bool PeekAvailable(Handle pipe, std::size_t& available) override {
        DWORD total = 0;
        if (!::PeekNamedPipe(H(pipe), nullptr, 0, nullptr, &total, nullptr)) return false;
        available = total;
        return true;
    }

    bool OpenForReading(const std::string& path, Handle& file) override {
        HANDLE handle =
            ::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle == INVALID_HANDLE_VALUE) return false;
        file = N(handle);
        return true;
    }

    std::optional<FileStamp> Stamp(const std::string& path) override { return StampOf(path); }
};

}  // namespace

ProcessApi& SystemProcessApi() {
    static Win32ProcessApi api;
    return api;
}

}  // namespace sys
