// What every harness needs: a check that stays on in release builds, and the harness's own
// line split, written apart from the readers' so that it can judge them.
#pragma once

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

// libFuzzer reports the abort with the input that caused it.
#define FUZZ_CHECK(condition)                                                                  \
    do {                                                                                       \
        if (!(condition)) {                                                                    \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                                      \
        }                                                                                      \
    } while (false)

// For a harness's LLVMFuzzerInitialize: puts "-max_len=<bytes>" in front of the flags, so
// that ctest, tools/fuzz_long.sh and a run by hand all keep the inputs as short as the
// harness's limits allow (each run's cost grows with the input); a -max_len given on the
// command line comes later and wins.
inline int DefaultMaxLen(int* argc, char*** argv, std::size_t bytes) {
    static std::string flag;
    static std::vector<char*> args;
    flag = "-max_len=" + std::to_string(bytes);
    args.assign(*argv, *argv + *argc);
    args.insert(args.begin() + 1, flag.data());
    args.push_back(nullptr);
    *argc = static_cast<int>(args.size()) - 1;
    *argv = args.data();
    return 0;
}

// Every harness allocates a few small blocks a run. With AddressSanitizer's own defaults
// (a 256 MiB quarantine, each new block filled) a run mostly touches fresh pages; a
// quarantine of 16 MiB still holds thousands of runs' freed blocks. ASAN_OPTIONS wins.
extern "C" const char* __asan_default_options() {
    return "quarantine_size_mb=16:max_malloc_fill_size=0";
}

inline std::string_view AsText(const uint8_t* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

// The lines of `text` as the file formats define them: LF ends a line, a CR before it is
// not part of the line, and a final line break adds no empty line.
inline std::vector<std::string_view> SplitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    lines.reserve(static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')) + 1);
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(start, end - start);
        if (line.ends_with('\r')) line.remove_suffix(1);
        lines.push_back(line);
        start = end + 1;
    }
    return lines;
}
