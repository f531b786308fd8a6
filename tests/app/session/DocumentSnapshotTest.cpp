#include "app/session/DocumentSnapshot.h"

#include "codecs/openraster/OpenRaster.h"
#include "document/Document.h"
#include "support/DocumentFixtures.h"
#include "support/TestData.h"

#include <gtest/gtest.h>

#include <cstring>

namespace pict {
namespace {

bool samePixels(const Surface24& a, const Surface24& b) {
    if (a.size() != b.size())
        return false;
    for (int32_t y = 0; y < a.height(); ++y)
        if (std::memcmp(a.row(y), b.row(y), size_t(a.width()) * 3) != 0)
            return false;
    return true;
}

TEST(DocumentSnapshot, WritesWhatTheDocumentHeldWhenItWasTaken) {
    auto document = test::whiteDocument(24, 16);
    RasterLayer* red = test::addColorLayer(*document, "Red", Rect{-4, 2, 12, 10}, 0, 0, 255);
    document->layers().setBlendMode(red, 1);
    document->layers().setOpacity(red, 128);
    ImageMetadata metadata;
    metadata.comments = {"kept"};
    std::unique_ptr<DocumentSnapshot> snapshot = DocumentSnapshot::take(*document, metadata);
    ASSERT_TRUE(snapshot);
    const Surface24 before = document->composite()->color().clone();

    // Edits after the snapshot do not reach it.
    document->layers().setVisible(red, false);
    std::memset(red->color().row(0), 0x55, 3);

    const std::string path = (test::scratchDir() / "snapshot.ora").string();
    std::string error;
    ASSERT_TRUE(snapshot->write(path, error)) << error;
    OpenRasterResult result;
    ASSERT_TRUE(readOpenRaster(path, result, error)) << error;
    Document& reread = *result.document;
    ASSERT_EQ(reread.layers().count(), 2);
    const Layer* layer = reread.layers().layerAt(1);
    EXPECT_EQ(layer->name(), "Red");
    EXPECT_TRUE(layer->isVisible());
    EXPECT_EQ(layer->blendMode(), 1);
    EXPECT_EQ(layer->opacity(), 128);
    EXPECT_EQ(layer->position(), (Point{-4, 2}));
    EXPECT_EQ(layer->asRaster()->color().row(0)[0], 0) << "the pixel as it was";
    EXPECT_TRUE(samePixels(reread.composite()->color(), before));
    EXPECT_EQ(result.metadata.comments, metadata.comments);
}

TEST(DocumentSnapshot, CopiesEverySurfaceItDescribes) {
    auto document = test::whiteDocument(8, 8);
    test::addColorLayer(*document, "A", Rect{0, 0, 8, 8}, 1, 2, 3);
    Surface8 channel;
    ASSERT_TRUE(channel.create(8, 8, 8));
    document->channels().insert(std::make_unique<AlphaChannel>("Alpha 1", std::move(channel)));
    std::unique_ptr<DocumentSnapshot> snapshot = DocumentSnapshot::take(*document, ImageMetadata{});
    ASSERT_TRUE(snapshot);
    const LayeredPicture& picture = snapshot->picture();
    ASSERT_EQ(picture.layers.size(), 2u);
    for (const LayeredLayer& layer : picture.layers)
        EXPECT_NE(layer.color, &document->layers().rasterAt(&layer - picture.layers.data())->color());
    ASSERT_EQ(picture.channels.size(), 1u);
    EXPECT_NE(picture.channels[0].mask, &document->channels().at(0)->mask());
    EXPECT_NE(picture.compositeColor, &document->composite()->color());
    EXPECT_EQ(picture.metadata, nullptr);
}

} // namespace
} // namespace pict
