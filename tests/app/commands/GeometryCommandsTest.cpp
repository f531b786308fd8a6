#include "app/SessionFixture.h"

#include "app/dialogs/CanvasSizeSettings.h"
#include "app/dialogs/ImageSizeSettings.h"

namespace pict {
namespace {

class GeometryCommandsTest : public test::SessionTest {
protected:
    GeometryCommandsTest() : SessionTest(100, 100) {}

    ImageSizeSettings imageSize(int32_t width, int32_t height, float resolution,
                                ResolutionUnit unit = ResolutionUnit::PixelsPerInch, int32_t method = 1) {
        ImageSizeSettings s;
        s.width = width;
        s.height = height;
        s.resolution = resolution;
        s.resolutionUnit = unit;
        s.oldWidth = document().width();
        s.oldHeight = document().height();
        s.method = method;
        return s;
    }

    // The record the Canvas Size dialog returns for a size and an anchor.
    CanvasSizeSettings canvasSize(int32_t width, int32_t height, int32_t anchor, Color color = kWhite) {
        CanvasSizeSettings s;
        s.width = width;
        s.height = height;
        s.oldWidth = document().width();
        s.oldHeight = document().height();
        s.anchorOffset = anchorOffset(document().canvasSize(), {width, height}, anchor);
        s.extensionColor = color;
        return s;
    }

    const uint8_t* backgroundPixel(int32_t x, int32_t y) {
        return layers().rasterAt(0)->color().row(y) + 3 * x;
    }
};

TEST_F(GeometryCommandsTest, ImageSizeRecordsOnlyARealChange) {
    EXPECT_EQ(run(kCmdImageSize), CommandOutcome::Unchanged);
    EXPECT_EQ(run(kCmdImageSize, imageSize(100, 100, 72.00005f)), CommandOutcome::Unchanged);
    EXPECT_EQ(run(kCmdImageSize, imageSize(100, 100, 72.0f, ResolutionUnit::PixelsPerInch, 5)),
              CommandOutcome::Unchanged)
        << "another method alone changes nothing";
    EXPECT_EQ(history().count(), 0);
    EXPECT_FALSE(document().isModified());

    EXPECT_EQ(run(kCmdImageSize, imageSize(100, 100, 72.0f, ResolutionUnit::PixelsPerCentimeter)),
              CommandOutcome::Done)
        << "another unit";
    EXPECT_EQ(history().undoName(), "Image Size");
    EXPECT_EQ(run(kCmdImageSize, imageSize(50, 25, 72.0f, ResolutionUnit::PixelsPerCentimeter)),
              CommandOutcome::Done);
    EXPECT_EQ(document().canvasSize(), (Size{50, 25}));
    EXPECT_EQ(history().count(), 2);
}

TEST_F(GeometryCommandsTest, ImageSizeResolutionOnlyKeepsPixelsAndUndoRestoresTheResolution) {
    layers().rasterAt(0)->color().fillSolid24({10, 10, 20, 20}, 0x123456);
    ASSERT_EQ(commands_.selectMarquee({1, 1, 5, 5}, false).outcome, CommandOutcome::Done);
    EXPECT_EQ(run(kCmdImageSize, imageSize(100, 100, 300.0f)), CommandOutcome::Done);
    EXPECT_FLOAT_EQ(document().info().resolution, 300.0f);
    EXPECT_EQ(backgroundPixel(15, 15)[0], 0x12);
    EXPECT_FALSE(selection().isEmpty()) << "no pixel changed, so the selection stays";
    run(kCmdUndo);
    EXPECT_FLOAT_EQ(document().info().resolution, 72.0f);
    EXPECT_EQ(backgroundPixel(15, 15)[2], 0x56);
}

TEST_F(GeometryCommandsTest, ImageSizeOutOfRangeIsRefused) {
    EXPECT_EQ(run(kCmdImageSize, imageSize(30001, 100, 72.0f)), CommandOutcome::Refused);
    EXPECT_EQ(run(kCmdImageSize, imageSize(100, 100, 0.5f)), CommandOutcome::Refused);
    EXPECT_EQ(run(kCmdImageSize, CanvasSizeSettings{}), CommandOutcome::Failed) << "another dialog's record";
    EXPECT_EQ(history().count(), 0);
    EXPECT_EQ(document().canvasSize(), (Size{100, 100}));
}

TEST_F(GeometryCommandsTest, CanvasSizeCentredGrowthPutsTheImageAtTwo) {
    layers().rasterAt(0)->color().fillSolid24({0, 0, 100, 100}, 0x000000);
    EXPECT_EQ(run(kCmdCanvasSize, canvasSize(105, 100, kCenterAnchor, Color::fromRgb(0xFF0000))), CommandOutcome::Done);
    EXPECT_EQ(history().undoName(), "Canvas Size");
    // The extension is red (0xFF0000 as the dialog gives it), stored blue-green-red.
    for (int32_t x : {0, 1, 102, 103, 104}) {
        EXPECT_EQ(backgroundPixel(x, 50)[2], 255) << x;
        EXPECT_EQ(backgroundPixel(x, 50)[0], 0) << x;
    }
    for (int32_t x : {2, 101})
        EXPECT_EQ(backgroundPixel(x, 50)[2], 0) << x;
}

TEST_F(GeometryCommandsTest, CanvasSizeBottomRightShrinkMovesLayersByMinusTwenty) {
    RasterLayer* layer = addLayer("Layer 1", {30, 30, 50, 50});
    const CanvasSizeSettings s = canvasSize(80, 80, 8);
    EXPECT_EQ(s.anchorOffset, (Point{-20, -20}));
    EXPECT_EQ(run(kCmdCanvasSize, s), CommandOutcome::Done);
    EXPECT_EQ(layers().layerAt(1)->canvasRect(), (Rect{10, 10, 30, 30}));
    EXPECT_EQ(layer->size(), (Size{20, 20}));
    EXPECT_EQ(layers().rasterAt(0)->size(), (Size{80, 80}));
    run(kCmdUndo);
    EXPECT_EQ(document().canvasSize(), (Size{100, 100}));
    EXPECT_EQ(layers().layerAt(1)->canvasRect(), (Rect{30, 30, 50, 50}));
}

TEST_F(GeometryCommandsTest, CanvasSizeWithTheSameSizeAddsNoStateEvenForAnotherAnchor) {
    EXPECT_EQ(run(kCmdCanvasSize), CommandOutcome::Unchanged);
    CanvasSizeSettings s = canvasSize(100, 100, 0);
    s.anchorOffset = {7, 9};
    EXPECT_EQ(run(kCmdCanvasSize, s), CommandOutcome::Unchanged);
    EXPECT_EQ(run(kCmdCanvasSize, canvasSize(0, 100, 4)), CommandOutcome::Refused);
    EXPECT_EQ(history().count(), 0);
}

TEST_F(GeometryCommandsTest, RotationsFlipsAndTheirNames) {
    addLayer("Layer 1", {10, 20, 40, 30});
    EXPECT_EQ(run(kCmdRotate90CW), CommandOutcome::Done);
    EXPECT_EQ(layers().layerAt(1)->canvasRect(), (Rect{70, 10, 80, 40}));
    EXPECT_EQ(run(kCmdRotate90CCW), CommandOutcome::Done);
    EXPECT_EQ(layers().layerAt(1)->canvasRect(), (Rect{10, 20, 40, 30}));
    EXPECT_EQ(run(kCmdRotate180), CommandOutcome::Done);
    EXPECT_EQ(layers().layerAt(1)->canvasRect(), (Rect{60, 70, 90, 80}));
    EXPECT_EQ(history().undoName(), "Rotate Canvas");
    EXPECT_EQ(run(kCmdFlipHorizontal), CommandOutcome::Done);
    EXPECT_EQ(history().undoName(), "Flip Canvas Horizontal");
    EXPECT_EQ(run(kCmdFlipVertical), CommandOutcome::Done);
    EXPECT_EQ(history().undoName(), "Flip Canvas Vertical");
    EXPECT_EQ(layers().layerAt(1)->canvasRect(), (Rect{10, 20, 40, 30}));
    EXPECT_EQ(view_.canvasChanges, 5);
}

TEST_F(GeometryCommandsTest, CropNeedsASelectionMeetingTheCanvas) {
    expectRefused(kCmdCrop);
    ASSERT_EQ(commands_.selectMarquee({90, 95, 140, 140}, false).outcome, CommandOutcome::Done);
    EXPECT_EQ(run(kCmdCrop), CommandOutcome::Done);
    EXPECT_EQ(document().canvasSize(), (Size{10, 5}));
}

TEST_F(GeometryCommandsTest, CropToAnEllipseCropsToItsBounds) {
    ASSERT_EQ(commands_.selectMarquee({10, 20, 50, 45}, true).outcome, CommandOutcome::Done);
    const Rect bounds = selection().mask().bounds();
    EXPECT_EQ(run(kCmdCrop), CommandOutcome::Done);
    EXPECT_EQ(document().canvasSize(), bounds.size());
    EXPECT_TRUE(selection().isEmpty());
    run(kCmdUndo);
    EXPECT_EQ(document().canvasSize(), (Size{100, 100}));
    EXPECT_EQ(selection().mask().bounds(), bounds) << "undo brings the selection back";
}

TEST_F(GeometryCommandsTest, TrimOfADotGivesOnePixel) {
    layers().rasterAt(0)->color().fillSolid24({5, 7, 6, 8}, 0x000000);
    EXPECT_EQ(run(kCmdTrim), CommandOutcome::Done);
    EXPECT_EQ(document().canvasSize(), (Size{1, 1}));
    EXPECT_EQ(history().undoName(), "Trim");
}

TEST_F(GeometryCommandsTest, TrimIsRefusedForAHiddenLayerAndFailsWithSeveralLayers) {
    layers().setVisible(layers().layerAt(0), false, true);
    expectRefused(kCmdTrim);
    layers().setVisible(layers().layerAt(0), true, true);
    addLayer("Layer 1", {0, 0, 10, 10});
    EXPECT_EQ(run(kCmdTrim), CommandOutcome::Failed);
    EXPECT_EQ(history().count(), 0);
    EXPECT_EQ(document().canvasSize(), (Size{100, 100}));
}

TEST_F(GeometryCommandsTest, TrimWithoutAnyLayerIsRefused) {
    layers().removeAll(true);
    expectRefused(kCmdTrim);
}

} // namespace
} // namespace pict
