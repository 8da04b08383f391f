// The plain records of the main window: one row of the map list, and its limits.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "launch/launch_options.h"
#include "loadercfg/param_entry.h"

// Rows of the main list, and saved rows kept between showings.
inline constexpr int kMaxFileRows = 100;
// A map path must fit the 512-byte buffers it passes through: at most 511 bytes.
// The same limit holds for forced .dt1 paths, which go on the editor's command line too.
inline constexpr std::size_t kMaxMapPath = 511;
inline constexpr const char* kPathTooLongMessage =
    "Not added: the path is longer than 511 characters.";

// Columns of the main list.
enum FileListColumn { kColPath, kColName, kColGamePath, kColTypeId, kColPrestDef };

struct FileListEntry {
    std::string path;
    std::string levelName;
    std::string gamePath;
    int32_t lvlTypeId = 0;
    int32_t lvlPrestDef = 0;

    bool operator==(const FileListEntry&) const = default;
};

// A parameter number as the list shows it: unsigned decimal, so -1 reads 4294967295.
inline std::string UnsignedText(int32_t value) {
    return std::to_string(static_cast<uint32_t>(value));
}
