#include "app/path_text.h"

std::string JoinFolderName(const std::string& folder, const std::string& name) {
    bool hasSeparator = !folder.empty() && (folder.back() == '\\' || folder.back() == '/');
    return hasSeparator ? folder + name : folder + '\\' + name;
}
