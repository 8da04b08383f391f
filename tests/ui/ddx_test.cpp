// Number texts as the dialogs take them.
#include "ui/ddx.h"

#include <gtest/gtest.h>

namespace {

// Unsigned: decimal digits within 32 bits, blanks around allowed; signed: the whole int32
// range with a sign. A refused text leaves the value.
TEST(NumberParsing, TakesDecimalNumbersWithinRange) {
    const std::pair<const char*, uint32_t> unsignedCases[] = {
        {"0", 0u},  {" 4294967295 ", 4294967295u},  {"4294967296", 7u}, {"", 7u}, {"12a", 7u},
        {"-1", 7u}, {"99999999999999999999999", 7u}};
    for (const auto& [text, expected] : unsignedCases) {
        uint32_t v = 7;
        EXPECT_EQ(ui::ParseUnsigned(text, v), expected != 7u) << text;
        EXPECT_EQ(v, expected) << text;
    }
    // clang-format off
    const std::pair<const char*, int32_t> signedCases[] = {
        {"-2147483648", INT32_MIN}, {"+2147483647", INT32_MAX}, {"-19", -19}, {"2147483648", 7},
        {"-2147483649", 7}, {"-", 7}, {"1 2", 7}, {"--1", 7}};
    // clang-format on
    for (const auto& [text, expected] : signedCases) {
        int32_t v = 7;
        EXPECT_EQ(ui::ParseSigned(text, v), expected != 7) << text;
        EXPECT_EQ(v, expected) << text;
    }
}

}  // namespace
