// Run's reading of the editor's location from kelvorn_loader.ini: the exact key lines
// "kelvornpath = " and "kelvornname = ", comment lines skipped.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "loadercfg/loader_settings.h"

// Lines longer than this are passed over unread: a value taken from them would be cut.
inline constexpr std::size_t kMaxLocationLine = 254;

inline constexpr const char* kNoFilesMessage = "No Files Added  to List";
inline constexpr const char* kNoLocationMessage =
    "Unable to Find kelvornpath and kelvornname Entry in kelvorn_loader.ini";

struct EditorLocation {
    std::string folder;  // value of kelvornpath, trailing blanks kept
    std::string name;    // value of kelvornname

    bool operator==(const EditorLocation&) const = default;
};

// Both values from the file's bytes (CR LF or LF line ends). The search stops as soon as
// both keys have been seen; a key met again before that replaces its earlier value.
// nullopt when the file ends with one of them, or both, missing.
std::optional<EditorLocation> FindEditorLocation(std::string_view fileBytes);
