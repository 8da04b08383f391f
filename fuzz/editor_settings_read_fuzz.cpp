// The reader of kelvorn.ini on any bytes. Each key's value and whether the key occurs are
// what a plain line-by-line reading finds: the first setting line of the key with a value,
// and any line that begins with the key's name. Integers are read from digits only, flags
// from "YES" only, listed values from their lists; anything else gives the factory value.
#include <charconv>
#include <cstdint>
#include <optional>
#include <string>

#include "editorcfg/settings_reader.h"
#include "fuzz/editor_ini_lines.h"
#include "loadercfg/text_lines.h"
#include "sys/registry.h"

namespace {

constexpr std::string_view kInstallPath = "C:\\Games\\Diablo II";

struct PlainReading {
    bool occurs = false;
    std::optional<std::string_view> value;
};

using Lines = std::vector<std::string_view>;

// The readings of the 29 keys, in the order of kSettingKeys, from one pass over the lines:
// the first setting line with a value decides each key's value.
std::array<PlainReading, kSettingKeyCount> ReadAllPlainly(const Lines& lines) {
    std::array<PlainReading, kSettingKeyCount> found;
    for (std::string_view line : lines) {
        std::size_t at = SkipIniBlanks(line, 0);
        if (at == line.size() || line[at] == ';') continue;
        // The first letter first: most lines begin no key.
        for (std::size_t i = 0; i < kSettingKeys.size(); ++i) {
            std::string_view name = kSettingKeys[i].name;
            found[i].occurs =
                found[i].occurs || (line[at] == name.front() && line.substr(at).starts_with(name));
        }
        IniSetting setting;
        if (ReadIniLine(line, true, setting) != IniLineKind::Setting || setting.value.empty())
            continue;
        if (const SettingKey* key = FindIniKey(setting.key)) {
            PlainReading& reading = found[key - kSettingKeys.data()];
            if (!reading.value) reading.value = setting.value;
        }
    }
    return found;
}

PlainReading ReadPlainly(const Lines& lines, std::string_view key) {
    PlainReading found;
    for (std::string_view line : lines) {
        std::size_t at = SkipIniBlanks(line, 0);
        if (at == line.size() || line[at] == ';') continue;
        found.occurs = found.occurs || line.substr(at).starts_with(key);
        IniSetting setting;
        if (ReadIniLine(line, true, setting) == IniLineKind::Setting && setting.key == key &&
            !setting.value.empty()) {
            found.value = setting.value;
            return found;
        }
    }
    return found;
}

std::optional<int32_t> DigitsValue(std::optional<std::string_view> value) {
    if (!value || value->find_first_not_of("0123456789") != std::string_view::npos)
        return std::nullopt;
    int32_t number = 0;
    auto [end, error] = std::from_chars(value->data(), value->data() + value->size(), number);
    if (error != std::errc() || end != value->data() + value->size()) return std::nullopt;
    return number;
}

template <std::size_t N>
std::string Listed(std::optional<std::string_view> value,
                   const std::array<std::string_view, N>& list, std::string_view otherwise) {
    for (std::string_view item : list)
        if (value == item) return std::string(item);
    return std::string(otherwise);
}

void CheckValue(std::optional<std::string_view> value, std::optional<std::string_view> expected) {
    FUZZ_CHECK(value == expected);
    if (value) {
        FUZZ_CHECK(!value->empty() && value->find_first_of(";\n") == std::string::npos);
        FUZZ_CHECK(!IsBlank(value->front()) && !IsBlank(value->back()));
    }
}

// The 29 keys and `other` looked up side by side, as LoadEditorSettings looks them up, and
// then one at a time from what was found.
void CheckKeysTogether(std::string_view text,
                       const std::array<PlainReading, kSettingKeyCount>& readings,
                       std::string_view other, const PlainReading& otherReading) {
    std::array<std::string_view, kSettingKeyCount + 1> keys;
    for (std::size_t i = 0; i < kSettingKeys.size(); ++i) keys[i] = kSettingKeys[i].name;
    keys.back() = other;
    SettingsReader reader(text);
    const std::vector<FoundSetting>& found = reader.FindSettings(keys);
    FUZZ_CHECK(found.size() == keys.size());
    bool allOccur = true;
    for (std::size_t i = 0; i < keys.size(); ++i) {
        const PlainReading& expected = i < readings.size() ? readings[i] : otherReading;
        CheckValue(found[i].value, expected.value);
        FUZZ_CHECK(found[i].occurs == expected.occurs);
        allOccur = allOccur && expected.occurs;
    }
    FUZZ_CHECK(reader.AllKeysPresent() == allOccur);
    for (std::size_t i = 0; i < keys.size(); ++i)
        FUZZ_CHECK(reader.FindSetting(keys[i]) == found[i].value);
    FUZZ_CHECK(reader.AllKeysPresent() == allOccur);
}

// One key through the lookup of a text, of a number and of a flag, each on its own.
void CheckKey(std::string_view text, std::string_view key, const PlainReading& expected) {
    SettingsReader reader(text);
    std::optional<std::string_view> value = reader.FindSetting(key);
    CheckValue(value, expected.value);
    FUZZ_CHECK(reader.AllKeysPresent() == expected.occurs);
    FUZZ_CHECK(reader.ReadIntSetting(key, -7) == DigitsValue(expected.value).value_or(-7));
    FUZZ_CHECK(reader.ReadYesNoSetting(key, true, false, false) == !expected.value);
    FUZZ_CHECK(reader.ReadYesNoSetting(key, false, true, false) == (expected.value == "YES"));
}

const sys::Registry& GameRegistry() {
    static const sys::MemoryRegistry registry = [] {
        sys::MemoryRegistry r;
        bool created = false;
        r.CreateKey(sys::RegRoot::LocalMachine, kGameRegistryKey, created);
        r.WriteString(sys::RegRoot::LocalMachine, kGameRegistryKey, kGameInstallPathValue,
                      std::string(kInstallPath));
        return r;
    }();
    return registry;
}

// `readings` in the order of kSettingKeys.
void CheckLoaded(std::string_view text,
                 const std::array<PlainReading, kSettingKeyCount>& readings) {
    LoadedEditorSettings loaded = LoadEditorSettings(text, GameRegistry());
    const EditorSettings factory;
    auto reading = [&](std::string_view key) {
        return readings[FindIniKey(key) - kSettingKeys.data()].value;
    };
    bool allOccur = true;
    bool anyPath = false;
    // The five paths come first.
    for (std::size_t i = 0; i < 5; ++i) anyPath = anyPath || readings[i].value;

    for (std::size_t i = 0; i < kSettingKeys.size(); ++i) {
        const SettingKey& key = kSettingKeys[i];
        const PlainReading& expected = readings[i];
        allOccur = allOccur && expected.occurs;
        if (auto number = std::get_if<int32_t EditorSettings::*>(&key.field)) {
            FUZZ_CHECK(loaded.settings.*(*number) ==
                       DigitsValue(expected.value).value_or(factory.*(*number)));
        } else if (auto flag = std::get_if<bool EditorSettings::*>(&key.field)) {
            bool want = expected.value ? *expected.value == "YES" : factory.*(*flag);
            FUZZ_CHECK(loaded.settings.*(*flag) == want);
        }
    }
    FUZZ_CHECK(loaded.allKeysPresent == allOccur);

    const EditorSettings& s = loaded.settings;
    auto path = [&](std::string_view key) {
        if (anyPath) return std::string(reading(key).value_or(""));
        return key == "mod_dir" ? std::string()
                                : std::string(kInstallPath) + "\\" + std::string(key) + ".mpq";
    };
    FUZZ_CHECK(s.d2char == path("d2char") && s.d2data == path("d2data"));
    FUZZ_CHECK(s.d2exp == path("d2exp") && s.patch_d2 == path("patch_d2"));
    FUZZ_CHECK(s.mod_dir == path("mod_dir"));
    FUZZ_CHECK(s.screen_depth == Listed(reading("screen_depth"), kScreenDepths, "16"));
    FUZZ_CHECK(s.center_zoom == Listed(reading("center_zoom"), kCenterZooms, "1:1"));
    FUZZ_CHECK(s.gamma_correction == reading("gamma_correction").value_or(kDefaultGamma));
}

}  // namespace

// A file of all 29 keys, comments included, fits; the reader has no line limit to reach.
extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    return DefaultMaxLen(argc, argv, 1024);
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    std::string_view text = AsText(data, size);
    const Lines lines = SplitLines(text);
    const std::array<PlainReading, kSettingKeyCount> readings = ReadAllPlainly(lines);
    // Any name the file itself begins with, the empty one included.
    std::string_view first = lines.empty() ? "" : lines.front();
    first.remove_prefix(SkipIniBlanks(first, 0));
    first = first.substr(0, first.find_first_of(" \t;="));
    const PlainReading firstReading = ReadPlainly(lines, first);
    CheckKeysTogether(text, readings, first, firstReading);
    CheckKey(text, first, firstReading);
    CheckLoaded(text, readings);
    return 0;
}
