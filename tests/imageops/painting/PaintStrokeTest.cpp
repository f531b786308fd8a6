// The painting core against plain references: Bresenham lines in every octant, the pencil's
// pixels, the brush tip's symmetry and hardness, opacity that never builds up, the eraser,
// transparency lock and the selection's partial-coverage rule.

#include "imageops/painting/LineRaster.h"
#include "imageops/painting/PaintStroke.h"
#include "support/DocumentFixtures.h"
#include "support/SurfaceCompare.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <utility>
#include <vector>

namespace pict::test {
namespace {

using Pixels = std::vector<std::pair<int32_t, int32_t>>;

// The line by its definition: along the longer axis every coordinate once; the other one is
// the ideal line's value rounded to nearest, a half rounding back toward the start.
Pixels referenceLine(Point a, Point b) {
    const int64_t dx = b.x - a.x, dy = b.y - a.y;
    const bool xMajor = std::llabs(dx) >= std::llabs(dy);
    const int64_t major = xMajor ? std::llabs(dx) : std::llabs(dy);
    const int64_t minor = xMajor ? std::llabs(dy) : std::llabs(dx);
    const int64_t majorSign = (xMajor ? dx : dy) < 0 ? -1 : 1;
    const int64_t minorSign = (xMajor ? dy : dx) < 0 ? -1 : 1;
    Pixels pixels;
    for (int64_t i = 0; i <= major; ++i) {
        // round-half-down of i * minor / major, in integers
        const int64_t offset = major == 0 ? 0 : (2 * i * minor + major - 1) / (2 * major);
        const int64_t along = i * majorSign, across = offset * minorSign;
        pixels.emplace_back(int32_t(a.x + (xMajor ? along : across)), int32_t(a.y + (xMajor ? across : along)));
    }
    return pixels;
}

Pixels linePixels(Point a, Point b) {
    Pixels pixels;
    forEachLinePixel(a, b, [&](Point p) { pixels.emplace_back(p.x, p.y); });
    return pixels;
}

TEST(LineRaster, MatchesTheDefinitionInEveryOctant) {
    const Point center{50, 50};
    // Ends all around the centre: every octant, the axes, the diagonals and ties (even
    // minor over odd major and the like).
    for (int32_t dx = -23; dx <= 23; ++dx)
        for (int32_t dy = -23; dy <= 23; ++dy) {
            const Point end{center.x + dx, center.y + dy};
            EXPECT_EQ(linePixels(center, end), referenceLine(center, end)) << dx << "," << dy;
        }
    EXPECT_EQ(linePixels({3, 3}, {3, 3}), (Pixels{{3, 3}}));
    EXPECT_EQ(linePixels({0, 0}, {4, 2}), (Pixels{{0, 0}, {1, 0}, {2, 1}, {3, 1}, {4, 2}}));
}

TEST(LineRaster, LongLinesAreConnectedAndEndWhereAsked) {
    const Point a{-1000, 7}, b{2999, -1234};
    const Pixels pixels = linePixels(a, b);
    ASSERT_EQ(pixels.size(), 4000u);
    EXPECT_EQ(pixels.front(), std::make_pair(a.x, a.y));
    EXPECT_EQ(pixels.back(), std::make_pair(b.x, b.y));
    for (size_t i = 1; i < pixels.size(); ++i) {
        EXPECT_EQ(pixels[i].first - pixels[i - 1].first, 1);
        EXPECT_LE(std::abs(pixels[i].second - pixels[i - 1].second), 1);
    }
}

struct Canvas {
    Surface24 color = solidColor(64, 48, 255, 255, 255);
    Surface8 alpha;
    bool background = false;
    StrokeTarget target() { return {&color, alpha.isEmpty() ? nullptr : &alpha, background, {0, 0}}; }
};

BrushParams params(PaintTool tool, int32_t size) {
    BrushParams p;
    p.tool = tool;
    p.size = size;
    p.color = 0x102030; // red 0x10, green 0x20, blue 0x30
    return p;
}

StrokePoint at(int32_t x, int32_t y) { return {x + 0.5, y + 0.5, 1.0}; }

void stroke(Canvas& canvas, const BrushParams& p, const std::vector<Point>& points, SelectionArea selection = {}) {
    PaintStroke s(p, canvas.target(), selection);
    s.begin(at(points[0].x, points[0].y));
    for (size_t i = 1; i < points.size(); ++i)
        s.lineTo(at(points[i].x, points[i].y));
}

bool isPainted(const Surface24& surface, int32_t x, int32_t y) {
    const uint8_t* p = pixelAt(surface, x, y);
    return p[0] != 255 || p[1] != 255 || p[2] != 255;
}

TEST(PaintStroke, OnePixelPencilPaintsExactlyTheBresenhamLines) {
    const std::vector<Point> points{{5, 5}, {40, 12}, {33, 40}, {2, 30}, {20, 20}};
    Canvas canvas;
    stroke(canvas, params(PaintTool::Pencil, 1), points);
    std::set<std::pair<int32_t, int32_t>> expected;
    for (size_t i = 1; i < points.size(); ++i)
        for (auto p : referenceLine(points[i - 1], points[i]))
            expected.insert(p);
    for (int32_t y = 0; y < canvas.color.height(); ++y)
        for (int32_t x = 0; x < canvas.color.width(); ++x) {
            ASSERT_EQ(isPainted(canvas.color, x, y), expected.count({x, y}) == 1) << x << "," << y;
            if (expected.count({x, y})) {
                const uint8_t* p = pixelAt(canvas.color, x, y);
                ASSERT_EQ(p[0], 0x30);
                ASSERT_EQ(p[1], 0x20);
                ASSERT_EQ(p[2], 0x10);
            }
        }
}

TEST(PaintStroke, PencilTipIsARoundAliasedDisc) {
    for (int32_t size : {1, 2, 3, 4, 7, 12}) {
        Canvas canvas;
        stroke(canvas, params(PaintTool::Pencil, size), {{30, 20}});
        int32_t painted = 0;
        for (int32_t y = 0; y < 48; ++y)
            for (int32_t x = 0; x < 64; ++x)
                if (isPainted(canvas.color, x, y)) {
                    ++painted;
                    EXPECT_EQ(pixelAt(canvas.color, x, y)[0], 0x30) << "aliased: full or nothing";
                }
        EXPECT_LE(painted, size * size) << size;
        EXPECT_GE(painted, int32_t(3.14159 * size * size / 4 * 0.6)) << size;
        EXPECT_TRUE(isPainted(canvas.color, 30, 20)) << size;
    }
}

TEST(BrushDab, SoftDabsAreSymmetric) {
    for (double size : {1.0, 2.0, 5.0, 10.0, 33.0})
        for (double hardness : {0.0, 0.3, 0.8, 1.0}) {
            Dab dab;
            makeSoftDab(20.5, 20.5, size, hardness, 255, dab);
            const int32_t cx = 20;
            auto value = [&](int32_t x, int32_t y) {
                return dab.box.contains(x, y) ? dab.row(y)[x - dab.box.left] : uint8_t(0);
            };
            for (int32_t y = dab.box.top; y < dab.box.bottom; ++y)
                for (int32_t x = dab.box.left; x < dab.box.right; ++x) {
                    const uint8_t v = value(x, y);
                    ASSERT_EQ(v, value(2 * cx - x, y)) << size << " " << hardness;
                    ASSERT_EQ(v, value(x, 2 * cx - y)) << size << " " << hardness;
                    ASSERT_EQ(v, value(cx + (y - cx), cx + (x - cx))) << "transposed " << size;
                }
            EXPECT_EQ(value(cx, cx), 255) << size << " " << hardness;
        }
}

TEST(BrushDab, CoverageNeverFallsAsHardnessRises) {
    for (double radius : {0.5, 1.0, 4.0, 50.0})
        for (double distance = 0.0; distance < radius + 1.0; distance += 0.05) {
            double previous = 0.0;
            for (int32_t h = 0; h <= 100; ++h) {
                const double c = softTipCoverage(distance, radius, h / 100.0);
                ASSERT_GE(c + 1e-12, previous) << radius << " " << distance << " " << h;
                ASSERT_GE(c, 0.0);
                ASSERT_LE(c, 1.0);
                previous = c;
            }
        }
    // And it falls with the distance.
    for (double distance = 0.0; distance < 12.0; distance += 0.1)
        EXPECT_GE(softTipCoverage(distance, 10.0, 0.5), softTipCoverage(distance + 0.1, 10.0, 0.5));
}

TEST(PaintStroke, OpacityNeverBuildsUpWithinAStroke) {
    BrushParams p = params(PaintTool::Brush, 9);
    p.opacity = 50;
    p.spacing = 1; // dozens of overlapping dabs over every pixel
    Canvas once, many;
    stroke(once, p, {{20, 20}});
    stroke(many, p, {{20, 20}, {21, 20}, {20, 20}, {20, 21}, {20, 20}});
    // The centre took exactly one dab's worth: 50 % gives weight 128 over white.
    const uint8_t expected = mixOverOpaque(255, 0x30, 128);
    EXPECT_EQ(pixelAt(once.color, 20, 20)[0], expected);
    EXPECT_EQ(pixelAt(many.color, 20, 20)[0], expected);
}

TEST(PaintStroke, PenPressureScalesSizeAndOpacityOnlyWhenAsked) {
    const auto dab = [](BrushParams p, double pressure) {
        Canvas canvas;
        PaintStroke s(p, canvas.target(), {});
        s.begin({32.5, 24.5, pressure});
        return canvas;
    };
    const auto paintedAcross = [](const Canvas& canvas) {
        int32_t count = 0;
        for (int32_t x = 0; x < 64; ++x)
            count += isPainted(canvas.color, x, 24) ? 1 : 0;
        return count;
    };
    BrushParams p = params(PaintTool::Brush, 21);
    p.hardness = 100;
    // A mouse, or a pen without the options: pressure changes nothing.
    EXPECT_TRUE(samePixels(dab(p, 0.3).color, dab(p, 1.0).color));
    const int32_t full = paintedAcross(dab(p, 1.0));
    EXPECT_GE(full, 20);

    BrushParams sized = p;
    sized.pressureSize = true;
    EXPECT_TRUE(samePixels(dab(sized, 1.0).color, dab(p, 1.0).color));
    const int32_t half = paintedAcross(dab(sized, 0.5));
    EXPECT_GE(half, full / 2 - 2);
    EXPECT_LE(half, full / 2 + 2);
    EXPECT_EQ(paintedAcross(dab(sized, 0.0)), 1) << "never thinner than one pixel";

    // Half the pressure weighs like half the opacity.
    BrushParams faint = p;
    faint.pressureOpacity = true;
    BrushParams halfOpacity = p;
    halfOpacity.opacity = 50;
    EXPECT_EQ(pixelAt(dab(faint, 0.5).color, 32, 24)[0], pixelAt(dab(halfOpacity, 1.0).color, 32, 24)[0]);
    EXPECT_EQ(paintedAcross(dab(faint, 0.5)), full);
}

TEST(PaintStroke, BlendModeAndOpacityFollowTheCompositeArithmetic) {
    BrushParams p = params(PaintTool::Pencil, 1);
    p.mode = kBlendMultiply;
    p.opacity = 100;
    Canvas canvas;
    canvas.color = solidColor(8, 8, 200, 100, 50);
    stroke(canvas, p, {{3, 3}});
    const uint8_t* px = pixelAt(canvas.color, 3, 3);
    EXPECT_EQ(px[0], (200 * 0x30) >> 8);
    EXPECT_EQ(px[1], (100 * 0x20) >> 8);
    EXPECT_EQ(px[2], (50 * 0x10) >> 8);
}

TEST(PaintStroke, PaintsIntoTransparencyUnlessLocked) {
    for (bool locked : {false, true}) {
        Canvas canvas;
        canvas.alpha = solidMask(64, 48, 0);
        BrushParams p = params(PaintTool::Pencil, 1);
        p.lockTransparency = locked;
        stroke(canvas, p, {{4, 4}});
        EXPECT_EQ(canvas.alpha.valueAt(4, 4), locked ? 0 : 255);
        EXPECT_EQ(pixelAt(canvas.color, 4, 4)[0], 0x30) << "the hidden color is painted either way";
        EXPECT_EQ(canvas.alpha.valueAt(5, 4), 0);
    }
}

TEST(PaintStroke, EraserClearsTransparencyOrPaintsTheBackgroundColor) {
    Canvas layer;
    layer.alpha = solidMask(64, 48, 255);
    BrushParams p = params(PaintTool::Eraser, 6);
    p.backgroundColor = 0x0000FF;
    stroke(layer, p, {{10, 10}, {30, 10}});
    for (int32_t x = 10; x <= 30; ++x)
        EXPECT_EQ(layer.alpha.valueAt(x, 10), 0) << x;
    EXPECT_EQ(layer.alpha.valueAt(10, 30), 255);
    EXPECT_FALSE(isPainted(layer.color, 20, 10)) << "the eraser leaves the color alone";

    Canvas background;
    background.background = true;
    p.hardEdge = true;
    stroke(background, p, {{10, 10}, {30, 10}});
    const uint8_t* px = pixelAt(background.color, 20, 10);
    EXPECT_EQ(px[0], 255);
    EXPECT_EQ(px[1], 0);
    EXPECT_EQ(px[2], 0);
}

TEST(PaintStroke, SelectionWeightsTheResultByItsCoverage) {
    // Columns 0..3 of the selection: 0, 128, 255, 200; it starts at canvas (10, 10).
    Surface8 coverage = solidMask(4, 1, 0);
    const uint8_t values[4] = {0, 128, 255, 200};
    for (int32_t x = 0; x < 4; ++x)
        coverage.setValueAt(x, 0, values[x]);
    const SelectionArea selection{{10, 10, 14, 11}, &coverage};
    Canvas canvas;
    stroke(canvas, params(PaintTool::Pencil, 1), {{8, 10}, {15, 10}}, selection);
    for (int32_t x = 8; x <= 15; ++x) {
        const int32_t s = x >= 10 && x < 14 ? values[x - 10] : 0;
        const int32_t expected = s == 255 ? 0x30 : 255 + (((0x30 - 255) * s) >> 8);
        EXPECT_EQ(pixelAt(canvas.color, x, 10)[0], expected) << x;
    }
}

TEST(PaintStroke, KeepsTheOriginalsOfTouchedTilesOnly) {
    Canvas canvas;
    canvas.color = solidColor(300, 200, 9, 8, 7);
    PaintStroke s(params(PaintTool::Brush, 5), canvas.target(), {});
    s.begin(at(10, 10));
    s.lineTo(at(100, 10));
    EXPECT_EQ(s.originals().size(), 2u);
    for (const auto& tile : s.originals()) {
        EXPECT_EQ(tile->rect.top, 0);
        EXPECT_EQ(pixelAt(tile->color, 5, 5)[0], 9) << "the pixels from before the stroke";
    }
    EXPECT_EQ(s.touchedBounds().top, 7);
    EXPECT_LE(s.touchedBounds().bottom, 14);
    // A stroke wholly off the layer touches nothing.
    PaintStroke off(params(PaintTool::Brush, 5), canvas.target(), {});
    EXPECT_TRUE(off.begin(at(-50, -50)).isEmpty());
    EXPECT_TRUE(off.lineTo(at(-50, 500)).isEmpty());
    EXPECT_TRUE(off.originals().empty());
}

} // namespace
} // namespace pict::test
