// Batch files that start the editor later, and the map list files they name: the names
// Make Batch derives from the chosen path, the six lines it writes, and what Load Batch
// reads back from either kind of file.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Every name derived from the chosen path must fit a 512-byte buffer.
inline constexpr std::size_t kMaxBatchName = 511;

inline constexpr const char* kBatchPathTooLongMessage =
    "Not saved: the chosen path is too long. The batch file's name and its debug file's "
    "name must fit in 511 characters.";
inline constexpr const char* kChosenFileUnreadableMessage = "Failed to open specified File";
inline constexpr const char* kBadBatchMessage = "Bad Batch File";
inline constexpr const char* kBadMapListMessage = "Bad Ini File";
inline constexpr const char* kListFullMessage = "Maximum Files in List reached";

// "Unable to Open <path>!": a batch or map list file that could not be written.
std::string CannotWriteMessage(std::string_view path);
// "Failed to find <name>": the map list file a batch file names is nowhere.
std::string MapListNotFoundMessage(std::string_view name);
// "Failed to open <path>": it exists but could not be read.
std::string MapListUnreadableMessage(std::string_view path);
// A file of a name Make Batch derives from the chosen one that it did not write.
std::string NotWrittenByMakeBatchMessage(std::string_view path);

// `path` without its last extension: the last "." after the last backslash or slash and
// everything behind it go; a path with no such dot is its own base.
std::string_view PathBase(std::string_view path);
// True when the extension after PathBase is "bat" in any letter case.
bool HasBatchExtension(std::string_view path);

struct BatchNames {
    std::string base;       // the map list file is base + ".ini"
    std::string batchFile;  // base + ".bat"
    std::string debugFile;  // base + "_debug.txt", still absolute
};

// The names for the path chosen in the save dialog; nullopt when the path or a name made
// from it would be longer than kMaxBatchName.
std::optional<BatchNames> BatchNamesFor(std::string_view chosen);

// The six CR LF lines: change to the editor folder's drive and folder (quoted as it is),
// run the command line with its output sent into the debug file, pause only for a
// negative exit code. Every "%" of lines 2 and 3 is written "%%", which cmd reads as one.
std::string BatchFileText(std::string_view editorFolder, std::string_view commandLine,
                          std::string_view debugFile);

// What Load Batch takes from lines 2 and 3 of a batch file, each "%%" read as "%" (a lone
// "%" of an older file stays).
struct BatchCommand {
    std::string cdDirectory;  // line 2 after "cd " and any "/d", without enclosing quotes
    std::string editor;       // first item of line 3, unused
    std::string target;       // second item: a map path, or a map list file ending ".ini"
};

// nullopt when the file has fewer than three lines, line 2 holds no "cd ", or line 3 does
// not begin with two items: each quoted and followed by a blank, or unquoted and ended by
// a blank or tab (the second also by the end of the line).
std::optional<BatchCommand> ParseBatchFile(std::string_view fileBytes);

// True when the last four characters of `target` are ".ini" in any letter case.
bool NamesMapList(std::string_view target);

// Appends the map path of each line "<digits> <digits> <path>" (either number may be
// empty, the path too) to `entries`. False at the first line of another shape, an empty
// line included; the entries of the lines before it stay.
bool ParseMapList(std::string_view fileBytes, std::vector<std::string>& entries);

// Whether a file has the shape Make Batch writes, as Load Batch reads it: the six lines of
// a batch file, with or without "/d"; a map list of at least one line, each with both
// numbers and a path.
bool IsMakeBatchFile(std::string_view fileBytes);
bool IsMakeBatchMapList(std::string_view fileBytes);
