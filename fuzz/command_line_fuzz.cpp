// The program's command line on any bytes: at most 100 maps are taken, each a quoted text
// of at most 255 bytes whose first ".ds1" is its end, in command-line order; the maps left
// out are counted. The program name is skipped up to a blank outside quotes.
#include <cstdint>
#include <string>

#include "app/command_line.h"
#include "app/file_list_entry.h"
#include "fuzz/fuzz_check.h"

namespace {

constexpr std::size_t kMaxPaths = kMaxFileRows;

// Every quoted text of the line, as the program reads it: a missing closing quote ends
// the text at the end of the line.
std::vector<std::string_view> QuotedTexts(std::string_view line) {
    std::vector<std::string_view> texts;
    for (std::size_t open = line.find('"'); open != std::string_view::npos;) {
        std::size_t close = line.find('"', open + 1);
        texts.push_back(line.substr(
            open + 1, close == std::string_view::npos ? std::string_view::npos : close - open - 1));
        open = close == std::string_view::npos ? close : line.find('"', close + 1);
    }
    return texts;
}

bool IsMapPath(std::string_view text) {
    return text.ends_with(".ds1") && text.find(".ds1") == text.size() - 4;
}

void CheckPaths(std::string_view line) {
    CommandLinePaths taken = ParseCommandLinePaths(line, kMaxPaths);
    FUZZ_CHECK(taken.paths.size() <= kMaxPaths);
    FUZZ_CHECK(taken.beyondLimit == 0 || taken.paths.size() == kMaxPaths);

    std::vector<std::string_view> maps;
    int tooLong = 0;
    for (std::string_view text : QuotedTexts(line)) {
        if (!IsMapPath(text)) continue;
        if (text.size() > kMaxCommandLinePath)
            ++tooLong;
        else
            maps.push_back(text);
    }
    FUZZ_CHECK(taken.tooLong == tooLong);
    FUZZ_CHECK(taken.paths.size() + static_cast<std::size_t>(taken.beyondLimit) == maps.size());
    for (std::size_t i = 0; i < taken.paths.size(); ++i) {
        FUZZ_CHECK(taken.paths[i] == maps[i]);
        FUZZ_CHECK(taken.paths[i].size() <= kMaxCommandLinePath);
    }
}

// The skipped part is the program name and the blanks after it; within the name a blank
// stands only between quotes.
void CheckProgramName(std::string_view bytes) {
    std::wstring line;
    for (unsigned char c : bytes) line.push_back(static_cast<wchar_t>(c));
    std::wstring_view rest = SkipProgramName(line);
    FUZZ_CHECK(rest.data() >= line.data() &&
               rest.data() + rest.size() == line.data() + line.size());
    FUZZ_CHECK(rest.empty() || rest.front() > L' ');
    std::size_t nameEnd = static_cast<std::size_t>(rest.data() - line.data());
    while (nameEnd > 0 && line[nameEnd - 1] <= L' ') --nameEnd;
    bool inQuotes = false;
    for (std::size_t i = 0; i < nameEnd; ++i) {
        if (line[i] == L'"') inQuotes = !inQuotes;
        FUZZ_CHECK(line[i] > L' ' || inQuotes);
    }
}

}  // namespace

// More than 100 short map paths, and paths over 255 bytes, fit.
extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    return DefaultMaxLen(argc, argv, 2048);
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    std::string_view line = AsText(data, size);
    CheckPaths(line);
    CheckProgramName(line);
    return 0;
}
