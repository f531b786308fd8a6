#include "selection/SelectionMask.h"

#include "MaskTestSupport.h"
#include "selection/CombineMode.h"
#include "selection/EllipseRaster.h"

#include <gtest/gtest.h>

namespace pict {
namespace {

using test::isTight;
using test::makeMask;

TEST(SelectionShape, RectangleIsCutToTheCanvas) {
    SelectionMask m(20, 10);
    ASSERT_TRUE(m.setShape({15, 8, -5, 2}, false)); // reversed edges are normalised
    EXPECT_EQ(m.bounds(), (Rect{0, 2, 15, 8}));
    EXPECT_EQ(m.coverageAt(0, 2), 255);
    EXPECT_EQ(m.coverageAt(14, 7), 255);
    EXPECT_EQ(m.coverageAt(15, 7), 0);
    EXPECT_TRUE(isTight(m));

    ASSERT_TRUE(m.setShape({30, 0, 40, 5}, false));
    EXPECT_TRUE(m.isEmpty());
    EXPECT_EQ(m.coverage(), nullptr);
    EXPECT_TRUE(m.area().isEmpty());
}

TEST(SelectionShape, EllipseTouchesEverySideAndIsSymmetric) {
    for (const Rect r : {Rect{0, 0, 11, 7}, Rect{2, 3, 42, 43}, Rect{0, 0, 100, 3}, Rect{5, 5, 8, 30}}) {
        SelectionMask m(120, 60);
        ASSERT_TRUE(m.setShape(r, true));
        const Rect visible = r.intersected(m.canvasRect());
        EXPECT_EQ(m.bounds(), visible);
        EXPECT_TRUE(isTight(m));
        for (int32_t y = r.top; y < r.bottom; ++y) {
            for (int32_t x = r.left; x < r.right; ++x) {
                const uint8_t v = m.coverageAt(x, y);
                EXPECT_TRUE(v == 0 || v == 255);
                EXPECT_EQ(v, m.coverageAt(r.left + r.right - 1 - x, y)) << x << "," << y;
                EXPECT_EQ(v, m.coverageAt(x, r.top + r.bottom - 1 - y)) << x << "," << y;
            }
        }
        // Corners of a large enough rectangle lie outside the ellipse.
        if (r.width() > 4 && r.height() > 4) {
            EXPECT_EQ(m.coverageAt(r.left, r.top), 0);
        }
    }
}

TEST(SelectionShape, EllipseRowsAreConnected) {
    const Rect r{0, 0, 61, 23};
    RowSpan previous = ellipseRowSpan(r, 0);
    for (int32_t y = 1; y < r.bottom; ++y) {
        const RowSpan span = ellipseRowSpan(r, y);
        ASSERT_FALSE(span.isEmpty());
        // Adjacent rows overlap or touch, so the outline has no gaps.
        EXPECT_LE(span.left, previous.right);
        EXPECT_LE(previous.left, span.right);
        previous = span;
    }
    EXPECT_TRUE(ellipseRowSpan(r, 23).isEmpty());
}

TEST(SelectionShape, EllipseCutByTheCanvasIsTrimmedOrEmpty) {
    SelectionMask m(50, 50);
    // Only the empty corner of the ellipse's rectangle reaches the canvas.
    ASSERT_TRUE(m.setShape({-40, -40, 2, 2}, true));
    EXPECT_TRUE(m.isEmpty());
    ASSERT_TRUE(m.setShape({-20, 10, 20, 30}, true));
    EXPECT_TRUE(isTight(m));
    EXPECT_EQ(m.bounds().left, 0);
}

TEST(SelectionCommands, SelectAllThenInverseIsEmpty) {
    SelectionMask m(30, 20);
    ASSERT_TRUE(m.selectAll());
    EXPECT_EQ(m.bounds(), m.canvasRect());
    ASSERT_TRUE(m.invert());
    EXPECT_TRUE(m.isEmpty());
    EXPECT_EQ(m.coverage(), nullptr);
}

TEST(SelectionCommands, InverseOfARectangleKeepsPartialValues) {
    SelectionMask m(10, 10);
    Surface8 src = makeMask(10, 10, [](int32_t x, int32_t y) -> uint8_t { return x >= 2 && y >= 2 ? 200 : 255; });
    ASSERT_TRUE(m.load(src));
    ASSERT_TRUE(m.invert());
    EXPECT_EQ(m.bounds(), (Rect{2, 2, 10, 10}));
    EXPECT_EQ(m.coverageAt(5, 5), 55);
    EXPECT_EQ(m.coverageAt(1, 1), 0);
    ASSERT_TRUE(m.invert());
    EXPECT_EQ(m.coverageAt(5, 5), 200);
    EXPECT_EQ(m.coverageAt(1, 1), 255);
}

TEST(SelectionCommands, InverseOfNothingChangesNothing) {
    SelectionMask m(10, 10);
    ASSERT_TRUE(m.invert());
    EXPECT_TRUE(m.isEmpty());
}

TEST(SelectionQueries, ContainsPointStrictAndLoose) {
    SelectionMask m(4, 1);
    ASSERT_TRUE(m.load(makeMask(4, 1, [](int32_t x, int32_t) -> uint8_t { return uint8_t(x == 0 ? 0 : x == 1 ? 127 : x == 2 ? 128 : 1); })));
    EXPECT_FALSE(m.containsPoint({1, 0}, true));
    EXPECT_TRUE(m.containsPoint({1, 0}, false));
    EXPECT_TRUE(m.containsPoint({2, 0}, true));
    EXPECT_FALSE(m.containsPoint({3, 0}, true));
    EXPECT_TRUE(m.containsPoint({3, 0}, false));
    EXPECT_FALSE(m.containsPoint({0, 0}, false));
    EXPECT_FALSE(m.containsPoint({-1, 0}, false));
    EXPECT_FALSE(m.containsPoint({4, 0}, false));
}

TEST(SelectionBounds, ResizeKeepsCanvasPositions) {
    SelectionMask m(20, 20);
    ASSERT_TRUE(m.setShape({5, 5, 10, 10}, false));
    ASSERT_TRUE(m.resize({8, 0, 30, 7}));
    EXPECT_EQ(m.bounds(), (Rect{8, 0, 20, 7}));
    EXPECT_EQ(m.coverageAt(8, 5), 255);
    EXPECT_EQ(m.coverageAt(9, 6), 255);
    EXPECT_EQ(m.coverageAt(10, 6), 0);
    EXPECT_EQ(m.coverageAt(8, 4), 0);
    EXPECT_EQ(m.coverage()->size(), m.bounds().size());
    ASSERT_TRUE(m.trim());
    EXPECT_EQ(m.bounds(), (Rect{8, 5, 10, 7}));
    ASSERT_TRUE(m.resize({}));
    EXPECT_TRUE(m.isEmpty());
}

TEST(SelectionBounds, ResizeOfNothingMakesAnUnselectedArea) {
    SelectionMask m(20, 20);
    ASSERT_TRUE(m.resize({1, 1, 4, 4}));
    EXPECT_EQ(m.bounds(), (Rect{1, 1, 4, 4}));
    EXPECT_EQ(m.coverageAt(2, 2), 0);
    ASSERT_TRUE(m.trim());
    EXPECT_TRUE(m.isEmpty());
}

TEST(SelectionLoad, RefusesWrongSizesAndKeepsTheSelection) {
    SelectionMask m(10, 10);
    ASSERT_TRUE(m.setShape({1, 1, 3, 3}, false));
    Surface8 wrong;
    ASSERT_TRUE(wrong.create(10, 9, 8));
    EXPECT_FALSE(m.load(wrong));
    EXPECT_FALSE(m.load(Surface8{}));
    EXPECT_EQ(m.bounds(), (Rect{1, 1, 3, 3}));

    ASSERT_TRUE(m.load(makeMask(10, 10, [](int32_t x, int32_t y) -> uint8_t { return x == 7 && y == 2 ? 9 : 0; })));
    EXPECT_EQ(m.bounds(), (Rect{7, 2, 8, 3}));
    EXPECT_EQ(m.coverageAt(7, 2), 9);
    ASSERT_TRUE(m.load(makeMask(10, 10, [](int32_t, int32_t) -> uint8_t { return 0; })));
    EXPECT_TRUE(m.isEmpty());
}

TEST(SelectionCopies, CopyAndCanvasSurfaceAreIndependent) {
    SelectionMask m(8, 6);
    ASSERT_TRUE(m.setShape({2, 1, 5, 4}, false));
    SelectionMask copy;
    ASSERT_TRUE(copy.copyFrom(m));
    m.clear();
    EXPECT_EQ(copy.bounds(), (Rect{2, 1, 5, 4}));
    EXPECT_EQ(copy.canvasWidth(), 8);
    Surface8 canvas;
    ASSERT_TRUE(copy.toCanvasSurface(canvas));
    EXPECT_EQ(canvas.size(), (Size{8, 6}));
    EXPECT_EQ(canvas.valueAt(2, 1), 255);
    EXPECT_EQ(canvas.valueAt(1, 1), 0);
    EXPECT_EQ(canvas.valueAt(5, 3), 0);
    SelectionArea area = copy.area();
    EXPECT_EQ(area.coverage, copy.coverage());
    EXPECT_EQ(area.bounds, copy.bounds());
    copy.swap(m);
    EXPECT_TRUE(copy.isEmpty());
    EXPECT_FALSE(m.isEmpty());
    m.resetCanvas(3, 3);
    EXPECT_TRUE(m.isEmpty());
    EXPECT_EQ(m.canvasRect(), (Rect{0, 0, 3, 3}));
}

TEST(SelectionCombine, PerPixelArithmetic) {
    Surface8 d = makeMask(1, 1, [](int32_t, int32_t) -> uint8_t { return 200; });
    const Surface8 s = makeMask(1, 1, [](int32_t, int32_t) -> uint8_t { return 100; });
    const struct {
        CombineMode mode;
        uint8_t expected;
    } cases[] = {{CombineMode::Add, 255}, {CombineMode::Subtract, 100}, {CombineMode::Intersect, 100}, {CombineMode::New, 100}};
    for (const auto& c : cases) {
        Surface8 work = d.clone();
        ASSERT_TRUE(combineMasks(work, s, c.mode));
        EXPECT_EQ(work.valueAt(0, 0), c.expected) << int(c.mode);
    }
    Surface8 other = makeMask(2, 1, [](int32_t, int32_t) -> uint8_t { return 1; });
    EXPECT_FALSE(combineMasks(d, other, CombineMode::Add));
    EXPECT_FALSE(combineMasks(d, s, static_cast<CombineMode>(kCombineModeCount))); // no such mode
    EXPECT_EQ(d.valueAt(0, 0), 200);
    EXPECT_EQ(combineModeFromInt(-3), CombineMode::New);
    EXPECT_EQ(combineModeFromInt(9), CombineMode::New);
    EXPECT_EQ(combineModeFromInt(2), CombineMode::Subtract);
}

TEST(SelectionCombine, LoadSelectionModes) {
    const Surface8 channel = makeMask(6, 6, [](int32_t x, int32_t) -> uint8_t { return x < 3 ? 255 : 0; });
    SelectionMask m(6, 6);
    // Intersect with nothing selected gives nothing.
    ASSERT_TRUE(loadSelectionFromChannel(m, channel, CombineMode::Intersect, false));
    EXPECT_TRUE(m.isEmpty());

    ASSERT_TRUE(m.setShape({2, 0, 5, 6}, false));
    ASSERT_TRUE(loadSelectionFromChannel(m, channel, CombineMode::Subtract, false));
    EXPECT_EQ(m.bounds(), (Rect{3, 0, 5, 6}));
    ASSERT_TRUE(loadSelectionFromChannel(m, channel, CombineMode::Add, false));
    EXPECT_EQ(m.bounds(), (Rect{0, 0, 5, 6}));
    ASSERT_TRUE(loadSelectionFromChannel(m, channel, CombineMode::New, true));
    EXPECT_EQ(m.bounds(), (Rect{3, 0, 6, 6}));

    const Surface8 rotated = makeMask(5, 6, [](int32_t, int32_t) -> uint8_t { return 255; });
    EXPECT_FALSE(loadSelectionFromChannel(m, rotated, CombineMode::New, false));
    EXPECT_EQ(m.bounds(), (Rect{3, 0, 6, 6}));
}

} // namespace
} // namespace pict
