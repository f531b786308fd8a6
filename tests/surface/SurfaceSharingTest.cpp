// Read-only views that share a surface's pixels: nothing is copied when a view is made, the
// first write on either side takes a copy of its own, and parallel work on a shared surface
// gives the bytes it gives on one that owns its pixels.
#include "surface/RasterSurface.h"
#include "surface/StackBlur.h"
#include "support/ThreadCounts.h"

#include <gtest/gtest.h>

#include <cstring>
#include <thread>
#include <utility>

namespace pict {
namespace {

Surface24 pattern(int32_t width, int32_t height) {
    Surface24 surface;
    EXPECT_TRUE(surface.create(width, height, 24));
    for (int32_t y = 0; y < height; ++y)
        for (int32_t x = 0; x < 3 * width; ++x)
            surface.row(y)[x] = uint8_t(x * 7 + y * 13);
    return surface;
}

bool samePixels(const RasterSurface& a, const RasterSurface& b) {
    if (a.size() != b.size() || a.depth() != b.depth())
        return false;
    const size_t bytes = size_t(a.width()) * size_t(a.depth() / 8);
    for (int32_t y = 0; y < a.height(); ++y)
        if (std::memcmp(a.row(y), b.row(y), bytes) != 0)
            return false;
    return true;
}

TEST(SurfaceSharing, AViewReadsTheSamePixelMemoryWithoutACopy) {
    Surface24 source = pattern(9, 5);
    Surface24 view;
    ASSERT_TRUE(view.shareFrom(source));
    EXPECT_TRUE(source.sharesPixels());
    EXPECT_TRUE(view.sharesPixels());
    const Surface24& constSource = source;
    for (int32_t y = 0; y < 5; ++y)
        EXPECT_EQ(std::as_const(view).buffer()->rows[size_t(y)], constSource.row(y)) << "the same memory";
    EXPECT_EQ(view.size(), source.size());
    EXPECT_EQ(view.stride(), source.stride());
}

TEST(SurfaceSharing, TheFirstWriteTakesACopyAndTheViewKeepsItsPixels) {
    Surface24 source = pattern(9, 5);
    const Surface24 original = source.clone();
    Surface24 view;
    ASSERT_TRUE(view.shareFrom(source));

    source.row(2)[4] = 0xEE; // the write detaches the source
    EXPECT_FALSE(source.sharesPixels());
    EXPECT_FALSE(view.sharesPixels()) << "the view is the only owner left";
    EXPECT_TRUE(samePixels(view, original));
    EXPECT_EQ(source.row(2)[4], 0xEE);
    source.row(2)[4] = original.row(2)[4];
    EXPECT_TRUE(samePixels(source, original)) << "the copy holds every other pixel";

    // The other way round: writing to a view leaves its source alone.
    Surface24 second;
    ASSERT_TRUE(second.shareFrom(source));
    ASSERT_TRUE(second.fillAll(0x123456));
    EXPECT_TRUE(samePixels(source, original));
}

TEST(SurfaceSharing, WithTheViewGoneTheSourceWritesInPlace) {
    Surface24 source = pattern(9, 5);
    {
        Surface24 view;
        ASSERT_TRUE(view.shareFrom(source));
    }
    const Surface24& constSource = source;
    const uint8_t* before = constSource.row(0);
    EXPECT_FALSE(source.sharesPixels());
    EXPECT_EQ(source.row(0), before) << "no copy once nothing else holds the pixels";
}

TEST(SurfaceSharing, EmptyAndOtherDepths) {
    Surface24 empty;
    Surface24 view = pattern(3, 3);
    ASSERT_TRUE(view.shareFrom(empty));
    EXPECT_TRUE(view.isEmpty());

    Surface8 mask;
    ASSERT_TRUE(mask.create(4, 4, 8));
    ASSERT_TRUE(mask.fillValue(77));
    Surface8 maskView;
    ASSERT_TRUE(maskView.shareFrom(mask));
    mask.setValueAt(1, 1, 5);
    EXPECT_EQ(maskView.valueAt(1, 1), 77);
    EXPECT_EQ(mask.valueAt(1, 1), 5);

    Surface8 refused;
    EXPECT_FALSE(refused.shareFrom(pattern(3, 3))) << "a view keeps the depth rules";
    EXPECT_TRUE(refused.isEmpty());
}

TEST(SurfaceSharing, ParallelWorkOnASharedSurfaceGivesTheSameBytes) {
    const Surface24 original = pattern(120, 90);
    Surface24 reference = original.clone();
    {
        test::ThreadCount one(1);
        ASSERT_TRUE(stackBlur(reference, 3, 5));
    }
    test::ThreadCount four(4);
    Surface24 source = original.clone();
    Surface24 view;
    ASSERT_TRUE(view.shareFrom(source));
    ASSERT_TRUE(stackBlur(source, 3, 5)); // rows and columns in strips on several threads
    EXPECT_TRUE(samePixels(source, reference));
    EXPECT_TRUE(samePixels(view, original));
}

TEST(SurfaceSharing, AnotherThreadReadsTheViewWhileTheSourceChanges) {
    test::ThreadCount four(4);
    Surface24 source = pattern(200, 120);
    const Surface24 original = source.clone();
    Surface24 view;
    ASSERT_TRUE(view.shareFrom(source));
    bool same = false;
    std::thread reader([&] {
        for (int round = 0; round < 20; ++round)
            same = samePixels(view, original);
        view.destroy(); // released on the reading thread, as the autosave worker does
    });
    for (int round = 0; round < 20; ++round)
        ASSERT_TRUE(stackBlur(source, 2, 2));
    reader.join();
    EXPECT_TRUE(same);
    EXPECT_FALSE(source.sharesPixels());
}

} // namespace
} // namespace pict
