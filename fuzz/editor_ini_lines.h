// kelvorn.ini read plainly, one line at a time, so that the harnesses can judge the reader
// and the rewriter: what kind each line is and the parts of a setting line.
#pragma once

#include <string_view>

#include "editorcfg/editor_settings.h"
#include "fuzz/fuzz_check.h"

enum class IniLineKind { Blank, Comment, Setting, Bad };

// "<blanks>key<blanks>=<blanks>value<blanks>;comment", positions within the line.
struct IniSetting {
    std::string_view key;        // up to the first blank, tab, ";" or "="
    std::size_t valueStart = 0;  // behind "=" and the blanks after it
    std::string_view value;      // up to ";" or the line's end, trailing blanks gone
    std::size_t tailStart = 0;   // the first ";" from valueStart on, or the line's end
};

inline std::string_view TrimIniBlanksEnd(std::string_view text) {
    std::size_t last = text.find_last_not_of(" \t");
    return text.substr(0, last == std::string_view::npos ? 0 : last + 1);
}

inline std::size_t SkipIniBlanks(std::string_view line, std::size_t at) {
    std::size_t next = line.find_first_not_of(" \t", at);
    return next == std::string_view::npos ? line.size() : next;
}

// A line of blanks only is blank when a line break ends it; the file's last line without
// one is a bad line.
inline IniLineKind ReadIniLine(std::string_view line, bool hasBreak, IniSetting& setting) {
    std::size_t at = SkipIniBlanks(line, 0);
    if (at == line.size()) return hasBreak ? IniLineKind::Blank : IniLineKind::Bad;
    if (line[at] == ';') return IniLineKind::Comment;
    std::size_t keyEnd = std::min(line.find_first_of(" \t;=", at), line.size());
    std::size_t equals = SkipIniBlanks(line, keyEnd);
    if (equals == line.size() || line[equals] != '=') return IniLineKind::Bad;
    setting.key = line.substr(at, keyEnd - at);
    setting.valueStart = SkipIniBlanks(line, equals + 1);
    setting.tailStart = std::min(line.find(';', setting.valueStart), line.size());
    setting.value =
        TrimIniBlanksEnd(line.substr(setting.valueStart, setting.tailStart - setting.valueStart));
    return IniLineKind::Setting;
}

// Whether the file's lines end in a line break: all do but a last one without.
inline bool LineHasBreak(std::string_view text, std::size_t index, std::size_t count) {
    return index + 1 < count || text.ends_with('\n');
}

inline const SettingKey* FindIniKey(std::string_view name) {
    for (const SettingKey& key : kSettingKeys)
        if (key.name == name) return &key;
    return nullptr;
}
