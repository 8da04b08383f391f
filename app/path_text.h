// Paths as texts, put together. (Compared as the file system compares them: sys/fs.h.)
#pragma once

#include <string>
#include <string_view>

// The folder and a file name of a multiple selection as one path; a folder that already
// ends in a separator (a drive's root) gets no second one.
std::string JoinFolderName(const std::string& folder, const std::string& name);
