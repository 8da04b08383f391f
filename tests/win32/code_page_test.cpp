// Text at the Win32 edge: the system folds the code page's letters, and the file dialogs'
// names that it cannot hold are refused. The Wine fixture gives every machine Windows-1252.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <tuple>
#include <vector>

#include "sys/fs.h"
#include "ui/win32/file_results.h"

namespace {

using namespace std::string_view_literals;
using WStrings = std::vector<std::wstring>;

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
    ASSERT_EQ(GetACP(), 1252u) << "the Wine fixture sets LC_ALL=C.UTF-8; was Wine run without?";
    for (const auto& [a, b, same] : cases)
        EXPECT_EQ(sys::SamePathIgnoringCase(a, b), same) << a << " " << b;
}

// Every name of a folder the code page cannot hold is refused with its folder, and nothing
// is taken then (a refused name in a folder it holds: run_e2e_test.cpp).
TEST(CodePage, FileBuffersRefuseEveryNameOfAFolderTheCodePageCannotHold) {
    const std::pair<std::wstring_view, WStrings> cases[] = {
        {L"C:\\\u65e5\\a.ds1\0"sv, {L"C:\\\u65e5\\a.ds1"}},
        {L"C:\\\u65e5\0a.ds1\0b.ds1\0"sv, {L"C:\\\u65e5\\a.ds1", L"C:\\\u65e5\\b.ds1"}},
    };
    for (const auto& [buffer, expected] : cases) {
        WStrings refused;
        const ui::FileDialogResult r = ui::win32::ParseFileBuffer(buffer, true, refused);
        EXPECT_TRUE(!r.confirmed && r.folder.empty() && r.paths.empty());
        EXPECT_EQ(refused, expected);
    }
}

}  // namespace
