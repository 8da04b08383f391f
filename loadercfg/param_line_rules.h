// What a row entered in the line dialog must hold before it may go into the table.
#pragma once

#include <cstdint>
#include <string>

inline constexpr const char* kAllFieldsMessage =
    "You must enter a value in all fields except comments";

// The characters a typed file name may not hold: they cannot stand in a file name.
bool IsForbiddenFileNameChar(unsigned ch);

// The six values of one row as the line dialog holds them.
struct ParamLineFields {
    std::string fileName;
    std::string levelName;
    std::string gamePath;
    uint32_t lvlTypeId = 0;
    uint32_t lvlPrestDef = 0;
    std::string comments;
};

enum class LineField { None, FileName, LevelName, GamePath, LvlTypeId, LvlPrestDef, Comments };

struct LineProblem {
    LineField field = LineField::None;  // None: the row may be taken
    std::string message;
};

// The first reason to refuse `fields`: an empty text or a zero number (comments may stay
// empty); a tab or line break that would split the row's columns or the row itself when
// written (a tab is part of the comments column, so only line breaks are refused there);
// a column longer than the lookup takes.
LineProblem CheckParamLine(const ParamLineFields& fields);
