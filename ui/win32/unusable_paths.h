// Paths come wide from the system: from the file dialogs, drops and the command line. One
// that the system code page cannot hold could be named neither in our files nor to the
// editor, and must not silently become '?' characters: it is refused, and the paths
// refused at one time are named in one message. The others are taken as usual.
#pragma once

#include <string>
#include <vector>

namespace ui {
class Dialog;
}

namespace ui::win32 {

inline constexpr const wchar_t* kUnusablePathMessage =
    L"This path cannot be used: the system's code page cannot hold all of its characters, so "
    L"the editor could not be given it.";
inline constexpr const wchar_t* kUnusablePathsMessage =
    L"These paths cannot be used: the system's code page cannot hold all of their characters, "
    L"so the editor could not be given them.";

// The exact conversions of `paths`, in order; the ones that have none go to `refused`.
std::vector<std::string> UsablePaths(const std::vector<std::wstring>& paths,
                                     std::vector<std::wstring>& refused);

// The message for `paths`: the sentence, a blank line, then one path a line.
std::wstring UnusablePathsText(const std::vector<std::wstring>& paths);

// Shows that message as an error box owned by `owner` (may be null); nothing when `paths`
// is empty. A test script answers and records it like any other box.
void RefuseUnusablePaths(const Dialog* owner, const std::vector<std::wstring>& paths);

}  // namespace ui::win32
