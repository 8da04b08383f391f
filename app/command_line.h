// The program's command line: the quoted .ds1 paths the shell or the user passes, and the
// program directory found at start-up.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Longest path taken from the command line (a 256-byte buffer).
inline constexpr std::size_t kMaxCommandLinePath = 255;

inline constexpr const char* kCommandLineTooManyMessage =
    "Only the first 100 maps of the command line were taken.";
inline constexpr const char* kCommandLineTooLongMessage =
    "Maps whose path is longer than 255 characters were not taken from the command line.";

struct CommandLinePaths {
    std::vector<std::string> paths;  // in command-line order, at most `maxPaths`
    int tooLong = 0;                 // map paths left out for their length
    int beyondLimit = 0;             // map paths left out because `maxPaths` were taken
};

// Takes every double-quoted text whose first ".ds1" is its end; a missing closing quote
// ends the text at the end of the line. Unquoted words and other texts are ignored.
CommandLinePaths ParseCommandLinePaths(std::string_view cmdLine, std::size_t maxPaths);

// The arguments after the program name, skipped as the C runtime skips it for WinMain: up
// to the first blank outside double quotes, then the blanks.
std::wstring_view SkipProgramName(std::wstring_view cmdLine);

// The program directory: the program file's folder with its trailing separator. Without
// a program path (or one with no separator), the start-up working directory, given a
// trailing separator of its own kind so that file names can be appended; empty when
// neither is known.
std::string ProgramDirectory(const std::optional<std::string>& programFile,
                             const std::optional<std::string>& startDir);
