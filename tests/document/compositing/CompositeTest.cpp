// Worked compositing values, the cache's rectangle discipline and the opaque-cover test.
#include "support/DocumentFixtures.h"
#include "document/compositing/Compositor.h"

#include <gtest/gtest.h>

namespace pict {
namespace {

class CompositeTest : public ::testing::Test {
protected:
    void SetUp() override { document = test::bareDocument(8, 4); }
    LayerStack& stack() { return document->layers(); }
    const CompositeCache& cache() { return *document->composite(); }
    const uint8_t* color(int32_t x, int32_t y) { return test::pixelAt(cache().color(), x, y); }
    uint8_t alpha(int32_t x, int32_t y) { return cache().alpha().valueAt(x, y); }
    std::unique_ptr<Document> document;
};

TEST_F(CompositeTest, OpaqueNormalGivesTheTopColorExactly) {
    test::addColorLayer(*document, "A", {0, 0, 8, 4}, 10, 20, 30);
    RasterLayer* top = test::addColorLayer(*document, "B", {0, 0, 8, 4}, 200, 100, 50);
    EXPECT_EQ(color(3, 3)[0], 200);
    EXPECT_EQ(color(3, 3)[1], 100);
    EXPECT_EQ(color(3, 3)[2], 50);
    EXPECT_EQ(alpha(3, 3), 255);
    EXPECT_FALSE(cache().isEmpty());
    stack().setOpacity(top, 128); // (128 × 200) / 255 + (127 × 10) / 255 = 100 + 4
    EXPECT_EQ(color(0, 0)[0], 104);
}

TEST_F(CompositeTest, TwoHalfTransparentLayersGive192) {
    RasterLayer* lower = test::addColorLayer(*document, "A", {0, 0, 8, 4}, 0, 0, 200);
    RasterLayer* upper = test::addColorLayer(*document, "B", {0, 0, 8, 4}, 0, 0, 100);
    stack().setOpacity(lower, 128);
    stack().setOpacity(upper, 128);
    EXPECT_EQ(alpha(5, 2), 192); // 128 + 128 − 64
    // (128 × (100 × 127 + 100 × 128)) / (192 × 255) + (64 × 200) / 192 = 66 + 66
    EXPECT_EQ(color(5, 2)[2], 132);
}

TEST_F(CompositeTest, TheStartingLayersModeIsNotApplied) {
    RasterLayer* lower = test::addColorLayer(*document, "A", {0, 0, 8, 4}, 100, 100, 100);
    stack().setBlendMode(lower, kBlendMultiply);
    stack().setOpacity(lower, 200);
    EXPECT_EQ(color(0, 0)[0], 100);
    EXPECT_EQ(alpha(0, 0), 200);
    RasterLayer* upper = test::addColorLayer(*document, "B", {0, 0, 8, 4}, 100, 100, 100);
    stack().setBlendMode(upper, kBlendMultiply);
    EXPECT_EQ(alpha(0, 0), 255);
    // Sa = 255, Da = 200: (255 × (100 × 55 + 39 × 200)) / (255 × 255) + 0 = 52
    EXPECT_EQ(color(0, 0)[0], (255 * (100 * 55 + 39 * 200)) / (255 * 255));
}

TEST_F(CompositeTest, UncoveredPixelsAreTransparentAndKeepTheirColor) {
    test::addColorLayer(*document, "A", {0, 0, 8, 4}, 9, 9, 9);
    RasterLayer* part = test::addColorLayer(*document, "B", {-2, -2, 3, 3}, 50, 60, 70);
    stack().setVisible(stack().layerAt(0), false);
    EXPECT_EQ(alpha(2, 2), 255);
    EXPECT_EQ(color(2, 2)[0], 50);
    EXPECT_EQ(alpha(3, 2), 0);
    EXPECT_EQ(color(3, 2)[0], 9); // whatever the cache held before
    // Where the mask is 0 the alpha is 0 and the color stays too.
    part->ensureTransparencyMask();
    part->transparencyMask()->setValueAt(4, 4, 0);
    document->invalidate(document->canvasRect());
    EXPECT_EQ(alpha(2, 2), 0);
    EXPECT_EQ(color(2, 2)[0], 50);
}

TEST_F(CompositeTest, HiddenOnlyStackIsEmptyAndTransparent) {
    RasterLayer* layer = test::addColorLayer(*document, "A", {0, 0, 8, 4}, 1, 2, 3);
    stack().setVisible(layer, false);
    EXPECT_TRUE(cache().isEmpty());
    EXPECT_TRUE(cache().alpha().isAll(0));
    stack().setVisible(layer, true);
    EXPECT_FALSE(cache().isEmpty());
    stack().setOpacity(layer, 0); // opacity 0 takes no part either
    EXPECT_TRUE(cache().isEmpty());
    EXPECT_TRUE(cache().alpha().isAll(0));
}

TEST_F(CompositeTest, OpacityZeroLayerTakesNoPart) {
    test::addColorLayer(*document, "A", {0, 0, 8, 4}, 0, 0, 0);
    RasterLayer* invisible = test::addColorLayer(*document, "B", {0, 0, 8, 4}, 255, 255, 255);
    stack().setBlendMode(invisible, kBlendDifference);
    stack().setOpacity(invisible, 0);
    EXPECT_EQ(color(1, 1)[0], 0);
    EXPECT_FALSE(takesPartInComposite(*invisible));
    EXPECT_EQ(buildEntries(stack()).entries.size(), 1u);
}

TEST_F(CompositeTest, InvalidateRecomposesOnlyItsRectangle) {
    RasterLayer* layer = test::addColorLayer(*document, "A", {0, 0, 8, 4}, 10, 10, 10);
    (void)cache();
    // Change pixels behind the stack's back, then recompose one corner.
    layer->color().fillSolid24(layer->localBounds(), 0x505050);
    document->invalidate({-3, -3, 2, 2});
    EXPECT_EQ(color(1, 1)[0], 0x50);
    EXPECT_EQ(color(2, 1)[0], 10);
    EXPECT_EQ(color(1, 2)[0], 10);
    document->invalidate({100, 100, 200, 200}); // off the canvas: nothing
    EXPECT_EQ(color(7, 3)[0], 10);
}

TEST_F(CompositeTest, EntriesForAListUseTheirUnionOrTheBackground) {
    auto background = RasterLayer::create(&stack(), {8, 4}, 0xFFFFFF);
    background->setName("Background");
    stack().add(std::move(background));
    RasterLayer* a = test::addColorLayer(*document, "A", {-2, 1, 3, 3}, 0, 0, 0);
    RasterLayer* b = test::addColorLayer(*document, "B", {5, 2, 12, 9}, 0, 0, 0);
    RasterLayer* hidden = test::addColorLayer(*document, "H", {-50, -50, 50, 50}, 0, 0, 0);
    stack().setVisible(hidden, false);

    const CompositeEntries pair = buildEntries(stack(), {a, b, hidden});
    EXPECT_EQ(pair.target, (Rect{-2, 1, 12, 9}));
    ASSERT_EQ(pair.entries.size(), 2u);
    EXPECT_EQ(pair.entries[0].offset, (Point{0, 0}));
    EXPECT_EQ(pair.entries[1].offset, (Point{7, 1}));
    EXPECT_EQ(pair.entries[1].rect, (Rect{7, 1, 14, 8}));

    const CompositeEntries onto = buildEntries(stack(), {stack().layerAt(0), b});
    EXPECT_EQ(onto.target, (Rect{0, 0, 8, 4}));
    EXPECT_EQ(onto.entries[1].rect, (Rect{5, 2, 12, 9}));

    const CompositeEntries whole = buildEntries(stack());
    EXPECT_EQ(whole.target, (Rect{0, 0, 8, 4}));
    EXPECT_EQ(whole.entries.size(), 3u);
}

TEST_F(CompositeTest, CompositeRejectsAnEmptyAreaOrMismatchedSurfaces) {
    test::addColorLayer(*document, "A", {0, 0, 8, 4}, 0, 0, 0);
    const CompositeEntries entries = buildEntries(stack());
    Surface24 color = test::solidColor(8, 4, 1, 1, 1);
    Surface8 alpha = test::solidMask(8, 4, 0);
    Surface8 small = test::solidMask(4, 4, 0);
    EXPECT_FALSE(compositeEntries(entries.entries, color, alpha, {8, 0, 9, 4}));
    EXPECT_FALSE(compositeEntries(entries.entries, color, small, {0, 0, 8, 4}));
    EXPECT_TRUE(compositeEntries(entries.entries, color, alpha, {0, 0, 8, 4}));
    EXPECT_TRUE(alpha.isAll(255));
}

TEST_F(CompositeTest, CoveredByOpaqueLayerNeedsAFullyOpaqueVisibleCover) {
    EXPECT_FALSE(coveredByOpaqueLayer(*document));
    RasterLayer* cover = test::addColorLayer(*document, "A", {-1, -1, 9, 5}, 0, 0, 0);
    EXPECT_TRUE(coveredByOpaqueLayer(*document));
    stack().setOpacity(cover, 254);
    EXPECT_FALSE(coveredByOpaqueLayer(*document));
    stack().setOpacity(cover, 255);
    cover->ensureTransparencyMask(); // all 255, still not "fully opaque"
    EXPECT_FALSE(coveredByOpaqueLayer(*document));
    test::addColorLayer(*document, "B", {1, 0, 8, 4}, 0, 0, 0); // one column short
    EXPECT_FALSE(coveredByOpaqueLayer(*document));
    RasterLayer* exact = test::addColorLayer(*document, "C", {0, 0, 8, 4}, 0, 0, 0);
    EXPECT_TRUE(coveredByOpaqueLayer(*document));
    stack().setVisible(exact, false);
    EXPECT_FALSE(coveredByOpaqueLayer(*document));
}

TEST(CompositeCacheCreation, RefusesSizesOutsideTheCanvasLimits) {
    EXPECT_FALSE(CompositeCache::create({0, 5}));
    EXPECT_FALSE(CompositeCache::create({30001, 1}));
    auto cache = CompositeCache::create({3, 2});
    ASSERT_TRUE(cache);
    EXPECT_EQ(cache->size(), (Size{3, 2}));
    EXPECT_TRUE(cache->isEmpty());
}

} // namespace
} // namespace pict
