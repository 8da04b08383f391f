// The lookup's scan of kelvorn_loader.ini and its row split on any bytes. The input is the
// map path, a NUL byte, then the file. The sorted index must find exactly the lines a
// plain line-by-line reading finds; a row is taken only whole and within 127 characters
// per text, and its numbers read as strtoull reads them, wrapped to 32 bits.
#include <array>
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "fuzz/fuzz_check.h"
#include "loadercfg/param_scan.h"

namespace {

void CheckLowerFileName(std::string_view path, std::string_view name) {
    FUZZ_CHECK(name.size() <= path.size());
    FUZZ_CHECK(name.find_first_of("\\/") == std::string_view::npos);
    std::string_view end = path.substr(path.size() - name.size());
    if (name.size() < path.size()) {
        char before = path[path.size() - name.size() - 1];
        FUZZ_CHECK(before == '\\' || before == '/');
    }
    for (std::size_t i = 0; i < name.size(); ++i) {
        char c = end[i];
        FUZZ_CHECK(name[i] == (c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c));
    }
}

// The fitting lines, found one line at a time.
FittingLines ReadFittingLines(const std::vector<std::string_view>& lines, std::string_view name) {
    FittingLines found;
    for (std::string_view line : lines) {
        if (!found.hasParamsSection) found.hasParamsSection = line.starts_with("[PARAMS]");
        if (found.hasParamsSection && !line.starts_with(';') && line.starts_with(name))
            found.lines.push_back(line);
    }
    return found;
}

void CheckNumber(std::string_view column, int32_t value) {
    char text[kMaxParamText + 1];
    FUZZ_CHECK(column.size() < sizeof text);
    column.copy(text, column.size());
    text[column.size()] = '\0';
    errno = 0;
    unsigned long long read = std::strtoull(text, nullptr, 10);
    if (errno == ERANGE) return;
    FUZZ_CHECK(value == static_cast<int32_t>(static_cast<uint32_t>(read)));
}

// The line's columns at every tab, the first five of them: fewer when it has fewer.
std::size_t FirstColumns(std::string_view line, std::array<std::string_view, 5>& columns) {
    for (std::size_t k = 0; k < columns.size(); ++k) {
        std::size_t tab = line.find('\t');
        columns[k] = line.substr(0, tab);
        if (tab == std::string_view::npos) return k + 1;
        line.remove_prefix(tab + 1);
    }
    return columns.size();
}

// `entry` is the caller's, so that its texts keep their room from line to line.
void CheckRowSplit(std::string_view line, ParamEntry& entry) {
    const ParamEntry untouched{"untouched", "entry", 7, 8};
    entry = untouched;  // a string's copy keeps its room
    bool taken = ParseParamLine(line, entry);
    std::array<std::string_view, 5> columns;
    bool whole = FirstColumns(line, columns) == columns.size();
    for (std::size_t k = 0; whole && k < 5; ++k) whole = columns[k].size() <= kMaxParamText;
    FUZZ_CHECK(taken == whole);
    if (!taken) {
        FUZZ_CHECK(entry == untouched);
        return;
    }
    FUZZ_CHECK(entry.levelName == columns[1] && entry.levelName.size() <= kMaxParamText);
    FUZZ_CHECK(entry.gamePath == columns[2] && entry.gamePath.size() <= kMaxParamText);
    CheckNumber(columns[3], entry.lvlTypeId);
    CheckNumber(columns[4], entry.lvlPrestDef);
}

}  // namespace

// A map path and rows with texts over 127 characters fit.
extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    return DefaultMaxLen(argc, argv, 1024);
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    std::string_view input = AsText(data, size);
    std::size_t nul = input.find('\0');
    std::string_view mapPath = input.substr(0, nul);
    std::string_view bytes =
        nul == std::string_view::npos ? std::string_view() : input.substr(nul + 1);

    std::string name = LowerFileName(mapPath);
    CheckLowerFileName(mapPath, name);

    const std::vector<std::string_view> lines = SplitLines(bytes);
    FittingLines fitting = ParamIndex(bytes).Find(name);
    FittingLines expected = ReadFittingLines(lines, name);
    FUZZ_CHECK(fitting.hasParamsSection == expected.hasParamsSection);
    FUZZ_CHECK(fitting.lines == expected.lines);
    // The lines point into the scanned bytes.
    for (std::string_view line : fitting.lines)
        FUZZ_CHECK(line.data() >= bytes.data() &&
                   line.data() + line.size() <= bytes.data() + bytes.size());
    // Every line, the fitting ones among them.
    ParamEntry entry;
    for (std::string_view line : lines) CheckRowSplit(line, entry);
    return 0;
}
