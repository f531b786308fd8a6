// The whole-document geometry and the walks over every layer, with layers that lie partly
// outside the canvas, hidden layers, empty layers and placeholders among them.
#include "support/DocumentFixtures.h"

#include <gtest/gtest.h>

#include <limits>

namespace pict {
namespace {

// A layer whose every pixel encodes its own layer position, so that moves can be traced:
// blue = x, green = y.
RasterLayer* addTracedLayer(Document& document, const std::string& name, Rect rect) {
    RasterLayer* layer = test::addColorLayer(document, name, rect, 0, 0, 0);
    for (int32_t y = 0; y < rect.height(); ++y)
        for (int32_t x = 0; x < rect.width(); ++x) {
            uint8_t* p = layer->color().row(y) + 3 * x;
            p[0] = uint8_t(x);
            p[1] = uint8_t(y);
        }
    return layer;
}

class GeometryWalkTest : public ::testing::Test {
protected:
    // Canvas 40 × 30: the white background, a layer hanging off the top-left corner, a hidden
    // layer inside, an empty layer.
    void SetUp() override {
        document = test::whiteDocument(40, 30);
        addTracedLayer(*document, "Corner", {-5, -4, 10, 6});
        document->layers().setVisible(addTracedLayer(*document, "Hidden", {20, 10, 30, 25}), false);
        auto empty = std::make_unique<EmptyLayer>(&document->layers());
        empty->setName("Empty");
        empty->setPosition({3, 3});
        this->empty = empty.get();
        document->layers().add(std::move(empty), document->layers().count());
    }
    LayerStack& stack() { return document->layers(); }
    const uint8_t* composite(int32_t x, int32_t y) { return test::pixelAt(document->composite()->color(), x, y); }
    std::unique_ptr<Document> document;
    // The walks replace every raster layer they transform, so these are looked up each time;
    // the empty layer is never replaced and stays the same object.
    RasterLayer* corner() { return stack().rasterAt(1); }
    RasterLayer* hidden() { return stack().rasterAt(2); }
    EmptyLayer* empty = nullptr;
};

TEST_F(GeometryWalkTest, RotateQuarterTurnsMoveEveryRasterLayer) {
    ASSERT_TRUE(document->rotate(90));
    EXPECT_EQ(document->canvasSize(), (Size{30, 40}));
    // (H − R.bottom, R.left) with H = 30 and R = (−5, −4, 10, 6).
    EXPECT_EQ(corner()->canvasRect(), (Rect{24, -5, 34, 10}));
    EXPECT_EQ(hidden()->canvasRect(), (Rect{5, 20, 20, 30}));
    EXPECT_EQ(stack().rasterAt(0)->canvasRect(), (Rect{0, 0, 30, 40}));
    EXPECT_EQ(empty->position(), (Point{3, 3})); // empty layers stay where they are
    EXPECT_EQ(document->composite()->size(), (Size{30, 40}));
    // Old canvas (0, 0), layer pixel (5, 4), lands on the top-right corner after a clockwise turn.
    EXPECT_EQ(composite(29, 0)[0], 5);
    EXPECT_EQ(composite(29, 0)[1], 4);

    ASSERT_TRUE(document->rotate(-90)); // same as 270: back where it was
    EXPECT_EQ(corner()->canvasRect(), (Rect{-5, -4, 10, 6}));
    EXPECT_EQ(hidden()->canvasRect(), (Rect{20, 10, 30, 25}));
    EXPECT_EQ(composite(0, 0)[0], 5);
}

TEST_F(GeometryWalkTest, RotateHalfTurnAndNormalisation) {
    ASSERT_TRUE(document->rotate(180));
    EXPECT_EQ(document->canvasSize(), (Size{40, 30}));
    EXPECT_EQ(corner()->canvasRect(), (Rect{30, 24, 45, 34}));
    EXPECT_EQ(composite(39, 29)[0], 5);

    ASSERT_TRUE(document->rotate(360));
    EXPECT_EQ(corner()->canvasRect(), (Rect{30, 24, 45, 34}));
    ASSERT_TRUE(document->rotate(359.99999));
    EXPECT_EQ(corner()->canvasRect(), (Rect{30, 24, 45, 34}));
    ASSERT_TRUE(document->rotate(450)); // a quarter turn
    EXPECT_EQ(document->canvasSize(), (Size{30, 40}));
    EXPECT_FALSE(document->rotate(std::numeric_limits<double>::infinity()));
    EXPECT_EQ(document->canvasSize(), (Size{30, 40}));
}

TEST_F(GeometryWalkTest, FlipsMirrorPositionsAcrossTheCanvas) {
    ASSERT_TRUE(document->flip(true));
    EXPECT_EQ(corner()->canvasRect(), (Rect{30, -4, 45, 6}));
    EXPECT_EQ(hidden()->canvasRect(), (Rect{10, 10, 20, 25}));
    EXPECT_EQ(composite(39, 0)[0], 5);
    ASSERT_TRUE(document->flip(false));
    EXPECT_EQ(corner()->canvasRect(), (Rect{30, 24, 45, 34}));
    EXPECT_EQ(composite(39, 29)[1], 4);
    EXPECT_EQ(empty->position(), (Point{3, 3}));
}

TEST_F(GeometryWalkTest, CropMovesOriginsAndLeavesPlaceholdersForMissedLayers) {
    // The crop misses the hidden layer completely: it becomes a placeholder at its index.
    ASSERT_TRUE(document->crop({2, 1, 15, 9}));
    EXPECT_EQ(document->canvasSize(), (Size{13, 8}));
    ASSERT_EQ(stack().count(), 4);
    EXPECT_FALSE(stack().layerAt(2)->isLive());
    EXPECT_EQ(stack().nameAt(2), "Hidden");
    EXPECT_FALSE(stack().layerAt(2)->isVisible());
    EXPECT_EQ(stack().layerAt(3), empty);
    EXPECT_EQ(stack().nameAt(1), "Corner");
    // The corner layer kept canvas (2, 1)..(10, 6): its origin lay before the crop origin.
    EXPECT_EQ(corner()->canvasRect(), (Rect{0, 0, 8, 5}));
    EXPECT_EQ(composite(0, 0)[0], 7);
    EXPECT_EQ(composite(0, 0)[1], 5);
    EXPECT_EQ(stack().rasterAt(0)->canvasRect(), (Rect{0, 0, 13, 8}));
    // The placeholder's name still counts for default names.
    stack().setName(stack().layerAt(2), "Layer 41");
    EXPECT_EQ(stack().defaultLayerName(false), "Layer 42");
}

TEST_F(GeometryWalkTest, CropKeepsTheOffsetOfALayerBeyondTheCropOrigin) {
    document = test::whiteDocument(300, 300);
    addTracedLayer(*document, "A", {200, 50, 240, 150});
    ASSERT_TRUE(document->crop({100, 100, 300, 300}));
    const RasterLayer* layer = stack().rasterAt(1);
    EXPECT_EQ(layer->position(), (Point{100, 0}));
    EXPECT_EQ(layer->size(), (Size{40, 50}));
    EXPECT_EQ(test::pixelAt(layer->color(), 0, 0)[1], 50);
}

TEST_F(GeometryWalkTest, EmptyOrMissingCropChangesNothing) {
    ASSERT_TRUE(document->crop({}));
    ASSERT_TRUE(document->crop({50, 50, 60, 60}));
    EXPECT_EQ(document->canvasSize(), (Size{40, 30}));
    EXPECT_EQ(stack().count(), 4);
    EXPECT_TRUE(stack().layerAt(2)->isLive());
    // A crop that overhangs the canvas is clipped to it first; it misses both layers.
    ASSERT_TRUE(document->crop({30, 20, 60, 60}));
    EXPECT_EQ(document->canvasSize(), (Size{10, 10}));
    EXPECT_FALSE(stack().layerAt(1)->isLive());
    EXPECT_FALSE(stack().layerAt(2)->isLive());
    EXPECT_EQ(stack().rasterAt(0)->canvasRect(), (Rect{0, 0, 10, 10}));
}

TEST_F(GeometryWalkTest, CanvasSizeExtendsTheBackgroundAndMovesTheRest) {
    ASSERT_TRUE(document->resizeCanvas(50, 40, {5, 6}, 0x0000FF));
    EXPECT_EQ(document->canvasSize(), (Size{50, 40}));
    const RasterLayer* background = stack().rasterAt(0);
    EXPECT_EQ(background->canvasRect(), (Rect{0, 0, 50, 40}));
    EXPECT_EQ(test::pixelAt(background->color(), 0, 0)[2], 255); // extension color, red
    EXPECT_EQ(test::pixelAt(background->color(), 0, 0)[0], 0);
    EXPECT_EQ(test::pixelAt(background->color(), 5, 6)[0], 255); // the old white
    EXPECT_EQ(corner()->position(), (Point{0, 2}));
    EXPECT_EQ(hidden()->position(), (Point{25, 16}));
    EXPECT_EQ(empty->position(), (Point{8, 9}));
    EXPECT_EQ(document->composite()->size(), (Size{50, 40}));

    // Shrinking takes the part of the background under the new canvas.
    ASSERT_TRUE(document->resizeCanvas(10, 10, {-5, -6}, 0));
    EXPECT_EQ(stack().rasterAt(0)->size(), (Size{10, 10}));
    EXPECT_EQ(test::pixelAt(stack().rasterAt(0)->color(), 0, 0)[0], 255);
    EXPECT_EQ(corner()->position(), (Point{-5, -4}));
    EXPECT_FALSE(document->resizeCanvas(0, 10, {}, 0));
    EXPECT_EQ(document->canvasSize(), (Size{10, 10}));
}

TEST_F(GeometryWalkTest, ImageSizeScalesSizesAndPositions) {
    ASSERT_TRUE(document->resizeImage(20, 15, 72.0f, ResolutionUnit::PixelsPerInch, 0));
    EXPECT_EQ(document->canvasSize(), (Size{20, 15}));
    // Size 15 × 10 → 7.5 + 0.5 → 8 and 5; position (−5, −4) → trunc(−2.5 + 0.5) = −2, −2 + 0.5 → −1.
    EXPECT_EQ(corner()->canvasRect(), (Rect{-2, -1, 6, 4}));
    EXPECT_EQ(hidden()->canvasRect(), (Rect{10, 5, 15, 13}));
    EXPECT_EQ(stack().rasterAt(0)->size(), (Size{20, 15}));
    EXPECT_EQ(empty->position(), (Point{3, 3}));

    // A tiny layer never shrinks below one pixel.
    RasterLayer* dot = test::addColorLayer(*document, "Dot", {1, 1, 2, 2}, 0, 0, 0);
    ASSERT_TRUE(document->resizeImage(2, 2, 72.0f, ResolutionUnit::PixelsPerInch, 1));
    EXPECT_EQ(dot->size(), (Size{1, 1}));

    // Only the resolution changes: the pixels stay.
    ASSERT_TRUE(document->resizeImage(2, 2, 300.0f, ResolutionUnit::PixelsPerCentimeter, 1));
    EXPECT_EQ(document->info().resolution, 300.0f);
    EXPECT_EQ(document->info().resolutionUnit, ResolutionUnit::PixelsPerCentimeter);
    EXPECT_FALSE(document->resizeImage(2, 2, 0.5f, ResolutionUnit::PixelsPerInch, 1));
    EXPECT_EQ(document->info().resolution, 300.0f);
}

TEST_F(GeometryWalkTest, ChannelsFollowImageAndCanvasSizeButNotRotation) {
    Surface8 mask = test::solidMask(40, 30, 0);
    mask.setValueAt(0, 0, 200);
    document->channels().insert(std::make_unique<AlphaChannel>("Alpha 1", std::move(mask)));
    ASSERT_TRUE(document->resizeCanvas(42, 33, {2, 3}, 0));
    EXPECT_EQ(document->channels().at(0)->size(), (Size{42, 33}));
    EXPECT_EQ(document->channels().at(0)->mask().valueAt(2, 3), 200);
    EXPECT_EQ(document->channels().at(0)->mask().valueAt(0, 0), 0);
    ASSERT_TRUE(document->resizeImage(21, 11, 72.0f, ResolutionUnit::PixelsPerInch, 0));
    EXPECT_EQ(document->channels().at(0)->size(), (Size{21, 11}));
    ASSERT_TRUE(document->rotate(90));
    EXPECT_EQ(document->canvasSize(), (Size{11, 21}));
    EXPECT_EQ(document->channels().at(0)->size(), (Size{21, 11}));
}

TEST_F(GeometryWalkTest, TrimNeedsASingleBackground) {
    EXPECT_FALSE(document->trim());
    EXPECT_EQ(document->canvasSize(), (Size{40, 30}));

    auto framed = test::whiteDocument(20, 20);
    framed->layers().rasterAt(0)->color().fillSolid24({5, 6, 12, 15}, 0x000000);
    ASSERT_TRUE(framed->trim());
    EXPECT_EQ(framed->canvasSize(), framed->layers().layerAt(0)->size());
    EXPECT_EQ(framed->composite()->size(), framed->canvasSize());
    EXPECT_LT(framed->width(), 20);
}

} // namespace
} // namespace pict
