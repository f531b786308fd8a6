// Move Layer and Move Selection through the command layer: pixels, the selection, undo,
// layers reaching off the canvas, the background layer and empty layers.
#include "app/SessionFixture.h"
#include "history/HistoryManager.h"

#include <vector>

namespace pict {
namespace {

// Everything a move may change of a layer, to compare before and after undo.
struct LayerBytes {
    Rect rect;
    std::vector<uint8_t> color;
    std::vector<uint8_t> mask;
    friend bool operator==(const LayerBytes&, const LayerBytes&) = default;
};

LayerBytes bytesOf(const RasterLayer& layer) {
    LayerBytes bytes{layer.canvasRect(), {}, {}};
    for (int32_t y = 0; y < layer.color().height(); ++y) {
        const uint8_t* row = layer.color().row(y);
        bytes.color.insert(bytes.color.end(), row, row + 3 * layer.color().width());
        if (const Surface8* mask = layer.transparencyMask())
            bytes.mask.insert(bytes.mask.end(), mask->row(y), mask->row(y) + mask->width());
    }
    return bytes;
}

// A 40 x 30 white background.
class MoveCommandsTest : public test::SessionTest {
protected:
    CommandOutcome moveLayer(Point offset) { return run(kCmdMoveLayer, MoveParams{offset}); }
    CommandOutcome moveSelection(Point offset) { return run(kCmdMoveSelection, MoveParams{offset}); }
    void select(Rect rect) { ASSERT_EQ(commands_.selectMarquee(rect, false).outcome, CommandOutcome::Done); }

    // The layer's colour (blue byte) and transparency at a canvas point.
    static uint8_t blueAt(const RasterLayer& layer, int32_t x, int32_t y) {
        return layer.colorAt(x - layer.x(), y - layer.y())[0];
    }
    static uint8_t alphaAt(const RasterLayer& layer, int32_t x, int32_t y) {
        return layer.alphaAt(x - layer.x(), y - layer.y());
    }
    // A square of another gray inside a layer, at canvas coordinates.
    static void paintSquare(RasterLayer& layer, Rect rect, uint8_t value) {
        for (int32_t y = rect.top; y < rect.bottom; ++y)
            for (int32_t x = rect.left; x < rect.right; ++x) {
                uint8_t* p = layer.color().row(y - layer.y()) + 3 * (x - layer.x());
                p[0] = p[1] = p[2] = value;
            }
    }
    const uint8_t* compositeAt(int32_t x, int32_t y) { return document().composite()->color().row(y) + 3 * x; }
};

TEST_F(MoveCommandsTest, MoveLayerShiftsOnlyThePosition) {
    RasterLayer* layer = addLayer("Top", Rect{5, 5, 15, 15}, 100);
    const LayerBytes before = bytesOf(*layer);
    ASSERT_EQ(moveLayer({30, -12}), CommandOutcome::Done);
    EXPECT_EQ(layer->position(), (Point{35, -7}));
    EXPECT_EQ(bytesOf(*layer).color, before.color) << "no pixel changes";
    EXPECT_EQ(history().undoName(), "Move Layer");
    EXPECT_TRUE(document().isModified());
    EXPECT_EQ(compositeAt(36, 2)[0], 100) << "recomposed at the new place";
    EXPECT_EQ(compositeAt(6, 6)[0], 255) << "and the old place shows the background";
    ASSERT_TRUE(history().undo());
    EXPECT_EQ(bytesOf(*layer), before);
    EXPECT_EQ(compositeAt(6, 6)[0], 100);
    ASSERT_TRUE(history().redo());
    EXPECT_EQ(layer->position(), (Point{35, -7}));
}

TEST_F(MoveCommandsTest, MoveLayerKeepsPixelsThatLeaveTheCanvas) {
    RasterLayer* layer = addLayer("Top", Rect{0, 0, 10, 10}, 100);
    ASSERT_EQ(moveLayer({-50, 0}), CommandOutcome::Done);
    ASSERT_EQ(moveLayer({50, 0}), CommandOutcome::Done);
    EXPECT_EQ(layer->canvasRect(), (Rect{0, 0, 10, 10}));
    EXPECT_EQ(compositeAt(9, 9)[0], 100);
}

TEST_F(MoveCommandsTest, TheBackgroundLayerDoesNotMoveAndAZeroMoveRecordsNothing) {
    expectRefused(kCmdMoveLayer, MoveParams{{3, 3}});
    addLayer("Top", Rect{0, 0, 10, 10});
    EXPECT_EQ(moveLayer({0, 0}), CommandOutcome::Unchanged);
    EXPECT_EQ(history().count(), 0);
    expectRefused(kCmdMoveSelection, MoveParams{{3, 3}});
}

TEST_F(MoveCommandsTest, MoveSelectionCarriesThePixelsAndTheOutline) {
    RasterLayer* layer = addLayer("Top", Rect{0, 0, 20, 20}, 90);
    paintSquare(*layer, Rect{2, 2, 6, 6}, 10);
    select(Rect{2, 2, 6, 6});
    const LayerBytes before = bytesOf(*layer);
    ASSERT_EQ(moveSelection({10, 5}), CommandOutcome::Done);
    EXPECT_EQ(history().undoName(), "Move Selection");
    EXPECT_EQ(selection().mask().bounds(), (Rect{12, 7, 16, 11}));
    for (int32_t y = 0; y < 20; ++y)
        for (int32_t x = 0; x < 20; ++x) {
            const bool hole = x >= 2 && x < 6 && y >= 2 && y < 6;
            const bool landed = x >= 12 && x < 16 && y >= 7 && y < 11;
            EXPECT_EQ(alphaAt(*layer, x, y), hole ? 0 : 255) << x << "," << y;
            EXPECT_EQ(blueAt(*layer, x, y), landed ? 10 : (hole ? 10 : 90)) << x << "," << y;
        }
    EXPECT_EQ(compositeAt(3, 3)[0], 255) << "the white background through the hole";
    ASSERT_TRUE(history().undo());
    EXPECT_EQ(bytesOf(*layer).color, before.color);
    EXPECT_TRUE(layer->transparencyMask()->isAll(255));
    EXPECT_EQ(selection().mask().bounds(), (Rect{2, 2, 6, 6}));
    ASSERT_TRUE(history().redo());
    EXPECT_EQ(blueAt(*layer, 12, 7), 10);
    EXPECT_EQ(selection().mask().bounds(), (Rect{12, 7, 16, 11}));
}

TEST_F(MoveCommandsTest, OnTheBackgroundLayerTheHoleTakesTheBackgroundColor) {
    app_.backgroundColor = Color::fromRgb(0x102030);
    RasterLayer* background = layers().rasterAt(0);
    paintSquare(*background, Rect{0, 0, 4, 4}, 0);
    select(Rect{0, 0, 4, 4});
    const LayerBytes before = bytesOf(*background);
    ASSERT_EQ(moveSelection({30, 20}), CommandOutcome::Done);
    EXPECT_EQ(background->colorAt(1, 1)[0], 0x30) << "blue byte of the background color";
    EXPECT_EQ(background->colorAt(1, 1)[2], 0x10);
    EXPECT_EQ(background->colorAt(31, 21)[0], 0);
    EXPECT_EQ(background->colorAt(35, 25)[0], 255);
    EXPECT_EQ(background->transparencyMask(), nullptr) << "the background stays opaque";
    EXPECT_EQ(background->canvasRect(), document().canvasRect());
    ASSERT_TRUE(history().undo());
    EXPECT_EQ(bytesOf(*background), before);
}

TEST_F(MoveCommandsTest, PixelsMovedOffTheCanvasAreCutButTheLayerBeyondItKeepsThem) {
    // The layer reaches 10 pixels past the left and top edges.
    RasterLayer* layer = addLayer("Wide", Rect{-10, -10, 20, 20}, 90);
    paintSquare(*layer, Rect{0, 0, 5, 5}, 10);
    select(Rect{0, 0, 5, 5});
    ASSERT_EQ(moveSelection({-3, -3}), CommandOutcome::Done);
    EXPECT_EQ(layer->canvasRect(), (Rect{-10, -10, 20, 20})) << "the pixels stay inside the layer";
    EXPECT_EQ(blueAt(*layer, -3, -3), 10) << "kept off the canvas";
    EXPECT_EQ(alphaAt(*layer, -3, -3), 255);
    EXPECT_EQ(alphaAt(*layer, 4, 4), 0);
    EXPECT_EQ(selection().mask().bounds(), (Rect{0, 0, 2, 2})) << "the outline is cut to the canvas";
    ASSERT_TRUE(history().undo());
    EXPECT_EQ(alphaAt(*layer, 4, 4), 255);
    EXPECT_EQ(blueAt(*layer, -3, -3), 90);
    EXPECT_EQ(selection().mask().bounds(), (Rect{0, 0, 5, 5}));
}

TEST_F(MoveCommandsTest, PixelsLandingBesideASmallLayerGrowItToTheCanvas) {
    RasterLayer* layer = addLayer("Small", Rect{0, 0, 10, 10}, 60);
    select(Rect{0, 0, 4, 4});
    const LayerBytes before = bytesOf(*layer);
    ASSERT_EQ(moveSelection({20, 10}), CommandOutcome::Done);
    EXPECT_EQ(layer->canvasRect(), document().canvasRect());
    EXPECT_EQ(blueAt(*layer, 21, 11), 60);
    EXPECT_EQ(alphaAt(*layer, 21, 11), 255);
    EXPECT_EQ(alphaAt(*layer, 30, 11), 0) << "the grown part is transparent";
    EXPECT_EQ(alphaAt(*layer, 1, 1), 0);
    EXPECT_EQ(alphaAt(*layer, 5, 5), 255);
    ASSERT_TRUE(history().undo());
    EXPECT_EQ(bytesOf(*layer), before);
}

TEST_F(MoveCommandsTest, PartialCoverageLiftsAndLeavesItsShare) {
    RasterLayer* layer = addLayer("Top", Rect{0, 0, 20, 20}, 90);
    ASSERT_TRUE(layer->ensureTransparencyMask());
    Surface8 coverage = test::solidMask(2, 1, 128);
    selection().place(coverage, {3, 3});
    ASSERT_EQ(moveSelection({0, 10}), CommandOutcome::Done);
    // Plain arithmetic: lifted 255 x 128 / 255 rounded; the hole keeps (255 - 128) x 255 / 256.
    EXPECT_EQ(alphaAt(*layer, 3, 3), (255 - 128) * 255 / 256);
    // Over an opaque pixel the lifted half composites back to opaque; the colour by the
    // compositing rule's two truncated quotients.
    EXPECT_EQ(alphaAt(*layer, 3, 13), 255);
    EXPECT_EQ(blueAt(*layer, 3, 13), 128 * (90 * 255) / (255 * 255) + (255 - 128) * 90 / 255);
}

TEST_F(MoveCommandsTest, AnEmptyLayerIsPromotedInTheSameStep) {
    ASSERT_EQ(run(kCmdNewLayer, LayerParams{}), CommandOutcome::Done);
    const Layer* empty = layers().active();
    select(Rect{1, 1, 5, 5});
    ASSERT_TRUE(commands_.isEnabled(kCmdMoveSelection));
    const int32_t count = history().count();
    ASSERT_EQ(moveSelection({3, 3}), CommandOutcome::Done);
    EXPECT_EQ(history().count(), count + 1);
    ASSERT_TRUE(layers().active()->isRaster());
    EXPECT_EQ(layers().active()->canvasRect(), document().canvasRect());
    EXPECT_EQ(selection().mask().bounds(), (Rect{4, 4, 8, 8}));
    ASSERT_EQ(moveLayer({2, 2}), CommandOutcome::Done);
    ASSERT_TRUE(history().undo());
    ASSERT_TRUE(history().undo());
    EXPECT_EQ(layers().active(), empty) << "the very same empty layer is back";
    EXPECT_EQ(selection().mask().bounds(), (Rect{1, 1, 5, 5}));
}

TEST_F(MoveCommandsTest, ASelectionBesideTheLayerMovesNothing) {
    addLayer("Small", Rect{0, 0, 5, 5});
    select(Rect{20, 20, 30, 30});
    const CommandResult result = commands_.execute(kCmdMoveSelection, MoveParams{{1, 1}});
    EXPECT_EQ(result.outcome, CommandOutcome::Failed);
    EXPECT_FALSE(result.message.empty());
    EXPECT_EQ(history().undoName(), "Rectangular Marquee");
}

} // namespace
} // namespace pict
