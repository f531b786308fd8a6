// Read-only views that share a surface's pixels: nothing is copied when a view is made, the
// first write on either side takes a copy of its own, and parallel work on a shared surface
// gives the bytes it gives on one that owns its pixels.
#include "surface/RasterSurface.h"
#include "surface/RewrittenRows.h"
#include "surface/StackBlur.h"
#include "support/SurfaceCompare.h"
#include "support/ThreadCounts.h"

#include <gtest/gtest.h>

#include <cstring>
#include <new>
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

using test::sameMemory;
using test::samePixels;

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

// 7 pixels of 3 bytes in rows of 24: three bytes of padding, set to something else than zero.
Surface24 paddedPattern() {
    Surface24 surface = pattern(7, 40);
    for (int32_t y = 0; y < surface.height(); ++y)
        for (int64_t x = 21; x < surface.stride(); ++x)
            surface.row(y)[x] = uint8_t(0xC0 + y);
    return surface;
}

void scramble(uint8_t* row, int32_t y) {
    for (int32_t x = 0; x < 21; ++x)
        row[x] = uint8_t(row[x] * 5 + y + (x > 0 ? row[x - 1] : 0));
}

TEST(SurfaceSharing, RenewingPixelsOnlyWhenShared) {
    Surface24 alone = pattern(5, 4);
    AnySurface old = pattern(2, 2);
    EXPECT_FALSE(alone.renewSharedPixels(old)) << "owned pixels are worked on in place";
    EXPECT_TRUE(old.isEmpty());

    Surface24 view;
    ASSERT_TRUE(view.shareFrom(alone));
    Surface8 refuses;
    EXPECT_FALSE(alone.renewSharedPixels(refuses)) << "a reader of another depth is refused first";
    EXPECT_TRUE(alone.sharesPixels());

    const uint8_t* shared = std::as_const(view).row(0);
    ASSERT_TRUE(alone.renewSharedPixels(old));
    EXPECT_EQ(std::as_const(old).row(0), shared) << "old reads the shared memory";
    EXPECT_NE(std::as_const(alone).row(0), shared) << "the surface has memory of its own";
    EXPECT_FALSE(alone.sharesPixels());
}

TEST(SurfaceSharing, RewrittenRowsGiveTheInPlaceBytesWhetherSharedOrNot) {
    const Surface24 original = paddedPattern();
    Surface24 reference = original.clone();
    for (int32_t y = 0; y < reference.height(); ++y)
        scramble(reference.row(y), y);
    for (const int32_t threads : {1, 4}) {
        SCOPED_TRACE(testing::Message() << threads << " threads");
        test::ThreadCount count(threads);
        Surface24 owned = original.clone();
        rewriteRows(owned, 0, owned.height(), owned.width(), scramble);
        EXPECT_TRUE(sameMemory(owned, reference));

        Surface24 shared = original.clone();
        Surface24 view;
        ASSERT_TRUE(view.shareFrom(shared));
        rewriteRows(shared, 0, shared.height(), shared.width(), scramble);
        EXPECT_TRUE(sameMemory(shared, reference)) << "padding copied, every row rewritten";
        EXPECT_TRUE(sameMemory(view, original));
        EXPECT_FALSE(shared.sharesPixels());
        EXPECT_FALSE(view.sharesPixels()) << "the view alone holds the old memory";

        // Some rows only: the surface copies first and works in place.
        Surface24 part = original.clone();
        Surface24 partView;
        ASSERT_TRUE(partView.shareFrom(part));
        rewriteRows(part, 3, 30, part.width(), scramble);
        for (int32_t y = 0; y < part.height(); ++y) {
            const Surface24& expected = y >= 3 && y < 30 ? reference : original;
            EXPECT_EQ(std::memcmp(part.row(y), expected.row(y), size_t(part.stride())), 0) << "row " << y;
        }
        EXPECT_TRUE(sameMemory(partView, original));
    }
}

TEST(SurfaceSharing, AFailedRewriteLeavesTheOldPixels) {
    Surface24 shared = paddedPattern();
    const Surface24 original = shared.clone();
    Surface24 view;
    ASSERT_TRUE(view.shareFrom(shared));
    EXPECT_THROW(rewriteRows(shared, 0, shared.height(), shared.width(),
                             [](uint8_t* row, int32_t y) {
                                 if (y == 17)
                                     throw std::bad_alloc();
                                 row[0] = 1;
                             }),
                 std::bad_alloc);
    EXPECT_TRUE(sameMemory(shared, original)) << "no row of unwritten memory is left behind";
    EXPECT_TRUE(shared.sharesPixels()) << "back on the shared memory";
}

} // namespace
} // namespace pict
