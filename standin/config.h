// What the stand-in editor is told to do besides reporting its command line: settings from
// kelvorn_standin.cfg beside the program, each overridable by an environment variable.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace standin {

struct Config {
    std::optional<int32_t> exitCode;        // unset: 0 for a recognised command line, else 1
    uint64_t extraBytes = 0;                // filler written after the report
    std::string print;                      // written after the report, escapes decoded
    std::optional<std::string> stderrText;  // unset: a line saying how the run went
    bool writeStderr = true;
    uint32_t sleepMs = 0;   // before exiting
    uint32_t lingerMs = 0;  // a grandchild keeps standard output open this long
    // Ends its console group as a user would, last of all: "ctrl_c", "ctrl_break" or
    // "close" (the console window's close button); empty for none.
    std::string consoleEvent;
};

// The keys, also the environment variables KELVORN_STANDIN_<KEY in capitals>.
inline constexpr const char* kKeys[] = {"exit",      "extra_bytes",  "print",
                                        "stderr",    "write_stderr", "sleep_ms",
                                        "linger_ms", "console_event"};

// Applies one setting; false (config unchanged) for an unknown key or a bad value.
bool ApplySetting(Config& config, const std::string& key, const std::string& value);

// Applies the `key = value` lines of a settings file; blank lines and lines starting with
// ';' are skipped. Returns the lines that were not understood.
std::string ApplyFileText(Config& config, const std::string& text);

// \r \n \t \0 \\ and \xHH become the bytes they name; any other backslash stays.
std::string DecodeEscapes(const std::string& text);

}  // namespace standin
