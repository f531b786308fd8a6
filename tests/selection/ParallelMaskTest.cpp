// The selection's blur on one thread against four.
#include "selection/MaskStackBlur.h"
#include "support/ThreadCounts.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>

namespace pict {
namespace {

TEST(ParallelMask, FeatherBlurGivesTheSameBytes) {
    for (const int32_t radius : {1, 5, 40}) {
        SCOPED_TRACE(radius);
        const auto result = test::onOneAndFourThreads([&] {
            Surface8 mask;
            EXPECT_TRUE(mask.create(123, 77, 8));
            std::mt19937 random(static_cast<uint32_t>(radius));
            for (int32_t y = 0; y < mask.height(); ++y)
                for (int32_t x = 0; x < mask.width(); ++x)
                    mask.row(y)[x] = (random() % 3) ? 255 : 0;
            EXPECT_TRUE(stackBlurMask(mask, radius));
            return mask;
        });
        for (int32_t y = 0; y < 77; ++y)
            ASSERT_EQ(std::memcmp(result.one.row(y), result.four.row(y), 123), 0) << "row " << y;
    }
}

} // namespace
} // namespace pict
