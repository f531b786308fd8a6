// Fill and Clear on an empty layer (what New Layer makes): the layer first becomes a
// transparent canvas-sized raster layer, inside the same history step.
#include "app/SessionFixture.h"

namespace pict {
namespace {

class ContentLayerTest : public test::SessionTest {
protected:
    ContentLayerTest() {
        LayerParams params;
        params.name = "Sky";
        params.mode = 2;
        params.opacity = 128;
        EXPECT_EQ(run(kCmdNewLayer, params), CommandOutcome::Done);
    }
    const Layer* active() { return layers().active(); }
};

TEST_F(ContentLayerTest, FillOnANewLayerJustWorks) {
    EXPECT_TRUE(commands_.isEnabled(kCmdFill));
    EXPECT_TRUE(commands_.isEnabled(kCmdFillForeground));
    ASSERT_EQ(commands_.selectMarquee(Rect{2, 2, 6, 5}, false).outcome, CommandOutcome::Done);
    ASSERT_EQ(run(kCmdFillForeground), CommandOutcome::Done);
    EXPECT_EQ(history().undoName(), "Fill");
    const RasterLayer* layer = active()->asRaster();
    ASSERT_NE(layer, nullptr);
    EXPECT_EQ(layer->name(), "Sky");
    EXPECT_EQ(layer->blendMode(), 2);
    EXPECT_EQ(layer->opacity(), 128);
    EXPECT_EQ(layer->size(), (Size{40, 30}));
    EXPECT_EQ(layer->alphaAt(3, 3), 128) << "opacity 128 times a filled mask";
    EXPECT_EQ(layer->transparencyMask()->valueAt(3, 3), 255);
    EXPECT_EQ(layer->transparencyMask()->valueAt(0, 0), 0) << "the rest stays transparent";
    EXPECT_EQ(layer->colorAt(3, 3)[0], 0) << "black foreground";
    EXPECT_EQ(layers().count(), 2);

    // One step back: the very same empty layer.
    ASSERT_TRUE(history().undo());
    EXPECT_TRUE(active()->isEmpty());
    EXPECT_FALSE(active()->isRaster());
    EXPECT_EQ(active()->name(), "Sky");
    EXPECT_EQ(history().undoName(), "Rectangular Marquee");
    ASSERT_TRUE(history().redo());
    EXPECT_EQ(active()->asRaster()->transparencyMask()->valueAt(3, 3), 255);
}

TEST_F(ContentLayerTest, ClearOnANewLayerPromotesIt) {
    ASSERT_EQ(commands_.selectMarquee(Rect{2, 2, 6, 5}, false).outcome, CommandOutcome::Done);
    EXPECT_TRUE(commands_.isEnabled(kCmdClear));
    ASSERT_EQ(run(kCmdClear), CommandOutcome::Done);
    ASSERT_TRUE(active()->isRaster());
    EXPECT_EQ(active()->asRaster()->alphaAt(3, 3), 0);
    ASSERT_TRUE(history().undo());
    EXPECT_FALSE(active()->isRaster());
}

TEST_F(ContentLayerTest, AHiddenEmptyLayerTakesNothing) {
    layers().setVisible(layers().active(), false);
    expectRefused(kCmdFill);
    expectRefused(kCmdFillForeground);
}

} // namespace
} // namespace pict
