#include "app/dialogs/SaveOptionsModel.h"

#include "codecs/DocumentFiles.h"
#include "codecs/MetadataBlocks.h"
#include "document/Document.h"
#include "support/TestData.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace pict {
namespace {

namespace fs = std::filesystem;

fs::path camera() { return fs::path(PICT_SOURCE_DIR) / "tests/codecs/metadata/camera.jpg"; }

int64_t fileSize(const std::string& path) { return int64_t(fs::file_size(path)); }

TEST(JpegOptionsModel, StartsFromTheRememberedChoices) {
    const ImageMetadata none;
    const JpegOptionsModel fresh(SaveOptions{}, none);
    EXPECT_EQ(fresh.quality(), 95);
    EXPECT_FALSE(fresh.fullChroma()) << "95 subsamples, as a save without options does";
    EXPECT_FALSE(fresh.progressive());
    EXPECT_TRUE(fresh.keepMetadata());

    SaveOptions top;
    top.jpeg.quality = 100;
    EXPECT_TRUE(JpegOptionsModel(top, none).fullChroma()) << "library quality 98 keeps the chroma";
    top.jpeg.subsampling = ChromaSubsampling::Half;
    EXPECT_FALSE(JpegOptionsModel(top, none).fullChroma()) << "a choice made once holds";
    SaveOptions low;
    low.jpeg.quality = 0; // a settings file from elsewhere
    EXPECT_EQ(JpegOptionsModel(low, none).quality(), 1);
}

TEST(JpegOptionsModel, ChoicesComeBackAsOptionsAndKeepThePngOne) {
    const ImageMetadata none;
    SaveOptions remembered;
    remembered.pngCompression = PngCompression::Best;
    JpegOptionsModel model(remembered, none);
    model.setQuality(250);
    EXPECT_EQ(model.quality(), 100);
    model.setQuality(40);
    model.setFullChroma(true);
    model.setProgressive(true);
    model.setKeepMetadata(false);
    const SaveOptions chosen = model.result();
    EXPECT_EQ(chosen.jpeg.quality, 40);
    EXPECT_EQ(chosen.jpeg.subsampling, ChromaSubsampling::Full);
    EXPECT_TRUE(chosen.jpeg.progressive);
    EXPECT_FALSE(chosen.keepMetadata);
    EXPECT_EQ(chosen.pngCompression, PngCompression::Best);
    model.setFullChroma(false);
    EXPECT_EQ(model.result().jpeg.subsampling, ChromaSubsampling::Half);
}

TEST(JpegOptionsModel, MetadataChoicesAreOfferedOnlyWhenTheyMeanSomething) {
    const ImageMetadata none;
    const JpegOptionsModel plain(SaveOptions{}, none);
    EXPECT_FALSE(plain.metadataChoiceEnabled());
    EXPECT_FALSE(plain.locationChoiceEnabled());

    ImageMetadata carried;
    ASSERT_TRUE(openDocument(camera().string(), nullptr, &carried));
    JpegOptionsModel model(SaveOptions{}, carried);
    EXPECT_TRUE(model.metadataChoiceEnabled());
    EXPECT_TRUE(model.locationChoiceEnabled());
    model.setKeepMetadata(false);
    EXPECT_FALSE(model.locationChoiceEnabled());

    ImageMetadata commentOnly;
    commentOnly.comments = {"hello"};
    const JpegOptionsModel noPlace(SaveOptions{}, commentOnly);
    EXPECT_TRUE(noPlace.metadataChoiceEnabled());
    EXPECT_FALSE(noPlace.locationChoiceEnabled());
}

TEST(JpegOptionsModel, TheLiveSizeIsTheSizeOfTheSavedFile) {
    ImageMetadata carried;
    std::unique_ptr<Document> document = openDocument(camera().string(), nullptr, &carried);
    ASSERT_TRUE(document);
    ASSERT_TRUE(document->resizeImage(160, 120, 72.0f, ResolutionUnit::PixelsPerInch, 1));
    JpegOptionsModel model(SaveOptions{}, carried);
    for (int32_t quality : {95, 20}) {
        for (bool keep : {true, false}) {
            model.setQuality(quality);
            model.setKeepMetadata(keep);
            JpegOptionsModel::Compressed compressed;
            ASSERT_TRUE(model.compress(*document->composite(), compressed));
            const std::string path = (test::scratchDir() / "live-size.jpg").string();
            ASSERT_TRUE(saveDocument(*document, path, model.result(), &carried));
            EXPECT_EQ(compressed.bytes, fileSize(path)) << quality << " " << keep;
            std::unique_ptr<Document> saved = openDocument(path);
            ASSERT_TRUE(saved);
            EXPECT_EQ(compressed.decoded.size(), saved->canvasSize());
            const Surface24& savedPixels = saved->composite()->color();
            for (int32_t y = 0; y < savedPixels.height(); ++y)
                ASSERT_EQ(std::memcmp(compressed.decoded.row(y), savedPixels.row(y), size_t(savedPixels.width()) * 3), 0)
                    << "the preview shows the saved picture, row " << y;
        }
    }
}

TEST(FileSizeText, BytesKilobytesMegabytes) {
    EXPECT_EQ(fileSizeText(0), "0 bytes");
    EXPECT_EQ(fileSizeText(1023), "1023 bytes");
    EXPECT_EQ(fileSizeText(1024), "1.0 KB");
    EXPECT_EQ(fileSizeText(12 * 1024 + 300), "12.3 KB");
    EXPECT_EQ(fileSizeText(5 * 1024 * 1024 + 1024 * 600), "5.59 MB");
}

} // namespace
} // namespace pict
