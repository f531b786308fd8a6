#include "support/DocumentFixtures.h"
#include "document/LayerOperations.h"

#include <gtest/gtest.h>

namespace pict {
namespace {

class LayerTest : public ::testing::Test {
protected:
    void SetUp() override { document = test::whiteDocument(100, 100); }
    LayerStack& stack() { return document->layers(); }
    std::unique_ptr<Document> document;
};

TEST_F(LayerTest, KindsAnswerTheirSlots) {
    EmptyLayer empty(&stack());
    EXPECT_EQ(empty.kindCode(), 0);
    EXPECT_TRUE(empty.isEmpty());
    EXPECT_TRUE(empty.isLive());
    EXPECT_FALSE(empty.isBackground());
    EXPECT_EQ(empty.size(), (Size{0, 0}));
    EXPECT_TRUE(empty.localBounds().isEmpty());
    EXPECT_FALSE(empty.isRaster());

    RemovedLayer placeholder(&stack());
    EXPECT_EQ(placeholder.kindCode(), 0);
    EXPECT_FALSE(placeholder.isLive());
    placeholder.setPosition({4, 4}); // a placeholder has no place on the canvas
    EXPECT_EQ(placeholder.position(), (Point{0, 0}));

    const RasterLayer* background = stack().rasterAt(0);
    EXPECT_EQ(background->kindCode(), kRasterLayerKind);
    EXPECT_FALSE(background->isEmpty());
    EXPECT_TRUE(background->isBackground());
    EXPECT_EQ(background->localBounds(), (Rect{0, 0, 100, 100}));
}

TEST_F(LayerTest, PixelCommandsRefuseAnEmptyLayer) {
    auto empty = std::make_unique<EmptyLayer>(&stack());
    ASSERT_TRUE(stack().add(std::move(empty)));
    struct NeverFill : SurfaceFill {
        bool fill(Surface24&, Surface8*, const Surface8*, Point) override { return ADD_FAILURE(), true; }
    } fill;
    EXPECT_FALSE(stack().fill(1, fill, {}));
    EXPECT_FALSE(stack().clear(1, {}, 0));
    EXPECT_FALSE(stack().writeBack(1, test::solidColor(1, 1, 0, 0, 0)));
}

TEST_F(LayerTest, AlphaScalesTheMaskByOpacity) {
    auto layer = test::colorLayer(*document, "A", {0, 0, 2, 1}, 0, 0, 0);
    layer->setOpacity(128);
    EXPECT_EQ(layer->alphaAt(0, 0), 128); // no mask: the opacity itself
    Surface8 mask = test::solidMask(2, 1, 255);
    mask.setValueAt(1, 0, 128);
    ASSERT_TRUE(layer->setTransparencyMask(std::move(mask)));
    EXPECT_EQ(layer->alphaAt(0, 0), 128);
    EXPECT_EQ(layer->alphaAt(1, 0), 64);
    layer->setOpacity(0);
    EXPECT_EQ(layer->alphaAt(0, 0), 0);
    EXPECT_FALSE(layer->setTransparencyMask(test::solidMask(3, 1, 0))); // another size is refused
    EXPECT_EQ(layer->transparencyMask()->valueAt(1, 0), 128);
}

TEST_F(LayerTest, FullyOpaqueMeansNoMaskAtAll) {
    auto layer = test::colorLayer(*document, "A", {0, 0, 2, 2}, 0, 0, 0);
    EXPECT_TRUE(layer->isFullyOpaque());
    ASSERT_TRUE(layer->ensureTransparencyMask());
    EXPECT_TRUE(layer->transparencyMask()->isAll(255));
    EXPECT_FALSE(layer->isFullyOpaque());
    EXPECT_FALSE(layer->isTransparentAt(1, 1));
    EXPECT_TRUE(layer->isTransparentAt(2, 0));
    layer->transparencyMask()->setValueAt(1, 1, 0);
    EXPECT_TRUE(layer->isTransparentAt(1, 1));
}

TEST_F(LayerTest, GrowToCanvasKeepsOutsidePixelsAndMakesTheRestTransparent) {
    RasterLayer* layer = test::addColorLayer(*document, "A", {-10, -10, 10, 10}, 1, 2, 3);
    EXPECT_EQ(layer->extendedRect(), (Rect{-10, -10, 100, 100}));
    EXPECT_FALSE(layer->coversExtended());
    ASSERT_TRUE(layer->growToCanvas());
    EXPECT_EQ(layer->canvasRect(), (Rect{-10, -10, 100, 100}));
    EXPECT_TRUE(layer->coversExtended());
    const Surface8* mask = layer->transparencyMask();
    ASSERT_NE(mask, nullptr);
    EXPECT_EQ(mask->size(), (Size{110, 110}));
    EXPECT_EQ(layer->masks()->size(), (Size{110, 110}));
    EXPECT_EQ(mask->valueAt(0, 0), 255);    // the old corner, off the canvas
    EXPECT_EQ(mask->valueAt(19, 19), 255);  // the old bottom-right pixel
    EXPECT_EQ(mask->valueAt(20, 19), 0);    // new area
    EXPECT_EQ(mask->valueAt(109, 109), 0);
    EXPECT_EQ(test::pixelAt(layer->color(), 0, 0)[2], 3);
    EXPECT_EQ(test::pixelAt(layer->color(), 50, 50)[2], 0);
    EXPECT_TRUE(layer->growToCanvas()); // nothing more to do
}

TEST_F(LayerTest, SelectionInLayerIsClippedToTheLayer) {
    RasterLayer* layer = test::addColorLayer(*document, "A", {20, 30, 40, 50}, 0, 0, 0);
    Surface8 coverage = test::solidMask(30, 30, 255);
    EXPECT_EQ(layer->selectionInLayer({{10, 10, 40, 40}, &coverage}), (Rect{0, 0, 20, 10}));
    EXPECT_TRUE(layer->selectionInLayer({{0, 0, 5, 5}, &coverage}).isEmpty());
    EXPECT_TRUE(layer->selectionInLayer({}).isEmpty());
}

TEST_F(LayerTest, FilterSeesOnlyTheSelectionInsideTheLayer) {
    RasterLayer* layer = test::addColorLayer(*document, "A", {20, 20, 40, 40}, 0, 0, 0);
    struct Recorder : SurfaceFilter {
        int calls = 0;
        Size maskSize;
        Point origin;
        uint8_t firstValue = 0;
        bool apply(Surface24&, const Surface8* mask, Point maskOrigin) override {
            ++calls;
            maskSize = mask ? mask->size() : Size{};
            origin = maskOrigin;
            firstValue = mask ? mask->valueAt(0, 0) : 0;
            return true;
        }
    } filter;
    Surface8 coverage = test::solidMask(20, 20, 0);
    coverage.setValueAt(15, 15, 200); // canvas (25, 25): layer (5, 5)
    ASSERT_TRUE(layer->applyFilter(filter, {{10, 10, 30, 30}, &coverage}));
    EXPECT_EQ(filter.calls, 1);
    EXPECT_EQ(filter.maskSize, (Size{10, 10}));
    EXPECT_EQ(filter.origin, (Point{0, 0}));

    // A selection that reaches the layer only with zero coverage does nothing and succeeds.
    Surface8 nothing = test::solidMask(20, 20, 0);
    ASSERT_TRUE(layer->applyFilter(filter, {{10, 10, 30, 30}, &nothing}));
    EXPECT_EQ(filter.calls, 1);
    ASSERT_TRUE(layer->applyFilter(filter, {}));
    EXPECT_EQ(filter.calls, 2);
    EXPECT_EQ(filter.maskSize, (Size{}));
}

TEST_F(LayerTest, ClearBackgroundPaintsThroughTheCoverage) {
    RasterLayer* background = stack().rasterAt(0);
    Surface8 coverage = test::solidMask(2, 1, 255);
    coverage.setValueAt(1, 0, 128);
    ASSERT_TRUE(background->clearBackground({{5, 5, 7, 6}, &coverage}, 0x000000));
    EXPECT_EQ(test::pixelAt(background->color(), 5, 5)[0], 0);
    EXPECT_EQ(test::pixelAt(background->color(), 6, 5)[0], 127); // 255 + floor(128 × −255 / 256)
    EXPECT_EQ(test::pixelAt(background->color(), 7, 5)[0], 255);
    ASSERT_TRUE(background->clearBackground({}, 0x0000FF)); // red, everywhere
    EXPECT_EQ(test::pixelAt(background->color(), 99, 99)[2], 255);
    EXPECT_EQ(test::pixelAt(background->color(), 99, 99)[0], 0);
}

TEST_F(LayerTest, ClearToTransparentMixesTowardTheValue) {
    RasterLayer* layer = test::addColorLayer(*document, "A", {0, 0, 3, 1}, 0, 0, 0);
    Surface8 coverage = test::solidMask(3, 1, 255);
    coverage.setValueAt(1, 0, 128);
    coverage.setValueAt(2, 0, 0);
    ASSERT_TRUE(layer->clearToTransparent(0, {{0, 0, 3, 1}, &coverage}));
    const Surface8* mask = layer->transparencyMask();
    ASSERT_NE(mask, nullptr);
    EXPECT_EQ(mask->valueAt(0, 0), 0);
    EXPECT_EQ(mask->valueAt(1, 0), 126); // floor((127 × 255 + 0) / 256)
    EXPECT_EQ(mask->valueAt(2, 0), 255);
    ASSERT_TRUE(layer->clearToTransparent(9, {}));
    EXPECT_TRUE(layer->transparencyMask()->isAll(9));
}

TEST_F(LayerTest, SaveAndRestoreRoundTripTheSelection) {
    RasterLayer* layer = test::addColorLayer(*document, "A", {10, 10, 20, 20}, 7, 7, 7);
    Surface8 coverage = test::solidMask(10, 10, 255);
    const SelectionArea selection{{15, 15, 25, 25}, &coverage};
    Surface24 savedColor;
    Surface8 savedMask;
    ASSERT_TRUE(layer->saveColor(selection, savedColor));
    ASSERT_TRUE(layer->saveMask(selection, savedMask)); // creates the mask first
    EXPECT_EQ(savedColor.size(), (Size{5, 5}));
    EXPECT_TRUE(savedMask.isAll(255));
    ASSERT_TRUE(layer->clearToTransparent(0, selection));
    layer->color().fillSolid24(layer->localBounds(), 0x000000);
    ASSERT_TRUE(layer->restoreColor(savedColor, selection));
    ASSERT_TRUE(layer->restoreMask(savedMask, selection));
    EXPECT_EQ(test::pixelAt(layer->color(), 5, 5)[0], 7);
    EXPECT_EQ(test::pixelAt(layer->color(), 4, 4)[0], 0);
    EXPECT_TRUE(layer->transparencyMask()->isAll(255));
}

TEST_F(LayerTest, WriteBackOfAnotherSizeChangesNothingAndSucceeds) {
    RasterLayer* layer = test::addColorLayer(*document, "A", {0, 0, 4, 4}, 1, 1, 1);
    EXPECT_TRUE(layer->writeBack(test::solidColor(3, 4, 9, 9, 9)));
    EXPECT_EQ(test::pixelAt(layer->color(), 0, 0)[0], 1);
    EXPECT_TRUE(layer->writeBack(test::solidColor(4, 4, 9, 9, 9)));
    EXPECT_EQ(test::pixelAt(layer->color(), 3, 3)[0], 9);
}

TEST_F(LayerTest, CreateFromPixelsKeepsOnlyARealMask) {
    const Surface24 color = test::solidColor(3, 3, 1, 2, 3);
    auto opaque = RasterLayer::createFromPixels(&stack(), color, test::solidMask(3, 3, 255), {4, 5}, "M", false);
    ASSERT_TRUE(opaque);
    EXPECT_EQ(opaque->transparencyMask(), nullptr);
    EXPECT_EQ(opaque->position(), (Point{4, 5}));
    EXPECT_EQ(opaque->name(), "M");
    Surface8 partial = test::solidMask(3, 3, 255);
    partial.setValueAt(2, 2, 10);
    auto masked = RasterLayer::createFromPixels(&stack(), color, partial, {}, "M", true);
    ASSERT_TRUE(masked);
    ASSERT_NE(masked->transparencyMask(), nullptr);
    EXPECT_EQ(masked->transparencyMask()->valueAt(2, 2), 10);
    EXPECT_TRUE(masked->isBackground());
    EXPECT_FALSE(RasterLayer::createFromPixels(&stack(), Surface24(), partial, {}, "M", false));
    EXPECT_FALSE(RasterLayer::createFromSurface(&stack(), Surface24(), false));
}

TEST_F(LayerTest, CloneAndCopyFromAreDeep) {
    RasterLayer* layer = test::addColorLayer(*document, "A", {3, 4, 7, 8}, 1, 2, 3);
    stack().setBlendMode(layer, kBlendScreen);
    stack().setOpacity(layer, 77);
    stack().setVisible(layer, false);
    layer->ensureTransparencyMask();
    auto copy = layer->clone(&stack());
    ASSERT_TRUE(copy);
    const RasterLayer* raster = copy->asRaster();
    ASSERT_NE(raster, nullptr);
    EXPECT_EQ(raster->name(), "A");
    EXPECT_EQ(raster->blendMode(), kBlendScreen);
    EXPECT_EQ(raster->opacity(), 77);
    EXPECT_FALSE(raster->isVisible());
    EXPECT_EQ(raster->position(), (Point{3, 4}));
    ASSERT_NE(raster->transparencyMask(), nullptr);
    EXPECT_NE(raster->transparencyMask(), layer->transparencyMask());
    layer->color().fillSolid24(layer->localBounds(), 0);
    EXPECT_EQ(test::pixelAt(raster->color(), 0, 0)[0], 1);

    auto background = stack().rasterAt(0)->clone(&stack());
    EXPECT_TRUE(background->isBackground());

    RemovedLayer placeholder(&stack());
    placeholder.setName("P");
    placeholder.setVisible(false);
    auto placeholderCopy = placeholder.clone(&stack());
    EXPECT_FALSE(placeholderCopy->isLive());
    EXPECT_EQ(placeholderCopy->name(), "P");
    EXPECT_FALSE(placeholderCopy->isVisible());
}

TEST_F(LayerTest, CanvasImagePlacesTheLayer) {
    RasterLayer* layer = test::addColorLayer(*document, "A", {-2, 98, 3, 103}, 5, 6, 7);
    Surface24 color;
    Surface8 alpha;
    ASSERT_TRUE(layer->canvasImage(color, alpha));
    EXPECT_EQ(color.size(), (Size{100, 100}));
    EXPECT_EQ(alpha.valueAt(0, 98), 255);
    EXPECT_EQ(alpha.valueAt(2, 99), 255);
    EXPECT_EQ(alpha.valueAt(3, 99), 0);
    EXPECT_EQ(alpha.valueAt(0, 97), 0);
    EXPECT_EQ(test::pixelAt(color, 2, 99)[0], 5);

    Surface24 own;
    Surface8 ownAlpha;
    ASSERT_TRUE(layer->layerImage(own, ownAlpha));
    EXPECT_EQ(own.size(), (Size{5, 5}));
    EXPECT_TRUE(ownAlpha.isAll(255));
}

TEST_F(LayerTest, ThumbnailDrawsOverThePattern) {
    // A 50 × 100 red layer on the left half of the canvas, with a half-transparent pixel row.
    RasterLayer* layer = test::addColorLayer(*document, "A", {0, 0, 50, 100}, 0, 0, 255);
    layer->ensureTransparencyMask();
    for (int32_t x = 0; x < 50; ++x)
        layer->transparencyMask()->setValueAt(x, 50, 128);
    Surface24 thumb;
    ASSERT_TRUE(thumb.create(10, 10, 24));
    ASSERT_TRUE(layer->thumbnail(thumb, {2, 0xFFFFFF, 0x000000}));
    EXPECT_EQ(test::pixelAt(thumb, 0, 0)[2], 255); // inside: red exactly
    EXPECT_EQ(test::pixelAt(thumb, 0, 0)[0], 0);
    EXPECT_EQ(test::pixelAt(thumb, 9, 0)[0], 255); // outside, square (4, 0): first color
    EXPECT_EQ(test::pixelAt(thumb, 9, 2)[0], 0);   // square (4, 1): second color
    // Row 5 samples canvas row 50: red at weight 128 over the first color (white).
    EXPECT_EQ(test::pixelAt(thumb, 0, 5)[2], 255);
    EXPECT_EQ(test::pixelAt(thumb, 0, 5)[0], 255 + ((128 * (0 - 255)) >> 8));
}

} // namespace
} // namespace pict
