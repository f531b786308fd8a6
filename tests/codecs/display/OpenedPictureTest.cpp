#include "codecs/DocumentFiles.h"
#include "codecs/MetadataBlocks.h"
#include "codecs/display/ColorProfile.h"
#include "codecs/display/PictureOrientation.h"

#include "codecs/CodecTestSupport.h"
#include "document/Document.h"
#include "support/TestData.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

namespace pict {
namespace {

namespace fs = std::filesystem;
using namespace test;

fs::path fixture(const std::string& name) { return codecFixture("display", name); }

// ---- orientation ----

class EightOrientations : public testing::TestWithParam<const char*> {};

TEST_P(EightOrientations, OpenIdenticallyUpright) {
    Rgba8 upright;
    ASSERT_TRUE(trustedPngDecode(fixture("upright.png"), upright));
    const std::string extension = GetParam();
    // JPEG pixels are stored turned, so their compression rounds differently.
    const int tolerance = extension == "jpg" ? 6 : 0;
    for (int n = 1; n <= 8; ++n) {
        SCOPED_TRACE(n);
        OpenedImage image;
        const std::string name = "orient-" + std::to_string(n) + "." + extension;
        ASSERT_TRUE(openImage(fixture(name).string(), image)) << image.report.reason;
        const Rgba8 shown = toRgba(image.color);
        const int difference = maxDifference(shown, upright, false);
        ASSERT_GE(difference, 0) << "the sides are not upright";
        EXPECT_LE(difference, tolerance) << savePair("orient-" + extension + std::to_string(n), shown, upright);
    }
}

INSTANTIATE_TEST_SUITE_P(Kinds, EightOrientations, testing::Values("png", "jpg", "tif", "webp"));

// Builds "II*\0", one directory with the orientation entry in the given type.
std::vector<uint8_t> exifWithOrientation(uint16_t type, uint32_t value, bool bigEndian) {
    std::vector<uint8_t> tiff = bigEndian ? std::vector<uint8_t>{'M', 'M', 0, 42, 0, 0, 0, 8, 0, 1, 0x01, 0x12, 0, uint8_t(type),
                                                                 0, 0, 0, 1}
                                          : std::vector<uint8_t>{'I', 'I', 42, 0, 8, 0, 0, 0, 1, 0, 0x12, 0x01,
                                                                 uint8_t(type), 0, 1, 0, 0, 0};
    if (bigEndian)
        for (int shift : {24, 16, 8, 0})
            tiff.push_back(uint8_t((type == 3 ? value << 16 : value) >> shift));
    else
        appendLe32(tiff, value);
    appendLe32(tiff, 0);
    return tiff;
}

TEST(PictureOrientation, ReadsTheTagInEitherByteOrderAndIgnoresNonsense) {
    for (bool big : {false, true}) {
        const std::vector<uint8_t> six = exifWithOrientation(3, 6, big);
        EXPECT_EQ(tiffOrientation(six.data(), six.size()), 6) << big;
        const std::vector<uint8_t> eightLong = exifWithOrientation(4, 8, big);
        EXPECT_EQ(tiffOrientation(eightLong.data(), eightLong.size()), 8) << big;
        const std::vector<uint8_t> nine = exifWithOrientation(3, 9, big);
        EXPECT_EQ(tiffOrientation(nine.data(), nine.size()), 1) << big;
    }
    std::vector<uint8_t> cut = exifWithOrientation(3, 6, false);
    cut.resize(14); // the entry runs past the end
    EXPECT_EQ(tiffOrientation(cut.data(), cut.size()), 1);
    EXPECT_EQ(tiffOrientation(nullptr, 0), 1);
    const uint8_t notTiff[] = "XX*\0\x08\0\0\0";
    EXPECT_EQ(tiffOrientation(notTiff, 8), 1);
}

TEST(PictureOrientation, TurnsAlphaWithTheColor) {
    Surface24 color = patternSurface(5, 3);
    Surface8 alpha;
    ASSERT_TRUE(alpha.create(5, 3, 8));
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x)
            alpha.row(y)[x] = uint8_t(10 * x + y);
    const Surface24 before = patternSurface(5, 3);
    ASSERT_TRUE(applyOrientation(color, alpha, 6)); // stored turned left: shown turned right
    ASSERT_EQ(color.width(), 3);
    ASSERT_EQ(alpha.width(), 3);
    // The stored bottom-left pixel is shown at the top left.
    EXPECT_EQ(alpha.row(0)[0], 10 * 0 + 2);
    EXPECT_EQ(0, std::memcmp(color.row(0), before.row(2), 3));
}

// ---- colour profiles ----

class AdobeRgbPatches : public testing::TestWithParam<const char*> {};

TEST_P(AdobeRgbPatches, OpenWithTheSrgbValuesTransiccComputes) {
    const std::string extension = GetParam();
    Rgba8 expected;
    ASSERT_TRUE(trustedPngDecode(fixture("patches-" + extension + ".expected.png"), expected));
    OpenedImage image;
    ASSERT_TRUE(openImage(fixture("patches." + extension).string(), image)) << image.report.reason;
    EXPECT_EQ(image.report.colorNote, "Converted from Adobe RGB (1998) to sRGB");
    EXPECT_TRUE(image.metadata.icc.empty()) << "the applied profile no longer describes the pixels";
    const Rgba8 actual = toRgba(image.color);
    EXPECT_LE(maxDifference(actual, expected, false), 1) << savePair("patches-" + extension, actual, expected);
}

INSTANTIATE_TEST_SUITE_P(Kinds, AdobeRgbPatches, testing::Values("jpg", "png", "tif", "webp"));

TEST(ColorProfile, AHeicProfileIsAppliedToo) {
    OpenedImage image;
    ASSERT_TRUE(openImage(fixture("patches.heic").string(), image)) << image.report.reason;
    EXPECT_EQ(image.report.colorNote, "Converted from Adobe RGB (1998) to sRGB");
}

TEST(ColorProfile, FilesWithoutOneAreTakenAsSrgb) {
    OpenedImage image;
    ASSERT_TRUE(openImage(fixture("upright.png").string(), image));
    EXPECT_TRUE(image.report.colorNote.empty());
}

TEST(ColorProfile, AnUnreadableProfileLeavesThePixelsAndStays) {
    Surface24 color = patternSurface(4, 4);
    const Surface24 before = patternSurface(4, 4);
    std::string description;
    const std::vector<uint8_t> garbage(200, 0x5A);
    EXPECT_EQ(convertToSrgb(color, garbage, description), ProfileOutcome::Unusable);
    EXPECT_EQ(maxDifference(toRgba(color), toRgba(before), false), 0);
}

// ---- what a save of an opened picture carries ----

TEST(OpenedPictureSave, KeptMetadataSaysOrientation1AndCarriesNoStaleProfile) {
    const fs::path folder = scratchDir() / "opened-picture-saves";
    fs::create_directories(folder);
    for (const char* name : {"orient-6.jpg", "patches.jpg", "patches.png"}) {
        SCOPED_TRACE(name);
        ReadReport report;
        ImageMetadata carried;
        std::unique_ptr<Document> document = openDocument(fixture(name).string(), &report, &carried);
        ASSERT_TRUE(document) << report.reason;
        const std::string copy = (folder / (std::string("copy-") + name)).string();
        ASSERT_TRUE(saveDocument(*document, copy, SaveOptions{}, &carried));
        const std::vector<uint8_t> bytes = readWholeFile(copy);
        const ImageMetadata saved = readMetadata(kindOfPath(copy), bytes.data(), bytes.size());
        EXPECT_TRUE(saved.icc.empty()) << "the pixels were converted to sRGB";
        if (!saved.exif.empty()) {
            EXPECT_EQ(tiffOrientation(saved.exif.data(), saved.exif.size()), 1);
        }
        // Opened again, the copy is already upright and needs no conversion.
        OpenedImage again;
        ASSERT_TRUE(openImage(copy, again));
        EXPECT_TRUE(again.report.colorNote.empty());
        EXPECT_EQ(again.color.width(), document->canvasSize().width);
    }
}

} // namespace
} // namespace pict
