// Paths as texts: compared as the file system compares them, and put together.
#pragma once

#include <string>
#include <string_view>

// True when `a` and `b` are the same text ignoring letter case. UTF-8 sequences are
// compared whole, by code point; letters of the Latin, Greek and Cyrillic alphabets fold
// to lower case. Bytes that are no valid UTF-8 compare as they are.
bool SamePathIgnoringCase(std::string_view a, std::string_view b);

// The folder and a file name of a multiple selection as one path; a folder that already
// ends in a separator (a drive's root) gets no second one.
std::string JoinFolderName(const std::string& folder, const std::string& name);
