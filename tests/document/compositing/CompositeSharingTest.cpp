// A document nothing observes (the batch tool's) composes a single opaque Normal layer lying
// on the canvas by sharing its pixels; the composite must still be byte for byte what
// compositing gives, before and after the layer changes, and the opaque flag must hold only
// when the alpha is 255 everywhere.
#include "document/compositing/Compositor.h"
#include "document/DocumentNotification.h"
#include "support/DocumentFixtures.h"
#include "support/SurfaceCompare.h"

#include <gtest/gtest.h>

namespace pict {
namespace {

struct SilentObserver : DocumentObserver {
    void changed(const DocumentNotification&) override {}
};

// A background with a different value in every pixel.
std::unique_ptr<Document> patternDocument(int32_t width, int32_t height) {
    auto document = test::whiteDocument(width, height);
    Surface24& color = document->layers().rasterAt(0)->color();
    for (int32_t y = 0; y < height; ++y)
        for (int32_t x = 0; x < width * 3; ++x)
            color.row(y)[x] = uint8_t(7 * x + 13 * y);
    document->invalidate(document->canvasRect());
    return document;
}

// What plain compositing of the stack gives.
Surface24 composedColor(const Document& document) {
    Surface24 color;
    Surface8 alpha;
    color.create(document.width(), document.height(), 24);
    alpha.create(document.width(), document.height(), 8);
    compositeEntries(buildEntries(*document.layersIfAny()).entries, color, alpha, document.canvasRect());
    return color;
}

TEST(CompositeSharing, ASoleOpaqueLayerIsSharedAndStaysExact) {
    auto document = patternDocument(9, 5);
    const CompositeCache* cache = document->composite();
    ASSERT_TRUE(cache);
    EXPECT_TRUE(cache->color().sharesPixels());
    EXPECT_TRUE(cache->isOpaque());
    EXPECT_TRUE(cache->alpha().isAll(255));
    EXPECT_TRUE(test::samePixels(cache->color(), composedColor(*document)));

    // The layer changes in part: the composite follows, and the layer's pixels are its own.
    RasterLayer* layer = document->layers().rasterAt(0);
    layer->color().row(2)[3] = 1;
    document->layers().report(layer, LayerChangeKind::Pixels, Rect{1, 2, 2, 3}, true);
    EXPECT_TRUE(test::samePixels(document->composite()->color(), composedColor(*document)));
    EXPECT_EQ(document->composite()->color().row(2)[3], 1);
}

TEST(CompositeSharing, OnlyAnOpaqueNormalLayerExactlyOnTheCanvasIsShared) {
    auto document = patternDocument(9, 5);
    LayerStack& stack = document->layers();
    RasterLayer* layer = stack.rasterAt(0);
    const auto expectComposed = [&](bool shared, bool opaque, const char* what) {
        document->invalidate(document->canvasRect());
        const CompositeCache* cache = document->composite();
        EXPECT_EQ(cache->color().sharesPixels(), shared) << what;
        EXPECT_EQ(cache->isOpaque(), opaque) << what;
        EXPECT_TRUE(test::samePixels(cache->color(), composedColor(*document))) << what;
    };
    stack.setOpacity(layer, 200);
    expectComposed(false, false, "half opaque");
    stack.setOpacity(layer, 255);
    stack.setBlendMode(layer, 3);
    expectComposed(false, true, "another mode");
    stack.setBlendMode(layer, kBlendNormal);
    test::addColorLayer(*document, "Top", {2, 1, 5, 4}, 9, 8, 7);
    expectComposed(false, true, "two layers");

    stack.removeAt(1);
    expectComposed(true, true, "alone again");
    // A layer whose buffer carries its file's resolution would lend it to the saved file.
    layer->color().buffer()->section.header.xPelsPerMeter = 2835;
    expectComposed(false, true, "another layout");
    EXPECT_EQ(document->composite()->color().buffer()->section.header.xPelsPerMeter, 0);

    auto observed = patternDocument(9, 5);
    SilentObserver observer;
    observed->addObserver(&observer);
    observed->invalidate(observed->canvasRect());
    EXPECT_FALSE(observed->composite()->color().sharesPixels()) << "a view draws from it";
    observed->removeObserver(&observer);
}

TEST(CompositeSharing, TheOpaqueFlagNeedsACoveringLayerAndAWholeRecomposition) {
    auto document = test::bareDocument(6, 4);
    test::addColorLayer(*document, "A", {1, 0, 6, 4}, 10, 20, 30);
    RasterLayer* cover = test::addColorLayer(*document, "B", {0, 0, 6, 4}, 1, 2, 3);
    cover->setVisible(false);
    document->invalidate(document->canvasRect());
    EXPECT_FALSE(document->composite()->isOpaque()) << "a column is left bare";
    EXPECT_FALSE(document->composite()->alpha().isAll(255));
    // Shown again with only a part recomposed: the rest of the alpha is still the old one.
    cover->setVisible(true);
    document->invalidate({0, 0, 2, 2});
    EXPECT_FALSE(document->composite()->isOpaque());
    document->invalidate(document->canvasRect());
    EXPECT_TRUE(document->composite()->isOpaque());
    EXPECT_TRUE(document->composite()->alpha().isAll(255));
}

} // namespace
} // namespace pict
