#include "ui/win32/file_results.h"

#include <vector>

#include "ui/win32/wide.h"

namespace ui::win32 {

std::string JoinPath(const std::string& folder, const std::string& name) {
    if (folder.empty() || folder.back() == '\\' || folder.back() == '/') return folder + name;
    return folder + '\\' + name;
}

FileDialogResult ParseFileBuffer(std::wstring_view buffer, bool multiSelect) {
    // Split at the zeros up to the first empty part (the double zero) or the buffer's end.
    std::vector<std::wstring_view> parts;
    while (!buffer.empty()) {
        size_t end = buffer.find(L'\0');
        std::wstring_view part = buffer.substr(0, end);
        if (part.empty()) break;
        parts.push_back(part);
        if (end == std::wstring_view::npos) break;
        buffer.remove_prefix(end + 1);
        if (!multiSelect) break;
    }
    FileDialogResult result;
    if (parts.empty()) return result;
    result.confirmed = true;
    if (parts.size() == 1) {
        result.paths.push_back(Narrow(std::wstring(parts[0])));
        return result;
    }
    result.folder = Narrow(std::wstring(parts[0]));
    for (size_t i = 1; i < parts.size(); ++i) {
        result.names.push_back(Narrow(std::wstring(parts[i])));
        result.paths.push_back(JoinPath(result.folder, result.names.back()));
    }
    return result;
}

}  // namespace ui::win32
