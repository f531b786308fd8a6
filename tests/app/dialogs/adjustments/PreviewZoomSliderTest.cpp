#include "app/dialogs/adjustments/PreviewZoomSlider.h"

#include <gtest/gtest.h>

namespace pict {
namespace {

TEST(PreviewZoomSliderTest, PositionsMapToZoomsQuadraticallyAroundOne) {
    const PreviewZoomSlider slider{0.25, 8.0};
    EXPECT_DOUBLE_EQ(slider.zoomAt(0), 0.25);
    EXPECT_DOUBLE_EQ(slider.zoomAt(21), 0.4375);
    EXPECT_DOUBLE_EQ(slider.zoomAt(42), 1.0);
    EXPECT_DOUBLE_EQ(slider.zoomAt(84), 8.0);
    EXPECT_DOUBLE_EQ(slider.zoomAt(200), 8.0) << "limited to the steps";
    EXPECT_DOUBLE_EQ(slider.zoomAt(-3), 0.25);
}

TEST(PreviewZoomSliderTest, ZoomsMapBackToTheShownPositions) {
    const PreviewZoomSlider slider{0.25, 8.0};
    EXPECT_EQ(slider.positionOf(8.0), 83) << "the maximum stands one short of the end";
    EXPECT_EQ(slider.positionOf(1.0), 42);
    EXPECT_EQ(slider.positionOf(0.4375), 21);
    EXPECT_EQ(slider.positionOf(0.01), 0);
    for (int32_t p = 0; p < PreviewZoomSlider::kLastPosition; ++p)
        EXPECT_EQ(slider.positionOf(slider.zoomAt(p)), p) << p;
}

TEST(PreviewZoomSliderTest, AMinimumOfOneKeepsTheLowerHalfAtOne) {
    const PreviewZoomSlider slider{1.0, 8.0};
    EXPECT_DOUBLE_EQ(slider.zoomAt(10), 1.0);
    EXPECT_EQ(slider.positionOf(1.0), 42);
}

} // namespace
} // namespace pict
