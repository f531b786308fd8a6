// Layered files written and read back: every attribute a layer, a channel or the canvas has
// must come back exactly, and the composite must be the one a flat save writes.
#include "codecs/openraster/OpenRaster.h"

#include "codecs/ByteStream.h"
#include "codecs/CodecImage.h"
#include "codecs/DocumentFiles.h"
#include "codecs/openraster/OpenRasterStack.h"
#include "codecs/openraster/ZipArchive.h"
#include "document/Document.h"
#include "surface/BlendModes.h"

#include "codecs/CodecTestSupport.h"
#include "support/DocumentFixtures.h"
#include "support/SurfaceCompare.h"
#include "support/TestData.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace pict {
namespace {

namespace fs = std::filesystem;

using test::samePixels;

Surface8 gradientMask(int32_t width, int32_t height) {
    return test::rampAlpha(width, height, 37, 11);
}

// A document using everything a layered file must keep.
std::unique_ptr<Document> richDocument() {
    auto document = test::whiteDocument(40, 30);
    LayerStack& stack = document->layers();
    for (int32_t mode = 0; mode < kBlendModeCount; ++mode) {
        RasterLayer* layer = test::addColorLayer(*document, "Mode " + std::to_string(mode), Rect{mode, mode % 7, mode + 9, mode % 7 + 8},
                                                 uint8_t(mode * 13), uint8_t(200 - mode * 7), uint8_t(mode * 5 + 40));
        stack.setBlendMode(layer, mode, false);
        stack.setOpacity(layer, uint8_t(mode * 14), false);
    }
    RasterLayer* hidden = test::addColorLayer(*document, "Hidden", Rect{0, 0, 10, 10}, 1, 2, 3);
    stack.setVisible(hidden, false, false);
    // Partly off the canvas to the top left, and larger than the canvas.
    test::addColorLayer(*document, "Negative", Rect{-5, -7, 5, 3}, 9, 8, 7);
    RasterLayer* large = test::addColorLayer(*document, "Large", Rect{-10, -10, 50, 45}, 60, 70, 80);
    large->setTransparencyMask(gradientMask(60, 55));
    RasterLayer* opaqueMask = test::addColorLayer(*document, "Opaque mask", Rect{3, 3, 13, 13}, 5, 5, 5);
    opaqueMask->ensureTransparencyMask();
    auto empty = std::make_unique<EmptyLayer>(&stack);
    empty->setName("Empty");
    empty->setPosition({4, -2});
    empty->setOpacity(77);
    stack.add(std::move(empty), stack.count());
    stack.setActive(stack.layerAt(5));
    document->channels().insert(std::make_unique<AlphaChannel>("Alpha 1", gradientMask(40, 30)));
    document->channels().insert(std::make_unique<AlphaChannel>("Sky & <trees>", test::solidMask(40, 30, 200)));
    document->resizeImage(40, 30, 47.25f, ResolutionUnit::PixelsPerCentimeter, 0);
    document->invalidate(document->canvasRect());
    return document;
}

void expectSameLayer(const Layer& expected, const Layer& actual) {
    SCOPED_TRACE(expected.name());
    EXPECT_EQ(actual.name(), expected.name());
    EXPECT_EQ(actual.position(), expected.position());
    EXPECT_EQ(actual.blendMode(), expected.blendMode());
    EXPECT_EQ(actual.opacity(), expected.opacity());
    EXPECT_EQ(actual.isVisible(), expected.isVisible());
    EXPECT_EQ(actual.isBackground(), expected.isBackground());
    EXPECT_EQ(actual.isRaster(), expected.isRaster());
    const RasterLayer* a = actual.asRaster();
    const RasterLayer* e = expected.asRaster();
    if (!a || !e)
        return;
    EXPECT_TRUE(samePixels(a->color(), e->color()));
    ASSERT_EQ(a->transparencyMask() != nullptr, e->transparencyMask() != nullptr);
    if (e->transparencyMask()) {
        EXPECT_TRUE(samePixels(*a->transparencyMask(), *e->transparencyMask()));
    }
}

class OpenRasterRoundTrip : public ::testing::Test {
protected:
    fs::path path = test::scratchDir() / "round-trip.ora";
};

TEST_F(OpenRasterRoundTrip, EveryLayerChannelAndCanvasPropertyComesBack) {
    auto original = richDocument();
    ImageMetadata metadata;
    metadata.exif = {'M', 'M', 0, 42, 0, 0, 0, 8, 0, 0};
    metadata.xmp = "<x:xmpmeta xmlns:x=\"adobe:ns:meta/\"/>";
    metadata.icc = std::vector<uint8_t>(300, 7);
    metadata.comments = {"first", "second\nline"};
    metadata.texts = {{PngTextChunk::Kind::Plain, false, "Title", "", "", "A title"},
                      {PngTextChunk::Kind::International, true, "Description", "de", "Beschreibung", "Grüße"}};
    std::string error;
    ASSERT_TRUE(saveOpenRaster(*original, path.string(), &metadata, error)) << error;

    OpenRasterResult result;
    ASSERT_TRUE(readOpenRaster(path.string(), result, error)) << error;
    Document& copy = *result.document;
    EXPECT_TRUE(result.note.empty()) << result.note;
    EXPECT_EQ(result.metadata, metadata);
    EXPECT_EQ(copy.info().name, "round-trip.ora");
    EXPECT_FALSE(copy.isModified());
    EXPECT_EQ(copy.canvasSize(), original->canvasSize());
    EXPECT_FLOAT_EQ(copy.info().resolution, 47.25f);
    EXPECT_EQ(copy.info().resolutionUnit, ResolutionUnit::PixelsPerCentimeter);

    ASSERT_EQ(copy.layers().count(), original->layers().count());
    for (int32_t i = 0; i < original->layers().count(); ++i)
        expectSameLayer(*original->layers().layerAt(i), *copy.layers().layerAt(i));
    EXPECT_EQ(copy.layers().activeIndex(), 5);

    ASSERT_EQ(copy.channels().count(), 2);
    for (int32_t i = 0; i < 2; ++i) {
        EXPECT_EQ(copy.channels().at(i)->name(), original->channels().at(i)->name());
        EXPECT_TRUE(samePixels(copy.channels().at(i)->mask(), original->channels().at(i)->mask()));
    }

    const CompositeCache* before = original->composite();
    const CompositeCache* after = copy.composite();
    ASSERT_TRUE(before && after);
    EXPECT_TRUE(samePixels(after->color(), before->color()));
    EXPECT_TRUE(samePixels(after->alpha(), before->alpha()));
}

TEST_F(OpenRasterRoundTrip, MergedImageIsWhatAFlatPngSaveWrites) {
    auto document = richDocument();
    std::string error;
    ASSERT_TRUE(saveOpenRaster(*document, path.string(), nullptr, error)) << error;
    const fs::path flat = test::scratchDir() / "round-trip-flat.png";
    ASSERT_TRUE(saveDocument(*document, flat.string()));

    ZipReader zip;
    std::vector<uint8_t> merged;
    ASSERT_TRUE(zip.openFile(path.string(), error)) << error;
    ASSERT_TRUE(zip.read("mergedimage.png", merged, error)) << error;
    PngImage fromArchive, fromFile;
    MemoryStream stream(merged.data(), int64_t(merged.size()));
    ASSERT_TRUE(codecOfKind(FileKind::Png)->load(fromArchive, stream, false));
    ASSERT_TRUE(codecOfKind(FileKind::Png)->loadFromFile(fromFile, flat.string(), false));
    EXPECT_TRUE(samePixels(fromArchive.color, fromFile.color));
    EXPECT_TRUE(samePixels(fromArchive.alpha, fromFile.alpha));

    std::vector<uint8_t> thumbnail;
    PngImage small;
    ASSERT_TRUE(zip.read("Thumbnails/thumbnail.png", thumbnail, error)) << error;
    MemoryStream thumbStream(thumbnail.data(), int64_t(thumbnail.size()));
    ASSERT_TRUE(codecOfKind(FileKind::Png)->load(small, thumbStream, false));
    EXPECT_EQ(small.color.size(), document->canvasSize()); // small canvases are not scaled
}

TEST_F(OpenRasterRoundTrip, MimetypeComesFirstStoredAtTheOffsetOtherProgramsCheck) {
    auto document = test::whiteDocument(300, 20);
    std::string error;
    ASSERT_TRUE(saveOpenRaster(*document, path.string(), nullptr, error)) << error;
    const std::vector<uint8_t> bytes = test::readWholeFile(path);
    ASSERT_GT(bytes.size(), 54u);
    EXPECT_EQ(std::string(bytes.begin() + 30, bytes.begin() + 38), "mimetype");
    EXPECT_EQ(std::string(bytes.begin() + 38, bytes.begin() + 54), "image/openraster");
    ZipReader zip;
    bool stored = false;
    ASSERT_TRUE(zip.openFile(path.string(), error));
    EXPECT_TRUE(zip.firstEntryIs("mimetype", stored));
    EXPECT_TRUE(stored);

    std::vector<uint8_t> thumbnail;
    PngImage small;
    ASSERT_TRUE(zip.read("Thumbnails/thumbnail.png", thumbnail, error)) << error;
    MemoryStream stream(thumbnail.data(), int64_t(thumbnail.size()));
    ASSERT_TRUE(codecOfKind(FileKind::Png)->load(small, stream, false));
    EXPECT_EQ(small.color.size(), (Size{256, 17}));
}

TEST_F(OpenRasterRoundTrip, SavingThroughTheDocumentPathsKeepsLayersAndTakesTheName) {
    auto document = richDocument();
    document->setModified(true);
    ASSERT_TRUE(saveDocument(*document, path.string()));
    EXPECT_FALSE(document->isModified());
    EXPECT_EQ(document->info().name, "round-trip.ora");
    std::unique_ptr<Document> reopened = openDocument(path.string());
    ASSERT_TRUE(reopened);
    EXPECT_EQ(reopened->layers().count(), document->layers().count());
}

TEST_F(OpenRasterRoundTrip, AFailedWriteLeavesTheOldFileAsItWas) {
    test::writeWholeFile(path, {'o', 'l', 'd'});
    Document unusable; // no composite can be made of a document without a canvas
    std::string error;
    EXPECT_FALSE(saveOpenRaster(unusable, path.string(), nullptr, error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(test::readWholeFile(path), (std::vector<uint8_t>{'o', 'l', 'd'}));
}

TEST(OpenRasterOpacity, EveryByteReadsBackAsItself) {
    for (int value = 0; value < 256; ++value) {
        const std::string text = opacityText(uint8_t(value));
        EXPECT_EQ(opacityByte(std::stod(text)), value) << text;
    }
    EXPECT_EQ(opacityText(255), "1");
    EXPECT_EQ(opacityText(0), "0");
    EXPECT_EQ(opacityByte(0.5), 128);
    EXPECT_EQ(opacityByte(-3.0), 0);
    EXPECT_EQ(opacityByte(7.0), 255);
}

TEST(OpenRasterStackXml, EntryNamesOutsideTheArchiveAreRefused) {
    EXPECT_TRUE(isSafeEntryName("data/layer0.png"));
    EXPECT_TRUE(isSafeEntryName("mergedimage.png"));
    for (const char* name : {"", "/etc/passwd", "../x.png", "data/../../x.png", "data//x.png", "./x.png",
                             "data\\x.png", "C:/x.png", "data/.."})
        EXPECT_FALSE(isSafeEntryName(name)) << name;
}

} // namespace
} // namespace pict
