// Which program file Run starts. Given a bare name, the system would look in the loader's
// own folder before the current one, so an old copy beside the loader would run instead of
// the editor the settings name; the file in the editor folder is named to it outright.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

// The file `name` in `folder` (".exe" added when the name has no extension, as the system
// adds it), when `name` holds no folder of its own and `isFile` finds that file there;
// else nullopt, and the system searches as it always has (a name on the PATH still works).
std::optional<std::string> EditorProgramFile(std::string_view folder, std::string_view name,
                                             const std::function<bool(const std::string&)>& isFile);
