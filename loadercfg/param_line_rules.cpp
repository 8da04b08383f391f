#include "loadercfg/param_line_rules.h"

#include <string_view>

#include "loadercfg/param_entry.h"

namespace {

struct TextField {
    LineField field;
    const char* label;
    const std::string* text;
};

bool HasLineBreak(std::string_view text) {
    return text.find_first_of("\r\n") != std::string_view::npos;
}

}  // namespace

bool IsForbiddenFileNameChar(unsigned ch) {
    return ch < 0x80 &&
           std::string_view("\"*/:<>?\\|").find(static_cast<char>(ch)) != std::string_view::npos;
}

LineProblem CheckParamLine(const ParamLineFields& f) {
    const TextField columns[] = {
        {LineField::FileName, "File Name", &f.fileName},
        {LineField::LevelName, "Level Name", &f.levelName},
        {LineField::GamePath, "Game Path", &f.gamePath},
    };
    for (const TextField& c : columns)
        if (c.text->empty()) return {c.field, kAllFieldsMessage};
    if (f.lvlTypeId == 0) return {LineField::LvlTypeId, kAllFieldsMessage};
    if (f.lvlPrestDef == 0) return {LineField::LvlPrestDef, kAllFieldsMessage};

    for (const TextField& c : columns) {
        if (c.text->find('\t') != std::string::npos || HasLineBreak(*c.text))
            return {c.field, std::string(c.label) +
                                 " holds a tab or a line break. They separate the columns and "
                                 "rows of kelvorn_loader.ini: please remove it."};
        if (c.text->size() > kMaxParamText)
            return {c.field, std::string(c.label) +
                                 " is longer than 127 characters, more than the lookup takes "
                                 "from a row."};
    }
    if (HasLineBreak(f.comments))
        return {LineField::Comments,
                "Comments hold a line break. It separates the rows of kelvorn_loader.ini: "
                "please remove it."};
    return {};
}
