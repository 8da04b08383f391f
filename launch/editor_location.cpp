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
