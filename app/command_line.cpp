#include "app/command_line.h"

CommandLinePaths ParseCommandLinePaths(std::string_view cmdLine, std::size_t maxPaths) {
    CommandLinePaths result;
    std::size_t i = 0;
    while (i < cmdLine.size()) {
        if (cmdLine[i] != '"') {
            ++i;
            continue;
        }
        std::size_t close = cmdLine.find('"', i + 1);
        std::string_view quoted = cmdLine.substr(
            i + 1, close == std::string_view::npos ? std::string_view::npos : close - i - 1);
        i = close == std::string_view::npos ? cmdLine.size() : close + 1;

        std::size_t ext = quoted.find(".ds1");
        if (ext == std::string_view::npos || ext + 4 != quoted.size()) continue;
        if (quoted.size() > kMaxCommandLinePath)
            ++result.tooLong;
        else if (result.paths.size() >= maxPaths)
            ++result.beyondLimit;
        else
            result.paths.emplace_back(quoted);
    }
    return result;
}

std::wstring_view SkipProgramName(std::wstring_view cmdLine) {
    std::size_t i = 0;
    bool inQuotes = false;
    while (i < cmdLine.size() && (cmdLine[i] > L' ' || inQuotes)) {
        if (cmdLine[i] == L'"') inQuotes = !inQuotes;
        ++i;
    }
    while (i < cmdLine.size() && cmdLine[i] <= L' ') ++i;
    return cmdLine.substr(i);
}

std::string ProgramDirectory(const std::optional<std::string>& programFile,
                             const std::optional<std::string>& startDir) {
    if (programFile) {
        std::size_t sep = programFile->find_last_of("\\/");
        if (sep != std::string::npos) return programFile->substr(0, sep + 1);
    }
    if (!startDir || startDir->empty()) return {};
    char last = startDir->back();
    if (last == '\\' || last == '/') return *startDir;
    bool slashes =
        startDir->find('/') != std::string::npos && startDir->find('\\') == std::string::npos;
    return *startDir + (slashes ? '/' : '\\');
}
