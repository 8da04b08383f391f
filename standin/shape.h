// Recognises the editor's three command-line shapes and describes what they ask for, as
// report lines for standard output.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace standin {

struct FileAccess {
    // Whole file as bytes, nullopt when it cannot be read.
    std::function<std::optional<std::string>(const std::string& path)> read;
    std::function<bool(const std::string& path)> exists;
};

struct ShapeReport {
    std::string shape;               // "one map", "one map, forced .dt1", "map list"
    std::vector<std::string> lines;  // what the command line asks for, one item a line
    std::string problem;             // empty when the command line is understood
};

// `args` without the program name.
ShapeReport RecogniseShape(const std::vector<std::string>& args, const FileAccess& files);

}  // namespace standin
