// Files and directories as the program sees them. Paths are bytes in the system's ANSI
// code page (bytes as they are on other systems).
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "sys/file_stamp.h"

namespace sys {

// The current working directory, at most `maxChars` characters; nullopt when longer or
// when it cannot be had.
std::optional<std::string> CurrentDirectory(std::size_t maxChars = 255);
bool SetCurrentDirectory(const std::string& path);
// Full path of the running program file, at most `maxChars` characters.
std::optional<std::string> ProgramFilePath(std::size_t maxChars = 255);
bool FileExists(const std::string& path);
// True when `a` and `b` are the same path ignoring letter case, as the file system
// compares names: on Windows by the system's own table for every letter the code page
// holds; elsewhere for A to Z, other bytes as they are.
bool SamePathIgnoringCase(std::string_view a, std::string_view b);

// Reads a whole file as bytes; false when it cannot be opened or read.
bool ReadWholeFile(const std::string& path, std::string& bytes);
// The stamp of the file at `path` now; nullopt when there is no such file.
std::optional<FileStamp> StampOf(const std::string& path);
// Replaces `path` with `bytes` in one step: a temporary file in the same folder is
// written, flushed and moved over the old one. On failure the old file stays as it was.
bool WriteFileAtomically(const std::string& path, const std::string& bytes);

}  // namespace sys
