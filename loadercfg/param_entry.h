// The parameters the editor needs for one map, as one row of the parameter table gives them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Longest level name or game path the editor and the main list accept.
inline constexpr std::size_t kMaxParamText = 127;

struct ParamEntry {
    std::string levelName;
    std::string gamePath;
    int32_t lvlTypeId = 0;
    int32_t lvlPrestDef = 0;

    bool operator==(const ParamEntry&) const = default;
};
