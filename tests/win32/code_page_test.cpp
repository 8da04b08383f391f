// Text at the Win32 edge: bytes in the system code page inside, wide text outside, and a
// path the code page cannot hold refused rather than turned into '?'. The Wine fixture
// gives every machine the same code page, Windows-1252.
#include <gtest/gtest.h>
#include <windows.h>

#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "app/command_line.h"
#include "sys/fs.h"
#include "sys/win32/wide.h"
#include "ui/script.h"
#include "ui/win32/file_results.h"
#include "ui/win32/unusable_paths.h"

namespace {

using sys::win32::NarrowExact;
using Strings = std::vector<std::string>;
using WStrings = std::vector<std::wstring>;

// The whole literal, zeros included.
template <size_t N>
std::wstring_view Buffer(const wchar_t (&text)[N]) {
    return std::wstring_view(text, N - 1);
}

// Exact conversions give one byte a letter here; no best fit ("ā" is not "a"), and no
// character beyond the code page. The loose one gives what the ANSI calls would.
TEST(CodePage, ConvertsBothWaysAndKnowsWhatItCannotHold) {
    const struct {
        std::wstring wide;
        std::optional<std::string> exact;
    } cases[] = {
        {L"", ""},
        {L"C:\\maps\\\u00e9t\u00e9 \u20ac.ds1", "C:\\maps\\\xe9t\xe9 \x80.ds1"},
        {L"\u0160\u0161\u0178\u00ff\u00c9", "\x8a\x9a\x9f\xff\xc9"},
        {L"a\u0101", std::nullopt},       // ā: no best fit to a
        {L"\u0416.ds1", std::nullopt},    // Ж
        {L"\u65e5\u672c", std::nullopt},  // 日本
    };
    ASSERT_EQ(GetACP(), 1252u) << "the Wine fixture sets LC_ALL=C.UTF-8; was Wine run without?";
    for (const auto& c : cases) {
        EXPECT_EQ(NarrowExact(c.wide), c.exact);
        if (c.exact) {
            EXPECT_EQ(sys::win32::Widen(*c.exact), c.wide);
            EXPECT_EQ(sys::win32::Narrow(c.wide), *c.exact);
        }
    }
    EXPECT_EQ(sys::win32::Narrow(L"x\u0416.ds1"), "x?.ds1");
}

// The system folds the code page's letters as the file system does; the rest stays apart.
TEST(CodePage, PathsCompareIgnoringCaseOfEveryLetter) {
    const std::tuple<const char*, const char*, bool> cases[] = {
        {"C:\\\xc9T\xc9.DS1", "c:\\\xe9t\xe9.ds1", true},  // ÉTÉ été
        {"\x8a", "\x9a", true},                            // Š š
        {"\xd7", "\xf7", false},                           // × ÷
        {"\xe9", "e", false},
        {"\xdf", "ss", false},
        {"a.ds1", "a.ds", false},
    };
    for (const auto& [a, b, same] : cases)
        EXPECT_EQ(sys::SamePathIgnoringCase(a, b), same) << a << " " << b;
}

// What the file dialogs leave: a name the code page cannot hold is refused with its
// folder, and so is every name of such a folder; the rest is taken.
TEST(CodePage, FileBuffersKeepWhatTheCodePageHolds) {
    const struct {
        std::wstring_view buffer;
        bool confirmed;
        std::string folder;
        Strings paths;
        WStrings refused;
    } cases[] = {
        {Buffer(L"C:\\\u65e5\\a.ds1\0"), false, "", {}, {L"C:\\\u65e5\\a.ds1"}},
        {Buffer(L"C:\\m\0\u00e9.ds1\0\u0416.ds1\0b.ds1\0"),
         true,
         "C:\\m",
         {"C:\\m\\\xe9.ds1", "C:\\m\\b.ds1"},
         {L"C:\\m\\\u0416.ds1"}},
        {Buffer(L"C:\\\u65e5\0a.ds1\0b.ds1\0"),
         false,
         "",
         {},
         {L"C:\\\u65e5\\a.ds1", L"C:\\\u65e5\\b.ds1"}},
    };
    for (const auto& c : cases) {
        WStrings refused;
        ui::FileDialogResult r = ui::win32::ParseFileBuffer(c.buffer, true, refused);
        EXPECT_EQ(r.confirmed, c.confirmed);
        EXPECT_EQ(r.folder, c.folder);
        EXPECT_EQ(r.paths, c.paths);
        EXPECT_EQ(refused, c.refused);
    }
}

// Quoted paths of the command line: each converted exactly or left out whole; a name
// counts its bytes in the code page, one for each letter here (UTF-8 would take two).
TEST(CodePage, CommandLinePathsAreTakenOrLeftOutWhole) {
    WStrings unusable;
    std::string line = sys::win32::NarrowQuotedPaths(
        L"x \"C:\\\u00e9.ds1\" \"C:\\\u65e5.ds1\" \"C:\\open \u00e9.ds1", unusable);
    EXPECT_EQ(line, "x \"C:\\\xe9.ds1\"  \"C:\\open \xe9.ds1\"");
    EXPECT_EQ(unusable, WStrings{L"C:\\\u65e5.ds1"});

    for (const std::size_t letters : {kMaxCommandLinePath - 7, kMaxCommandLinePath - 6}) {
        const std::wstring path = L"C:\\" + std::wstring(letters, L'\u00e9') + L".ds1";
        CommandLinePaths taken =
            ParseCommandLinePaths(sys::win32::NarrowQuotedPaths(L"\"" + path + L"\"", unusable), 9);
        const bool fits = letters + 7 <= kMaxCommandLinePath;
        EXPECT_EQ(taken.paths.size(), fits ? 1u : 0u) << letters;
        EXPECT_EQ(taken.tooLong, fits ? 0 : 1) << letters;
    }
}

// One box names every refused path; a script records it in the code page, where the
// characters it cannot hold show as the system shows them.
TEST(CodePage, RefusedPathsAreNamedInOneErrorBox) {
    const WStrings paths = {L"C:\\\u65e5\\a.ds1", L"D:\\\u0416.ds1"};
    EXPECT_EQ(ui::win32::UnusablePathsText(paths), std::wstring(ui::win32::kUnusablePathsMessage) +
                                                       L"\n\nC:\\\u65e5\\a.ds1\nD:\\\u0416.ds1");
    ui::Script script;
    ui::win32::RefuseUnusablePaths(nullptr, {});
    ui::win32::RefuseUnusablePaths(nullptr, paths);
    ASSERT_EQ(script.MessageBoxes().size(), 1u);
    const ui::MessageBoxCall& box = script.MessageBoxes()[0];
    EXPECT_NE(box.text.find(".\n\nC:\\?\\a.ds1\nD:\\?.ds1"), std::string::npos) << box.text;
    EXPECT_EQ(box.caption, "ERROR");
    EXPECT_EQ(box.flags, 0x30u);
}

}  // namespace
