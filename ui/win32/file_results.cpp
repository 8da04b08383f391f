#include "ui/win32/file_results.h"

#include <optional>

#include "ui/win32/unusable_paths.h"
#include "ui/win32/wide.h"

namespace ui::win32 {

std::string JoinPath(const std::string& folder, const std::string& name) {
    if (folder.empty() || folder.back() == '\\' || folder.back() == '/') return folder + name;
    return folder + '\\' + name;
}

FileDialogResult ParseFileBuffer(std::wstring_view buffer, bool multiSelect,
                                 std::vector<std::wstring>& refused) {
    // Split at the zeros up to the first empty part (the double zero) or the buffer's end.
    std::vector<std::wstring> parts;
    while (!buffer.empty()) {
        size_t end = buffer.find(L'\0');
        std::wstring_view part = buffer.substr(0, end);
        if (part.empty()) break;
        parts.emplace_back(part);
        if (end == std::wstring_view::npos) break;
        buffer.remove_prefix(end + 1);
        if (!multiSelect) break;
    }
    FileDialogResult result;
    if (parts.size() == 1) {
        result.paths = UsablePaths(parts, refused);
    } else if (parts.size() > 1) {
        // A name is refused with its folder, as the user chose it; so is every name of a
        // folder the code page cannot hold.
        std::optional<std::string> folder = NarrowExact(parts[0]);
        std::wstring wideFolder = parts[0];
        if (wideFolder.back() != L'\\' && wideFolder.back() != L'/') wideFolder += L'\\';
        for (size_t i = 1; i < parts.size(); ++i) {
            std::optional<std::string> name = NarrowExact(parts[i]);
            if (folder && name) {
                result.names.push_back(*name);
                result.paths.push_back(JoinPath(*folder, *name));
            } else {
                refused.push_back(wideFolder + parts[i]);
            }
        }
        if (folder) result.folder = *folder;
    }
    result.confirmed = !result.paths.empty();
    return result;
}

}  // namespace ui::win32
