#include "app/path_text.h"

#include <cstdint>

namespace {

// Reads one code point at `i` and advances past it. A byte that starts no valid sequence
// yields itself marked above the Unicode range, so it only equals the same byte.
uint32_t NextCodePoint(std::string_view s, std::size_t& i) {
    auto byte = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
    unsigned char lead = byte(i);
    if (lead < 0x80) {
        ++i;
        return lead;
    }
    std::size_t extra = (lead & 0xE0) == 0xC0   ? 1
                        : (lead & 0xF0) == 0xE0 ? 2
                        : (lead & 0xF8) == 0xF0 ? 3
                                                : 0;
    uint32_t invalid = 0x110000u + lead;
    if (extra == 0 || i + extra >= s.size()) {
        ++i;
        return invalid;
    }
    uint32_t cp = lead & (0x3Fu >> extra);
    for (std::size_t k = 1; k <= extra; ++k) {
        unsigned char c = byte(i + k);
        if ((c & 0xC0) != 0x80) {
            ++i;
            return invalid;
        }
        cp = (cp << 6) | (c & 0x3Fu);
    }
    i += extra + 1;
    return cp;
}

uint32_t FoldCase(uint32_t cp) {
    if (cp >= 'A' && cp <= 'Z') return cp + 32;
    if (cp >= 0xC0 && cp <= 0xDE && cp != 0xD7) return cp + 32;  // Latin-1 letters
    if (cp >= 0x100 && cp <= 0x137) return cp | 1;               // Latin Extended-A pairs
    if (cp >= 0x139 && cp <= 0x148) return cp + (cp & 1);
    if (cp >= 0x14A && cp <= 0x177) return cp | 1;
    if (cp == 0x178) return 0xFF;
    if (cp >= 0x179 && cp <= 0x17E) return cp + (cp & 1);
    if (cp >= 0x391 && cp <= 0x3AB && cp != 0x3A2) return cp + 32;  // Greek
    if (cp >= 0x410 && cp <= 0x42F) return cp + 32;                 // Cyrillic
    if (cp >= 0x400 && cp <= 0x40F) return cp + 80;
    return cp;
}

}  // namespace

bool SamePathIgnoringCase(std::string_view a, std::string_view b) {
    std::size_t i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        if (FoldCase(NextCodePoint(a, i)) != FoldCase(NextCodePoint(b, j))) return false;
    }
    return i == a.size() && j == b.size();
}

std::string JoinFolderName(const std::string& folder, const std::string& name) {
    bool hasSeparator = !folder.empty() && (folder.back() == '\\' || folder.back() == '/');
    return hasSeparator ? folder + name : folder + '\\' + name;
}
