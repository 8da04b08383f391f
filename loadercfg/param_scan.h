// The matching rules of the parameter lookup, on the file's bytes, with no window in sight.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "loadercfg/param_entry.h"

// The file name of `mapPath` (after its last backslash or slash), with ASCII A-Z made
// lower case and every other byte kept.
std::string LowerFileName(std::string_view mapPath);

struct FittingLines {
    bool hasParamsSection = false;
    // The fitting lines as raw text without their line break, in file order; they point
    // into the scanned bytes.
    std::vector<std::string_view> lines;
};

// The rows of kelvorn_loader.ini that fit a map: from the first line beginning with
// "[PARAMS]" on, every line that does not begin with ';' and begins with the map's lower
// case file name. The lines are sorted once, so that each name is a binary search instead
// of a pass over the whole file. The views point into `fileBytes`, which must outlive the
// index.
class ParamIndex {
  public:
    explicit ParamIndex(std::string_view fileBytes = {});
    FittingLines Find(std::string_view lowerName) const;

  private:
    bool m_hasParamsSection = false;
    std::vector<std::string_view> m_sorted;  // the lines that do not begin with ';'
};

// The number at the start of `text` as atoi reads it: leading white space, an optional
// sign, decimal digits up to the first other character; 0 without digits. Out of range
// values wrap around modulo 2^32, so 4294967295 reads as -1.
int32_t AtoiValue(std::string_view text);

// Takes columns 2 to 5 of a fitting line into `entry`. False, with `entry` untouched, when
// the line has fewer than four tabs or one of its first five columns is longer than
// kMaxParamText: such a row cannot be taken whole.
bool ParseParamLine(std::string_view line, ParamEntry& entry);
