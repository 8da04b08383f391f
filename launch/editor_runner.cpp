#include "launch/editor_runner.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <optional>
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
    PipeReader(sys::ProcessApi& api, Handle pipe, CappedOutput& output)
        : m_api(api), m_pipe(pipe), m_output(output), m_buffer(kPipeReadSize) {}

    // Bytes waiting now; false when the pipe is broken and empty.
    bool Available(std::size_t& count) { return m_api.PeekAvailable(m_pipe, count); }

    // Reads at most `max` of the `available` bytes into the output; the count read, 0 when
    // the read failed.
    std::size_t Take(std::size_t available, std::size_t max) {
        std::size_t got = 0;
        const std::size_t ask = std::min({available, max, m_buffer.size()});
        if (!m_api.Read(m_pipe, m_buffer.data(), ask, got)) return 0;
        m_output.Append(m_buffer.data(), got);
        return got;
    }

  private:
    sys::ProcessApi& m_api;
    Handle m_pipe;
    CappedOutput& m_output;
    std::vector<char> m_buffer;
};

// Reads the editor's output until it has ended. Every byte is read, kept or not, so that
// the editor never waits on a full pipe.
void CaptureOutput(sys::ProcessApi& api, Handle pipe, Handle process, CappedOutput& output) {
    PipeReader reader(api, pipe, output);
    IdleBackoff backoff;
    for (;;) {
        std::size_t available = 0;
        if (!reader.Available(available)) break;  // every writer gone, nothing left
        if (available > 0) {
            if (reader.Take(available, available) == 0) break;
            backoff.Reset();
        } else if (api.WaitEnded(process, backoff.NextWaitMs())) {
            // Everything the editor wrote is in the pipe by now. Take that much and no
            // more: whoever still holds the pipe may go on filling it.
            std::size_t left = 0;
            if (!reader.Available(left)) return;
            while (left > 0 && reader.Available(available) && available > 0) {
                const std::size_t got = reader.Take(available, left);
                if (got == 0) return;
                left -= std::min(left, got);
            }
            return;
        }
    }
    while (!api.WaitEnded(process, kWaitForever)) {
    }
}

void AppendFile(sys::ProcessApi& api, Handle file, CappedOutput& output) {
    char buffer[kOutputChunk];
    std::size_t got = 0;
    while (api.Read(file, buffer, sizeof buffer, got) && got > 0) output.Append(buffer, got);
}

// The same file, untouched: size and times as they were.
bool Unchanged(const std::optional<sys::FileStamp>& before,
               const std::optional<sys::FileStamp>& after) {
    return before && after && before->volume == after->volume && before->fileId == after->fileId &&
           before->size == after->size && before->writeTime == after->writeTime &&
           before->otherTime == after->otherTime;
}

// What a run has taken, given back however it ends, an exception included: standard
// output put back, the handles closed, the console freed.
class RunResources {
  public:
    explicit RunResources(sys::ProcessApi& api) : m_api(api) {}
    ~RunResources() {
        try {
            GiveBack();
        } catch (...) {
            // Nothing more can be given back.
        }
    }
    RunResources(const RunResources&) = delete;
    RunResources& operator=(const RunResources&) = delete;

    Handle readEnd = 0, writeEnd = 0, reader = 0, process = 0, thread = 0, file = 0;
    bool consoleHeld = false;
    std::optional<Handle> outputToPutBack;

    void Close(Handle& handle) {
        const Handle closing = handle;
        handle = 0;
        if (closing != 0) m_api.CloseHandle(closing);
    }
    void LeaveConsole() {
        if (!consoleHeld) return;
        consoleHeld = false;
        m_api.FreeConsole();
    }
    void GiveBack() {
        if (outputToPutBack) {
            const Handle saved = *outputToPutBack;
            outputToPutBack.reset();
            m_api.SetStdOutput(saved);
        }
        for (Handle* handle : {&readEnd, &writeEnd, &reader, &process, &thread, &file})
            Close(*handle);
        LeaveConsole();
    }

  private:
    sys::ProcessApi& m_api;
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

std::string RunCapturedEditor(sys::ProcessApi& api, const std::string& program,
                              const std::string& commandLine, std::string& output,
                              std::size_t cap) {
    output = kRunHeader;
    output += commandLine;
    output += "\r\n\r\n";

    RunResources run(api);
    // Started by a console program (cmd, a batch file), we hold its console and cannot
    // allocate one: let that one go and try once more. Without a console to let go, the
    // failure is real.
    if (!api.AllocConsole() && !(api.FreeConsole() && api.AllocConsole()))
        return kConsoleFailedMessage;
    run.consoleHeld = true;
    const Handle savedOutput = api.GetStdOutput();
    if (!api.CreateInheritablePipe(run.readEnd, run.writeEnd)) return kPipeFailedMessage;
    if (!api.SetStdOutput(run.writeEnd)) return kRedirectFailedMessage;
    run.outputToPutBack = savedOutput;
    if (!api.DuplicateNonInheritable(run.readEnd, run.reader)) return kDuplicateFailedMessage;
    // The editor must not inherit a read end: the pipe breaks only when no writer is left
    // and we read through the copy.
    run.Close(run.readEnd);
    const std::optional<sys::FileStamp> stderrBefore = api.Stamp(kStderrFileName);
    if (!api.CreateChild(program, commandLine, run.process, run.thread)) return kStartFailedMessage;
    run.outputToPutBack.reset();
    if (!api.SetStdOutput(savedOutput)) {
        // The write end is still our standard output; closing it would leave a dead
        // handle there.
        run.writeEnd = 0;
        return kRestoreFailedMessage;
    }
    // Our copy of the write end must go, or the pipe would never break.
    const Handle writeEnd = run.writeEnd;
    run.writeEnd = 0;
    if (!api.CloseHandle(writeEnd)) return kCloseFailedMessage;
    // The console is the editor's from now on: closing it, or Ctrl+C in it, is how a user
    // stops a hung editor, and must not end the loader with it.
    run.LeaveConsole();

    CappedOutput captured(output, kOutputName, cap);
    CaptureOutput(api, run.reader, run.process, captured);
    captured.Finish();
    uint32_t exitCode = 0;
    const bool haveExitCode = api.ExitCode(run.process, exitCode);
    run.GiveBack();

    output += kEndOfOutput;
    if (!api.OpenForReading(kStderrFileName, run.file)) return kNoStderrMessage;
    if (Unchanged(stderrBefore, api.Stamp(kStderrFileName))) output += kEarlierStderrLine;
    CappedOutput stderrText(output, kStderrName, cap);
    AppendFile(api, run.file, stderrText);
    stderrText.Finish();
    run.Close(run.file);
    output += kEndOfStderr;
    output += haveExitCode ? ExitCodeLine(exitCode) : kUnreadExitCodeLine;
    return {};
}
