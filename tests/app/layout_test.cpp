#include "app/layout.h"

#include <gtest/gtest.h>

namespace {

TEST(Layout, TheFourLayoutsHaveFixedSizesScaledAlikeForOtherDpis) {
    struct Case {
        bool options, output;
        int dpi, height, top;
    };
    for (Case c : {Case{true, true, 96, 557, 246}, Case{true, false, 96, 296, -1},
                   Case{false, true, 96, 508, 197}, Case{false, false, 96, 247, -1},
                   Case{true, true, 144, 836, 369},   // 557 * 1.5 = 835.5, rounded
                   Case{false, true, 120, 635, 246},  // 197 * 1.25 = 246.25
                   Case{false, false, 192, 494, -1}, Case{true, false, 168, 518, -1}}) {
        PaneLayout l = LayoutFor(c.options, c.output, c.dpi);
        EXPECT_EQ(l.windowHeight, c.height) << c.options << c.output << c.dpi;
        EXPECT_EQ(l.outputTop, c.top) << c.options << c.output << c.dpi;
    }
    // The room below the pane's top grows with the scale, so a pane scaled alike fits.
    for (int dpi : {96, 120, 144, 168, 192, 288}) {
        PaneLayout l = LayoutFor(true, true, dpi);
        EXPECT_GE(l.windowHeight - l.outputTop, ScaleForDpi(557 - 246, dpi) - 1) << dpi;
    }
}

// Resize numbers stay between 1 and 255, the act between 1 and 5.
TEST(Layout, NumbersAreClamped) {
    for (auto [in, out] : {std::pair{0u, 1u},
                           {1u, 1u},
                           {250u, 250u},
                           {255u, 255u},
                           {256u, 255u},
                           {4294967295u, 255u}})
        EXPECT_EQ(ClampResize(in), out) << in;
    for (auto [in, out] : {std::pair{0u, 1u}, {1u, 1u}, {5u, 5u}, {9u, 5u}})
        EXPECT_EQ(ClampAct(in), out) << in;
}

}  // namespace
