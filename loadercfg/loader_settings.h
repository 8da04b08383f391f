// kelvorn_loader.ini as the settings editor sees it: the editor's location and every row
// of the parameter table, read and written whole.
#pragma once

#include <string>
#include <string_view>
#include <vector>

inline constexpr const char* kLoaderIniName = "kelvorn_loader.ini";
inline constexpr const char* kNoLoaderIniMessage = "Unable to Open kelvorn_loader.ini";

// The key lines, exactly: the key, a blank, the equals sign, a blank, then the value.
inline constexpr std::string_view kEditorPathKey = "kelvornpath = ";
inline constexpr std::string_view kEditorNameKey = "kelvornname = ";

// A header line that every reader passes over.
inline bool IsCommentLine(std::string_view line) {
    return line.starts_with(';') || line.starts_with("//");
}

// One line of the [PARAMS] section. The numbers stay as the text found in the file.
struct ParamRow {
    std::string fileName;
    std::string levelName;
    std::string gamePath;
    std::string lvlTypeId;
    std::string lvlPrestDef;
    std::string comments;

    bool operator==(const ParamRow&) const = default;
};

struct LoaderSettings {
    std::string editorPath;  // the editor's folder, normally with a trailing backslash
    std::string editorName;  // the editor's executable file name
    std::vector<ParamRow> rows;

    bool operator==(const LoaderSettings&) const = default;
};

// The file's text for `settings`: the fixed header, then one line per row, CR LF ends.
// A line break inside a value, or a tab inside one of the first five columns, would
// change the rows when the file is read back; each such character is written as a blank.
std::string FormatLoaderSettings(const LoaderSettings& settings);

// Reads the file's text. Lines of the parameter section that are no row go to `badLines`
// whole, in file order.
void ParseLoaderSettings(std::string_view text, LoaderSettings& settings,
                         std::vector<std::string>& badLines);

// Reads the file at `path`. When it cannot be opened or read, returns false with empty
// settings and no bad lines.
bool ReadLoaderSettings(LoaderSettings& settings, std::vector<std::string>& badLines,
                        const std::string& path = kLoaderIniName);

// Replaces the file at `path` in one step; false when it could not be written, and the
// old file is then left as it was.
bool WriteLoaderSettings(const LoaderSettings& settings, const std::string& path = kLoaderIniName);
