// The editor's location in kelvorn_loader.ini, as each command reads it: Run takes only the
// exact key lines "kelvornpath = " and "kelvornname = "; Make Batch is lenient about blanks,
// tabs and letter case; Load Batch wants only the folder, from an exact line.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "loadercfg/loader_settings.h"

// Lines longer than these are passed over unread: a value taken from them would be cut.
inline constexpr std::size_t kMaxLocationLine = 254;
inline constexpr std::size_t kMaxLenientLocationLine = 255;

inline constexpr const char* kNoFilesMessage = "No Files Added  to List";
inline constexpr const char* kNoLocationMessage =
    "Unable to Find kelvornpath and kelvornname Entry in kelvorn_loader.ini";
inline constexpr const char* kNoEditorFolderMessage =
    "Unable to Find kelvornpath Entry in kelvorn_loader.ini";
// Followed by the folder.
inline constexpr const char* kEditorFolderMissingMessage = "Unable to Open Editor Folder ";

struct EditorLocation {
    std::string folder;  // value of kelvornpath, trailing blanks kept
    std::string name;    // value of kelvornname

    bool operator==(const EditorLocation&) const = default;
};

// Both values from the file's bytes (CR LF or LF line ends). The search stops as soon as
// both keys have been seen; a key met again before that replaces its earlier value.
// nullopt when the file ends with one of them, or both, missing.
std::optional<EditorLocation> FindEditorLocation(std::string_view fileBytes);

// As FindEditorLocation, but a key line may be indented, written in any letter case and
// have any blanks and tabs around "=", which must follow at least one of them. Only ";"
// marks a comment; lines over kMaxLenientLocationLine characters are passed over.
std::optional<EditorLocation> FindEditorLenient(std::string_view fileBytes);

// The value of the first exact "kelvornpath = " line that is no comment, of any length;
// nullopt when there is none or its value is empty.
std::optional<std::string> FindEditorFolder(std::string_view fileBytes);
