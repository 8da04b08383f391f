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
#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "editorcfg/settings_reader.h"
#include "editorcfg/settings_rewrite.h"
#include "fuzz/editor_ini_lines.h"
#include "sys/registry.h"

namespace {

std::string Encoded(const EditorSettings& settings, std::string_view key) {
    std::string value;
    FUZZ_CHECK(EncodeSetting(settings, key, value));
    return value;
}

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

// Whether a line gives a warning: a bad line, or a setting of an unknown key; given
// `warning`, whether that is what it says, with the line's number.
bool IsWarned(std::string_view line, bool hasBreak, std::size_t index, const std::string* warning) {
    IniSetting setting;
    IniLineKind kind = ReadIniLine(line, hasBreak, setting);
    const bool bad = kind == IniLineKind::Bad;
    const bool unknown = kind == IniLineKind::Setting && !FindIniKey(setting.key);
    if (!warning) return bad || unknown;
    const std::string number = std::to_string(index + 1);
    if (bad) return IsJoined(*warning, {"Bad Line:\n", number, ": ", line, hasBreak ? "\n" : ""});
    return unknown && IsJoined(*warning, {"Unknown setting name ", setting.key,
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

// Rewrites `text` with `settings`, checks the result line by line and returns it; the keys
// that have a setting line are left in `keysWithLines`.
std::string CheckRewrite(std::string_view text, const std::vector<std::string_view>& in,
                         const EditorSettings& settings,
                         std::vector<std::string_view>& keysWithLines) {
    // The lines warned about, in order; each warning is checked as it comes.
    std::vector<std::size_t> warnedLines;
    for (std::size_t i = 0; i < in.size(); ++i)
        if (IsWarned(in[i], LineHasBreak(text, i, in.size()), i, nullptr)) warnedLines.push_back(i);
    std::size_t warned = 0;
    std::string out = RewriteSettingsText(text, settings, [&](const std::string& warning) {
        FUZZ_CHECK(warned < warnedLines.size());
        const std::size_t i = warnedLines[warned++];
        FUZZ_CHECK(IsWarned(in[i], LineHasBreak(text, i, in.size()), i, &warning));
    });
    FUZZ_CHECK(warned == warnedLines.size());
    std::vector<std::string_view> written = WrittenLines(text, out);
    FUZZ_CHECK(written.size() == in.size());

    bool changed = false;
    for (std::size_t i = 0; i < in.size(); ++i) {
        const bool hasBreak = LineHasBreak(text, i, in.size());
        IniSetting setting;
        IniLineKind kind = ReadIniLine(in[i], hasBreak, setting);
        const SettingKey* key = kind == IniLineKind::Setting ? FindIniKey(setting.key) : nullptr;
        if (key) keysWithLines.push_back(key->name);

        const std::string value = key ? Encoded(settings, key->name) : std::string();
        if (!key || setting.value == value) {
            FUZZ_CHECK(written[i] == in[i]);
        } else {
            changed = true;
            IniSetting now;
            FUZZ_CHECK(ReadIniLine(written[i], hasBreak, now) == IniLineKind::Setting);
            FUZZ_CHECK(now.key == setting.key && now.value == TrimIniBlanksEnd(value));
            FUZZ_CHECK(written[i].starts_with(in[i].substr(0, setting.valueStart)));
            FUZZ_CHECK(written[i].ends_with(in[i].substr(setting.tailStart)));
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
    const std::vector<std::string_view> lines = SplitLines(text);
    std::vector<std::string_view> keysWithLines;
    CheckRewrite(text, lines, own.settings, keysWithLines);

    FuzzedDataProvider input(data, size);
    EditorSettings fresh = NewSettings(input);
    keysWithLines.clear();
    std::string out = CheckRewrite(text, lines, fresh, keysWithLines);
    LoadedEditorSettings read = LoadEditorSettings(out, noGame);
    FUZZ_CHECK(read.allKeysPresent == own.allKeysPresent);
    for (const SettingKey& key : kSettingKeys) {
        bool rewritten =
            std::find(keysWithLines.begin(), keysWithLines.end(), key.name) != keysWithLines.end();
        FUZZ_CHECK(ReadsBack(read.settings, rewritten ? fresh : own.settings, key));
    }
    return 0;
}
