// The writer of kelvorn_loader.ini on any settings, line breaks and tabs in the values
// included: the file holds one CR LF line per header line and row and nothing else, and
// reading it gives the settings back with only the writer's blanks in them.
#include <fuzzer/FuzzedDataProvider.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>

#include "fuzz/fuzz_check.h"
#include "fuzz/settings_read_back.h"
#include "loadercfg/loader_settings.h"
#include "sys/fs.h"

namespace {

constexpr std::size_t kHeaderLines = 13;

// A file of this process, in memory where the system offers it: the atomic save flushes.
const std::string& ScratchFile() {
    static const std::string path = [] {
        std::filesystem::path dir = "/dev/shm";
        std::error_code ec;
        if (!std::filesystem::is_directory(dir, ec)) dir = std::filesystem::temp_directory_path();
        return (dir / ("kelvorn-fuzz-" + std::to_string(::getpid()) + ".ini")).string();
    }();
    return path;
}

}  // namespace

// Values with line breaks and tabs for a few rows fit.
extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    return DefaultMaxLen(argc, argv, 1024);
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    LoaderSettings settings;
    settings.editorPath = input.ConsumeRandomLengthString();
    settings.editorName = input.ConsumeRandomLengthString();
    while (input.remaining_bytes() > 0) {
        ParamRow& row = settings.rows.emplace_back();
        for (std::string* column : {&row.fileName, &row.levelName, &row.gamePath, &row.lvlTypeId,
                                    &row.lvlPrestDef, &row.comments})
            *column = input.ConsumeRandomLengthString();
    }

    FUZZ_CHECK(WriteLoaderSettings(settings, ScratchFile()));
    std::string bytes;
    FUZZ_CHECK(sys::ReadWholeFile(ScratchFile(), bytes));
    FUZZ_CHECK(bytes == FormatLoaderSettings(settings));
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
    FUZZ_CHECK(ReadLoaderSettings(read, badLines, ScratchFile()));
    // libFuzzer ends without running exit handlers: leave nothing behind.
    std::remove(ScratchFile().c_str());
    FUZZ_CHECK(read == SettingsReadBack(settings));
    FUZZ_CHECK(badLines.empty());
    return 0;
}
