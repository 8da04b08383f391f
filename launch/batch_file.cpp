#include "launch/batch_file.h"

#include "loadercfg/text_lines.h"

namespace {

constexpr std::string_view kDebugSuffix = "_debug.txt";

// Item `n` of line 3 from `at` on: quoted up to the next quote, which a blank must follow;
// otherwise up to a blank or a tab, or to the end of the line when `lastItem`. `at` moves
// past the blank or tab that ends the item.
bool TakeItem(std::string_view line, std::size_t& at, bool lastItem, std::string& item) {
    if (at < line.size() && line[at] == '"') {
        const std::size_t close = line.find('"', at + 1);
        if (close == std::string_view::npos || close + 1 >= line.size() || line[close + 1] != ' ')
            return false;
        item = line.substr(at + 1, close - at - 1);
        at = close + 2;
        return true;
    }
    std::size_t end = line.find_first_of(" \t", at);
    if (end == std::string_view::npos) {
        if (!lastItem) return false;
        end = line.size();
    }
    item = line.substr(at, end - at);
    at = end + 1;
    return true;
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Past a run of digits and the one blank after it; npos when no blank follows.
std::size_t SkipNumber(std::string_view line, std::size_t at) {
    while (at < line.size() && IsDigit(line[at])) ++at;
    return at < line.size() && line[at] == ' ' ? at + 1 : std::string_view::npos;
}

}  // namespace

std::string CannotWriteMessage(std::string_view path) {
    return "Unable to Open " + std::string(path) + "!";
}

std::string MapListNotFoundMessage(std::string_view name) {
    return "Failed to find " + std::string(name);
}

std::string MapListUnreadableMessage(std::string_view path) {
    return "Failed to open " + std::string(path);
}

std::string_view PathBase(std::string_view path) {
    const std::size_t dot = path.find_last_of(".\\/");
    if (dot == std::string_view::npos || path[dot] != '.') return path;
    return path.substr(0, dot);
}

bool HasBatchExtension(std::string_view path) {
    const std::string_view base = PathBase(path);
    return base.size() < path.size() && SameIgnoringAsciiCase(path.substr(base.size()), ".bat");
}

std::optional<BatchNames> BatchNamesFor(std::string_view chosen) {
    const std::string_view base = PathBase(chosen);
    if (chosen.size() > kMaxBatchName || base.size() + kDebugSuffix.size() > kMaxBatchName)
        return std::nullopt;
    BatchNames names;
    names.base = base;
    names.batchFile = names.base + ".bat";
    names.debugFile = names.base + std::string(kDebugSuffix);
    return names;
}

std::string BatchFileText(std::string_view editorFolder, std::string_view commandLine,
                          std::string_view debugFile) {
    std::string text = "@echo off\r\ncd \"";
    text += editorFolder;
    text += "\"\r\n";
    text += commandLine;
    text += " > \"";
    text += debugFile;
    text += "\"\r\nIf ERRORLEVEL 0 goto DONE\r\npause\r\n:DONE\r\n";
    return text;
}

std::optional<BatchCommand> ParseBatchFile(std::string_view fileBytes) {
    std::string_view rest = fileBytes;
    std::string_view first, cdLine, commandLine;
    if (!NextLine(rest, first) || !NextLine(rest, cdLine) || !NextLine(rest, commandLine))
        return std::nullopt;
    const std::size_t cd = cdLine.find("cd ");
    if (cd == std::string_view::npos) return std::nullopt;

    BatchCommand command;
    std::string_view folder = cdLine.substr(cd + 3);
    if (folder.size() >= 2 && folder.front() == '"' && folder.back() == '"')
        folder = folder.substr(1, folder.size() - 2);
    command.cdDirectory = folder;
    std::size_t at = 0;
    if (!TakeItem(commandLine, at, false, command.editor) ||
        !TakeItem(commandLine, at, true, command.target))
        return std::nullopt;
    return command;
}

bool NamesMapList(std::string_view target) {
    return target.size() >= 4 && SameIgnoringAsciiCase(target.substr(target.size() - 4), ".ini");
}

bool ParseMapList(std::string_view fileBytes, std::vector<std::string>& entries) {
    std::string_view rest = fileBytes;
    std::string_view line;
    while (NextLine(rest, line)) {
        std::size_t at = SkipNumber(line, 0);
        if (at != std::string_view::npos) at = SkipNumber(line, at);
        if (at == std::string_view::npos) return false;
        entries.emplace_back(line.substr(at));
    }
    return true;
}
