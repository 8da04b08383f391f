// Line splitting and key comparison shared by the readers of our text files.
#pragma once

#include <cstddef>
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

// True when `a` and `b` are equal with ASCII A-Z taken as a-z; other bytes must match.
inline bool SameIgnoringAsciiCase(std::string_view a, std::string_view b) {
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (lower(a[i]) != lower(b[i])) return false;
    return true;
}

// A blank of our text files: a space or a tab.
inline bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

// The first position from `at` on that holds no blank.
inline std::size_t SkipBlanks(std::string_view line, std::size_t at) {
    while (at < line.size() && IsBlank(line[at])) ++at;
    return at;
}
