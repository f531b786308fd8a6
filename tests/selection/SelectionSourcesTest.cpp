// The masks the selection tools combine into the selection, against plain references: the
// lasso polygon against a per-pixel winding number, the magic wand's region against a plain
// flood fill and a per-pixel range test.

#include "selection/SelectionSources.h"
#include "support/DocumentFixtures.h"

#include <gtest/gtest.h>

#include <cmath>
#include <deque>
#include <random>
#include <vector>

namespace pict::test {
namespace {

// The winding number of the polygon around (px, py), by the crossing test: an edge going
// down the rows (a.y <= py < b.y) with the point on one side counts +1, one going up
// (b.y <= py < a.y) with the point on the other side -1.
int windingNumber(const std::vector<PolygonPoint>& polygon, double px, double py) {
    int winding = 0;
    for (size_t i = 0; i < polygon.size(); ++i) {
        const PolygonPoint a = polygon[i], b = polygon[(i + 1) % polygon.size()];
        const double side = (b.x - a.x) * (py - a.y) - (px - a.x) * (b.y - a.y);
        if (a.y <= py && py < b.y && side > 0)
            ++winding;
        else if (b.y <= py && py < a.y && side < 0)
            --winding;
    }
    return winding;
}

Surface8 referencePolygon(const std::vector<PolygonPoint>& polygon, Size canvas) {
    Surface8 mask = solidMask(canvas.width, canvas.height, 0);
    for (int32_t y = 0; y < canvas.height; ++y)
        for (int32_t x = 0; x < canvas.width; ++x)
            if (windingNumber(polygon, x + 0.5, y + 0.5) != 0)
                mask.setValueAt(x, y, 255);
    return mask;
}

void expectSameMask(const Surface8& actual, const Surface8& expected, const char* what) {
    ASSERT_EQ(actual.size(), expected.size()) << what;
    int64_t differences = 0;
    for (int32_t y = 0; y < expected.height(); ++y)
        for (int32_t x = 0; x < expected.width(); ++x)
            differences += actual.valueAt(x, y) != expected.valueAt(x, y);
    EXPECT_EQ(differences, 0) << what;
}

TEST(PolygonMask, ARectangleOfCornersIsExactlyItsPixels) {
    Surface8 mask;
    const std::vector<PolygonPoint> square{{2, 3}, {6, 3}, {6, 5}, {2, 5}};
    ASSERT_TRUE(polygonMask(square, {10, 8}, mask));
    for (int32_t y = 0; y < 8; ++y)
        for (int32_t x = 0; x < 10; ++x)
            EXPECT_EQ(mask.valueAt(x, y), (x >= 2 && x < 6 && y >= 3 && y < 5) ? 255 : 0) << x << "," << y;
}

TEST(PolygonMask, MatchesTheWindingNumberOfEveryPixelCentre) {
    const Size canvas{90, 70};
    // A pentagram: its centre has winding number 2, which the non-zero rule fills.
    std::vector<PolygonPoint> star;
    for (int i = 0; i < 5; ++i) {
        const double angle = -M_PI / 2 + i * 4 * M_PI / 5;
        star.push_back({45 + 30 * std::cos(angle), 35 + 30 * std::sin(angle)});
    }
    Surface8 mask;
    ASSERT_TRUE(polygonMask(star, canvas, mask));
    expectSameMask(mask, referencePolygon(star, canvas), "star");
    EXPECT_EQ(mask.valueAt(45, 35), 255) << "the doubly wound centre is inside";

    std::mt19937 rng(7);
    std::uniform_real_distribution<double> coordinate(-15.0, 105.0);
    for (int round = 0; round < 20; ++round) {
        std::vector<PolygonPoint> polygon(3 + round % 9);
        for (auto& p : polygon)
            p = {coordinate(rng), coordinate(rng)};
        ASSERT_TRUE(polygonMask(polygon, canvas, mask));
        expectSameMask(mask, referencePolygon(polygon, canvas), "random polygon");
    }
    // Fewer than three points select nothing.
    ASSERT_TRUE(polygonMask(std::vector<PolygonPoint>{{1, 1}, {50, 50}}, canvas, mask));
    EXPECT_TRUE(mask.isAll(0));
}

// A plain 4-connected flood fill over the pixels within tolerance of the seed, channel by
// channel.
Surface8 referenceFlood(const Surface24& image, Point seed, int tolerance, bool contiguous) {
    Surface8 mask = solidMask(image.width(), image.height(), 0);
    const uint8_t* s = pixelAt(image, seed.x, seed.y);
    auto near = [&](int32_t x, int32_t y) {
        const uint8_t* p = pixelAt(image, x, y);
        for (int k = 0; k < 3; ++k)
            if (std::abs(int(p[k]) - int(s[k])) > tolerance)
                return false;
        return true;
    };
    if (!contiguous) {
        for (int32_t y = 0; y < image.height(); ++y)
            for (int32_t x = 0; x < image.width(); ++x)
                if (near(x, y))
                    mask.setValueAt(x, y, 255);
        return mask;
    }
    std::deque<Point> queue{seed};
    mask.setValueAt(seed.x, seed.y, 255);
    while (!queue.empty()) {
        const Point p = queue.front();
        queue.pop_front();
        const Point next[4] = {{p.x - 1, p.y}, {p.x + 1, p.y}, {p.x, p.y - 1}, {p.x, p.y + 1}};
        for (Point n : next)
            if (image.bounds().contains(n.x, n.y) && mask.valueAt(n.x, n.y) == 0 && near(n.x, n.y)) {
                mask.setValueAt(n.x, n.y, 255);
                queue.push_back(n);
            }
    }
    return mask;
}

TEST(SimilarRegionMask, MatchesAPlainFloodFillAndRangeTest) {
    // Blotches of a few colours with noise, so that regions touch diagonally and wind.
    std::mt19937 rng(11);
    Surface24 image = solidColor(70, 50, 0, 0, 0);
    for (int32_t y = 0; y < 50; ++y)
        for (int32_t x = 0; x < 70; ++x) {
            uint8_t* p = image.row(y) + 3 * x;
            const int base = ((x / 7 + y / 5) % 3) * 80;
            for (int k = 0; k < 3; ++k)
                p[k] = uint8_t(base + int(rng() % 12));
        }
    const SampledImage sample{&image, nullptr};
    for (int tolerance : {0, 5, 11, 40, 255})
        for (bool contiguous : {true, false})
            for (Point seed : {Point{0, 0}, Point{33, 21}, Point{69, 49}}) {
                Surface8 mask;
                ASSERT_TRUE(similarRegionMask(sample, seed, tolerance, contiguous, {70, 50}, mask));
                expectSameMask(mask, referenceFlood(image, seed, tolerance, contiguous), "region");
            }
    Surface8 mask;
    ASSERT_TRUE(similarRegionMask(sample, {-1, 3}, 10, true, {70, 50}, mask));
    EXPECT_TRUE(mask.isAll(0)) << "a seed off the canvas selects nothing";
}

TEST(SimilarRegionMask, TransparentSeedTakesTheTransparentRegion) {
    Surface24 image = solidColor(10, 4, 50, 50, 50);
    Surface8 alpha = solidMask(10, 4, 255);
    for (int32_t y = 0; y < 4; ++y)
        for (int32_t x = 0; x < 3; ++x)
            alpha.setValueAt(x, y, 0);
    image.row(0)[0] = 200; // a different hidden colour inside the hole does not matter
    Surface8 mask;
    ASSERT_TRUE(similarRegionMask({&image, &alpha}, {1, 1}, 0, true, {10, 4}, mask));
    for (int32_t x = 0; x < 10; ++x)
        EXPECT_EQ(mask.valueAt(x, 2), x < 3 ? 255 : 0) << x;
    ASSERT_TRUE(similarRegionMask({&image, &alpha}, {5, 1}, 0, true, {10, 4}, mask));
    EXPECT_EQ(mask.valueAt(2, 2), 0) << "opaque seeds never take transparent pixels";
    EXPECT_EQ(mask.valueAt(9, 3), 255);
}

} // namespace
} // namespace pict::test
