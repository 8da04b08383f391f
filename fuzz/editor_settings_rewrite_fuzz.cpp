// The in-place rewrite of kelvorn.ini on any bytes, once with the values read from the file
// itself and once with new values taken from the input.
// Every line keeps its place; every line break is written CR LF, a last line without one
// stays without, a lone CR at its end included. A line changes only when it is a setting of
// one of the 29 keys whose value is not already the new value as the writers spell it, and
// then only in its value: what stands before the value and the comment after it stay.
// So with the file's own values the file comes back byte for byte, bare LF written as CR LF,
// unless one of its setting lines spells a value otherwise than the writers do: a key given
// again with another value (the reader takes the first), a number with leading zeros or
// one the reader refuses, a flag other than YES or NO, an unlisted depth or zoom, a gamma
// longer than four characters, or an empty value where the key has one elsewhere. Those
// lines, and only those, take the value read.
// Reading the file rewritten with new values gives those values for every key that has a
// setting line, and the old ones for the others. Each bad line and each setting of an
// unknown key is warned about once, with its number.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "editorcfg/settings_reader.h"
#include "editorcfg/settings_rewrite.h"
#include "fuzz/editor_ini_lines.h"
#include "sys/registry.h"

namespace {

// Whether `out` is `text` with a CR put before each LF that has none.
bool IsWithCrLf(std::string_view out, std::string_view text) {
    std::size_t at = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) {
            if (at == out.size() || out[at++] != '\r') return false;
        }
        if (at == out.size() || out[at++] != text[i]) return false;
    }
    return at == out.size();
}

// Whether `text` is `parts` one after the other.
bool IsJoined(std::string_view text, std::initializer_list<std::string_view> parts) {
    for (std::string_view part : parts) {
        if (!text.starts_with(part)) return false;
        text.remove_prefix(part.size());
    }
    return text.empty();
}

// One line of the file as read plainly; the same for both rewrites.
struct LineReading {
    std::string_view line;
    bool hasBreak = false;
    IniLineKind kind = IniLineKind::Blank;
    IniSetting setting;
    const SettingKey* key = nullptr;  // a setting of one of the 29 keys
    bool warned = false;              // a bad line, or a setting of an unknown key
};

std::vector<LineReading> ReadLines(std::string_view text) {
    const std::vector<std::string_view> lines = SplitLines(text);
    std::vector<LineReading> read(lines.size());
    for (std::size_t i = 0; i < lines.size(); ++i) {
        LineReading& r = read[i];
        r.line = lines[i];
        r.hasBreak = LineHasBreak(text, i, lines.size());
        r.kind = ReadIniLine(r.line, r.hasBreak, r.setting);
        if (r.kind == IniLineKind::Setting) r.key = FindIniKey(r.setting.key);
        r.warned = r.kind == IniLineKind::Bad || (r.kind == IniLineKind::Setting && !r.key);
    }
    return read;
}

// Whether `warning` is what the rewrite says about the line with this index.
bool IsWarningFor(const std::string& warning, const LineReading& r, std::size_t index) {
    const std::string number = std::to_string(index + 1);
    if (r.kind == IniLineKind::Bad)
        return IsJoined(warning, {"Bad Line:\n", number, ": ", r.line, r.hasBreak ? "\n" : ""});
    return IsJoined(warning, {"Unknown setting name ", r.setting.key,
                              " found in kelvorn.ini at line ", number});
}

// The lines of the rewrite's result, with the checks on how they end: every line break is
// CR LF, and the result ends as the file did, with a line break, a lone CR or neither.
std::vector<std::string_view> WrittenLines(std::string_view text, std::string_view out) {
    const bool finalCr = !text.ends_with('\n') && text.ends_with('\r');
    FUZZ_CHECK(!finalCr || out.ends_with('\r'));
    if (finalCr) {
        out.remove_suffix(1);
        text.remove_suffix(1);
    }
    FUZZ_CHECK(out.ends_with('\n') == text.ends_with('\n'));
    std::vector<std::string_view> lines;
    lines.reserve(static_cast<std::size_t>(std::count(out.begin(), out.end(), '\n')) + 1);
    for (std::size_t end = out.find('\n'); end != std::string_view::npos; end = out.find('\n')) {
        std::string_view line = out.substr(0, end);
        FUZZ_CHECK(line.ends_with('\r'));
        line.remove_suffix(1);
        lines.push_back(line);
        out.remove_prefix(end + 1);
    }
    // The last line without a line break; it is empty only when a lone CR was all of it.
    if (!out.empty() || finalCr) lines.push_back(out);
    return lines;
}

// Rewrites `text` with `settings`, checks the result line by line and returns it.
std::string CheckRewrite(std::string_view text, const std::vector<LineReading>& in,
                         const EditorSettings& settings) {
    // Each warning is checked as it comes, against the next line that gives one.
    std::size_t next = 0;
    auto skipToWarned = [&] {
        while (next < in.size() && !in[next].warned) ++next;
    };
    std::string out = RewriteSettingsText(text, settings, [&](const std::string& warning) {
        skipToWarned();
        FUZZ_CHECK(next < in.size());
        FUZZ_CHECK(IsWarningFor(warning, in[next], next));
        ++next;
    });
    skipToWarned();
    FUZZ_CHECK(next == in.size());
    std::vector<std::string_view> written = WrittenLines(text, out);
    FUZZ_CHECK(written.size() == in.size());

    bool changed = false;
    std::string value;
    for (std::size_t i = 0; i < in.size(); ++i) {
        const LineReading& r = in[i];
        if (r.key) FUZZ_CHECK(EncodeSetting(settings, r.key->name, value));
        if (!r.key || r.setting.value == value) {
            FUZZ_CHECK(written[i] == r.line);
        } else {
            changed = true;
            IniSetting now;
            FUZZ_CHECK(ReadIniLine(written[i], r.hasBreak, now) == IniLineKind::Setting);
            FUZZ_CHECK(now.key == r.setting.key && now.value == TrimIniBlanksEnd(value));
            FUZZ_CHECK(written[i].starts_with(r.line.substr(0, r.setting.valueStart)));
            FUZZ_CHECK(written[i].ends_with(r.line.substr(r.setting.tailStart)));
        }
    }
    if (!changed) FUZZ_CHECK(IsWithCrLf(out, text));
    return out;
}

// A value the reader gives back as it was written: no comment mark, no line break, no blank
// at either end.
std::string CleanText(FuzzedDataProvider& input) {
    std::string text = input.ConsumeRandomLengthString(64);
    std::erase_if(text, [](char c) { return c == ';' || c == '\r' || c == '\n'; });
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.pop_back();
    std::size_t first = text.find_first_not_of(" \t");
    return text.substr(first == std::string::npos ? text.size() : first);
}

template <typename List>
std::string OneOf(FuzzedDataProvider& input, const List& list) {
    return std::string(list[input.ConsumeIntegralInRange<std::size_t>(0, list.size() - 1)]);
}

EditorSettings NewSettings(FuzzedDataProvider& input) {
    EditorSettings s;
    for (const SettingKey& key : kSettingKeys) {
        if (auto text = std::get_if<std::string EditorSettings::*>(&key.field))
            s.*(*text) = CleanText(input);
        else if (auto number = std::get_if<int32_t EditorSettings::*>(&key.field))
            s.*(*number) = input.ConsumeIntegral<int32_t>();
        else
            s.*std::get<bool EditorSettings::*>(key.field) = input.ConsumeBool();
    }
    s.screen_depth = OneOf(input, kScreenDepths);
    s.center_zoom = OneOf(input, kCenterZooms);
    s.gamma_correction = OneOf(input, GammaValues());
    return s;
}

// Read back, a negative number is no number: the reader takes digits only.
bool ReadsBack(const EditorSettings& read, const EditorSettings& written, const SettingKey& key) {
    const EditorSettings factory;
    if (auto text = std::get_if<std::string EditorSettings::*>(&key.field))
        return read.*(*text) == written.*(*text);
    if (auto number = std::get_if<int32_t EditorSettings::*>(&key.field)) {
        int32_t value = written.*(*number);
        return read.*(*number) == (value >= 0 ? value : factory.*(*number));
    }
    auto flag = std::get<bool EditorSettings::*>(key.field);
    return read.*flag == written.*flag;
}

}  // namespace

// A file of all 29 keys, comments included, fits; the rewrite has no line limit to reach.
extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    return DefaultMaxLen(argc, argv, 1024);
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    std::string_view text = AsText(data, size);
    // No game installed: a missing path stays empty rather than taking the game's.
    const sys::MemoryRegistry noGame;
    LoadedEditorSettings own = LoadEditorSettings(text, noGame);
    const std::vector<LineReading> lines = ReadLines(text);
    CheckRewrite(text, lines, own.settings);

    FuzzedDataProvider input(data, size);
    EditorSettings fresh = NewSettings(input);
    std::string out = CheckRewrite(text, lines, fresh);
    LoadedEditorSettings read = LoadEditorSettings(out, noGame);
    FUZZ_CHECK(read.allKeysPresent == own.allKeysPresent);
    std::array<bool, kSettingKeyCount> rewritten{};
    for (const LineReading& r : lines)
        if (r.key) rewritten[r.key - kSettingKeys.data()] = true;
    for (std::size_t k = 0; k < kSettingKeyCount; ++k)
        FUZZ_CHECK(ReadsBack(read.settings, rewritten[k] ? fresh : own.settings, kSettingKeys[k]));
    return 0;
}
