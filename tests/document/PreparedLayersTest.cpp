// Layers transformed ahead of a walk: the walk takes exactly what was prepared for each layer,
// nothing for a layer that changed since, and the views leave the document's pixels alone.
#include "document/PreparedLayers.h"

#include "document/Document.h"
#include "support/DocumentFixtures.h"
#include "support/SurfaceCompare.h"

#include <gtest/gtest.h>

namespace pict {
namespace {

// A background with a gradient, so that every turn and flip gives other bytes.
std::unique_ptr<Document> gradientDocument() {
    auto document = test::whiteDocument(6, 4);
    Surface24& color = document->layers().rasterAt(0)->color();
    for (int32_t y = 0; y < 4; ++y)
        for (int32_t x = 0; x < 6; ++x)
            color.row(y)[3 * x] = uint8_t(10 * x + y);
    test::addColorLayer(*document, "Top", {1, 1, 4, 3}, 0, 0, 255);
    return document;
}

TEST(PreparedLayers, TheWalkTakesWhatWasPrepared) {
    auto document = gradientDocument();
    auto reference = gradientDocument();
    std::unique_ptr<PreparedLayers> prepared = PreparedLayers::capture(document->layers());
    ASSERT_TRUE(prepared);
    // Prepared as a flip while the walk turns: what lands is the flip, which shows that the
    // walk took the prepared layers rather than computing its own.
    ASSERT_TRUE(prepared->flip(true));
    {
        const UsePreparedLayers use(*prepared);
        ASSERT_TRUE(document->layers().rotateAll(180.0, document->canvasSize()));
    }
    ASSERT_TRUE(reference->layers().flipAll(true, reference->canvasSize()));
    for (int32_t i = 0; i < 2; ++i)
        EXPECT_TRUE(test::samePixels(document->layers().rasterAt(i)->color(), reference->layers().rasterAt(i)->color()))
            << i;
    // Taken once: a second walk computes its own.
    ASSERT_TRUE(document->layers().rotateAll(180.0, document->canvasSize()));
    ASSERT_TRUE(reference->layers().rotateAll(180.0, reference->canvasSize()));
    EXPECT_TRUE(test::samePixels(document->layers().rasterAt(0)->color(), reference->layers().rasterAt(0)->color()));
}

TEST(PreparedLayers, ALayerThatChangedSinceIsTransformedAgain) {
    auto document = gradientDocument();
    std::unique_ptr<PreparedLayers> prepared = PreparedLayers::capture(document->layers());
    ASSERT_TRUE(prepared && prepared->rotate(90.0));
    // The top layer is replaced by another one after the capture.
    auto other = test::colorLayer(*document, "Other", {0, 0, 2, 2}, 9, 9, 9);
    RasterLayer* replacement = other.get();
    ASSERT_TRUE(document->layers().replaceAt(1, std::unique_ptr<Layer>(std::move(other))));
    EXPECT_EQ(prepared->take(1, *replacement), nullptr);
    EXPECT_NE(prepared->take(0, *document->layers().rasterAt(0)), nullptr);
    EXPECT_EQ(prepared->take(0, *document->layers().rasterAt(0)), nullptr) << "taken once";
    EXPECT_EQ(prepared->take(7, *replacement), nullptr);
}

TEST(PreparedLayers, PreparingLeavesTheDocumentsPixelsAlone) {
    auto document = gradientDocument();
    auto reference = gradientDocument();
    std::unique_ptr<PreparedLayers> prepared = PreparedLayers::capture(document->layers());
    ASSERT_TRUE(prepared);
    ASSERT_TRUE(prepared->resize(document->canvasSize(), {3, 2}, 1));
    ASSERT_TRUE(prepared->rotate(270.0));
    ASSERT_TRUE(prepared->flip(false));
    EXPECT_TRUE(test::samePixels(document->layers().rasterAt(0)->color(), reference->layers().rasterAt(0)->color()));
    EXPECT_EQ(document->layers().rasterAt(1)->position(), (Point{1, 1}));
}

TEST(ResizedLayerSize, ScalesRoundsHalfUpAndKeepsAPixel) {
    EXPECT_EQ(resizedLayerSize({6, 4}, {6, 4}, {3, 2}), (Size{3, 2}));
    EXPECT_EQ(resizedLayerSize({5, 3}, {10, 10}, {5, 5}), (Size{3, 2})); // 2.5 and 1.5 round up
    EXPECT_EQ(resizedLayerSize({1, 1}, {100, 100}, {10, 10}), (Size{1, 1}));
}

} // namespace
} // namespace pict
