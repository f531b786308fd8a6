// Painting on an empty layer (what New Layer makes): the layer becomes a transparent
// canvas-sized raster layer inside the painting's own history step.
#include "app/SessionFixture.h"

#include "canvas/tools/StrokeTool.h"

#include <string>

namespace pict {
namespace {

class PaintOnEmptyLayerTest : public test::SessionTest {
protected:
    PaintOnEmptyLayerTest() {
        LayerParams params;
        params.name = "Ink";
        params.opacity = 200;
        EXPECT_EQ(run(kCmdNewLayer, params), CommandOutcome::Done);
        app_.foregroundColor = Color::fromRgb(0x102030);
        app_.backgroundColor = Color::fromRgb(0xF0E0D0);
    }
    const Layer* active() { return layers().active(); }
    const RasterLayer* raster() { return active()->asRaster(); }
    uint8_t maskAt(int32_t x, int32_t y) { return raster()->transparencyMask()->valueAt(x, y); }

    StrokeParams line(std::vector<Point> points, int32_t size = 1) {
        StrokeParams stroke;
        stroke.brush.size = size;
        stroke.points = std::move(points);
        return stroke;
    }

    // The layer is the promoted one: canvas-sized, keeping the empty layer's attributes.
    void expectPromoted() {
        ASSERT_TRUE(active()->isRaster());
        EXPECT_EQ(raster()->name(), "Ink");
        EXPECT_EQ(raster()->opacity(), 200);
        EXPECT_EQ(raster()->size(), (Size{40, 30}));
        EXPECT_EQ(raster()->position(), (Point{0, 0}));
        ASSERT_NE(raster()->transparencyMask(), nullptr);
    }
    // One step, named name, that undoes to the same empty layer and redoes to content.
    void expectOneStepBackToEmpty(const std::string& name) {
        EXPECT_EQ(history().count(), 2) << "New Layer and the painting";
        EXPECT_EQ(history().undoName(), name);
        ASSERT_TRUE(history().undo());
        EXPECT_FALSE(active()->isRaster());
        EXPECT_EQ(active()->name(), "Ink");
        EXPECT_EQ(history().undoName(), "New Layer");
        ASSERT_TRUE(history().redo());
        expectPromoted();
    }
};

TEST_F(PaintOnEmptyLayerTest, PaintingCommandsAreEnabledOnAnEmptyLayer) {
    for (uint16_t id : {kCmdBrushStroke, kCmdPencilStroke, kCmdEraserStroke, kCmdPaintBucket, kCmdGradient})
        EXPECT_TRUE(commands_.isEnabled(id)) << id;
}

TEST_F(PaintOnEmptyLayerTest, APencilLinePaintsOnlyItsPixels) {
    ASSERT_EQ(run(kCmdPencilStroke, line({{2, 3}, {6, 3}})), CommandOutcome::Done);
    expectPromoted();
    for (int32_t x = 0; x < 40; ++x)
        EXPECT_EQ(maskAt(x, 3), x >= 2 && x <= 6 ? 255 : 0) << x;
    EXPECT_EQ(maskAt(4, 2), 0);
    EXPECT_EQ(raster()->colorAt(4, 3)[2], 0x10) << "red of the foreground";
    expectOneStepBackToEmpty("Pencil");
    for (int32_t x = 0; x < 40; ++x)
        EXPECT_EQ(maskAt(x, 3), x >= 2 && x <= 6 ? 255 : 0) << "redo repaints " << x;
}

TEST_F(PaintOnEmptyLayerTest, BrushAndEraserPromoteToo) {
    ASSERT_EQ(run(kCmdBrushStroke, line({{10, 10}, {20, 10}}, 5)), CommandOutcome::Done);
    expectPromoted();
    EXPECT_EQ(maskAt(15, 10), 255);
    EXPECT_EQ(maskAt(15, 20), 0);
    expectOneStepBackToEmpty("Brush");

    ASSERT_TRUE(history().undo());
    ASSERT_EQ(run(kCmdEraserStroke, line({{10, 10}}, 5)), CommandOutcome::Done);
    expectPromoted();
    EXPECT_EQ(maskAt(10, 10), 0) << "erasing transparency leaves it transparent";
    expectOneStepBackToEmpty("Eraser");
}

TEST_F(PaintOnEmptyLayerTest, TheBucketFillsTheWholeTransparentLayer) {
    BucketParams bucket;
    bucket.point = {5, 5};
    ASSERT_EQ(run(kCmdPaintBucket, bucket), CommandOutcome::Done);
    expectPromoted();
    for (Point p : {Point{0, 0}, Point{39, 29}, Point{5, 5}})
        EXPECT_EQ(maskAt(p.x, p.y), 255) << p.x << "," << p.y;
    expectOneStepBackToEmpty("Paint Bucket");
}

TEST_F(PaintOnEmptyLayerTest, AGradientInsideTheSelectionPromotes) {
    ASSERT_EQ(commands_.selectMarquee(Rect{0, 0, 20, 30}, false).outcome, CommandOutcome::Done);
    GradientParams ramp;
    ramp.start = {0, 0};
    ramp.end = {19, 0};
    ASSERT_EQ(run(kCmdGradient, ramp), CommandOutcome::Done);
    expectPromoted();
    EXPECT_EQ(maskAt(0, 0), 255);
    EXPECT_EQ(maskAt(30, 0), 0) << "outside the selection";
    EXPECT_EQ(raster()->colorAt(19, 0)[0], 0xD0) << "the background color at the end";
    EXPECT_EQ(history().count(), 3);
    EXPECT_EQ(history().undoName(), "Gradient");
    ASSERT_TRUE(history().undo());
    EXPECT_FALSE(active()->isRaster());
}

TEST_F(PaintOnEmptyLayerTest, NothingPaintedLeavesTheLayerEmpty) {
    EXPECT_EQ(run(kCmdPencilStroke, line({{-10, -10}, {-5, -5}})), CommandOutcome::Unchanged);
    EXPECT_FALSE(active()->isRaster());
    EXPECT_EQ(history().count(), 1);

    ASSERT_EQ(commands_.selectMarquee(Rect{0, 0, 5, 5}, false).outcome, CommandOutcome::Done);
    BucketParams bucket;
    bucket.point = {30, 20};
    EXPECT_EQ(run(kCmdPaintBucket, bucket), CommandOutcome::Done) << "the region meets the selection";
    ASSERT_TRUE(history().undo());
    EXPECT_FALSE(active()->isRaster());

    GradientParams same;
    EXPECT_EQ(run(kCmdGradient, same), CommandOutcome::Refused);
    EXPECT_FALSE(active()->isRaster());
}

TEST_F(PaintOnEmptyLayerTest, AHiddenEmptyLayerIsNotPainted) {
    layers().setVisible(layers().active(), false);
    expectRefused(kCmdPencilStroke, line({{2, 3}}));
    BucketParams bucket;
    bucket.point = {5, 5};
    expectRefused(kCmdPaintBucket, bucket);
    EXPECT_FALSE(active()->isRaster());
}

// The editor's brush tools paint live: the layer is promoted at the press.
TEST_F(PaintOnEmptyLayerTest, TheStrokeToolPromotesAtThePressAndEscapePutsItBack) {
    StrokeTool tool;
    BrushParams pencil;
    pencil.tool = PaintTool::Pencil;
    pencil.size = 1;
    Rect changed;
    ASSERT_TRUE(tool.press(session_, pencil, {3.5, 3.5, 1.0}, false, changed));
    expectPromoted();
    EXPECT_EQ(maskAt(3, 3), 255);
    tool.drag({8.5, 3.5, 1.0});
    tool.cancel();
    EXPECT_FALSE(active()->isRaster()) << "Escape: the empty layer again";
    EXPECT_EQ(history().count(), 1);

    ASSERT_TRUE(tool.press(session_, pencil, {3.5, 3.5, 1.0}, false, changed));
    tool.drag({8.5, 3.5, 1.0});
    auto state = tool.release();
    ASSERT_NE(state, nullptr);
    ASSERT_TRUE(history().add(std::move(state), true));
    EXPECT_EQ(maskAt(8, 3), 255);
    expectOneStepBackToEmpty("Pencil");
}

} // namespace
} // namespace pict
