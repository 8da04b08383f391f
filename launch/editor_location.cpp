#include "launch/editor_location.h"

#include "loadercfg/text_lines.h"

namespace {

constexpr std::string_view kPathKey = "kelvornpath = ";
constexpr std::string_view kNameKey = "kelvornname = ";

bool IsComment(std::string_view line) {
    return line.starts_with(";") || line.starts_with("//");
}

}  // namespace

std::optional<EditorLocation> FindEditorLocation(std::string_view fileBytes) {
    EditorLocation location;
    bool havePath = false;
    bool haveName = false;
    std::string_view rest = fileBytes;
    std::string_view line;
    while (NextLine(rest, line)) {
        if (line.size() > kMaxLocationLine || IsComment(line)) continue;
        if (line.starts_with(kPathKey)) {
            location.folder = line.substr(kPathKey.size());
            havePath = true;
        } else if (line.starts_with(kNameKey)) {
            location.name = line.substr(kNameKey.size());
            haveName = true;
        } else {
            continue;
        }
        if (havePath && haveName) return location;
    }
    return std::nullopt;
}
