// Load Batch's readers on any bytes, taken both as a batch file and as a map list file: each
// finds exactly what a plain line-by-line reading finds. What they read, written again by
// Make Batch's writers, reads back the same. And the names Make Batch derives from the
// bytes' first line, as a chosen path, keep within their buffers.
#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>

#include "fuzz/fuzz_check.h"
#include "launch/batch_file.h"
#include "launch/editor_command.h"

namespace {

bool IsDigits(std::string_view text) {
    return text.find_first_not_of("0123456789") == std::string_view::npos;
}

// One item of a batch file's third line, from the start of `rest`; `rest` is left behind the
// blank or tab that ends it. The last item may also end with the line.
std::optional<std::string_view> ReadItem(std::string_view& rest, bool last) {
    if (rest.starts_with('"')) {
        std::size_t close = rest.find('"', 1);
        if (close == std::string_view::npos || rest.substr(close + 1, 1) != " ")
            return std::nullopt;
        std::string_view item = rest.substr(1, close - 1);
        rest.remove_prefix(close + 2);
        return item;
    }
    std::size_t end = rest.find_first_of(" \t");
    if (end == std::string_view::npos && !last) return std::nullopt;
    std::string_view item = rest.substr(0, end);
    rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
    return item;
}

// cmd's reading of a batch file's "%%": one "%"; a lone "%" stays.
std::string SinglePercents(std::string_view text) {
    std::string single(text);
    for (std::size_t at = 0; (at = single.find("%%", at)) != std::string::npos; ++at)
        single.erase(at, 1);
    return single;
}

using Lines = std::vector<std::string_view>;

std::optional<BatchCommand> ReadBatchLines(const Lines& lines) {
    if (lines.size() < 3) return std::nullopt;
    std::size_t cd = lines[1].find("cd ");
    if (cd == std::string_view::npos) return std::nullopt;
    std::string_view folder = lines[1].substr(cd + 3);
    // "cd /d" and blanks before the folder, or plain "cd" in older files.
    if ((folder.starts_with("/d") || folder.starts_with("/D")) &&
        (folder.size() == 2 || folder[2] == ' ' || folder[2] == '\t'))
        folder.remove_prefix(std::min(folder.size(), folder.find_first_not_of(" \t", 2)));
    if (folder.size() >= 2 && folder.starts_with('"') && folder.ends_with('"'))
        folder = folder.substr(1, folder.size() - 2);
    std::string_view rest = lines[2];
    std::optional<std::string_view> editor = ReadItem(rest, false);
    if (!editor) return std::nullopt;
    std::optional<std::string_view> target = ReadItem(rest, true);
    if (!target) return std::nullopt;
    return BatchCommand{SinglePercents(folder), SinglePercents(*editor), SinglePercents(*target)};
}

// The shape "<digits> <digits> <path>", counted in characters rather than scanned.
std::optional<std::string_view> MapPathOf(std::string_view line) {
    for (int number = 0; number < 2; ++number) {
        std::size_t blank = line.find(' ');
        if (blank == std::string_view::npos || !IsDigits(line.substr(0, blank)))
            return std::nullopt;
        line.remove_prefix(blank + 1);
    }
    return line;
}

std::string Quoted(std::string_view text) {
    return "\"" + std::string(text) + "\"";
}

// Make Batch writes line 3 through the command line builder, with the editor and the map
// quoted: read again, the batch file gives what was written, the map relative to the cd
// folder when it lies inside it. Names with a double quote cannot be quoted, and no file or
// folder name holds one.
void CheckBatchWrittenBack(const BatchCommand& read) {
    if (read.editor.find('"') != std::string::npos || read.target.find('"') != std::string::npos)
        return;
    CommandRequest request;
    request.editorFolder = read.cdDirectory;
    request.editorName = read.editor;
    request.rows.push_back({read.target, "1", "4294967295"});
    EditorCommand command = ComposeEditorCommand(request);
    // No switches: the two items and the two numbers.
    std::string line = Quoted(read.editor) + " " +
                       Quoted(StripEditorFolder(read.target, read.cdDirectory)) + " 1 4294967295";
    FUZZ_CHECK(command.Refused() == (line.size() > kMaxCommandLine));
    if (command.Refused()) return;
    FUZZ_CHECK(command.commandLine == line);
    std::string debugFile = StripEditorFolder(read.cdDirectory + "m_debug.txt", read.cdDirectory);
    std::optional<BatchCommand> again =
        ParseBatchFile(BatchFileText(read.cdDirectory, command.commandLine, debugFile));
    FUZZ_CHECK(again.has_value());
    FUZZ_CHECK(again->cdDirectory == read.cdDirectory);
    FUZZ_CHECK(again->editor == read.editor);
    FUZZ_CHECK(again->target == StripEditorFolder(read.target, read.cdDirectory));
}

// Returns what the reader found.
std::optional<BatchCommand> CheckBatch(std::string_view text, const Lines& lines) {
    std::optional<BatchCommand> command = ParseBatchFile(text);
    std::optional<BatchCommand> expected = ReadBatchLines(lines);
    FUZZ_CHECK(command.has_value() == expected.has_value());
    if (!command) return command;
    FUZZ_CHECK(command->cdDirectory == expected->cdDirectory);
    FUZZ_CHECK(command->editor == expected->editor);
    FUZZ_CHECK(command->target == expected->target);
    CheckBatchWrittenBack(*command);
    return command;
}

// The map list writer on the entries read, each row with numbers as the list shows them:
// the same entries come back, relative to `folder` where they lie inside it.
void CheckMapListWrittenBack(const std::vector<std::string>& entries, std::string_view folder) {
    std::vector<MapRow> rows;
    for (const std::string& entry : entries)
        rows.push_back({entry, std::to_string(rows.size()), rows.size() % 2 ? "" : "7"});
    std::vector<std::string> again;
    FUZZ_CHECK(ParseMapList(MapListText(rows, folder), again));
    FUZZ_CHECK(again.size() == entries.size());
    for (std::size_t i = 0; i < entries.size(); ++i)
        FUZZ_CHECK(again[i] == StripEditorFolder(entries[i], folder));
}

void CheckMapList(std::string_view text, const Lines& lines, std::string_view folder) {
    // Entries are appended: what the list held stays in front.
    std::vector<std::string> entries{"held"};
    bool whole = ParseMapList(text, entries);
    FUZZ_CHECK(!entries.empty() && entries.front() == "held");
    entries.erase(entries.begin());

    std::size_t good = 0;
    while (good < lines.size() && MapPathOf(lines[good])) ++good;
    FUZZ_CHECK(whole == (good == lines.size()));
    FUZZ_CHECK(entries.size() == good);
    for (std::size_t i = 0; i < good; ++i) FUZZ_CHECK(entries[i] == *MapPathOf(lines[i]));
    CheckMapListWrittenBack(entries, folder);
}

void CheckNames(std::string_view chosen) {
    constexpr std::string_view kDebugSuffix = "_debug.txt";
    std::optional<BatchNames> names = BatchNamesFor(chosen);
    std::string_view base = PathBase(chosen);
    FUZZ_CHECK(chosen.starts_with(base));
    if (base.size() < chosen.size()) {
        // Only the last extension goes, and never a dot of a folder name.
        std::string_view extension = chosen.substr(base.size());
        FUZZ_CHECK(extension.starts_with('.'));
        FUZZ_CHECK(extension.find_first_of(".\\/", 1) == std::string_view::npos);
    } else {
        FUZZ_CHECK(chosen.substr(chosen.find_last_of("\\/") + 1).find('.') ==
                   std::string_view::npos);
    }
    FUZZ_CHECK(names.has_value() == (chosen.size() <= kMaxBatchName &&
                                     base.size() + kDebugSuffix.size() <= kMaxBatchName));
    if (!names) return;
    FUZZ_CHECK(names->base == base);
    FUZZ_CHECK(names->batchFile == names->base + ".bat");
    FUZZ_CHECK(names->debugFile == names->base + std::string(kDebugSuffix));
    for (const std::string* name : {&names->base, &names->batchFile, &names->debugFile})
        FUZZ_CHECK(name->size() <= kMaxBatchName);
    FUZZ_CHECK(HasBatchExtension(names->batchFile) && PathBase(names->batchFile) == names->base);
}

}  // namespace

// A first line, a command line and a map list line over their 511-byte limits fit.
extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    return DefaultMaxLen(argc, argv, 1024);
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    std::string_view text = AsText(data, size);
    const Lines lines = SplitLines(text);
    std::optional<BatchCommand> command = CheckBatch(text, lines);
    CheckMapList(text, lines,
                 command ? std::string_view(command->cdDirectory) : std::string_view());
    CheckNames(lines.empty() ? std::string_view() : lines.front());
    return 0;
}
