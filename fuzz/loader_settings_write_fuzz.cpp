// The writer of kelvorn_loader.ini on any settings, line breaks and tabs in the values
// included: the text holds one CR LF line per header line and row and nothing else, and
// reading it gives the settings back with only the writer's blanks in them. The file is
// written and read through the same two functions; that the file holds the text, every
// byte value included, is a unit test's, as it costs the same for every input.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <string>

#include "fuzz/fuzz_check.h"
#include "fuzz/settings_read_back.h"
#include "loadercfg/loader_settings.h"

namespace {

constexpr std::size_t kHeaderLines = 13;

// A value of up to 100 bytes: the writer treats every length alike, and a value without a
// bound would reserve the whole rest of the input, for every column.
std::string Value(FuzzedDataProvider& input) {
    return input.ConsumeRandomLengthString(100);
}

}  // namespace

// Dozens of rows fit; the writer has no limit to reach.
extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    return DefaultMaxLen(argc, argv, 512);
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    LoaderSettings settings;
    settings.editorPath = Value(input);
    settings.editorName = Value(input);
    while (input.remaining_bytes() > 0) {
        ParamRow& row = settings.rows.emplace_back();
        for (std::string* column : {&row.fileName, &row.levelName, &row.gamePath, &row.lvlTypeId,
                                    &row.lvlPrestDef, &row.comments})
            *column = Value(input);
    }

    const std::string bytes = FormatLoaderSettings(settings);
    std::size_t lineEnds = 0;
    for (std::size_t at = bytes.find_first_of("\r\n"); at != std::string::npos;
         at = bytes.find_first_of("\r\n", at + 2)) {
        FUZZ_CHECK(bytes.compare(at, 2, "\r\n") == 0);
        ++lineEnds;
    }
    FUZZ_CHECK(lineEnds == kHeaderLines + settings.rows.size());
    FUZZ_CHECK(bytes.ends_with("\r\n"));

    LoaderSettings read;
    std::vector<std::string> badLines;
    ParseLoaderSettings(bytes, read, badLines);
    FUZZ_CHECK(read == SettingsReadBack(settings));
    FUZZ_CHECK(badLines.empty());
    return 0;
}
