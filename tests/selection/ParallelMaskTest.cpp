// The selection's feather on one thread against four.
#include "selection/SelectionMask.h"
#include "support/ThreadCounts.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>

namespace pict {
namespace {

TEST(ParallelMask, FeatherGivesTheSameBytes) {
    for (const int32_t radius : {1, 5, 40}) {
        SCOPED_TRACE(radius);
        const auto result = test::onOneAndFourThreads([&] {
            Surface8 canvas;
            EXPECT_TRUE(canvas.create(123, 77, 8));
            std::mt19937 random(static_cast<uint32_t>(radius));
            for (int32_t y = 0; y < canvas.height(); ++y)
                for (int32_t x = 0; x < canvas.width(); ++x)
                    canvas.row(y)[x] = (random() % 3) ? 255 : 0;
            SelectionMask selection(123, 77);
            EXPECT_TRUE(selection.load(canvas));
            EXPECT_TRUE(selection.feather(radius));
            Surface8 feathered;
            EXPECT_TRUE(selection.toCanvasSurface(feathered));
            return feathered;
        });
        for (int32_t y = 0; y < 77; ++y)
            ASSERT_EQ(std::memcmp(result.one.row(y), result.four.row(y), 123), 0) << "row " << y;
    }
}

} // namespace
} // namespace pict
