// Reading what the common open and save dialogs leave in their file buffer.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "ui/types.h"

namespace ui::win32 {

// One file: its full path, then a zero. Several files (multiple selection only): the
// folder, then each bare name, each followed by a zero, and a final zero. A path the code
// page cannot hold goes to `refused`, whole; confirmed when any path is left.
FileDialogResult ParseFileBuffer(std::wstring_view buffer, bool multiSelect,
                                 std::vector<std::wstring>& refused);

// folder + '\' + name, without doubling a separator the folder already ends with (a
// drive's root comes back as "C:\").
std::string JoinPath(const std::string& folder, const std::string& name);

}  // namespace ui::win32
