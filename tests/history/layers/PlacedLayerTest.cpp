// The layer that Place and Paste add and take away: above the active layer, with the picture's
// pixels and transparency; named once, so that a redo keeps the name even when a new layer
// would now be named otherwise; and never removing a layer that is not the one placed.
#include "history/layers/PlacedLayer.h"

#include "document/Document.h"
#include "document/Layer.h"
#include "support/DocumentFixtures.h"
#include "support/SurfaceCompare.h"

#include <gtest/gtest.h>

namespace pict {
namespace {

using test::samePixels;

class PlacedLayerTest : public ::testing::Test {
protected:
    PlacedLayerTest() : document_(test::whiteDocument(16, 12)) {
        test::addColorLayer(*document_, "Top", Rect{0, 0, 4, 4}, 1, 2, 3);
        stack().setActive(stack().layerAt(0));
    }
    LayerStack& stack() { return document_->layers(); }

    std::unique_ptr<Document> document_;
    const Surface24 color_ = test::solidColor(5, 3, 10, 20, 30);
};

TEST_F(PlacedLayerTest, AddsAboveTheActiveLayerAndRemovesIt) {
    const std::string expectedName = stack().defaultLayerName(false);
    PlacedLayer placed;
    EXPECT_EQ(placed.index(), -1);
    EXPECT_FALSE(placed.remove(stack())) << "nothing placed yet";

    ASSERT_TRUE(placed.place(stack(), color_, Surface8(), Point{2, -1}));
    ASSERT_EQ(stack().count(), 3);
    EXPECT_EQ(placed.index(), 1) << "right above the active background";
    const RasterLayer* layer = stack().rasterAt(1);
    ASSERT_NE(layer, nullptr);
    EXPECT_EQ(layer->name(), expectedName);
    EXPECT_EQ(layer->position(), (Point{2, -1}));
    EXPECT_TRUE(samePixels(layer->color(), color_));
    EXPECT_EQ(layer->transparencyMask(), nullptr) << "no alpha: opaque";
    EXPECT_EQ(stack().nameAt(2), "Top");

    ASSERT_TRUE(placed.remove(stack()));
    ASSERT_EQ(stack().count(), 2);
    EXPECT_EQ(stack().nameAt(1), "Top");
}

TEST_F(PlacedLayerTest, KeepsThePicturesTransparency) {
    Surface8 alpha = test::solidMask(5, 3, 255);
    alpha.row(1)[2] = 0;
    alpha.row(2)[4] = 128;
    PlacedLayer placed;
    ASSERT_TRUE(placed.place(stack(), color_, alpha, Point{0, 0}));
    const RasterLayer* layer = stack().rasterAt(placed.index());
    ASSERT_NE(layer, nullptr);
    ASSERT_NE(layer->transparencyMask(), nullptr);
    EXPECT_TRUE(samePixels(*layer->transparencyMask(), alpha));
}

// Undo leaves active the layer that was active before, and a redo puts the layer back at the
// index it had, whichever layer is active by then.
TEST_F(PlacedLayerTest, PlacingAgainAfterRemovalGivesTheSameStack) {
    PlacedLayer placed;
    ASSERT_TRUE(placed.place(stack(), color_, Surface8(), Point{0, 0}));
    const std::string name = stack().nameAt(1);
    EXPECT_EQ(stack().active(), stack().layerAt(1));
    ASSERT_TRUE(placed.remove(stack()));
    EXPECT_EQ(stack().active(), stack().layerAt(0)) << "the background, active before";

    stack().setActive(stack().layerAt(1)); // "Top"
    ASSERT_TRUE(placed.place(stack(), color_, Surface8(), Point{0, 0}));
    ASSERT_EQ(stack().count(), 3);
    EXPECT_EQ(stack().nameAt(1), name);
    EXPECT_EQ(stack().nameAt(2), "Top");
    EXPECT_EQ(stack().active(), stack().layerAt(1));
    ASSERT_TRUE(placed.remove(stack()));
    EXPECT_EQ(stack().active(), stack().layerAt(1)) << "Top was active before the redo";
}

TEST_F(PlacedLayerTest, EveryPlacingAfterTheFirstKeepsItsName) {
    PlacedLayer placed;
    ASSERT_TRUE(placed.place(stack(), color_, Surface8(), Point{0, 0}));
    const std::string name = stack().nameAt(placed.index());
    ASSERT_TRUE(placed.remove(stack()));
    // A layer taking the name meanwhile would give a new layer another name.
    stack().setName(stack().layerAt(1), name, false);
    ASSERT_NE(stack().defaultLayerName(false), name);
    stack().setActive(stack().layerAt(0)); // as on the first placing (the placed layer was active)

    ASSERT_TRUE(placed.place(stack(), color_, Surface8(), Point{0, 0}));
    EXPECT_EQ(placed.index(), 1);
    EXPECT_EQ(stack().nameAt(1), name);
    ASSERT_TRUE(placed.remove(stack()));
    EXPECT_EQ(stack().count(), 2);
}

TEST_F(PlacedLayerTest, RefusesToRemoveALayerThatIsNotTheOnePlaced) {
    PlacedLayer renamed;
    ASSERT_TRUE(renamed.place(stack(), color_, Surface8(), Point{0, 0}));
    stack().setName(stack().layerAt(renamed.index()), "Renamed", false);
    EXPECT_FALSE(renamed.remove(stack()));
    EXPECT_EQ(stack().count(), 3);
    ASSERT_TRUE(stack().removeAt(1));

    PlacedLayer gone;
    ASSERT_TRUE(gone.place(stack(), color_, Surface8(), Point{0, 0}));
    ASSERT_TRUE(stack().removeAt(gone.index())); // its index now holds "Top"
    EXPECT_FALSE(gone.remove(stack()));
    ASSERT_EQ(stack().count(), 2);
    EXPECT_EQ(stack().nameAt(1), "Top");
}

TEST_F(PlacedLayerTest, AnEmptyPictureAddsNothing) {
    PlacedLayer placed;
    EXPECT_FALSE(placed.place(stack(), Surface24(), Surface8(), Point{0, 0}));
    EXPECT_EQ(stack().count(), 2);
    EXPECT_EQ(placed.index(), -1);
}

} // namespace
} // namespace pict
