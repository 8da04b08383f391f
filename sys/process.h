// The operating-system calls of a captured editor run: a console, an inheritable pipe
// standing in for standard output while the child starts, the child process, and the
// reads of its output and of the file it leaves. Abstract, so that the runner's logic can
// be tested against a scripted fake; SystemProcessApi() is the real one on Windows.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "sys/file_stamp.h"

namespace sys {

// A Win32 HANDLE as a number; 0 is no handle.
using Handle = uintptr_t;

// Each call maps to one Win32 call and reports its success; nothing is closed behind the
// caller's back. Strings are bytes in the system's ANSI code page.
//
// Reading a child's output without losing bytes and without hanging: while the child runs,
// read when PeekAvailable reports bytes and otherwise WaitEnded for a short while; once it
// has ended, read what PeekAvailable still reports, then stop. A blocking Read after the
// child ended can wait for ever, since a process the child started may hold the write end.
class ProcessApi {
  public:
    virtual ~ProcessApi() = default;

    virtual bool AllocConsole() = 0;
    virtual bool FreeConsole() = 0;
    // The standard output handle as it is now (may be 0 for a program without one).
    virtual Handle GetStdOutput() = 0;
    virtual bool SetStdOutput(Handle handle) = 0;

    // An anonymous pipe whose both ends are inheritable, default buffer size.
    virtual bool CreateInheritablePipe(Handle& readEnd, Handle& writeEnd) = 0;
    // A copy of `source` in this process that children do not inherit, same access.
    virtual bool DuplicateNonInheritable(Handle source, Handle& copy) = 0;
    virtual bool CloseHandle(Handle handle) = 0;

    // Starts `commandLine` as a child that inherits the inheritable handles, the standard
    // handles, the console, the environment and the current directory. `program` is the
    // program file to start; empty lets the system find the first item of `commandLine`
    // (on Windows, the loader's own folder first). The caller closes `process` and `thread`.
    virtual bool CreateChild(const std::string& program, const std::string& commandLine,
                             Handle& process, Handle& thread) = 0;
    // Waits up to `ms` for the process to end. True when it has ended, and also when it
    // cannot be waited for (a bad handle), so that no loop waits for ever on it.
    virtual bool WaitEnded(Handle process, uint32_t ms) = 0;
    bool HasEnded(Handle process) { return WaitEnded(process, 0); }
    virtual bool ExitCode(Handle process, uint32_t& code) = 0;

    // Reads up to `max` bytes; blocks until at least one byte is there, the writer is gone
    // (false for a pipe) or the end of a file is reached (true with `got` 0).
    virtual bool Read(Handle handle, char* buffer, std::size_t max, std::size_t& got) = 0;
    // Bytes that a Read on the pipe would return now without waiting. False when the pipe
    // is broken (every writer gone and nothing left) or the handle is no pipe.
    virtual bool PeekAvailable(Handle pipe, std::size_t& available) = 0;
    // Opens an existing file for reading, others may go on reading and writing it.
    virtual bool OpenForReading(const std::string& path, Handle& file) = 0;
    // The stamp of the file at `path` now; nullopt when there is none.
    virtual std::optional<FileStamp> Stamp(const std::string& path) = 0;
};

// The Win32 calls on Windows. Elsewhere every call fails (GetStdOutput gives 0): there is
// no console or child to capture, and native tests use a fake.
ProcessApi& SystemProcessApi();

}  // namespace sys
