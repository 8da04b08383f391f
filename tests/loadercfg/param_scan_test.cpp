#include "loadercfg/param_scan.h"

#include <gtest/gtest.h>

namespace {

using Lines = std::vector<std::string_view>;

// After the last separator, only A-Z lowered: bytes of other letters stay.
TEST(LowerFileName, TakesTheTextAfterTheLastSeparatorInLowerCase) {
    // clang-format off
    const std::pair<const char*, const char*> cases[] = {
        {"C:\\Maps\\Duriel.DS1", "duriel.ds1"}, {"maps/duriel.ds1", "duriel.ds1"},
        {"C:\\a/b\\C.ds1", "c.ds1"}, {"D:\\", ""}, {"maps/", ""}, {"[@Z`]{", "[@z`]{"},
        {"C:\\\xC3\x89T\xC3\xA9.DS1", "\xC3\x89t\xC3\xA9.ds1"}};
    // clang-format on
    for (const auto& [path, name] : cases) EXPECT_EQ(LowerFileName(path), name) << path;
}

// Lines fit from the section line on (itself included) when they begin with the name;
// a name beginning with ';' never fits, and a name never reaches across a line break.
TEST(ParamIndex, LinesThatBeginWithTheName) {
    const std::string longRow = "x.ds1\t" + std::string(400, 'n') + "\ta.ds1\t1\t2";
    const std::string duriel =
        "[PARAMS]\r\nduriel.ds1\tA\tp\t1\t2\r\nxduriel.ds1\tB\tp\t1\t2\r\n"
        "duriel.ds1.old\tC\tp\t1\t2\r\nDuriel.ds1\tD\tp\t1\t2\r\n;duriel.ds1\tE\tp\t1\t2\r\n"
        " duriel.ds1\tF\tp\t1\t2\r\nduriel.ds\tG\tp\t1\t2\r\nduriel.ds1";
    struct Case {
        std::string file, name;
        Lines expected;
    };
    const Case cases[] = {
        {"a.ds1\t1\t2\t3\t4\n[PARAMS]\na.ds1\tx\t\t\t\n", "a.ds1", {"a.ds1\tx\t\t\t"}},
        {duriel,
         "duriel.ds1",
         {"duriel.ds1\tA\tp\t1\t2", "duriel.ds1.old\tC\tp\t1\t2", "duriel.ds1"}},
        {"[PARAMS]\nother\na.ds1\t1\t2\t3\t4", "a.ds1", {"a.ds1\t1\t2\t3\t4"}},
        {"[PARAMS]\nother\na.ds1\t1\t2\t3\t4\n", "a.ds1", {"a.ds1\t1\t2\t3\t4"}},
        {"[PARAMS]\nother\na.ds1\t1\t2\t3\t4\r\n", "a.ds1", {"a.ds1\t1\t2\t3\t4"}},
        {"[PARAMS]\r\nab\r\ncd\r\n", "ab\r", {}},
        {"[PARAMS]\r\nab\r\ncd\r\n", "ab\r\ncd", {}},
        {"[PARAMS]\r\nab\r\ncd\r\n", "ab", {"ab"}},
        {"[PARAMS]\n[p\n;x\n\nlast", "[", {"[PARAMS]", "[p"}},
        // The empty name fits every line but the comment, and no line after the final break.
        {"[PARAMS]\n[p\n;x\n\nlast", "", {"[PARAMS]", "[p", "", "last"}},
        {"[PARAMS]\nx\n", "", {"[PARAMS]", "x"}},
        {"[PARAMS]\n;a.ds1\t1\t2\t3\t4\n", ";a.ds1", {}},
        {"[PARAMS]\na\t1\t2\t3\t4\na\t1\t2\t3\t4\n", "a", {"a\t1\t2\t3\t4", "a\t1\t2\t3\t4"}},
        // A row longer than any line buffer does not turn into several lines.
        {"[PARAMS]\n" + longRow + "\n", "a.ds1", {}},
        {"[PARAMS]\n" + longRow + "\n", "x.ds1", {longRow}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ParamIndex(c.file).Find(c.name).lines, c.expected) << c.file << "|" << c.name;
}

TEST(AtoiValue, ReadsAsAtoiDoesWrappingAroundOutOfRange) {
    // clang-format off
    const std::pair<const char*, int32_t> cases[] = {
        {"+7", 7}, {"12abc", 12}, {"-", 0}, {" \t\v\f\r\n 0012", 12}, {"- 5", 0},
        {"4294967295", -1}, {"2147483648", INT32_MIN}, {"4294967296", 0},
        {"99999999999999999999999", static_cast<int32_t>(0xF67FFFFFu)}};  // 10^23 - 1 wrapped
    // clang-format on
    for (const auto& [text, value] : cases) EXPECT_EQ(AtoiValue(text), value) << text;
}

}  // namespace
