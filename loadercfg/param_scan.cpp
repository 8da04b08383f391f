#include "loadercfg/param_scan.h"

#include <algorithm>
#include <array>

#include "loadercfg/text_lines.h"

namespace {

constexpr std::string_view kParamsTag = "[PARAMS]";

// Start of the first line that begins with "[PARAMS]", npos when there is none.
std::size_t FindParamsLine(std::string_view bytes) {
    if (bytes.starts_with(kParamsTag)) return 0;
    std::size_t at = bytes.find("\n[PARAMS]");
    return at == std::string_view::npos ? at : at + 1;
}

bool IsAtoiSpace(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

}  // namespace

std::string LowerFileName(std::string_view mapPath) {
    std::size_t sep = mapPath.find_last_of("\\/");
    std::string name(sep == std::string_view::npos ? mapPath : mapPath.substr(sep + 1));
    for (char& c : name)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return name;
}

ParamIndex::ParamIndex(std::string_view bytes) {
    std::size_t start = FindParamsLine(bytes);
    if (start == std::string_view::npos) return;
    m_hasParamsSection = true;
    std::string_view rest = bytes.substr(start), line;
    m_sorted.reserve(static_cast<std::size_t>(std::count(rest.begin(), rest.end(), '\n')) + 1);
    while (NextLine(rest, line))
        if (!line.starts_with(';')) m_sorted.push_back(line);
    std::sort(m_sorted.begin(), m_sorted.end());
}

FittingLines ParamIndex::Find(std::string_view lowerName) const {
    FittingLines result;
    result.hasParamsSection = m_hasParamsSection;
    // Lines that begin with the name sort together, right from the name itself on.
    for (auto it = std::lower_bound(m_sorted.begin(), m_sorted.end(), lowerName);
         it != m_sorted.end() && it->starts_with(lowerName); ++it)
        result.lines.push_back(*it);
    // Back into file order: the views point into one buffer.
    std::sort(result.lines.begin(), result.lines.end(),
              [](std::string_view a, std::string_view b) { return a.data() < b.data(); });
    return result;
}

int32_t AtoiValue(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && IsAtoiSpace(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    uint32_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
        value = value * 10u + static_cast<uint32_t>(text[i] - '0');
    if (negative) value = 0u - value;
    return static_cast<int32_t>(value);
}

bool ParseParamLine(std::string_view line, ParamEntry& entry) {
    std::array<std::string_view, 5> columns;
    for (std::size_t k = 0; k < columns.size(); ++k) {
        std::size_t tab = line.find('\t');
        bool last = k + 1 == columns.size();
        if (tab == std::string_view::npos && !last) return false;
        columns[k] = line.substr(0, tab);
        if (columns[k].size() > kMaxParamText) return false;
        if (!last) line.remove_prefix(tab + 1);
    }
    entry.levelName.assign(columns[1]);
    entry.gamePath.assign(columns[2]);
    entry.lvlTypeId = AtoiValue(columns[3]);
    entry.lvlPrestDef = AtoiValue(columns[4]);
    return true;
}
