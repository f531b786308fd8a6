#include "selection/ColorSimilarity.h"

#include "MaskTestSupport.h"
#include "selection/SelectionMask.h"

#include <gtest/gtest.h>

#include <functional>
#include <queue>
#include <random>
#include <vector>

namespace pict {
namespace {

using test::makeMask;

// Colours as 0xRRGGBB, stored blue, green, red.
Surface24 makeImage(int32_t width, int32_t height, const std::function<uint32_t(int32_t, int32_t)>& f) {
    Surface24 s;
    s.create(width, height, 24);
    for (int32_t y = 0; y < height; ++y)
        for (int32_t x = 0; x < width; ++x) {
            const uint32_t c = f(x, y);
            uint8_t* p = s.row(y) + 3 * x;
            p[0] = uint8_t(c);
            p[1] = uint8_t(c >> 8);
            p[2] = uint8_t(c >> 16);
        }
    return s;
}

SelectionMask selectPixel(int32_t w, int32_t h, int32_t x, int32_t y) {
    SelectionMask m(w, h);
    m.setShape({x, y, x + 1, y + 1}, false);
    return m;
}

TEST(Similar, ToleranceZeroTakesTheExactColourEverywhere) {
    // Two red islands separated by blue; one red pixel touches the other only diagonally.
    const Surface24 img = makeImage(8, 8, [](int32_t x, int32_t y) -> uint32_t {
        if ((x < 2 && y < 2) || (x == 2 && y == 2) || (x > 5 && y > 5))
            return 0xFF0000;
        return x == 7 && y == 0 ? 0xFE0000 : 0x0000FF;
    });
    SelectionMask similar = selectPixel(8, 8, 0, 0);
    ASSERT_TRUE(similar.growOrSimilar({&img, nullptr}, 0, false));
    EXPECT_EQ(test::countAtLeast(similar, 255), 4 + 1 + 4);
    EXPECT_EQ(similar.bounds(), (Rect{0, 0, 8, 8}));

    SelectionMask grow = selectPixel(8, 8, 0, 0);
    ASSERT_TRUE(grow.growOrSimilar({&img, nullptr}, 0, true));
    EXPECT_EQ(grow.bounds(), (Rect{0, 0, 2, 2})); // the diagonal pixel is not reached
    EXPECT_EQ(test::countAtLeast(grow, 255), 4);

    SelectionMask tolerant = selectPixel(8, 8, 0, 0);
    ASSERT_TRUE(tolerant.growOrSimilar({&img, nullptr}, 1, false));
    EXPECT_EQ(tolerant.coverageAt(7, 0), 255);
}

TEST(Similar, RangeIsPerChannelAcrossAllSeeds) {
    const Surface24 img = makeImage(4, 1, [](int32_t x, int32_t) -> uint32_t {
        static const uint32_t row[] = {0x102030, 0x302010, 0x202020, 0x401010};
        return row[x];
    });
    SelectionMask m(4, 1);
    ASSERT_TRUE(m.setShape({0, 0, 2, 1}, false));
    ASSERT_TRUE(m.growOrSimilar({&img, nullptr}, 0, false));
    EXPECT_EQ(m.coverageAt(2, 0), 255); // inside the box spanned by the two seeds
    EXPECT_EQ(m.coverageAt(3, 0), 0);   // red 0x40 is outside 0x10..0x30
}

TEST(GrowSimilar, FaintSelectionHasNoSeeds) {
    const Surface24 img = makeImage(6, 6, [](int32_t, int32_t) -> uint32_t { return 0x808080; });
    SelectionMask m(6, 6);
    ASSERT_TRUE(m.load(makeMask(6, 6, [](int32_t x, int32_t y) -> uint8_t { return x == 2 && y == 3 ? 148 : 0; })));
    for (bool grow : {true, false}) {
        ASSERT_TRUE(m.growOrSimilar({&img, nullptr}, 255, grow));
        EXPECT_EQ(m.bounds(), (Rect{2, 3, 3, 4}));
        EXPECT_EQ(m.coverageAt(2, 3), 148);
    }
}

TEST(GrowSimilar, PartialSeedsBecomeFullAndOthersStayPartial) {
    const Surface24 img = makeImage(5, 1, [](int32_t x, int32_t) -> uint32_t { return x < 3 ? 0x111111 : 0x999999; });
    SelectionMask m(5, 1);
    ASSERT_TRUE(m.load(makeMask(5, 1, [](int32_t x, int32_t) -> uint8_t { return x == 0 ? 149 : x == 4 ? 60 : 0; })));
    ASSERT_TRUE(m.growOrSimilar({&img, nullptr}, 0, true));
    EXPECT_EQ(m.coverageAt(0, 0), 255);
    EXPECT_EQ(m.coverageAt(2, 0), 255);
    EXPECT_EQ(m.coverageAt(3, 0), 0);
    EXPECT_EQ(m.coverageAt(4, 0), 60);
}

TEST(GrowSimilar, TransparentSeedsTakeTransparentPixelsOfAnyColour) {
    // Left half transparent with varied colours, a transparent pocket on the right.
    const Surface24 img = makeImage(10, 4, [](int32_t x, int32_t y) -> uint32_t { return uint32_t(x * 20 + y); });
    const Surface8 alpha = makeMask(10, 4, [](int32_t x, int32_t y) -> uint8_t { return x < 4 || (x == 8 && y == 1) ? 0 : 200; });
    SelectionMask grow = selectPixel(10, 4, 1, 1);
    ASSERT_TRUE(grow.growOrSimilar({&img, &alpha}, 0, true));
    EXPECT_EQ(grow.bounds(), (Rect{0, 0, 4, 4}));
    EXPECT_EQ(test::countAtLeast(grow, 255), 16);

    SelectionMask similar = selectPixel(10, 4, 1, 1);
    ASSERT_TRUE(similar.growOrSimilar({&img, &alpha}, 0, false));
    EXPECT_EQ(test::countAtLeast(similar, 255), 17);
    EXPECT_EQ(similar.coverageAt(8, 1), 255);
}

TEST(GrowSimilar, MixedSeedsUseTheOpaqueOnesAndNeverAddTransparency) {
    const Surface24 img = makeImage(6, 1, [](int32_t, int32_t) -> uint32_t { return 0x333333; });
    const Surface8 alpha = makeMask(6, 1, [](int32_t x, int32_t) -> uint8_t { return x == 1 || x == 4 ? 0 : 255; });
    SelectionMask m(6, 1);
    ASSERT_TRUE(m.setShape({0, 0, 2, 1}, false)); // one opaque, one transparent seed
    ASSERT_TRUE(m.growOrSimilar({&img, &alpha}, 255, false));
    EXPECT_EQ(m.coverageAt(4, 0), 0);
    EXPECT_EQ(m.coverageAt(5, 0), 255);
    EXPECT_EQ(m.coverageAt(1, 0), 255); // already selected, left as it was

    SelectionMask g(6, 1);
    ASSERT_TRUE(g.setShape({0, 0, 1, 1}, false));
    ASSERT_TRUE(g.growOrSimilar({&img, &alpha}, 255, true));
    EXPECT_EQ(g.bounds(), (Rect{0, 0, 1, 1})); // the transparent pixel walls it in
}

TEST(GrowSimilar, FullToleranceSelectsEveryOpaquePixel) {
    const Surface24 img = makeImage(7, 7, [](int32_t x, int32_t y) -> uint32_t { return uint32_t(x * 0x250000 + y * 0x31); });
    const Surface8 alpha = makeMask(7, 7, [](int32_t x, int32_t y) -> uint8_t { return (x + y) % 3 ? 255 : 0; });
    SelectionMask m = selectPixel(7, 7, 1, 0);
    ASSERT_TRUE(m.growOrSimilar({&img, &alpha}, 255, false));
    for (int32_t y = 0; y < 7; ++y)
        for (int32_t x = 0; x < 7; ++x)
            EXPECT_EQ(m.coverageAt(x, y), (x + y) % 3 ? 255 : 0);
}

TEST(GrowSimilar, RefusesImagesOfAnotherSize) {
    const Surface24 img = makeImage(5, 5, [](int32_t, int32_t) -> uint32_t { return 0; });
    SelectionMask m = selectPixel(6, 6, 1, 1);
    EXPECT_FALSE(m.growOrSimilar({&img, nullptr}, 0, true));
    EXPECT_FALSE(m.growOrSimilar({nullptr, nullptr}, 0, true));
    EXPECT_EQ(m.bounds(), (Rect{1, 1, 2, 2}));
}

// Breadth-first flood over admitted pixels, for comparison with the run-based flood: from the
// queued points to their four neighbours, marking in reached (w x h) each pixel admitted(p) lets
// in that is not marked yet.
template <class Admitted>
void floodFrom(std::queue<Point>& q, std::vector<uint8_t>& reached, int32_t w, int32_t h, Admitted admitted) {
    while (!q.empty()) {
        const Point p = q.front();
        q.pop();
        const Point next[4] = {{p.x - 1, p.y}, {p.x + 1, p.y}, {p.x, p.y - 1}, {p.x, p.y + 1}};
        for (const Point n : next) {
            if (n.x < 0 || n.y < 0 || n.x >= w || n.y >= h || reached[size_t(n.y * w + n.x)] || !admitted(n))
                continue;
            reached[size_t(n.y * w + n.x)] = 1;
            q.push(n);
        }
    }
}

TEST(Grow, MatchesAPlainFloodOnNoise) {
    const int32_t w = 64, h = 48;
    std::mt19937 rng(5);
    const Surface24 img = makeImage(w, h, [&](int32_t, int32_t) -> uint32_t { return rng() % 3 == 0 ? 0xFFFFFF : 0x000000; });
    SelectionMask m(w, h);
    ASSERT_TRUE(m.setShape({20, 20, 24, 22}, false));
    // Expected: seeds plus every pixel 4-connected to them through pixels in the seeds' range.
    ColorRange range;
    for (int32_t y = 20; y < 22; ++y)
        for (int32_t x = 20; x < 24; ++x)
            range.include(img.row(y) + 3 * x);
    std::vector<uint8_t> reached(size_t(w * h), 0);
    std::queue<Point> q;
    for (int32_t y = 20; y < 22; ++y)
        for (int32_t x = 20; x < 24; ++x) {
            reached[size_t(y * w + x)] = 1;
            q.push({x, y});
        }
    floodFrom(q, reached, w, h, [&](Point p) { return range.contains(img.row(p.y) + 3 * p.x); });
    ASSERT_TRUE(m.growOrSimilar({&img, nullptr}, 0, true));
    for (int32_t y = 0; y < h; ++y)
        for (int32_t x = 0; x < w; ++x)
            ASSERT_EQ(m.coverageAt(x, y), reached[size_t(y * w + x)] ? 255 : 0) << x << "," << y;
}

// The same plain flood over a layer with holes: with a visible seed only visible pixels in
// the range join; seeds in several places at once, one of them transparent.
TEST(Grow, MatchesAPlainFloodOverTransparencyFromSeveralSeeds) {
    const int32_t w = 70, h = 50;
    std::mt19937 rng(11);
    const Surface24 img = makeImage(w, h, [&](int32_t, int32_t) -> uint32_t { return rng() % 4 == 0 ? 0xFF8000 : 0x208040; });
    Surface8 alpha;
    ASSERT_TRUE(alpha.create(w, h, 8));
    for (int32_t y = 0; y < h; ++y)
        for (int32_t x = 0; x < w; ++x)
            alpha.row(y)[x] = rng() % 5 == 0 ? 0 : 255;
    const Point seeds[] = {{5, 5}, {40, 30}, {69, 49}, {12, 44}};
    alpha.row(5)[5] = 255;
    alpha.row(44)[12] = 0; // a transparent seed: ignored beside the visible ones
    Surface8 seedMask;
    ASSERT_TRUE(seedMask.create(w, h, 8));
    for (const Point seed : seeds)
        seedMask.row(seed.y)[seed.x] = 255;
    SelectionMask m(w, h);
    ASSERT_TRUE(m.load(seedMask));
    ColorRange range;
    for (const Point seed : seeds)
        if (alpha.row(seed.y)[seed.x] != 0)
            range.include(img.row(seed.y) + 3 * seed.x);
    range.widen(10);
    const auto admitted = [&](Point p) { return alpha.row(p.y)[p.x] != 0 && range.contains(img.row(p.y) + 3 * p.x); };
    std::vector<uint8_t> reached(size_t(w * h), 0);
    std::queue<Point> q;
    for (const Point seed : seeds) {
        reached[size_t(seed.y * w + seed.x)] = 1; // every seed keeps its full coverage
        if (admitted(seed))
            q.push(seed);
    }
    floodFrom(q, reached, w, h, admitted);
    ASSERT_TRUE(m.growOrSimilar({&img, &alpha}, 10, true));
    for (int32_t y = 0; y < h; ++y)
        for (int32_t x = 0; x < w; ++x)
            ASSERT_EQ(m.coverageAt(x, y), reached[size_t(y * w + x)] ? 255 : 0) << x << "," << y;
}

TEST(Grow, WholeCanvasFloodDoesNotRecurse) {
    const int32_t w = 3000, h = 2000;
    // A serpentine corridor: the worst case for a recursive flood.
    const Surface24 img = makeImage(w, h, [](int32_t x, int32_t y) -> uint32_t {
        const bool wall = (y % 2 == 1) && ((y / 2) % 2 == 0 ? x != 3000 - 1 : x != 0);
        return wall ? 0xFFFFFF : 0x000000;
    });
    SelectionMask m = selectPixel(w, h, 0, 0);
    ASSERT_TRUE(m.growOrSimilar({&img, nullptr}, 0, true));
    EXPECT_EQ(m.coverageAt(w - 1, h - 2), 255);
    EXPECT_EQ(m.coverageAt(5, 1), 0);
}

} // namespace
} // namespace pict
