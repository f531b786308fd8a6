#include "app/commands/LastFilterSlot.h"

#include "imageops/ConvolutionFilter.h"
#include "imageops/GaussianBlurFilter.h"
#include "imageops/SimpleColorFilters.h"

#include <gtest/gtest.h>

namespace pict {
namespace {

TEST(LastFilterSlot, KeepsNeighbourhoodFiltersButNotPointFilters) {
    LastFilterSlot slot;
    EXPECT_EQ(lastFilterMenuLabel(slot), "Last Filter\tCtrl+F");
    slot.record(ConvolutionFilter(FilterKind::Blur));
    EXPECT_EQ(lastFilterMenuLabel(slot), "Blur\tCtrl+F");

    slot.record(InvertFilter());
    EXPECT_EQ(lastFilterMenuLabel(slot), "Blur\tCtrl+F");

    slot.clear();
    EXPECT_TRUE(slot.isEmpty());
    EXPECT_EQ(lastFilterMenuLabel(slot), "Last Filter\tCtrl+F");
}

TEST(LastFilterSlot, AClonePlaysBackWithTheSameParameters) {
    LastFilterSlot slot;
    EXPECT_FALSE(slot.cloneFilter());
    slot.record(GaussianBlurFilter(7.5));
    std::unique_ptr<NeighborhoodFilter> again = slot.cloneFilter();
    ASSERT_TRUE(again);
    EXPECT_NE(again.get(), slot.filter());
    EXPECT_EQ(static_cast<GaussianBlurFilter&>(*again).radius(), 7.5);
    EXPECT_EQ(lastFilterMenuLabel(slot), "Gaussian Blur\tCtrl+F");

    // Recording the slot's own object leaves it in place.
    const NeighborhoodFilter* held = slot.filter();
    slot.record(*held);
    EXPECT_EQ(slot.filter(), held);
}

TEST(LastFilterSlot, TheRecorderWritesIntoItsSlotAndNoneWithoutOne) {
    EXPECT_FALSE(recordInto(nullptr));
    LastFilterSlot slot;
    const FilterApplied applied = recordInto(&slot);
    ASSERT_TRUE(applied);
    applied(ConvolutionFilter(FilterKind::SharpenMore));
    EXPECT_EQ(lastFilterMenuLabel(slot), "Sharpen More\tCtrl+F");
}

} // namespace
} // namespace pict
