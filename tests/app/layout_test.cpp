#include "app/layout.h"

#include <gtest/gtest.h>

namespace {

TEST(Layout, At96DpiTheFourLayoutsHaveTheirFixedSizes) {
    auto check = [](bool options, bool output, int height, int top) {
        PaneLayout l = LayoutFor(options, output, 96);
        EXPECT_EQ(l.windowHeight, height) << options << output;
        EXPECT_EQ(l.outputTop, top) << options << output;
    };
    check(true, true, 557, 246);
    check(true, false, 296, -1);
    check(false, true, 508, 197);
    check(false, false, 247, -1);
}

TEST(Layout, OtherDpisScaleEveryFigureAlike) {
    PaneLayout both = LayoutFor(true, true, 144);
    EXPECT_EQ(both.windowHeight, 836);  // 557 * 1.5 = 835.5, rounded
    EXPECT_EQ(both.outputTop, 369);
    PaneLayout output = LayoutFor(false, true, 120);
    EXPECT_EQ(output.windowHeight, 635);
    EXPECT_EQ(output.outputTop, 246);  // 197 * 1.25 = 246.25
    EXPECT_EQ(LayoutFor(false, false, 192).windowHeight, 494);
    EXPECT_EQ(LayoutFor(true, false, 168).outputTop, -1);
    // The room below the pane's top grows with the scale, so a pane scaled alike fits.
    for (int dpi : {96, 120, 144, 168, 192, 288}) {
        PaneLayout l = LayoutFor(true, true, dpi);
        EXPECT_GE(l.windowHeight - l.outputTop, ScaleForDpi(557 - 246, dpi) - 1) << dpi;
    }
}

TEST(Layout, ScaleForDpiRoundsToTheNearestPixel) {
    EXPECT_EQ(ScaleForDpi(247, 96), 247);
    EXPECT_EQ(ScaleForDpi(1, 144), 2);  // 1.5 rounds up
    EXPECT_EQ(ScaleForDpi(3, 120), 4);  // 3.75
    EXPECT_EQ(ScaleForDpi(5, 120), 6);  // 6.25
    EXPECT_EQ(ScaleForDpi(247, 0), 247);
}

TEST(Layout, ResizeNumbersStayBetween1And255) {
    EXPECT_EQ(ClampResize(0), 1u);
    EXPECT_EQ(ClampResize(1), 1u);
    EXPECT_EQ(ClampResize(250), 250u);
    EXPECT_EQ(ClampResize(255), 255u);
    EXPECT_EQ(ClampResize(256), 255u);
    EXPECT_EQ(ClampResize(4294967295u), 255u);
}

TEST(Layout, ActStaysBetween1And5) {
    EXPECT_EQ(ClampAct(0), 1u);
    EXPECT_EQ(ClampAct(1), 1u);
    EXPECT_EQ(ClampAct(5), 5u);
    EXPECT_EQ(ClampAct(9), 5u);
}

}  // namespace
