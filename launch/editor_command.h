// The editor's command line and map list file, made from plain values: the rows of the
// main list as displayed, the launch switches and the forced .dt1 list.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "launch/launch_options.h"

// The editor receives its command line in a 512-byte buffer.
inline constexpr std::size_t kMaxCommandLine = 511;

inline constexpr const char* kEmptyForcedListMessage = "You must enter at least 1 .dt1 in the list";

// One row of the main list: the texts of columns 0, 3 and 4 exactly as displayed.
struct MapRow {
    std::string path;
    std::string typeText;
    std::string prestText;
};

struct CommandRequest {
    std::string editorFolder;  // used exactly as stored; no separator is added
    std::string editorName;
    std::string listBase;  // the map list file without ".ini"
    std::vector<MapRow> rows;
    LaunchOptions switches;
    std::vector<std::string> forcedDt1;  // in list order
};

struct EditorCommand {
    std::string commandLine;  // empty when refused
    std::string refusal;      // what to tell the user; empty when built
    // Several maps (or none): the map list file to write before the editor starts.
    bool usesMapList = false;
    std::string mapListPath;
    std::string mapListBytes;
    bool mapListWritten = false;  // set by BuildEditorCommand

    bool Refused() const { return !refusal.empty(); }
};

// `path` without a leading `folder`, compared byte for byte; unchanged when it does not
// begin with it.
std::string StripEditorFolder(std::string_view path, std::string_view folder);

// One CR LF line per row: type text, blank, prest text, blank, map path relative to the
// editor folder when it lies inside it.
std::string MapListText(const std::vector<MapRow>& rows, std::string_view editorFolder);

// The command line for `request`, or a refusal: Force .dt1 with an empty forced list (one
// map only), or a result longer than kMaxCommandLine. Nothing is ever cut.
EditorCommand ComposeEditorCommand(const CommandRequest& request);

// ComposeEditorCommand, then the map list file written when the command uses one. A file
// that cannot be written is not refused: the command line names it all the same, and
// mapListWritten tells the caller.
EditorCommand BuildEditorCommand(const CommandRequest& request);
