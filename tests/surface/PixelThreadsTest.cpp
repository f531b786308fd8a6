// The strip runner, and every reorientation and stretch on one thread against four.
#include "surface/PixelThreads.h"
#include "support/ThreadCounts.h"
#include "surface/RasterSurface.h"
#include "surface/SurfaceTestUtil.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <functional>
#include <mutex>
#include <random>
#include <tuple>
#include <vector>

namespace pict {
namespace {

using test::onOneAndFourThreads;
using test::ThreadCount;

std::vector<std::pair<int32_t, int32_t>> stripsOf(int32_t begin, int32_t end, int64_t pixelsPerItem) {
    std::mutex lock;
    std::vector<std::pair<int32_t, int32_t>> strips;
    forEachStrip(begin, end, pixelsPerItem, [&](int32_t b, int32_t e) {
        const std::lock_guard guard(lock);
        strips.emplace_back(b, e);
    });
    std::sort(strips.begin(), strips.end());
    return strips;
}

TEST(PixelThreads, StripsCoverTheRangeOnceInOrder) {
    ThreadCount four(4);
    const auto strips = stripsOf(-5, 300, 10);
    ASSERT_FALSE(strips.empty());
    EXPECT_GT(strips.size(), 1u);
    EXPECT_EQ(strips.front().first, -5);
    EXPECT_EQ(strips.back().second, 300);
    for (size_t i = 0; i + 1 < strips.size(); ++i)
        EXPECT_EQ(strips[i].second, strips[i + 1].first);
    EXPECT_EQ(int32_t(strips.size()), stripCount(305, 10));
}

TEST(PixelThreads, OneThreadAndSmallWorkRunAsOneCall) {
    {
        ThreadCount one(1);
        EXPECT_EQ(stripsOf(0, 5000, 1000), (std::vector<std::pair<int32_t, int32_t>>{{0, 5000}}));
        EXPECT_EQ(stripCount(5000, 1000), 1);
    }
    ThreadCount defaults(0);
    setStripTuning({});
    EXPECT_EQ(stripsOf(0, 100, 100), (std::vector<std::pair<int32_t, int32_t>>{{0, 100}})); // 10 000 pixels
    EXPECT_TRUE(stripsOf(7, 7, 100).empty());
    EXPECT_TRUE(stripsOf(9, 3, 100).empty());
}

TEST(PixelThreads, TheLimitIsKeptAndRestored) {
    const int32_t before = pixelThreads();
    {
        ThreadCount three(3);
        EXPECT_EQ(pixelThreads(), 3);
    }
    EXPECT_EQ(pixelThreads(), before);
    setPixelThreads(-4); // below 0 means every core
    EXPECT_EQ(pixelThreads(), 0);
    setPixelThreads(before);
}

TEST(PixelThreads, AnExceptionFromAStripReachesTheCaller) {
    ThreadCount four(4);
    std::atomic<int> calls{0};
    EXPECT_THROW(forEachStrip(0, 1000, 10,
                              [&](int32_t b, int32_t) {
                                  ++calls;
                                  if (b == 0)
                                      throw std::bad_alloc();
                              }),
                 std::bad_alloc);
    EXPECT_GE(calls.load(), 1);
}

AnySurface randomSurface(int32_t width, int32_t height, int depth) {
    AnySurface surface;
    EXPECT_TRUE(surface.create(width, height, depth, depth == 8 ? 256 : 0));
    std::mt19937 random(static_cast<uint32_t>(width * 31 + depth));
    for (int32_t y = 0; y < height; ++y)
        for (int32_t i = 0; i < surface.stride(); ++i)
            surface.row(y)[i] = uint8_t(random());
    return surface;
}

TEST(PixelThreads, ReorientationGivesTheSameBytes) {
    const std::vector<std::pair<const char*, std::function<bool(AnySurface&)>>> operations = {
        {"rotate 90", [](AnySurface& s) { return s.rotate90Clockwise(); }},
        {"rotate -90", [](AnySurface& s) { return s.rotate90CounterClockwise(); }},
        {"rotate 180", [](AnySurface& s) { return s.rotate180(); }},
        {"mirror", [](AnySurface& s) { return s.mirror(); }},
        {"flip", [](AnySurface& s) { return s.flip(); }},
        {"transpose", [](AnySurface& s) { return s.transpose(); }},
        {"transverse", [](AnySurface& s) { return s.transverse(); }},
    };
    for (const auto& [name, operation] : operations)
        for (const int depth : {8, 24, 32})
            for (const auto& [w, h] :
                 std::vector<std::pair<int32_t, int32_t>>{{77, 101}, {130, 3}, {5, 66}}) {
                SCOPED_TRACE(testing::Message() << name << ", depth " << depth << ", " << w << " x " << h);
                // Structured bindings are captured by copy under their own names: older clang
                // refuses to capture a binding by reference.
                const auto result = onOneAndFourThreads([&, w = w, h = h, operation = operation] {
                    AnySurface s = randomSurface(w, h, depth);
                    EXPECT_TRUE(operation(s));
                    return s;
                });
                EXPECT_TRUE(testutil::samePixels(result.one, result.four));
            }
}

// The copying form keeps its source and gives the in-place operation's bytes, on any
// thread count; sub-byte depths take the copy-then-reflect path.
TEST(PixelThreads, OrientedCopiesMatchTheInPlaceOperations) {
    const std::vector<std::tuple<const char*, Orientation, std::function<bool(AnySurface&)>>> operations = {
        {"rotate 90", Orientation::Clockwise, [](AnySurface& s) { return s.rotate90Clockwise(); }},
        {"rotate -90", Orientation::CounterClockwise, [](AnySurface& s) { return s.rotate90CounterClockwise(); }},
        {"rotate 180", Orientation::HalfTurn, [](AnySurface& s) { return s.rotate180(); }},
        {"mirror", Orientation::Mirrored, [](AnySurface& s) { return s.mirror(); }},
        {"flip", Orientation::Flipped, [](AnySurface& s) { return s.flip(); }},
    };
    for (const auto& [name, orientation, operation] : operations)
        for (const int depth : {1, 4, 8, 16, 24, 32}) {
            if (depth < 8 && (orientation == Orientation::Clockwise || orientation == Orientation::CounterClockwise || orientation == Orientation::HalfTurn))
                continue; // the in-place quarter and half turns refuse these depths too
            SCOPED_TRACE(testing::Message() << name << ", depth " << depth);
            AnySurface expected = randomSurface(131, 77, depth);
            const AnySurface source = expected.clone();
            ASSERT_TRUE(operation(expected));
            const auto result = onOneAndFourThreads([&, orientation = orientation] {
                AnySurface copy;
                EXPECT_TRUE(source.orientedInto(copy, orientation));
                return copy;
            });
            EXPECT_TRUE(testutil::samePixels(result.one, expected));
            EXPECT_TRUE(testutil::samePixels(result.four, expected));
            AnySurface untouched = randomSurface(131, 77, depth);
            EXPECT_TRUE(testutil::samePixels(source, untouched)) << "the source is left as it was";
        }
    AnySurface empty;
    AnySurface target;
    EXPECT_FALSE(empty.orientedInto(target, Orientation::Flipped));
}

TEST(PixelThreads, StretchingGivesTheSameBytes) {
    for (const bool smooth : {false, true})
        for (const int depth : {8, 24, 32})
            for (const Size size : {Size{40, 29}, Size{211, 173}, Size{97, 300}, Size{3, 1}}) {
                SCOPED_TRACE(testing::Message() << (smooth ? "smooth" : "plain") << ", depth " << depth
                                                << " to " << size.width << " x " << size.height);
                const auto result = onOneAndFourThreads([&] {
                    AnySurface s = randomSurface(97, 83, depth);
                    EXPECT_TRUE(s.resize(size, smooth));
                    return s;
                });
                EXPECT_TRUE(testutil::samePixels(result.one, result.four));
            }
}

} // namespace
} // namespace pict
