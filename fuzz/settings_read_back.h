// What a written kelvorn_loader.ini gives when it is read again: the same settings, except
// that the writer puts a blank for each line break in a value and for each tab in one of
// the first five columns of a row, since those would split the line or the row.
#pragma once

#include <string>

#include "loadercfg/loader_settings.h"

inline std::string Blanked(std::string value, bool tabsToo) {
    for (char& c : value)
        if (c == '\r' || c == '\n' || (tabsToo && c == '\t')) c = ' ';
    return value;
}

inline LoaderSettings SettingsReadBack(const LoaderSettings& written) {
    LoaderSettings read;
    read.editorPath = Blanked(written.editorPath, false);
    read.editorName = Blanked(written.editorName, false);
    for (const ParamRow& row : written.rows) {
        read.rows.push_back({Blanked(row.fileName, true), Blanked(row.levelName, true),
                             Blanked(row.gamePath, true), Blanked(row.lvlTypeId, true),
                             Blanked(row.lvlPrestDef, true), Blanked(row.comments, false)});
    }
    return read;
}
