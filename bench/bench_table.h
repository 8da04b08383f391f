// A made-up parameter table of any size for the benchmarks: unique map names of one length,
// level names and game paths of the usual shape, a comment on every fourth row.
#pragma once

#include <cstdio>
#include <string>

#include "loadercfg/loader_settings.h"

namespace bench {

inline const char* const kActs[] = {"act1", "act2", "act3", "act4", "act5"};
inline const char* const kKinds[] = {"town", "wild", "cave", "tomb", "dungeon", "outdoor"};

inline std::string MapName(int i) {
    char name[64];
    std::snprintf(name, sizeof name, "%s_%s_%06d.ds1", kKinds[i % 6], kActs[i % 5], i);
    return name;
}

inline LoaderSettings MakeTable(int rows) {
    LoaderSettings s;
    s.editorPath = "C:\\Tools\\Editor\\";
    s.editorName = "editor.exe";
    s.rows.reserve(static_cast<std::size_t>(rows));
    for (int i = 0; i < rows; ++i) {
        std::string level = std::string("Level ") + kKinds[i % 6] + " " + std::to_string(i);
        std::string path = std::string("data\\global\\tiles\\") + kActs[i % 5] + "\\" +
                           kKinds[i % 6] + "\\" + std::to_string(i % 977);
        s.rows.push_back({MapName(i), level, path, std::to_string(i % 37), std::to_string(i % 1100),
                          i % 4 == 0 ? "checked\tby hand" : ""});
    }
    return s;
}

}  // namespace bench
