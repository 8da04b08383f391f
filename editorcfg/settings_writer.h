// Writing kelvorn.ini afresh: the 29 setting lines in fifteen groups, with or without the
// fifteen standard comment blocks. The text is what the editor's users have always had,
// byte for byte, with CR LF line ends.
#pragma once

#include <string>

#include "editorcfg/editor_settings.h"

// The whole file for `mode` RemoveComments or StandardComments.
std::string FormatEditorSettings(const EditorSettings& settings, CommentMode mode);

// Replaces kelvorn.ini in the working directory (or `path`) in one step; false when it
// could not be written, and the old file is then as it was.
bool WriteEditorSettings(const EditorSettings& settings, CommentMode mode,
                         const std::string& path = kEditorIniName);
