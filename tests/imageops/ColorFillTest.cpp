#include "imageops/ColorFill.h"

#include <gtest/gtest.h>

#include <cstring>
#include <utility>

namespace pict {
namespace {

Surface24 gray(int32_t w, int32_t h, uint8_t value) {
    Surface24 s;
    s.create(w, h, 24);
    s.fillSolid24(s.bounds(), uint32_t(value) * 0x010101u);
    return s;
}

Surface8 mask(int32_t w, int32_t h, uint8_t value) {
    Surface8 m;
    m.create(w, h, 8);
    m.fillValue(value);
    return m;
}

FillParams black(int32_t opacity = 100, int32_t mode = kBlendNormal, bool preserve = false) {
    return FillParams{0xFF000000u, mode, opacity, preserve};
}

const uint8_t* at(const Surface24& s, int32_t x, int32_t y) { return s.row(y) + 3 * x; }

// ---- the pixel work ----

TEST(FillOpacityWeight, RoundsPercentToAByteWeight) {
    EXPECT_EQ(fillOpacityWeight(100), 255);
    EXPECT_EQ(fillOpacityWeight(50), 128);
    EXPECT_EQ(fillOpacityWeight(1), 3);
    EXPECT_EQ(fillOpacityWeight(0), 0);
    EXPECT_EQ(fillOpacityWeight(-5), 0);
    EXPECT_EQ(fillOpacityWeight(250), 255);
}

TEST(ColorFill, OverAnOpaqueLayerMixesByTheWeight) {
    for (const auto& [opacity, expected] : {std::pair{100, 0}, std::pair{50, 127}, std::pair{1, 252}}) {
        Surface24 color = gray(4, 3, 255);
        ColorFill fill(black(opacity));
        ASSERT_TRUE(fill.fill(color, nullptr, nullptr, {}));
        EXPECT_EQ(at(color, 0, 0)[1], expected) << opacity;
        EXPECT_EQ(at(color, 3, 2)[1], expected) << opacity;
    }
}

TEST(ColorFill, TheColorIsReadAsRedGreenBlue) {
    Surface24 color = gray(1, 1, 0);
    ColorFill fill(FillParams{0xFF102030u, kBlendNormal, 100, false});
    ASSERT_TRUE(fill.fill(color, nullptr, nullptr, {}));
    EXPECT_EQ(at(color, 0, 0)[0], 0x30);
    EXPECT_EQ(at(color, 0, 0)[1], 0x20);
    EXPECT_EQ(at(color, 0, 0)[2], 0x10);
}

TEST(ColorFill, SelectionCoverageWeightsEachPixel) {
    Surface24 color = gray(6, 6, 255);
    Surface8 selection = mask(2, 2, 255);
    selection.setValueAt(1, 0, 128);
    selection.setValueAt(0, 1, 0);
    ColorFill fill(black());
    ASSERT_TRUE(fill.fill(color, nullptr, &selection, {3, 2}));
    EXPECT_EQ(at(color, 3, 2)[0], 0);
    EXPECT_EQ(at(color, 4, 2)[0], 255 - 128) << "coverage 128 at 100 % weighs 128";
    EXPECT_EQ(at(color, 3, 3)[0], 255) << "coverage 0 is left alone";
    EXPECT_EQ(at(color, 2, 2)[0], 255) << "outside the selection";
    EXPECT_EQ(at(color, 5, 3)[0], 255);
}

TEST(ColorFill, TheLayerTransparencyTakesPartUnlessPreserved) {
    Surface24 color = gray(2, 1, 200);
    Surface8 alpha = mask(2, 1, 0);
    ColorFill opaque(black());
    ASSERT_TRUE(opaque.fill(color, &alpha, nullptr, {}));
    EXPECT_EQ(alpha.valueAt(0, 0), 255) << "a full fill makes every pixel opaque";
    EXPECT_EQ(at(color, 0, 0)[0], 0);

    Surface24 hidden = gray(2, 1, 200);
    Surface8 kept = mask(2, 1, 0);
    kept.setValueAt(1, 0, 90);
    ColorFill preserving(black(100, kBlendNormal, true));
    ASSERT_TRUE(preserving.fill(hidden, &kept, nullptr, {}));
    EXPECT_EQ(kept.valueAt(0, 0), 0);
    EXPECT_EQ(kept.valueAt(1, 0), 90);
    EXPECT_EQ(at(hidden, 0, 0)[0], 0) << "the hidden color still becomes black";
}

TEST(ColorFill, HalfOpacityOverTransparencyComposites) {
    // Da = 0, Sa = 128: Ea = 128 and the color is the source's.
    Surface24 color = gray(1, 1, 200);
    Surface8 alpha = mask(1, 1, 0);
    ColorFill fill(FillParams{0xFF646464u, kBlendMultiply, 50, false});
    ASSERT_TRUE(fill.fill(color, &alpha, nullptr, {}));
    EXPECT_EQ(alpha.valueAt(0, 0), 128);
    EXPECT_EQ(at(color, 0, 0)[0], 100);
}

TEST(ColorFill, BlendModesApply) {
    Surface24 color = gray(1, 1, 200);
    ColorFill fill(FillParams{0xFF646464u, kBlendDifference, 100, false});
    ASSERT_TRUE(fill.fill(color, nullptr, nullptr, {}));
    EXPECT_EQ(at(color, 0, 0)[0], 100);
}

} // namespace
} // namespace pict
