// Metadata carried from opened files into saved ones, over files Pillow wrote
// (tests/codecs/metadata/make_fixtures.py): what is read from a JPEG and a PNG, how the EXIF
// data is brought in line with the saved picture, and what a save writes under the options.
#include "codecs/DocumentFiles.h"
#include "codecs/ExifEditing.h"
#include "codecs/MetadataBlocks.h"
#include "document/Document.h"

#include "support/TestData.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>

namespace pict {
namespace {

namespace fs = std::filesystem;

std::vector<uint8_t> bytesOf(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

fs::path fixture(const char* name) { return fs::path(PICT_SOURCE_DIR) / "tests/codecs/metadata" / name; }

bool holds(const std::vector<uint8_t>& bytes, std::string_view text) {
    return std::search(bytes.begin(), bytes.end(), text.begin(), text.end()) != bytes.end();
}

// A plain reader of little-endian TIFF, independent of the editing code: the single SHORT or
// LONG value of a tag in IFD0, or in the directory a pointer tag of IFD0 leads to.
struct LittleTiff {
    const std::vector<uint8_t>& b;
    uint32_t u16(size_t at) const { return b[at] | b[at + 1] << 8; }
    uint32_t u32(size_t at) const { return u16(at) | u16(at + 2) << 16; }
    std::optional<uint32_t> tag(size_t directory, uint16_t wanted) const {
        for (size_t i = 0, n = u16(directory); i < n; ++i) {
            const size_t e = directory + 2 + 12 * i;
            if (u16(e) == wanted)
                return u16(e + 2) == 3 ? u16(e + 8) : u32(e + 8);
        }
        return std::nullopt;
    }
    size_t ifd0() const { return u32(4); }
    uint32_t next(size_t directory) const { return u32(directory + 2 + 12 * u16(directory)); }
    std::optional<uint32_t> inSub(uint16_t pointer, uint16_t wanted) const {
        const std::optional<uint32_t> at = tag(ifd0(), pointer);
        return at ? tag(*at, wanted) : std::nullopt;
    }
};

TEST(MetadataRead, AJpegFromPillowGivesEveryBlock) {
    const std::vector<uint8_t> file = bytesOf(fixture("camera.jpg"));
    const ImageMetadata m = readJpegMetadata(file.data(), file.size());
    ASSERT_GE(m.exif.size(), 8u);
    EXPECT_EQ(std::string(m.exif.begin(), m.exif.begin() + 4), std::string("II*\0", 4));
    EXPECT_TRUE(holds(m.exif, "TestCam"));
    EXPECT_EQ(m.comments, std::vector<std::string>{"Shot on a test bench"});
    EXPECT_NE(m.xmp.find("Ada Example"), std::string::npos);
    ASSERT_GT(m.icc.size(), 128u);
    EXPECT_EQ(std::string(m.icc.begin() + 36, m.icc.begin() + 40), "acsp") << "a whole ICC profile";
    EXPECT_TRUE(m.texts.empty());
    EXPECT_TRUE(metadataHasLocation(m));
}

TEST(MetadataRead, APngFromPillowGivesTheSameBlocksAndItsTexts) {
    const std::vector<uint8_t> jpegFile = bytesOf(fixture("camera.jpg"));
    const std::vector<uint8_t> file = bytesOf(fixture("camera.png"));
    const ImageMetadata jpeg = readJpegMetadata(jpegFile.data(), jpegFile.size());
    const ImageMetadata m = readPngMetadata(file.data(), file.size());
    EXPECT_EQ(m.exif, jpeg.exif);
    EXPECT_EQ(m.icc, jpeg.icc);
    EXPECT_EQ(m.xmp, jpeg.xmp);
    ASSERT_EQ(m.texts.size(), 3u);
    EXPECT_EQ(m.texts[0].keyword, "Title");
    EXPECT_EQ(m.texts[0].kind, PngTextChunk::Kind::Plain);
    EXPECT_EQ(m.texts[1].kind, PngTextChunk::Kind::Compressed);
    EXPECT_EQ(m.texts[1].text, "A longer description, packed");
    EXPECT_EQ(m.texts[2].kind, PngTextChunk::Kind::International);
    EXPECT_EQ(m.texts[2].language, "en");
    EXPECT_EQ(m.texts[2].translatedKeyword, "Autor");
    EXPECT_EQ(m.texts[2].text, "Ada \xC3\x8Bxample");
}

TEST(MetadataRead, BrokenOrHostileBlocksAreNotCarried) {
    std::vector<uint8_t> file = bytesOf(fixture("camera.png"));
    // Every truncation reads without fault and yields at most what the whole file holds.
    for (size_t cut = 0; cut < file.size(); cut += 7) {
        const ImageMetadata m = readPngMetadata(file.data(), cut);
        EXPECT_LE(m.texts.size(), 3u);
    }
    std::vector<uint8_t> jpeg = bytesOf(fixture("camera.jpg"));
    for (size_t cut = 0; cut < jpeg.size(); cut += 5)
        (void)readJpegMetadata(jpeg.data(), cut);
    // A zTXt whose data is not deflate is dropped, the others stay.
    const std::string zText = "zTXt";
    auto at = std::search(file.begin(), file.end(), zText.begin(), zText.end());
    ASSERT_NE(at, file.end());
    at[4 + 12] ^= 0xFF; // inside the deflated text, after "Description\0\0"
    const ImageMetadata damaged = readPngMetadata(file.data(), file.size());
    EXPECT_EQ(damaged.texts.size(), 2u);
    EXPECT_FALSE(damaged.exif.empty());
}

TEST(ExifEdit, DimensionsOrientationThumbnailAndLocation) {
    const std::vector<uint8_t> file = bytesOf(fixture("camera.jpg"));
    const std::vector<uint8_t> original = readJpegMetadata(file.data(), file.size()).exif;
    const LittleTiff before{original};
    ASSERT_EQ(before.tag(before.ifd0(), exif_tag::kOrientation), 6u);
    ASSERT_NE(before.next(before.ifd0()), 0u) << "the fixture has a thumbnail";

    std::vector<uint8_t> kept = original;
    ASSERT_TRUE(editExif(kept, {Size{300, 200}, false}));
    const LittleTiff after{kept};
    EXPECT_EQ(after.tag(after.ifd0(), exif_tag::kOrientation), 1u);
    EXPECT_EQ(after.inSub(exif_tag::kExifDirectory, exif_tag::kPixelXDimension), 300u);
    EXPECT_EQ(after.inSub(exif_tag::kExifDirectory, exif_tag::kPixelYDimension), 200u);
    EXPECT_EQ(after.next(after.ifd0()), 0u);
    EXPECT_LT(kept.size(), original.size()) << "the thumbnail at the end is cut off";
    EXPECT_FALSE(holds(kept, "JFIF")) << "no trace of the thumbnail picture";
    EXPECT_TRUE(exifHasLocation(kept));
    EXPECT_TRUE(holds(kept, "TestCam"));
    EXPECT_TRUE(holds(kept, "2024:05:17 10:11:12"));

    std::vector<uint8_t> placeless = original;
    ASSERT_TRUE(editExif(placeless, {Size{16, 12}, true}));
    EXPECT_FALSE(exifHasLocation(placeless));
    EXPECT_FALSE(LittleTiff{placeless}.tag(LittleTiff{placeless}.ifd0(), exif_tag::kGpsDirectory));
    const uint8_t latitudeSeconds[] = {0x60, 0x09, 0, 0, 100, 0, 0, 0}; // 2400/100
    EXPECT_FALSE(holds(placeless, std::string_view(reinterpret_cast<const char*>(latitudeSeconds), 8)));
    EXPECT_TRUE(holds(placeless, "Model Seven"));
    EXPECT_EQ(LittleTiff{placeless}.inSub(exif_tag::kExifDirectory, exif_tag::kPixelXDimension), 16u);
}

TEST(ExifEdit, StructuresThatCannotBeReadSafelyAreRefused) {
    const std::vector<uint8_t> file = bytesOf(fixture("camera.jpg"));
    const std::vector<uint8_t> original = readJpegMetadata(file.data(), file.size()).exif;
    std::vector<uint8_t> notTiff = {'X', 'X', 42, 0, 8, 0, 0, 0};
    EXPECT_FALSE(editExif(notTiff, {}));
    std::vector<uint8_t> loop = original;
    loop[4] = 8; // IFD0 stays at 8; make the Exif pointer lead back to IFD0
    const LittleTiff t{loop};
    for (size_t i = 0; i < t.u16(8); ++i)
        if (t.u16(8 + 2 + 12 * i) == exif_tag::kExifDirectory)
            loop[8 + 2 + 12 * i + 8] = 8, loop[8 + 2 + 12 * i + 9] = 0;
    EXPECT_FALSE(editExif(loop, {}));
    for (size_t cut = 0; cut < original.size(); cut += 3) {
        std::vector<uint8_t> part(original.begin(), original.begin() + std::ptrdiff_t(cut));
        (void)editExif(part, {Size{1, 1}, true}); // never reads outside, whatever it answers
    }
}

TEST(MetadataForSave, OptionsDecideWhatGoesIntoTheFile) {
    const std::vector<uint8_t> file = bytesOf(fixture("camera.jpg"));
    const ImageMetadata carried = readJpegMetadata(file.data(), file.size());
    SaveOptions options;
    options.keepMetadata = false;
    EXPECT_TRUE(metadataForSave(carried, options, {16, 12}).isEmpty());
    options.keepMetadata = true;
    options.removeLocation = true;
    const ImageMetadata placeless = metadataForSave(carried, options, {16, 12});
    EXPECT_FALSE(metadataHasLocation(placeless));
    EXPECT_EQ(placeless.xmp.find("GPS"), std::string::npos);
    EXPECT_NE(placeless.xmp.find("Ada Example"), std::string::npos);
    EXPECT_EQ(placeless.icc, carried.icc);
    EXPECT_EQ(placeless.comments, carried.comments);
}

// ---- through opening and saving documents ----

class MetadataSaveTest : public ::testing::TestWithParam<const char*> {};

TEST_P(MetadataSaveTest, SurvivesAnEditAndASaveToEachKind) {
    ImageMetadata carried;
    std::unique_ptr<Document> document = openDocument(fixture(GetParam()).string(), nullptr, &carried);
    ASSERT_TRUE(document);
    ASSERT_FALSE(carried.exif.empty());
    ASSERT_TRUE(document->resizeCanvas(20, 14, Point{0, 0}, 0xFFFFFF));
    for (const char* kind : {"jpg", "png", "ora"}) {
        SCOPED_TRACE(kind);
        const std::string path = (test::scratchDir() / (std::string("kept-") + GetParam() + "." + kind)).string();
        ASSERT_TRUE(saveDocument(*document, path, SaveOptions{}, &carried));
        ImageMetadata reread;
        ASSERT_TRUE(openDocument(path, nullptr, &reread));
        EXPECT_TRUE(holds(reread.exif, "TestCam"));
        EXPECT_TRUE(holds(reread.exif, "2024:05:17 10:11:12"));
        EXPECT_TRUE(exifHasLocation(reread.exif));
        const LittleTiff tiff{reread.exif};
        EXPECT_EQ(tiff.inSub(exif_tag::kExifDirectory, exif_tag::kPixelXDimension), 20u);
        EXPECT_EQ(tiff.inSub(exif_tag::kExifDirectory, exif_tag::kPixelYDimension), 14u);
        EXPECT_EQ(reread.icc, carried.icc);
        EXPECT_EQ(reread.xmp, carried.xmp);
        std::unique_ptr<Document> pixels = openDocument(path);
        ASSERT_TRUE(pixels);
        EXPECT_EQ(pixels->canvasSize(), (Size{20, 14}));
    }
    SaveOptions strip;
    strip.keepMetadata = false;
    const std::string stripped = (test::scratchDir() / (std::string("stripped-") + GetParam() + ".jpg")).string();
    ASSERT_TRUE(saveDocument(*document, stripped, strip, &carried));
    ImageMetadata none;
    ASSERT_TRUE(openDocument(stripped, nullptr, &none));
    EXPECT_TRUE(none.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(FromPillow, MetadataSaveTest, ::testing::Values("camera.jpg", "camera.png"));

TEST(MetadataSave, WithoutCarriedMetadataTheBytesAreThoseOfAPlainSave) {
    std::unique_ptr<Document> document = openDocument(fixture("camera.jpg").string());
    ASSERT_TRUE(document);
    const std::string plain = (test::scratchDir() / "plain-meta.jpg").string();
    const std::string empty = (test::scratchDir() / "empty-meta.jpg").string();
    ASSERT_TRUE(saveDocument(*document, plain));
    const ImageMetadata nothing;
    ASSERT_TRUE(saveDocument(*document, empty, SaveOptions{}, &nothing));
    EXPECT_EQ(bytesOf(plain), bytesOf(empty));
}

} // namespace
} // namespace pict
