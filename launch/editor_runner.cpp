#include "launch/editor_runner.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

using sys::Handle;

constexpr uint32_t kWaitForever = 0xFFFFFFFF;
// Each read is a round trip to the system (under Wine, to its server), and the pipe hands
// over at once whatever it holds: ask for much.
constexpr std::size_t kPipeReadSize = 1 << 20;

// Pauses between polls while the editor runs but the pipe is empty: none at first, so a
// steady stream is taken as fast as it comes, then longer ones for an editor that sits
// idle while its user works in it.
class IdleBackoff {
  public:
    void Reset() { m_idlePolls = 0; }
    uint32_t NextWaitMs() {
        ++m_idlePolls;
        if (m_idlePolls <= kSpinPolls) return 0;
        if (m_idlePolls <= kSpinPolls + kShortPolls) return 1;
        return 10;
    }

  private:
    static constexpr unsigned kSpinPolls = 64;
    static constexpr unsigned kShortPolls = 100;
    unsigned m_idlePolls = 0;
};

// The pipe's reading end. A read is only ever made of bytes the pipe holds at that moment,
// so none blocks: once the editor is gone, a process it started may keep the pipe open as
// long as it likes.
class PipeReader {
  public:
    PipeReader(sys::ProcessApi& api, Handle pipe)
        : m_api(api), m_pipe(pipe), m_buffer(kPipeReadSize) {}

    // Bytes waiting now; false when the pipe is broken and empty.
    bool Available(std::size_t& count) { return m_api.PeekAvailable(m_pipe, count); }

    // Reads at most `max` of the `available` bytes into `output`; the count read, 0 when
    // the read failed.
    std::size_t Take(std::size_t available, std::size_t max, std::string& output) {
        std::size_t got = 0;
        const std::size_t ask = std::min({available, max, m_buffer.size()});
        if (!m_api.Read(m_pipe, m_buffer.data(), ask, got)) return 0;
        AppendOutputText(output, m_buffer.data(), got);
        return got;
    }

  private:
    sys::ProcessApi& m_api;
    Handle m_pipe;
    std::vector<char> m_buffer;
};

// Reads the editor's output until it has ended.
void CaptureOutput(sys::ProcessApi& api, Handle pipe, Handle process, std::string& output) {
    PipeReader reader(api, pipe);
    IdleBackoff backoff;
    for (;;) {
        std::size_t available = 0;
        if (!reader.Available(available)) break;  // every writer gone, nothing left
        if (available > 0) {
            if (reader.Take(available, available, output) == 0) break;
            backoff.Reset();
        } else if (api.WaitEnded(process, backoff.NextWaitMs())) {
            // Everything the editor wrote is in the pipe by now. Take that much and no
            // more: whoever still holds the pipe may go on filling it.
            std::size_t left = 0;
            if (!reader.Available(left)) return;
            while (left > 0 && reader.Available(available) && available > 0) {
                const std::size_t got = reader.Take(available, left, output);
                if (got == 0) return;
                left -= std::min(left, got);
            }
            return;
        }
    }
    while (!api.WaitEnded(process, kWaitForever)) {
    }
}

void AppendFile(sys::ProcessApi& api, Handle file, std::string& output) {
    char buffer[kOutputChunk];
    std::size_t got = 0;
    while (api.Read(file, buffer, sizeof buffer, got) && got > 0) {
        AppendOutputText(output, buffer, got);
    }
}

// Gives back what a run took before it stopped on a failure.
struct RunHandles {
    sys::ProcessApi& api;
    Handle readEnd = 0, writeEnd = 0, reader = 0, process = 0, thread = 0;

    void Close(Handle& handle) {
        if (handle != 0) api.CloseHandle(handle);
        handle = 0;
    }
    void CloseAll() {
        for (Handle* handle : {&readEnd, &writeEnd, &reader, &process, &thread}) Close(*handle);
    }
};

}  // namespace

std::string ExitCodeLine(uint32_t code) {
    char line[100];
    std::snprintf(line, sizeof line, "Editor's process Exited with code %d (0x%x)\r\n",
                  static_cast<int32_t>(code), code);
    return line;
}

void AppendOutputText(std::string& output, const char* bytes, std::size_t size) {
    const char* end = bytes + size;
    while (bytes < end) {
        const void* zero = std::memchr(bytes, '\0', static_cast<std::size_t>(end - bytes));
        const char* stop = zero ? static_cast<const char*>(zero) : end;
        output.append(bytes, stop);
        bytes = zero ? stop + 1 : end;
    }
}

std::string RunCapturedEditor(sys::ProcessApi& api, const std::string& commandLine,
                              std::string& output) {
    output = kRunHeader;
    output += commandLine;
    output += "\r\n\r\n";

    // Started by a console program (cmd, a batch file), we hold its console and cannot
    // allocate one: let that one go and try once more. Without a console to let go, the
    // failure is real.
    if (!api.AllocConsole() && !(api.FreeConsole() && api.AllocConsole()))
        return kConsoleFailedMessage;
    const Handle savedOutput = api.GetStdOutput();
    RunHandles run{api};
    auto stop = [&](const char* message, bool putOutputBack) {
        if (putOutputBack) api.SetStdOutput(savedOutput);
        run.CloseAll();
        api.FreeConsole();
        return std::string(message);
    };

    if (!api.CreateInheritablePipe(run.readEnd, run.writeEnd)) {
        return stop(kPipeFailedMessage, false);
    }
    if (!api.SetStdOutput(run.writeEnd)) return stop(kRedirectFailedMessage, false);
    if (!api.DuplicateNonInheritable(run.readEnd, run.reader)) {
        return stop(kDuplicateFailedMessage, true);
    }
    // The editor must not inherit a read end: the pipe breaks only when no writer is left
    // and we read through the copy.
    run.Close(run.readEnd);
    if (!api.CreateChild(commandLine, run.process, run.thread)) {
        return stop(kStartFailedMessage, true);
    }
    if (!api.SetStdOutput(savedOutput)) {
        // The write end is still our standard output; closing it would leave a dead
        // handle there.
        run.writeEnd = 0;
        return stop(kRestoreFailedMessage, false);
    }
    // Our copy of the write end must go, or the pipe would never break.
    const Handle writeEnd = run.writeEnd;
    run.writeEnd = 0;
    if (!api.CloseHandle(writeEnd)) return stop(kCloseFailedMessage, false);

    CaptureOutput(api, run.reader, run.process, output);
    uint32_t exitCode = 0;
    api.ExitCode(run.process, exitCode);
    run.CloseAll();
    api.FreeConsole();

    output += kEndOfOutput;
    Handle file = 0;
    if (!api.OpenForReading(kStderrFileName, file)) return kNoStderrMessage;
    AppendFile(api, file, output);
    api.CloseHandle(file);
    output += kEndOfStderr;
    output += ExitCodeLine(exitCode);
    return {};
}
