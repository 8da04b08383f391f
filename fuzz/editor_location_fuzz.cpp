// The three readings of the editor's location on any bytes. Run's is found exactly when both
// key lines, each of at most 254 bytes, are in the file; the values are those lines' rest.
// Make Batch's lenient one and Load Batch's folder-only one find what a plain line-by-line
// reading by their rules finds. And all three read back the location the settings editor
// writes.
#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>

#include "fuzz/fuzz_check.h"
#include "fuzz/settings_read_back.h"
#include "launch/editor_location.h"
#include "loadercfg/loader_settings.h"

namespace {

using Lines = std::vector<std::string_view>;

bool HasKeyLine(const Lines& lines, std::string_view key, std::string_view value) {
    return std::any_of(lines.begin(), lines.end(), [&](std::string_view line) {
        return line.size() <= kMaxLocationLine && line.size() == key.size() + value.size() &&
               line.starts_with(key) && line.ends_with(value);
    });
}

bool HasKey(const Lines& lines, std::string_view key) {
    return std::any_of(lines.begin(), lines.end(), [&](std::string_view line) {
        return line.size() <= kMaxLocationLine && line.starts_with(key);
    });
}

// Returns what Run's reading found.
std::optional<EditorLocation> CheckFound(std::string_view text, const Lines& lines) {
    std::optional<EditorLocation> location = FindEditorLocation(text);
    FUZZ_CHECK(location.has_value() ==
               (HasKey(lines, kEditorPathKey) && HasKey(lines, kEditorNameKey)));
    if (!location) return location;
    FUZZ_CHECK(location->folder.size() <= kMaxLocationLine - kEditorPathKey.size());
    FUZZ_CHECK(location->name.size() <= kMaxLocationLine - kEditorNameKey.size());
    FUZZ_CHECK(HasKeyLine(lines, kEditorPathKey, location->folder));
    FUZZ_CHECK(HasKeyLine(lines, kEditorNameKey, location->name));
    return location;
}

std::string_view TrimLeadingBlanks(std::string_view text) {
    return text.substr(std::min(text.find_first_not_of(" \t"), text.size()));
}

// Written apart from the readers' comparison, to judge it.
bool SameLetters(std::string_view text, std::string_view lower) {
    if (text.size() != lower.size()) return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char c = text[i] >= 'A' && text[i] <= 'Z' ? static_cast<char>(text[i] + 32) : text[i];
        if (c != lower[i]) return false;
    }
    return true;
}

// Make Batch's rules, one line at a time: "<blanks>key<blank or tab><blanks>=<blanks>value".
std::optional<EditorLocation> ReadLenient(const Lines& lines) {
    std::optional<std::string_view> folder, name;
    for (std::string_view line : lines) {
        if (line.size() > kMaxLenientLocationLine) continue;
        std::string_view rest = TrimLeadingBlanks(line);
        std::size_t keyEnd = rest.find_first_of(" \t");
        if (rest.starts_with(';') || keyEnd == std::string_view::npos) continue;
        std::string_view key = rest.substr(0, keyEnd);
        rest = TrimLeadingBlanks(rest.substr(keyEnd));
        if (!rest.starts_with('=')) continue;
        std::string_view value = TrimLeadingBlanks(rest.substr(1));
        if (SameLetters(key, "kelvornpath"))
            folder = value;
        else if (SameLetters(key, "kelvornname"))
            name = value;
        if (folder && name) return EditorLocation{std::string(*folder), std::string(*name)};
    }
    return std::nullopt;
}

void CheckLenient(std::string_view text, const Lines& lines, bool exactFound) {
    std::optional<EditorLocation> location = FindEditorLenient(text);
    FUZZ_CHECK(location == ReadLenient(lines));
    // Every exact key line is a lenient one too.
    if (exactFound) FUZZ_CHECK(location.has_value());
    if (!location) return;
    // The shortest key line is the key, a blank and "=".
    FUZZ_CHECK(location->folder.size() <= kMaxLenientLocationLine - 13);
    FUZZ_CHECK(location->name.size() <= kMaxLenientLocationLine - 13);
}

void CheckFolder(std::string_view text, const Lines& lines) {
    std::optional<std::string> folder = FindEditorFolder(text);
    std::optional<std::string> expected;
    for (std::string_view line : lines) {
        if (line.starts_with(';') || line.starts_with("//")) continue;
        if (!line.starts_with(kEditorPathKey)) continue;
        if (line.size() > kEditorPathKey.size())
            expected = std::string(line.substr(kEditorPathKey.size()));
        break;
    }
    FUZZ_CHECK(folder == expected);
    if (folder) FUZZ_CHECK(!folder->empty() && folder->find('\n') == std::string::npos);
}

// The settings as read, written by the settings editor: Run finds their location, unless a
// key line is too long to be read.
void CheckWrittenLocation(std::string_view text) {
    LoaderSettings settings;
    std::vector<std::string> badLines;
    ParseLoaderSettings(text, settings, badLines);
    const std::string path = Blanked(settings.editorPath, false);
    const std::string name = Blanked(settings.editorName, false);
    std::string bytes = FormatLoaderSettings(settings);
    // Load Batch reads a folder of any length; an empty one counts as none.
    FUZZ_CHECK(FindEditorFolder(bytes) == (path.empty() ? std::nullopt : std::optional(path)));
    // Make Batch reads lines one longer than Run, and takes no blanks in front of a value.
    if (kEditorPathKey.size() + path.size() <= kMaxLenientLocationLine &&
        kEditorNameKey.size() + name.size() <= kMaxLenientLocationLine) {
        FUZZ_CHECK(FindEditorLenient(bytes) ==
                   (EditorLocation{std::string(TrimLeadingBlanks(path)),
                                   std::string(TrimLeadingBlanks(name))}));
    }
    if (kEditorPathKey.size() + path.size() > kMaxLocationLine ||
        kEditorNameKey.size() + name.size() > kMaxLocationLine)
        return;
    std::optional<EditorLocation> location = FindEditorLocation(bytes);
    FUZZ_CHECK(location == (EditorLocation{path, name}));
}

}  // namespace

// Key lines of Run's and Make Batch's limits fit several times over.
extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    return DefaultMaxLen(argc, argv, 1024);
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    std::string_view text = AsText(data, size);
    const Lines lines = SplitLines(text);
    const bool exactFound = CheckFound(text, lines).has_value();
    CheckLenient(text, lines, exactFound);
    CheckFolder(text, lines);
    CheckWrittenLocation(text);
    return 0;
}
