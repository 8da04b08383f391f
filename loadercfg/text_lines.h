// Line splitting shared by the readers of kelvorn_loader.ini.
#pragma once

#include <string_view>

// Takes the next line off `rest`. LF or CR LF ends a line and is not part of it; the last
// line counts without a line break; a file ending in a line break has no empty line after
// it. False when nothing is left.
inline bool NextLine(std::string_view& rest, std::string_view& line) {
    if (rest.empty()) return false;
    std::size_t end = rest.find('\n');
    if (end == std::string_view::npos) {
        line = rest;
        rest = {};
    } else {
        line = rest.substr(0, end);
        rest.remove_prefix(end + 1);
    }
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    return true;
}
