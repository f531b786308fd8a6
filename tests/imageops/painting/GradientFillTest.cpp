// The gradient: exact colours at both ends, ramps that never turn back, transparency, and the
// selection's partial coverage.

#include "imageops/painting/GradientFill.h"
#include "support/DocumentFixtures.h"

#include <gtest/gtest.h>

namespace pict::test {
namespace {

GradientParams ramp(Point start, Point end, bool radial = false) {
    GradientParams p;
    p.start = start;
    p.end = end;
    p.radial = radial;
    p.foreground = 0xFF0000; // red
    p.background = 0x0000FF; // blue
    return p;
}

TEST(GradientFill, EndsTakeExactlyTheTwoColorsAndTheRampIsMonotone) {
    for (bool radial : {false, true})
        for (auto [start, end] : {std::pair{Point{3, 4}, Point{90, 40}}, std::pair{Point{80, 50}, Point{2, 9}},
                                  std::pair{Point{10, 10}, Point{10, 60}}}) {
            Surface24 color = solidColor(100, 64, 0, 255, 0);
            const GradientParams p = ramp(start, end, radial);
            ASSERT_TRUE(paintGradient(p, {&color, nullptr, true, {0, 0}}, {}, color.bounds()));
            const uint8_t* first = pixelAt(color, start.x, start.y);
            const uint8_t* last = pixelAt(color, end.x, end.y);
            EXPECT_EQ(first[2], 255);
            EXPECT_EQ(first[0], 0);
            EXPECT_EQ(first[1], 0);
            EXPECT_EQ(last[0], 255);
            EXPECT_EQ(last[2], 0);
            // Along the line from start to end, red never rises and blue never falls.
            int previousRed = 256, previousBlue = -1;
            for (int i = 0; i <= 100; ++i) {
                const int32_t x = start.x + (end.x - start.x) * i / 100, y = start.y + (end.y - start.y) * i / 100;
                const uint8_t* px = pixelAt(color, x, y);
                EXPECT_LE(px[2], previousRed);
                EXPECT_GE(px[0], previousBlue);
                EXPECT_EQ(px[0] + px[2], 255) << "each step mixes the two colours";
                previousRed = px[2];
                previousBlue = px[0];
            }
        }
}

TEST(GradientFill, LinearRampIsConstantAcrossAndRadialAroundTheStart) {
    Surface24 color = solidColor(60, 40, 0, 0, 0);
    ASSERT_TRUE(paintGradient(ramp({5, 0}, {55, 0}), {&color, nullptr, true, {0, 0}}, {}, color.bounds()));
    for (int32_t y = 0; y < 40; ++y)
        EXPECT_EQ(pixelAt(color, 30, y)[0], pixelAt(color, 30, 0)[0]) << y;
    EXPECT_EQ(pixelAt(color, 0, 7)[2], 255) << "before the start: the foreground";
    EXPECT_EQ(pixelAt(color, 59, 7)[0], 255) << "past the end: the background";

    ASSERT_TRUE(paintGradient(ramp({30, 20}, {30, 35}, true), {&color, nullptr, true, {0, 0}}, {}, color.bounds()));
    EXPECT_EQ(pixelAt(color, 40, 20)[0], pixelAt(color, 20, 20)[0]);
    EXPECT_EQ(pixelAt(color, 30, 30)[0], pixelAt(color, 30, 10)[0]);
    EXPECT_EQ(pixelAt(color, 30, 10)[0], pixelAt(color, 40, 20)[0]);
}

TEST(GradientFill, ToTransparentFadesTheForegroundOut) {
    Surface24 color = solidColor(40, 4, 255, 255, 255);
    GradientParams p = ramp({0, 0}, {39, 0});
    p.toTransparent = true;
    ASSERT_TRUE(paintGradient(p, {&color, nullptr, true, {0, 0}}, {}, color.bounds()));
    EXPECT_EQ(pixelAt(color, 0, 0)[0], 0) << "full red at the start";
    EXPECT_EQ(pixelAt(color, 0, 0)[2], 255);
    EXPECT_EQ(pixelAt(color, 39, 0)[0], 255) << "nothing painted at the end";
    EXPECT_EQ(pixelAt(color, 39, 0)[1], 255);

    // On a layer with transparency, the alpha follows the ramp.
    Surface24 layer = solidColor(40, 4, 0, 0, 0);
    Surface8 alpha = solidMask(40, 4, 0);
    ASSERT_TRUE(paintGradient(p, {&layer, &alpha, false, {0, 0}}, {}, layer.bounds()));
    EXPECT_EQ(alpha.valueAt(0, 0), 255);
    EXPECT_EQ(alpha.valueAt(39, 0), 0);
    for (int32_t x = 1; x < 40; ++x)
        EXPECT_LE(alpha.valueAt(x, 1), alpha.valueAt(x - 1, 1));
}

TEST(GradientFill, StaysInsideTheSelectionAndRefusesAPoint) {
    Surface24 color = solidColor(20, 20, 0, 255, 0);
    Surface8 coverage = solidMask(5, 5, 128);
    const SelectionArea selection{{10, 10, 15, 15}, &coverage};
    GradientParams p = ramp({0, 0}, {19, 19});
    ASSERT_TRUE(paintGradient(p, {&color, nullptr, true, {0, 0}}, selection, color.bounds()));
    EXPECT_EQ(pixelAt(color, 5, 5)[1], 255) << "outside the selection";
    const uint8_t* half = pixelAt(color, 12, 12);
    EXPECT_EQ(half[1], 255 + (((0 - 255) * 128) >> 8)) << "green weighted by coverage 128";
    EXPECT_FALSE(paintGradient(ramp({3, 3}, {3, 3}), {&color, nullptr, true, {0, 0}}, {}, color.bounds()));
}

} // namespace
} // namespace pict::test
