#include "selection/SelectionMask.h"

#include "MaskTestSupport.h"
#include "selection/BorderBand.h"
#include "selection/ModifyLimits.h"
#include "selection/Morphology.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace pict {
namespace {

using test::isTight;
using test::makeMask;
using test::randomMask;

// Plain per-pixel dilation / erosion over the element, for comparison.
Surface8 referenceMorph(const Surface8& in, int32_t r, bool dilate) {
    const std::vector<int32_t> h = structuringHeights(r, r);
    return makeMask(in.width(), in.height(), [&](int32_t x, int32_t y) -> uint8_t {
        int v = dilate ? 0 : 255;
        for (int32_t dx = -r; dx <= r; ++dx)
            for (int32_t dy = -h[size_t(std::abs(dx))]; dy <= h[size_t(std::abs(dx))]; ++dy) {
                const int32_t sx = x + dx, sy = y + dy;
                const int s = (sx < 0 || sy < 0 || sx >= in.width() || sy >= in.height()) ? 0 : in.valueAt(sx, sy);
                v = dilate ? std::max(v, s) : std::min(v, s);
            }
        return uint8_t(v);
    });
}

void expectSame(const Surface8& a, const Surface8& b) {
    ASSERT_EQ(a.size(), b.size());
    for (int32_t y = 0; y < a.height(); ++y)
        for (int32_t x = 0; x < a.width(); ++x)
            ASSERT_EQ(a.valueAt(x, y), b.valueAt(x, y)) << "at " << x << "," << y;
}

TEST(StructuringElement, SmallWidthsHaveTheDocumentedShapes) {
    EXPECT_EQ(structuringHeights(1, 1), (std::vector<int32_t>{1, 1}));
    EXPECT_EQ(structuringHeights(2, 2), (std::vector<int32_t>{2, 2, 1}));
    const std::vector<int32_t> h = structuringHeights(100, 100);
    EXPECT_EQ(h[0], 100);
    EXPECT_TRUE(std::is_sorted(h.rbegin(), h.rend()));
}

TEST(Morphology, MatchesThePlainDefinition) {
    for (int32_t r : {1, 2, 3, 5, 8}) {
        const Surface8 in = randomMask(23 + r, 17, uint32_t(r) * 7u, 20);
        Surface8 fast;
        ASSERT_TRUE(dilateMask(in, fast, r, r));
        expectSame(fast, referenceMorph(in, r, true));
        ASSERT_TRUE(erodeMask(in, fast, r, r));
        expectSame(fast, referenceMorph(in, r, false));
    }
}

TEST(Morphology, UniformRowsStillMatch) {
    // Full and empty rows take the shortcut; mixing them with ordinary rows must not matter.
    const Surface8 in = makeMask(30, 30, [](int32_t x, int32_t y) -> uint8_t {
        if (y % 7 == 0)
            return 255;
        if (y % 5 == 0)
            return 0;
        return (x * 13 + y * 7) % 3 == 0 ? 255 : 40;
    });
    Surface8 fast;
    ASSERT_TRUE(dilateMask(in, fast, 3, 3));
    expectSame(fast, referenceMorph(in, 3, true));
    ASSERT_TRUE(erodeMask(in, fast, 2, 2));
    expectSame(fast, referenceMorph(in, 2, false));
}

TEST(ExpandContract, OnePixelGrowsIntoTheElement) {
    SelectionMask m(20, 20);
    ASSERT_TRUE(m.setShape({10, 10, 11, 11}, false));
    ASSERT_TRUE(m.expand(1));
    EXPECT_EQ(m.bounds(), (Rect{9, 9, 12, 12}));
    EXPECT_EQ(test::countAtLeast(m, 255), 9);

    ASSERT_TRUE(m.setShape({10, 10, 11, 11}, false));
    ASSERT_TRUE(m.expand(2));
    EXPECT_EQ(m.bounds(), (Rect{8, 8, 13, 13}));
    EXPECT_EQ(test::countAtLeast(m, 255), 21);
    EXPECT_EQ(m.coverageAt(8, 8), 0);
    EXPECT_EQ(m.coverageAt(12, 12), 0);
    EXPECT_EQ(m.coverageAt(8, 9), 255);
}

TEST(ExpandContract, ExpandStopsAtTheCanvasAndClampsItsWidth) {
    SelectionMask m(50, 50);
    ASSERT_TRUE(m.setShape({0, 0, 1, 1}, false));
    ASSERT_TRUE(m.expand(500)); // acts as 100
    EXPECT_EQ(m.bounds(), m.canvasRect());
    ASSERT_TRUE(m.setShape({5, 5, 6, 6}, false));
    ASSERT_TRUE(m.expand(0)); // acts as 1
    EXPECT_EQ(m.bounds(), (Rect{4, 4, 7, 7}));
}

TEST(ExpandContract, ContractOfSelectAllInsetsFromTheCanvasEdge) {
    SelectionMask m(40, 30);
    ASSERT_TRUE(m.selectAll());
    ASSERT_TRUE(m.contract(3));
    EXPECT_EQ(m.bounds(), (Rect{3, 3, 37, 27}));
    EXPECT_EQ(test::countAtLeast(m, 255), int64_t(34) * 24);
    ASSERT_TRUE(m.contract(100));
    EXPECT_TRUE(m.isEmpty());
}

TEST(ExpandContract, ContractOfAnInnerRectangle) {
    SelectionMask m(40, 40);
    ASSERT_TRUE(m.setShape({10, 10, 30, 20}, false));
    ASSERT_TRUE(m.contract(2));
    EXPECT_EQ(m.bounds(), (Rect{12, 12, 28, 18}));
    EXPECT_TRUE(isTight(m));
}

TEST(Border, WidthOneIsTheInnerOutline) {
    SelectionMask m(20, 20);
    ASSERT_TRUE(m.setShape({4, 5, 12, 10}, false));
    ASSERT_TRUE(m.border(1));
    EXPECT_EQ(m.bounds(), (Rect{4, 5, 12, 10}));
    for (int32_t y = 0; y < 20; ++y)
        for (int32_t x = 0; x < 20; ++x) {
            const bool onEdge = (x == 4 || x == 11 || y == 5 || y == 9) && x >= 4 && x < 12 && y >= 5 && y < 10;
            EXPECT_EQ(m.coverageAt(x, y), onEdge ? 255 : 0) << x << "," << y;
        }
}

TEST(Border, CanvasEdgeCountsAsUnselected) {
    SelectionMask m(10, 10);
    ASSERT_TRUE(m.selectAll());
    ASSERT_TRUE(m.border(1));
    EXPECT_EQ(m.coverageAt(0, 5), 255);
    EXPECT_EQ(m.coverageAt(1, 5), 0);
    EXPECT_EQ(test::countAtLeast(m, 1), 36);
}

TEST(Border, SoftBandMatchesThePlainDefinition) {
    const int32_t n = 4;
    const Surface8 in = randomMask(26, 21, 99u, 5);
    Surface8 edges;
    ASSERT_TRUE(edgeMap(in, edges));
    Surface8 band;
    ASSERT_TRUE(spreadEdges(edges, band, n));
    const std::vector<uint8_t> k = borderKernel(n);
    const Surface8 expected = makeMask(in.width(), in.height(), [&](int32_t x, int32_t y) -> uint8_t {
        uint8_t best = 0;
        for (int32_t j = -n; j <= n; ++j)
            for (int32_t i = -n; i <= n; ++i)
                if (edges.valueAt(x + i, y + j) == 255)
                    best = std::max(best, k[size_t(std::abs(j)) * size_t(2 * n + 1) + size_t(i + n)]);
        return best;
    });
    expectSame(band, expected);
}

TEST(Border, KernelPeaksOnTheEdgeAndFallsToZero) {
    const std::vector<uint8_t> k = borderKernel(3);
    EXPECT_EQ(k[3], 255);                                           // (0, 0)
    EXPECT_EQ(k[4], uint8_t(std::trunc((1.0 - 0.5 / 3.0) * 255))); // (1, 0): 212
    EXPECT_EQ(k[0], 42);                                            // (-3, 0): m = 2.5
    EXPECT_EQ(k[3 * 7 + 0], 0);                                     // (-3, 3): t > 1
    SelectionMask m(40, 40);
    ASSERT_TRUE(m.setShape({10, 10, 30, 30}, false));
    ASSERT_TRUE(m.border(5));
    EXPECT_EQ(m.coverageAt(10, 20), 255);
    EXPECT_GT(m.coverageAt(8, 20), 0);
    EXPECT_LT(m.coverageAt(8, 20), m.coverageAt(9, 20));
    EXPECT_EQ(m.coverageAt(20, 20), 0);
    EXPECT_TRUE(isTight(m));
}

// Direct triangle-weighted sum in both directions, edges repeated, for comparison.
Surface8 referenceBlur(const Surface8& in, int32_t r) {
    auto divide = [&](uint32_t sum) {
        const uint32_t weight = uint32_t(r + 1) * uint32_t(r + 1);
        uint32_t shift = 9; // 9 + floor(log2(weight))
        while ((uint32_t(2) << (shift - 9)) <= weight)
            ++shift;
        const uint64_t mul = ((uint64_t(1) << shift) + weight - 1) / weight;
        return uint8_t((sum * mul) >> shift);
    };
    const Surface8 rows = makeMask(in.width(), in.height(), [&](int32_t x, int32_t y) -> uint8_t {
        uint32_t s = 0;
        for (int32_t k = -r; k <= r; ++k)
            s += uint32_t(r + 1 - std::abs(k)) * in.valueAt(std::clamp(x + k, 0, in.width() - 1), y);
        return divide(s);
    });
    return makeMask(in.width(), in.height(), [&](int32_t x, int32_t y) -> uint8_t {
        uint32_t s = 0;
        for (int32_t k = -r; k <= r; ++k)
            s += uint32_t(r + 1 - std::abs(k)) * rows.valueAt(x, std::clamp(y + k, 0, in.height() - 1));
        return divide(s);
    });
}

// Feather blurs only a block around the selection; the result must still equal a blur of
// the whole canvas with radius ceil(r), for selections inside and touching the canvas edge.
TEST(Feather, EqualsTheDirectSumOverTheWholeCanvas) {
    for (double r : {0.1, 1.0, 2.3, 5.0, 13.0, 40.0}) {
        SCOPED_TRACE(r);
        const Surface8 patch = randomMask(17, 13, uint32_t(r * 10), 30);
        for (Point at : {Point{30, 25}, Point{0, 0}, Point{60, 50}}) {
            const Surface8 canvas = makeMask(77, 63, [&](int32_t x, int32_t y) -> uint8_t {
                const int32_t px = x - at.x, py = y - at.y;
                return px >= 0 && py >= 0 && px < patch.width() && py < patch.height() ? patch.valueAt(px, py) : 0;
            });
            SelectionMask selection(77, 63);
            ASSERT_TRUE(selection.load(canvas));
            ASSERT_TRUE(selection.feather(r));
            EXPECT_TRUE(isTight(selection));
            Surface8 feathered;
            ASSERT_TRUE(selection.toCanvasSurface(feathered));
            expectSame(feathered, referenceBlur(canvas, static_cast<int32_t>(std::ceil(r))));
        }
    }
}

TEST(Feather, SinglePixelRadiusOne) {
    SelectionMask dot(5, 5);
    ASSERT_TRUE(dot.setShape({2, 2, 3, 3}, false));
    ASSERT_TRUE(dot.feather(1));
    EXPECT_EQ(dot.coverageAt(2, 2), 63);
    EXPECT_EQ(dot.coverageAt(1, 2), 31);
    EXPECT_EQ(dot.coverageAt(1, 1), 15);
}

TEST(Feather, TinyRadiusActsAsATenthAndStaysOnTheCanvas) {
    SelectionMask a(30, 30), b(30, 30);
    ASSERT_TRUE(a.setShape({0, 0, 10, 10}, false));
    ASSERT_TRUE(b.setShape({0, 0, 10, 10}, false));
    ASSERT_TRUE(a.feather(0.05));
    ASSERT_TRUE(b.feather(0.1));
    EXPECT_EQ(a.bounds(), b.bounds());
    EXPECT_EQ(a.bounds(), (Rect{0, 0, 11, 11})); // radius 1 spreads by one pixel
    EXPECT_EQ(a.coverageAt(0, 0), 255);           // the canvas edge repeats, so no fall-off there
    EXPECT_LT(a.coverageAt(9, 5), 255);
    EXPECT_GT(a.coverageAt(10, 5), 0);
    for (int32_t y = 0; y < 30; ++y)
        for (int32_t x = 0; x < 30; ++x)
            ASSERT_EQ(a.coverageAt(x, y), b.coverageAt(x, y));
    EXPECT_TRUE(isTight(a));
}

TEST(Feather, LargeRadiusOfASmallSelection) {
    SelectionMask m(400, 300);
    ASSERT_TRUE(m.setShape({190, 140, 210, 160}, false));
    ASSERT_TRUE(m.feather(1000)); // acts as 250
    EXPECT_FALSE(m.isEmpty());
    EXPECT_TRUE(m.canvasRect().contains(m.bounds()));
    EXPECT_TRUE(isTight(m));
}

TEST(ModifyCommands, EmptySelectionStaysEmpty) {
    SelectionMask m(10, 10);
    EXPECT_TRUE(m.feather(3));
    EXPECT_TRUE(m.expand(3));
    EXPECT_TRUE(m.contract(3));
    EXPECT_TRUE(m.border(3));
    EXPECT_TRUE(m.isEmpty());
}

TEST(ModifyLimits, DialogTextRules) {
    const ModifyDialogRule& feather = modifyDialogRule(ModifyCommand::Feather);
    EXPECT_EQ(feather.caption, "Feather Selection");
    EXPECT_EQ(parseModifyValue(feather, "0.1"), 0.1);
    EXPECT_EQ(parseModifyValue(feather, " 2.5 "), 2.5);
    EXPECT_FALSE(parseModifyValue(feather, "0.05"));
    EXPECT_FALSE(parseModifyValue(feather, "250.1"));
    EXPECT_FALSE(parseModifyValue(feather, "3px"));
    EXPECT_FALSE(parseModifyValue(feather, ""));
    const ModifyDialogRule& border = modifyDialogRule(ModifyCommand::Border);
    EXPECT_EQ(border.label, "Border width:");
    EXPECT_EQ(parseModifyValue(border, "100"), 100.0);
    EXPECT_FALSE(parseModifyValue(border, "1.5"));
    EXPECT_FALSE(parseModifyValue(border, "0"));
    EXPECT_FALSE(parseModifyValue(border, "-3"));
    EXPECT_EQ(clampFeatherRadius(0), 0.1);
    EXPECT_EQ(clampFeatherRadius(std::nan("")), 0.1);
    EXPECT_EQ(clampFeatherRadius(900), 250.0);
    EXPECT_EQ(clampModifyWidth(-5), 1);
    EXPECT_EQ(clampModifyWidth(500), 100);

    ModifyDialogMemory memory;
    EXPECT_EQ(memory.initialValue(ModifyCommand::Expand), 1.0);
    memory.remember(ModifyCommand::Contract, 7);
    EXPECT_EQ(memory.initialValue(ModifyCommand::Border), 7.0); // shared by the three widths
    EXPECT_EQ(memory.initialValue(ModifyCommand::Feather), 1.0);
}

} // namespace
} // namespace pict
