#include "launch/editor_program.h"

namespace {

#ifdef _WIN32
constexpr char kSeparator = '\\';
#else
constexpr char kSeparator = '/';  // where the native tests run
#endif

}  // namespace

std::optional<std::string> EditorProgramFile(
    std::string_view folder, std::string_view name,
    const std::function<bool(const std::string&)>& isFile) {
    if (folder.empty() || name.empty() || name.find_first_of("\\/:") != std::string_view::npos)
        return std::nullopt;
    std::string path(folder);
    if (!path.ends_with('\\') && !path.ends_with('/')) path += kSeparator;
    path += name;
    if (name.find('.') == std::string_view::npos) path += ".exe";
    if (!isFile(path)) return std::nullopt;
    return path;
}
