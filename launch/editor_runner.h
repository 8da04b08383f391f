// One captured run of the editor: a console for it, its standard output through a pipe
// into the output text, then its stderr.txt and its exit code. The window is gone while
// this runs; what it gathered is shown when the main window comes back.
#pragma once

#include <cstdint>
#include <string>

#include "launch/capped_output.h"
#include "sys/process.h"

inline constexpr const char* kRunHeader = "kelvorn Loader: starting editor using command line ";
inline constexpr const char* kEndOfOutput =
    "\r\nEnd of Standard Output.\r\n\r\nFrom stderr.txt:\r\n\r\n";
inline constexpr const char* kEndOfStderr = "\r\nEnd of stderr.txt\r\n\r\n";
inline constexpr const char* kStderrFileName = "stderr.txt";

inline constexpr const char* kConsoleFailedMessage = "Console allocation failed";
inline constexpr const char* kPipeFailedMessage = "Stdout pipe creation failed";
inline constexpr const char* kRedirectFailedMessage = "Redirecting STDOUT failed";
inline constexpr const char* kDuplicateFailedMessage = "DuplicateHandle failed";
inline constexpr const char* kStartFailedMessage = "Failed to Create New Process for ds1 Editor";
inline constexpr const char* kRestoreFailedMessage = "Re-redirecting Stdout failed\n";
inline constexpr const char* kCloseFailedMessage = "Closing handle failed";
inline constexpr const char* kNoStderrMessage = "Failed to open stderr.txt";

// Bytes taken per read of stderr.txt.
inline constexpr std::size_t kOutputChunk = 4095;

// What the marker lines of CappedOutput call the two streams.
inline constexpr const char* kOutputName = "the editor's output";
inline constexpr const char* kStderrName = "stderr.txt";

// Shown before a stderr.txt that the editor did not write this time.
inline constexpr const char* kEarlierStderrLine =
    "kelvorn Loader: this stderr.txt is left from an earlier run; the editor did not write one "
    "this time.\r\n";
inline constexpr const char* kUnreadExitCodeLine =
    "Editor's process Exited; its exit code could not be read\r\n";

// "Editor's process Exited with code %d (0x%x)\r\n".
std::string ExitCodeLine(uint32_t code);

// Appends `size` bytes as text: zero bytes cannot be shown in the pane and are left out.
void AppendOutputText(std::string& output, const char* bytes, std::size_t size);

// Runs `commandLine` in a new console with its standard output captured, rebuilding
// `output` piece by piece; `program` is the editor's program file, empty to let the system
// find it. Returns the message to show when the run stopped on a failure, empty when it
// went to its end. When this returns, or throws, the console is freed, no handle of the
// run stays open and standard output is the one it was (unless putting it back failed).
// It returns once the editor has ended, even if a process the editor started still holds
// the pipe. Each stream keeps at most kOutputCap bytes (see CappedOutput).
std::string RunCapturedEditor(sys::ProcessApi& api, const std::string& program,
                              const std::string& commandLine, std::string& output,
                              std::size_t cap = kOutputCap);
