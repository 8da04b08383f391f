// Rewriting kelvorn.ini in place: only the values of setting lines change; comments,
// blanks, the order of lines and lines the loader does not know stay as they were.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "editorcfg/editor_settings.h"

enum class RewriteResult { Done, CannotRead, NoMemory, CannotWrite };

// Warnings about single lines; the rewrite goes on after each.
using RewriteWarner = std::function<void(const std::string& text)>;

// The new text of a file whose bytes are `fileBytes`. CR LF or LF end the lines read;
// CR LF ends the lines written, and a last line without a line break stays without, a CR
// at its end kept. Lines of any length are handled whole. A line that is no setting ("Bad
// Line") and a setting whose key is none of the 29 ("Unknown setting name") are warned
// about and written back unchanged, as is a setting whose old and new values are both empty.
std::string RewriteSettingsText(std::string_view fileBytes, const EditorSettings& settings,
                                const RewriteWarner& warn);

// Reads kelvorn.ini in the working directory (or `path`), rewrites it and replaces it in
// one step: whatever fails, the old file stays byte for byte.
RewriteResult RewriteEditorSettings(const EditorSettings& settings, const RewriteWarner& warn,
                                    const std::string& path = kEditorIniName);
