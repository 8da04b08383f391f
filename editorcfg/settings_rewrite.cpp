#include "editorcfg/settings_rewrite.h"

#include <new>

#include "loadercfg/text_lines.h"
#include "sys/fs.h"

namespace {

bool EndsKey(char c) {
    return IsBlank(c) || c == ';' || c == '=';
}

// Appends one line, without its line break, to `out` with the new value when it is a setting
// of one of the 29 keys; false, with nothing appended, when it stays as it is. `value` is
// room for the new value, kept from line to line.
bool RewriteLine(std::string_view line, bool hasBreak, int number, const EditorSettings& settings,
                 const RewriteWarner& warn, std::string& value, std::string& out) {
    std::size_t at = SkipBlanks(line, 0);
    if (at == line.size() ? hasBreak : line[at] == ';') return false;  // blank, comment
    std::size_t keyEnd = at;
    while (keyEnd < line.size() && !EndsKey(line[keyEnd])) ++keyEnd;
    std::size_t equals = SkipBlanks(line, keyEnd);
    if (equals == line.size() || line[equals] != '=') {
        std::string text = "Bad Line:\n";
        text.append(std::to_string(number)).append(": ").append(line);
        if (hasBreak) text += '\n';
        warn(text);
        return false;
    }
    const std::string_view key = line.substr(at, keyEnd - at);
    if (!EncodeSetting(settings, key, value)) {
        std::string text = "Unknown setting name ";
        text.append(key).append(" found in kelvorn.ini at line ").append(std::to_string(number));
        warn(text);
        return false;  // a setting of a newer editor, perhaps: keep it
    }
    const std::size_t valueStart = SkipBlanks(line, equals + 1);
    std::size_t valueEnd = std::min(line.find(';', valueStart), line.size());
    // Left alone, an empty value would gain the blanks after its "=" once more on
    // every save.
    if (valueEnd == valueStart && value.empty()) return false;
    // The blanks after the old value go after the new one. For an empty old value they
    // are the blanks after the "=", which then stand on both sides of the new value.
    while (valueEnd > 0 && IsBlank(line[valueEnd - 1])) --valueEnd;
    out += line.substr(0, valueStart);
    out += value;
    out += line.substr(valueEnd);
    return true;
}

}  // namespace

std::string RewriteSettingsText(std::string_view fileBytes, const EditorSettings& settings,
                                const RewriteWarner& warn) {
    std::string out;
    out.reserve(fileBytes.size() + fileBytes.size() / 8);
    std::string value;
    int number = 0;
    std::string_view rest = fileBytes;
    while (!rest.empty()) {
        ++number;
        std::size_t end = rest.find('\n');
        const bool hasBreak = end != std::string_view::npos;
        std::string_view line = rest.substr(0, hasBreak ? end : rest.size());
        rest.remove_prefix(hasBreak ? end + 1 : rest.size());
        // A CR that ends the last line is no part of its value, as the reader sees it; it
        // stays in the file.
        const bool endsInCr = !line.empty() && line.back() == '\r';
        if (endsInCr) line.remove_suffix(1);

        if (!RewriteLine(line, hasBreak, number, settings, warn, value, out)) out += line;
        if (hasBreak)
            out += "\r\n";
        else if (endsInCr)
            out += '\r';
    }
    return out;
}

RewriteResult RewriteEditorSettings(const EditorSettings& settings, const RewriteWarner& warn,
                                    const std::string& path) {
    std::string text;
    try {
        std::string old;
        if (!sys::ReadWholeFile(path, old)) return RewriteResult::CannotRead;
        text = RewriteSettingsText(old, settings, warn);
    } catch (const std::bad_alloc&) {
        return RewriteResult::NoMemory;
    }
    return sys::WriteFileAtomically(path, text) ? RewriteResult::Done : RewriteResult::CannotWrite;
}
