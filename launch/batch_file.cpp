#include "launch/batch_file.h"

#include "loadercfg/text_lines.h"

namespace {

constexpr std::string_view kDebugSuffix = "_debug.txt";
constexpr std::string_view kBatchHead = "@echo off";
constexpr std::string_view kBatchTail[] = {"If ERRORLEVEL 0 goto DONE", "pause", ":DONE"};

// cmd expands "%...%", "%0" to "%9" and "%~" even inside quotes, and drops a lone "%".
std::string DoublePercents(std::string_view text) {
    std::string doubled;
    for (char c : text) {
        doubled += c;
        if (c == '%') doubled += '%';
    }
    return doubled;
}

std::string UndoublePercents(std::string_view text) {
    std::string single;
    for (std::size_t i = 0; i < text.size(); ++i) {
        single += text[i];
        if (text[i] == '%' && i + 1 < text.size() && text[i + 1] == '%') ++i;
    }
    return single;
}

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

std::string NotWrittenByMakeBatchMessage(std::string_view path) {
    return "Make Batch would replace " + std::string(path) +
           ", which it did not write. Choose another name.";
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
    // Without /d, cd from another drive changes only that drive's folder.
    std::string text = std::string(kBatchHead) + "\r\ncd /d \"";
    text += DoublePercents(editorFolder);
    text += "\"\r\n";
    text += DoublePercents(commandLine);
    text += " > \"";
    text += DoublePercents(debugFile);
    text += "\"\r\n";
    for (std::string_view line : kBatchTail) (text += line) += "\r\n";
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
    if (folder.size() >= 2 && folder[0] == '/' && (folder[1] == 'd' || folder[1] == 'D') &&
        (folder.size() == 2 || IsBlank(folder[2])))
        folder.remove_prefix(SkipBlanks(folder, 2));
    if (folder.size() >= 2 && folder.front() == '"' && folder.back() == '"')
        folder = folder.substr(1, folder.size() - 2);
    command.cdDirectory = UndoublePercents(folder);
    std::size_t at = 0;
    if (!TakeItem(commandLine, at, false, command.editor) ||
        !TakeItem(commandLine, at, true, command.target))
        return std::nullopt;
    command.editor = UndoublePercents(command.editor);
    command.target = UndoublePercents(command.target);
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

bool IsMakeBatchFile(std::string_view fileBytes) {
    std::string_view rest = fileBytes, line;
    std::vector<std::string_view> lines;
    while (lines.size() <= 6 && NextLine(rest, line)) lines.push_back(line);
    if (lines.size() != 6 || lines[0] != kBatchHead || !lines[1].starts_with("cd ")) return false;
    for (std::size_t i = 0; i < 3; ++i)
        if (lines[3 + i] != kBatchTail[i]) return false;
    return ParseBatchFile(fileBytes).has_value();
}

bool IsMakeBatchMapList(std::string_view fileBytes) {
    std::string_view rest = fileBytes, line;
    bool any = false;
    while (NextLine(rest, line)) {
        // The list shows both numbers; a file without them was not written from it.
        std::size_t at = 0;
        for (int number = 0; number < 2; ++number) {
            const std::size_t start = at;
            at = SkipNumber(line, at);
            if (at == std::string_view::npos || at == start + 1) return false;
        }
        if (at == line.size()) return false;
        any = true;
    }
    return any;
}
