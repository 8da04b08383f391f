// The settings editor's reader of kelvorn_loader.ini on any bytes: every line after the
// [PARAMS] line becomes a row or a bad line, in file order, and the rows written again
// read back as they were read.
#include <algorithm>
#include <cstdint>

#include "fuzz/fuzz_check.h"
#include "fuzz/settings_read_back.h"
#include "loadercfg/loader_settings.h"

namespace {

// The row is the line itself: five columns without tabs, then the comments after a fifth
// tab when the line has one.
void CheckRowIsLine(const ParamRow& row, std::string_view line) {
    const std::string* columns[] = {&row.fileName, &row.levelName, &row.gamePath, &row.lvlTypeId,
                                    &row.lvlPrestDef};
    std::string joined;
    for (const std::string* column : columns) {
        FUZZ_CHECK(column->find('\t') == std::string::npos);
        if (column != columns[0]) joined.push_back('\t');
        joined += *column;
    }
    if (std::count(line.begin(), line.end(), '\t') > 4) joined += "\t" + row.comments;
    FUZZ_CHECK(joined == line);
}

// The value of the last header line that begins with `key`.
std::string LastKeyValue(const std::vector<std::string_view>& header, std::string_view key) {
    std::string value;
    for (std::string_view line : header)
        if (line.starts_with(key)) value = line.substr(key.size());
    return value;
}

}  // namespace

// The header, rows and columns over the other readers' limits fit; this reader has none.
extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    return DefaultMaxLen(argc, argv, 1024);
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    std::string_view text = AsText(data, size);
    LoaderSettings settings;
    std::vector<std::string> badLines;
    ParseLoaderSettings(text, settings, badLines);

    std::vector<std::string_view> lines = SplitLines(text);
    auto params = std::find_if(lines.begin(), lines.end(),
                               [](std::string_view line) { return line.starts_with("[PARAMS]"); });
    std::vector<std::string_view> header(lines.begin(), params);
    FUZZ_CHECK(settings.editorPath == LastKeyValue(header, kEditorPathKey));
    FUZZ_CHECK(settings.editorName == LastKeyValue(header, kEditorNameKey));

    std::size_t rowCount = 0;
    std::size_t badCount = 0;
    if (params != lines.end()) {
        for (auto it = params + 1; it != lines.end(); ++it) {
            if (std::count(it->begin(), it->end(), '\t') >= 4) {
                FUZZ_CHECK(rowCount < settings.rows.size());
                CheckRowIsLine(settings.rows[rowCount++], *it);
            } else {
                FUZZ_CHECK(badCount < badLines.size());
                FUZZ_CHECK(badLines[badCount++] == *it);
            }
        }
    }
    FUZZ_CHECK(rowCount == settings.rows.size());
    FUZZ_CHECK(badCount == badLines.size());

    LoaderSettings again;
    std::vector<std::string> againBad;
    ParseLoaderSettings(FormatLoaderSettings(settings), again, againBad);
    FUZZ_CHECK(again == SettingsReadBack(settings));
    FUZZ_CHECK(againBad.empty());
    return 0;
}
