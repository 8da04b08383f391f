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

bool HasKeyLine(const std::vector<std::string_view>& lines, std::string_view key,
                std::string_view value) {
    return std::any_of(lines.begin(), lines.end(), [&](std::string_view line) {
        return line.size() <= kMaxLocationLine && line.size() == key.size() + value.size() &&
               line.starts_with(key) && line.ends_with(value);
    });
}

bool HasKey(const std::vector<std::string_view>& lines, std::string_view key) {
    return std::any_of(lines.begin(), lines.end(), [&](std::string_view line) {
        return line.size() <= kMaxLocationLine && line.starts_with(key);
    });
}

void CheckFound(std::string_view text) {
    std::optional<EditorLocation> location = FindEditorLocation(text);
    std::vector<std::string_view> lines = SplitLines(text);
    FUZZ_CHECK(location.has_value() ==
               (HasKey(lines, kEditorPathKey) && HasKey(lines, kEditorNameKey)));
    if (!location) return;
    FUZZ_CHECK(location->folder.size() <= kMaxLocationLine - kEditorPathKey.size());
    FUZZ_CHECK(location->name.size() <= kMaxLocationLine - kEditorNameKey.size());
    FUZZ_CHECK(HasKeyLine(lines, kEditorPathKey, location->folder));
    FUZZ_CHECK(HasKeyLine(lines, kEditorNameKey, location->name));
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
std::optional<EditorLocation> ReadLenient(std::string_view text) {
    std::optional<std::string_view> folder, name;
    for (std::string_view line : SplitLines(text)) {
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

void CheckLenient(std::string_view text) {
    std::optional<EditorLocation> location = FindEditorLenient(text);
    FUZZ_CHECK(location == ReadLenient(text));
    // Every exact key line is a lenient one too.
    if (FindEditorLocation(text)) FUZZ_CHECK(location.has_value());
    if (!location) return;
    // The shortest key line is the key, a blank and "=".
    FUZZ_CHECK(location->folder.size() <= kMaxLenientLocationLine - 13);
    FUZZ_CHECK(location->name.size() <= kMaxLenientLocationLine - 13);
}

void CheckFolder(std::string_view text) {
    std::optional<std::string> folder = FindEditorFolder(text);
    std::optional<std::string> expected;
    for (std::string_view line : SplitLines(text)) {
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
    LoaderSettings written = SettingsReadBack(settings);
    std::string bytes = FormatLoaderSettings(settings);
    // Load Batch reads a folder of any length; an empty one counts as none.
    FUZZ_CHECK(FindEditorFolder(bytes) ==
               (written.editorPath.empty() ? std::nullopt : std::optional(written.editorPath)));
    // Make Batch reads lines one longer than Run, and takes no blanks in front of a value.
    if (kEditorPathKey.size() + written.editorPath.size() <= kMaxLenientLocationLine &&
        kEditorNameKey.size() + written.editorName.size() <= kMaxLenientLocationLine) {
        FUZZ_CHECK(FindEditorLenient(bytes) ==
                   (EditorLocation{std::string(TrimLeadingBlanks(written.editorPath)),
                                   std::string(TrimLeadingBlanks(written.editorName))}));
    }
    if (kEditorPathKey.size() + written.editorPath.size() > kMaxLocationLine ||
        kEditorNameKey.size() + written.editorName.size() > kMaxLocationLine)
        return;
    std::optional<EditorLocation> location = FindEditorLocation(bytes);
    FUZZ_CHECK(location == (EditorLocation{written.editorPath, written.editorName}));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    std::string_view text = AsText(data, size);
    CheckFound(text);
    CheckLenient(text);
    CheckFolder(text);
    CheckWrittenLocation(text);
    return 0;
}
