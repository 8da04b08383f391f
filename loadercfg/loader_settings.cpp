#include "loadercfg/loader_settings.h"

#include "loadercfg/text_lines.h"
#include "sys/fs.h"

namespace {

constexpr std::string_view kParamsTag = "[PARAMS]";

// The fixed header; the two key lines are followed by their values.
constexpr std::string_view kHeader[] = {
    "; put a ; or a // AT THE BEGINNING of a line to comment it out",
    "",
    "; set kelvornpath to the path to Vellamors editor",
    kEditorPathKey,
    "",
    "; set kelvornname to the name of the executable for the editor",
    kEditorNameKey,
    "",
    "; Format of the PARAMS section:",
    "; Filename\tName\tPath\tTypeID\tPrestDEF\tcomments (ignored)",
    "; Each entry MUST be separated by a tab. You can leave away the comment and the tabstop "
    "preceding the comment",
    "",
    kParamsTag,
};

// Appends `value` with line breaks, and tabs when `tabsSplit`, turned into blanks.
void AppendValue(std::string& out, std::string_view value, bool tabsSplit) {
    for (char c : value) {
        bool breaks = c == '\r' || c == '\n' || (tabsSplit && c == '\t');
        out.push_back(breaks ? ' ' : c);
    }
}

// Splits a parameter section line; false when it is no row.
bool ParseRow(std::string_view line, ParamRow& row) {
    std::string* fixed[] = {&row.fileName, &row.levelName, &row.gamePath, &row.lvlTypeId};
    for (std::string* column : fixed) {
        std::size_t tab = line.find('\t');
        if (tab == std::string_view::npos) return false;
        column->assign(line.substr(0, tab));
        line.remove_prefix(tab + 1);
    }
    std::size_t tab = line.find('\t');
    if (tab == std::string_view::npos) {
        row.lvlPrestDef.assign(line);
        row.comments.clear();
    } else {
        row.lvlPrestDef.assign(line.substr(0, tab));
        row.comments.assign(line.substr(tab + 1));
    }
    return true;
}

}  // namespace

std::string FormatLoaderSettings(const LoaderSettings& settings) {
    std::string out;
    for (std::string_view line : kHeader) {
        out.append(line);
        if (line == kEditorPathKey) AppendValue(out, settings.editorPath, false);
        if (line == kEditorNameKey) AppendValue(out, settings.editorName, false);
        out.append("\r\n");
    }
    for (const ParamRow& row : settings.rows) {
        const std::string* columns[] = {&row.fileName, &row.levelName, &row.gamePath,
                                        &row.lvlTypeId, &row.lvlPrestDef};
        for (const std::string* column : columns) {
            if (column != columns[0]) out.push_back('\t');
            AppendValue(out, *column, true);
        }
        if (!row.comments.empty()) {
            out.push_back('\t');
            AppendValue(out, row.comments, false);
        }
        out.append("\r\n");
    }
    return out;
}

void ParseLoaderSettings(std::string_view text, LoaderSettings& settings,
                         std::vector<std::string>& badLines) {
    settings = LoaderSettings{};
    badLines.clear();
    std::string_view line;
    bool inParams = false;
    while (NextLine(text, line)) {
        if (!inParams) {
            if (line.starts_with(kParamsTag)) {
                inParams = true;
            } else if (IsCommentLine(line)) {
                continue;
            } else if (line.starts_with(kEditorPathKey)) {
                settings.editorPath.assign(line.substr(kEditorPathKey.size()));
            } else if (line.starts_with(kEditorNameKey)) {
                settings.editorName.assign(line.substr(kEditorNameKey.size()));
            }
            continue;
        }
        ParamRow row;
        if (ParseRow(line, row))
            settings.rows.push_back(std::move(row));
        else
            badLines.emplace_back(line);
    }
}

bool ReadLoaderSettings(LoaderSettings& settings, std::vector<std::string>& badLines,
                        const std::string& path) {
    std::string bytes;
    if (!sys::ReadWholeFile(path, bytes)) {
        settings = LoaderSettings{};
        badLines.clear();
        return false;
    }
    ParseLoaderSettings(bytes, settings, badLines);
    return true;
}

bool WriteLoaderSettings(const LoaderSettings& settings, const std::string& path) {
    return sys::WriteFileAtomically(path, FormatLoaderSettings(settings));
}
