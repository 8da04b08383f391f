// Files and directories as the program sees them. Paths are UTF-8 bytes.
#pragma once

#include <optional>
#include <string>

namespace sys {

// The current working directory, at most `maxChars` characters; nullopt when longer or
// when it cannot be had.
std::optional<std::string> CurrentDirectory(std::size_t maxChars = 255);
bool SetCurrentDirectory(const std::string& path);
// Full path of the running program file, at most `maxChars` characters.
std::optional<std::string> ProgramFilePath(std::size_t maxChars = 255);
bool FileExists(const std::string& path);

// Reads a whole file as bytes; false when it cannot be opened or read.
bool ReadWholeFile(const std::string& path, std::string& bytes);
// Replaces `path` with `bytes` in one step: a temporary file in the same folder is
// written, flushed and moved over the old one. On failure the old file stays as it was.
bool WriteFileAtomically(const std::string& path, const std::string& bytes);

}  // namespace sys
