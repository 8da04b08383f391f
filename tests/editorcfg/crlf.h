// Expected file texts are written with plain line breaks; files have CR LF.
#pragma once

#include <string>
#include <string_view>

inline std::string Crlf(std::string_view text) {
    std::string out;
    for (char c : text) {
        if (c == '\n') out += '\r';
        out += c;
    }
    return out;
}
