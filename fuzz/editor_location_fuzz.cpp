// Run's reading of the editor's location on any bytes: it is found exactly when both key
// lines, each of at most 254 bytes, are in the file; the values are those lines' rest.
// And Run reads back the location the settings editor writes.
#include <algorithm>
#include <cstdint>

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

// The settings as read, written by the settings editor: Run finds their location, unless a
// key line is too long to be read.
void CheckWrittenLocation(std::string_view text) {
    LoaderSettings settings;
    std::vector<std::string> badLines;
    ParseLoaderSettings(text, settings, badLines);
    LoaderSettings written = SettingsReadBack(settings);
    if (kEditorPathKey.size() + written.editorPath.size() > kMaxLocationLine ||
        kEditorNameKey.size() + written.editorName.size() > kMaxLocationLine)
        return;
    std::optional<EditorLocation> location = FindEditorLocation(FormatLoaderSettings(settings));
    FUZZ_CHECK(location == (EditorLocation{written.editorPath, written.editorName}));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    std::string_view text = AsText(data, size);
    CheckFound(text);
    CheckWrittenLocation(text);
    return 0;
}
