#include "app/dialogs/adjustments/SliderMappings.h"

#include <gtest/gtest.h>

namespace pict {
namespace {

TEST(SliderMappings, LevelsGammaMapsBothWays) {
    EXPECT_DOUBLE_EQ(levelsGammaFromSlider(127.5, 0, 255), 1.0);
    EXPECT_DOUBLE_EQ(levelsGammaFromSlider(0, 0, 255), 9.99); // 10 limited
    EXPECT_DOUBLE_EQ(levelsGammaFromSlider(255, 0, 255), 0.1);
    EXPECT_DOUBLE_EQ(levelsGammaFromSlider(191.25, 0, 255), 0.32); // 10^-0.5
    EXPECT_DOUBLE_EQ(levelsGammaFromSlider(50, 50, 50), 1.0);      // no span: no division by zero
    EXPECT_EQ(levelsSliderFromGamma(1.0, 0, 255), 128);
    EXPECT_EQ(levelsSliderFromGamma(0.1, 0, 255), 255);
    EXPECT_EQ(levelsSliderFromGamma(9.99, 10, 100), 10);
}

TEST(SliderMappings, GaussianRadiusFollowsItsThreePieces) {
    EXPECT_NEAR(gaussianRadiusFromSlider(0), 0.1, 1e-12);
    EXPECT_NEAR(gaussianRadiusFromSlider(49), 4.902, 1e-12);
    EXPECT_NEAR(gaussianRadiusFromSlider(50), 5.0, 1e-9);
    EXPECT_NEAR(gaussianRadiusFromSlider(180), 100.0, 1e-9);
    EXPECT_NEAR(gaussianRadiusFromSlider(200), 250.0, 1e-9);
    // The pieces meet without a step back: every position gives a larger radius.
    for (int32_t position = 1; position <= 200; ++position)
        EXPECT_GT(gaussianRadiusFromSlider(position), gaussianRadiusFromSlider(position - 1)) << position;
}

} // namespace
} // namespace pict
