#include "launch/editor_location.h"

#include "loadercfg/loader_settings.h"
#include "loadercfg/text_lines.h"

std::optional<EditorLocation> FindEditorLocation(std::string_view fileBytes) {
    EditorLocation location;
    bool havePath = false;
    bool haveName = false;
    std::string_view rest = fileBytes;
    std::string_view line;
    while (NextLine(rest, line)) {
        if (line.size() > kMaxLocationLine || IsCommentLine(line)) continue;
        if (line.starts_with(kEditorPathKey)) {
            location.folder = line.substr(kEditorPathKey.size());
            havePath = true;
        } else if (line.starts_with(kEditorNameKey)) {
            location.name = line.substr(kEditorNameKey.size());
            haveName = true;
        } else {
            continue;
        }
        if (havePath && haveName) return location;
    }
    return std::nullopt;
}

namespace {

// "  Key \t=  value": the key, and the value with its trailing blanks; false for a comment or
// a line of another shape.
bool SplitLenientKeyLine(std::string_view line, std::string_view& key, std::string_view& value) {
    const std::size_t start = SkipBlanks(line, 0);
    if (start < line.size() && line[start] == ';') return false;
    std::size_t end = start;
    while (end < line.size() && !IsBlank(line[end])) ++end;
    if (end == line.size()) return false;
    const std::size_t equals = SkipBlanks(line, end);
    if (equals == line.size() || line[equals] != '=') return false;
    key = line.substr(start, end - start);
    value = line.substr(SkipBlanks(line, equals + 1));
    return true;
}

}  // namespace

std::optional<EditorLocation> FindEditorLenient(std::string_view fileBytes) {
    EditorLocation location;
    bool havePath = false;
    bool haveName = false;
    std::string_view rest = fileBytes;
    std::string_view line, key, value;
    while (NextLine(rest, line)) {
        if (line.size() > kMaxLenientLocationLine || !SplitLenientKeyLine(line, key, value))
            continue;
        if (SameIgnoringAsciiCase(key, "kelvornpath")) {
            location.folder = value;
            havePath = true;
        } else if (SameIgnoringAsciiCase(key, "kelvornname")) {
            location.name = value;
            haveName = true;
        } else {
            continue;
        }
        if (havePath && haveName) return location;
    }
    return std::nullopt;
}

std::optional<std::string> FindEditorFolder(std::string_view fileBytes) {
    std::string_view rest = fileBytes;
    std::string_view line;
    while (NextLine(rest, line)) {
        if (IsCommentLine(line) || !line.starts_with(kEditorPathKey)) continue;
        line.remove_prefix(kEditorPathKey.size());
        if (line.empty()) return std::nullopt;
        return std::string(line);
    }
    return std::nullopt;
}
