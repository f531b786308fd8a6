#include "app/session/DocumentSnapshot.h"

#include "codecs/openraster/OpenRaster.h"
#include "document/Document.h"
#include "imageops/ColorFill.h"
#include "imageops/ConvolutionFilter.h"
#include "imageops/GaussianBlurFilter.h"
#include "imageops/SimpleColorFilters.h"
#include "support/ThreadCounts.h"
#include "support/DocumentFixtures.h"
#include "support/SurfaceCompare.h"
#include "support/TestData.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <thread>
#include <utility>

namespace pict {
namespace {

using test::samePixels;

std::vector<char> fileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
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

TEST(DocumentSnapshot, SharesEverySurfaceItDescribesWithoutCopying) {
    auto document = test::whiteDocument(8, 8);
    RasterLayer* layer = test::addColorLayer(*document, "A", Rect{0, 0, 8, 8}, 1, 2, 3);
    ASSERT_TRUE(layer->ensureTransparencyMask());
    Surface8 channel;
    ASSERT_TRUE(channel.create(8, 8, 8));
    document->channels().insert(std::make_unique<AlphaChannel>("Alpha 1", std::move(channel)));
    std::unique_ptr<DocumentSnapshot> snapshot = DocumentSnapshot::take(*document, ImageMetadata{});
    ASSERT_TRUE(snapshot);
    const LayeredPicture& picture = snapshot->picture();
    ASSERT_EQ(picture.layers.size(), 2u);
    for (const LayeredLayer& entry : picture.layers) {
        const RasterLayer* own = document->layers().rasterAt(int32_t(&entry - picture.layers.data()));
        EXPECT_NE(entry.color, &own->color()) << "a view of its own";
        EXPECT_EQ(entry.color->row(0), own->color().row(0)) << "over the same pixels";
        EXPECT_TRUE(entry.color->sharesPixels());
    }
    ASSERT_NE(picture.layers[1].mask, nullptr);
    EXPECT_TRUE(picture.layers[1].mask->sharesPixels());
    ASSERT_EQ(picture.channels.size(), 1u);
    EXPECT_NE(picture.channels[0].mask, &document->channels().at(0)->mask());
    EXPECT_TRUE(picture.channels[0].mask->sharesPixels());
    EXPECT_NE(picture.compositeColor, &document->composite()->color());
    EXPECT_TRUE(picture.compositeColor->sharesPixels());
    EXPECT_EQ(picture.metadata, nullptr);

    snapshot.reset();
    EXPECT_FALSE(layer->color().sharesPixels()) << "the document owns its pixels alone again";
}

// The layered file a snapshot writes while the document goes on changing, on several threads,
// has the bytes of the file the document would have given when the snapshot was taken.
class SnapshotWhileEditing : public ::testing::Test {
protected:
    void SetUp() override {
        document_ = test::whiteDocument(160, 120);
        top_ = test::addColorLayer(*document_, "Top", Rect{-10, 5, 150, 100}, 40, 90, 200);
        ASSERT_TRUE(top_->ensureTransparencyMask());
        for (int32_t y = 0; y < top_->color().height(); ++y)
            for (int32_t x = 0; x < top_->color().width(); ++x) {
                uint8_t* pixel = top_->color().row(y) + 3 * x;
                pixel[0] = uint8_t(x * 3 + y);
                pixel[1] = uint8_t(y * 5);
                top_->transparencyMask()->setValueAt(x, y, uint8_t(x + y * 2));
            }
        document_->invalidate(document_->canvasRect()); // the pixels were written behind its back
        document_->setModified(true);
        const std::string path = (test::scratchDir() / "reference.ora").string();
        std::string error;
        ASSERT_TRUE(saveOpenRaster(*document_, path, nullptr, error)) << error;
        reference_ = fileBytes(path);
    }

    // Every kind of pixel change the editor makes, each over layer, mask and composite.
    void edit(int round) {
        const SelectionArea none;
        InvertFilter invert;
        ASSERT_TRUE(top_->applyFilter(invert, none));
        GaussianBlurFilter blur(1.5 + round % 3);
        ASSERT_TRUE(top_->applyFilter(blur, none));
        ConvolutionFilter sharpen(FilterKind::Sharpen);
        ASSERT_TRUE(top_->applyFilter(sharpen, none));
        FillParams params;
        params.color = 0xFF102030u + uint32_t(round);
        params.opacity = 40;
        ColorFill fill(params);
        ASSERT_TRUE(top_->fill(fill, none));
        ASSERT_TRUE(top_->clearToTransparent(uint8_t(round * 10), none));
        document_->invalidate(document_->canvasRect());
        ASSERT_NE(document_->composite(), nullptr);
    }

    std::unique_ptr<Document> document_;
    RasterLayer* top_ = nullptr;
    std::vector<char> reference_;
};

TEST_F(SnapshotWhileEditing, TheFileHoldsTheMomentItWasTaken) {
    test::ThreadCount four(4);
    auto twin = test::whiteDocument(1, 1);
    ASSERT_TRUE(twin->copy(*document_));
    std::shared_ptr<DocumentSnapshot> snapshot = DocumentSnapshot::take(*document_, ImageMetadata{});
    ASSERT_TRUE(snapshot);
    const std::string path = (test::scratchDir() / "while-editing.ora").string();
    std::string error;
    bool written = false;
    std::thread writer([&, snapshot]() mutable {
        for (int round = 0; round < 3; ++round)
            written = snapshot->write(path, error);
        snapshot.reset(); // the last owner lets go on the worker, as autosave's does
    });
    snapshot.reset();
    for (int round = 0; round < 6; ++round)
        edit(round);
    writer.join();
    ASSERT_TRUE(written) << error;
    // OpenRaster files carry the time they were written (to two seconds), so the worker's file
    // is compared with the save made before it and with one of the untouched twin made after
    // it: at most one of the two falls on the other side of a time step.
    const std::string afterPath = (test::scratchDir() / "after.ora").string();
    ASSERT_TRUE(saveOpenRaster(*twin, afterPath, nullptr, error)) << error;
    const std::vector<char> snapshotBytes = fileBytes(path);
    EXPECT_TRUE(snapshotBytes == reference_ || snapshotBytes == fileBytes(afterPath));
    EXPECT_FALSE(top_->color().sharesPixels());
}

TEST_F(SnapshotWhileEditing, EditsMatchTheSameEditsWithoutASnapshot) {
    test::ThreadCount four(4);
    auto twin = test::whiteDocument(1, 1);
    ASSERT_TRUE(twin->copy(*document_));
    std::unique_ptr<DocumentSnapshot> snapshot = DocumentSnapshot::take(*document_, ImageMetadata{});
    ASSERT_TRUE(snapshot);
    for (int round = 0; round < 3; ++round)
        edit(round);
    std::swap(document_, twin);
    top_ = document_->layers().rasterAt(1);
    for (int round = 0; round < 3; ++round)
        edit(round);
    EXPECT_TRUE(samePixels(document_->composite()->color(), twin->composite()->color()));
    EXPECT_TRUE(samePixels(top_->color(), twin->layers().rasterAt(1)->color()));
}

} // namespace
} // namespace pict
