#include "codecs/DocumentFiles.h"
#include "codecs/PictureProbe.h"
#include "codecs/tiff/TiffCodec.h"
#include "document/compositing/CompositeCache.h"
#include "document/Document.h"

#include "codecs/CodecTestSupport.h"
#include "support/TestData.h"

#include <gtest/gtest.h>
#include <tiffio.h>

#include <cstring>
#include <filesystem>

namespace pict {
namespace {

namespace fs = std::filesystem;
using namespace test;

fs::path fixture(const std::string& name) { return codecFixture("tiff", name); }

bool decode(const std::vector<uint8_t>& file, Surface24& color, Surface8& alpha, ReadReport& report) {
    MemoryStream in(file.data(), int64_t(file.size()));
    return readTiff(in, color, alpha, report);
}

// ---- files written by ImageMagick and tiffcp, against Pillow's decoding ----

struct Fixture {
    const char* name;
    bool hasAlpha;
    int tolerance; // JPEG data may round differently between decoders
};

class TiffFixture : public testing::TestWithParam<Fixture> {};

TEST_P(TiffFixture, DecodesToThePixelsAnotherReaderGives) {
    const Fixture& f = GetParam();
    bool hasAlpha = false;
    std::string reason;
    const auto reader = [](ByteStream& in, Surface24& color, Surface8& alpha, ReadReport& report) {
        return readTiff(in, color, alpha, report) && !report.endsEarly;
    };
    const int difference = fixtureDifference(reader, fixture(std::string(f.name) + ".tif"),
                                             fixture(std::string(f.name) + ".expected.png"), hasAlpha, reason);
    EXPECT_GE(difference, 0) << reason;
    EXPECT_LE(difference, f.tolerance) << reason;
    EXPECT_EQ(hasAlpha, f.hasAlpha);
}

INSTANTIATE_TEST_SUITE_P(
    Variants, TiffFixture,
    testing::Values(Fixture{"rgb8-none", false, 0}, Fixture{"rgb8-lzw", false, 0}, Fixture{"rgb8-deflate", false, 0},
                    Fixture{"rgb8-packbits", false, 0}, Fixture{"rgb8-jpeg", false, 1},
                    Fixture{"rgb8-jpeg-strips", false, 1}, Fixture{"rgb8-tiled", false, 0},
                    Fixture{"rgba8-lzw", true, 0}, Fixture{"rgba8-tiled", true, 0}, Fixture{"rgb16-deflate", false, 0},
                    Fixture{"rgba16-none", true, 0}, Fixture{"gray8-packbits", false, 0},
                    Fixture{"gray16-lzw", false, 0}, Fixture{"palette8-lzw", false, 0},
                    Fixture{"palette4-none", false, 0}, Fixture{"bilevel-none", false, 0},
                    Fixture{"bilevel-black", false, 0}, Fixture{"bilevel-g4", false, 0},
                    Fixture{"bilevel-tiled", false, 0}, Fixture{"multipage", false, 0}),
    [](const testing::TestParamInfo<Fixture>& info) {
        std::string name = info.param.name;
        for (char& c : name)
            if (c == '-')
                c = '_';
        return name;
    });

TEST(TiffRead, AMultiPageFileOpensAtItsFirstPage) {
    Surface24 color;
    Surface8 alpha;
    ReadReport report;
    ASSERT_TRUE(decode(readWholeFile(fixture("multipage.tif")), color, alpha, report));
    EXPECT_EQ(color.width(), 37);
    EXPECT_EQ(color.height(), 21);
}

TEST(TiffRead, TheSizeComesFromTheDirectoryAlone) {
    const std::vector<uint8_t> file = readWholeFile(fixture("rgb8-tiled.tif"));
    const std::optional<PictureClaim> claim = probePictureBytes(FileKind::Tif, file.data(), file.size());
    ASSERT_TRUE(claim);
    EXPECT_EQ(claim->width, 37);
    EXPECT_EQ(claim->height, 21);
    EXPECT_FALSE(probePictureBytes(FileKind::Tif, file.data(), 6));
}

// ---- hostile and damaged files ----

// A little-endian file's header and its one directory of nine entries, which the hand-made
// files below follow with their data at kDataAfterDirectory.
struct DirectoryEntry {
    uint16_t tag, type;
    uint32_t count, value;
};
constexpr uint32_t kDataAfterDirectory = 8 + 2 + 9 * 12 + 4;
std::vector<uint8_t> headerAndDirectory(const DirectoryEntry (&entries)[9]) {
    std::vector<uint8_t> file = {'I', 'I', 42, 0};
    appendLe32(file, 8);
    appendLe16(file, 9);
    for (const DirectoryEntry& e : entries) {
        appendLe16(file, e.tag);
        appendLe16(file, e.type);
        appendLe32(file, e.count);
        appendLe32(file, e.value);
    }
    appendLe32(file, 0);
    return file;
}

// An uncompressed 8-bit gray file laid out by hand, one row per strip: header, directory,
// strip offsets and byte counts, then the rows (value x + y). Built without libtiff so that
// the sizes it claims need not match its data.
std::vector<uint8_t> handMadeGray(uint32_t width, uint32_t height, uint32_t samples = 1) {
    const uint32_t offsets = kDataAfterDirectory, counts = offsets + 4 * height, data = counts + 4 * height;
    std::vector<uint8_t> file = headerAndDirectory({{256, 4, 1, width},
                                                    {257, 4, 1, height},
                                                    {258, 3, 1, 8},
                                                    {259, 3, 1, 1},
                                                    {262, 3, 1, 1},
                                                    {273, 4, height, offsets},
                                                    {277, 3, 1, samples},
                                                    {278, 4, 1, 1},
                                                    {279, 4, height, counts}});
    for (uint32_t y = 0; y < height; ++y)
        appendLe32(file, data + y * width);
    for (uint32_t y = 0; y < height; ++y)
        appendLe32(file, width);
    if (uint64_t(width) * height <= 4096)
        for (uint32_t y = 0; y < height; ++y)
            for (uint32_t x = 0; x < width; ++x)
                file.push_back(uint8_t(x + y));
    return file;
}

TEST(TiffRead, AHandMadeFileReadsAsLaidOut) {
    Surface24 color;
    Surface8 alpha;
    ReadReport report;
    ASSERT_TRUE(decode(handMadeGray(5, 4), color, alpha, report)) << report.reason;
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 5; ++x)
            for (int c = 0; c < 3; ++c)
                ASSERT_EQ(color.row(y)[3 * x + c], x + y);
}

TEST(TiffRead, DataCutShortKeepsTheRowsItHadAndTheRestIsGray) {
    std::vector<uint8_t> file = handMadeGray(6, 5);
    file.resize(file.size() - 6 * 3 + 2); // two rows and a bit of a third
    Surface24 color;
    Surface8 alpha;
    ReadReport report;
    ASSERT_TRUE(decode(file, color, alpha, report)) << report.reason;
    EXPECT_TRUE(report.endsEarly);
    EXPECT_EQ(color.row(1)[3 * 5], 6);
    for (int y = 2; y < 5; ++y)
        EXPECT_EQ(color.row(y)[0], 128) << y;

    // Cut inside the first row nothing is left to show.
    std::vector<uint8_t> stub = handMadeGray(6, 5);
    stub.resize(stub.size() - 6 * 5 + 3);
    ReadReport none;
    EXPECT_FALSE(decode(stub, color, alpha, none));
    EXPECT_EQ(none.fault, ReadFault::Truncated);
    EXPECT_NE(none.reason.find("truncated"), std::string::npos) << none.reason;
    EXPECT_TRUE(color.isEmpty());
}

// The same file with all its rows in one uncompressed strip, the most common layout of
// uncompressed files, which the reader reads a few rows at a time.
std::vector<uint8_t> handMadeSingleStrip(uint32_t width, uint32_t height) {
    std::vector<uint8_t> file = headerAndDirectory({{256, 4, 1, width},
                                                    {257, 4, 1, height},
                                                    {258, 3, 1, 8},
                                                    {259, 3, 1, 1},
                                                    {262, 3, 1, 1},
                                                    {273, 4, 1, kDataAfterDirectory},
                                                    {277, 3, 1, 1},
                                                    {278, 4, 1, height},
                                                    {279, 4, 1, width * height}});
    if (uint64_t(width) * height <= (uint64_t(1) << 20))
        for (uint32_t y = 0; y < height; ++y)
            for (uint32_t x = 0; x < width; ++x)
                file.push_back(uint8_t(x * 3 + y));
    return file;
}

TEST(TiffRead, OneLargeUncompressedStripReadsWholeOrCutShort) {
    Surface24 color;
    Surface8 alpha;
    ReadReport report;
    ASSERT_TRUE(decode(handMadeSingleStrip(300, 200), color, alpha, report)) << report.reason;
    EXPECT_FALSE(report.endsEarly);
    for (int y = 0; y < 200; ++y)
        for (int x = 0; x < 300; ++x)
            ASSERT_EQ(color.row(y)[3 * x + 1], uint8_t(x * 3 + y)) << x << "," << y;

    std::vector<uint8_t> cut = handMadeSingleStrip(300, 200);
    cut.resize(cut.size() - 300 * 99 - 150); // 100 rows and half of the next
    ReadReport cutReport;
    ASSERT_TRUE(decode(cut, color, alpha, cutReport)) << cutReport.reason;
    EXPECT_TRUE(cutReport.endsEarly);
    for (int y = 0; y < 50; ++y)
        ASSERT_EQ(color.row(y)[3 * 299 + 1], uint8_t(299 * 3 + y)) << "rows before the cut stay: " << y;
    EXPECT_EQ(color.row(150)[0], 128);

    // A few bytes claiming millions of rows in that one strip are refused at once.
    ReadReport tall;
    EXPECT_FALSE(decode(handMadeSingleStrip(4, 6422552), color, alpha, tall));
    EXPECT_EQ(tall.fault, ReadFault::TooLarge);
}

TEST(TiffRead, SidesAbove30000AreRefusedBeforeAnyPixelIsRead) {
    Surface24 color;
    Surface8 alpha;
    ReadReport report;
    EXPECT_FALSE(decode(handMadeGray(30001, 2), color, alpha, report));
    EXPECT_EQ(report.fault, ReadFault::TooLarge);
    const std::vector<uint8_t> tall = handMadeGray(2, 30001);
    ReadReport tallReport;
    EXPECT_FALSE(decode(tall, color, alpha, tallReport));
    EXPECT_EQ(tallReport.fault, ReadFault::TooLarge);
    EXPECT_FALSE(probePictureBytes(FileKind::Tif, tall.data(), tall.size()));
}

TEST(TiffRead, APixelOfThousandsOfSamplesIsRefusedBeforeItsRowIsAllocated) {
    // Found by the fuzzer: 20000 samples on a 30000-pixel row asked for over a gigabyte.
    Surface24 color;
    Surface8 alpha;
    ReadReport report;
    EXPECT_FALSE(decode(handMadeGray(30000, 2, 20000), color, alpha, report));
    EXPECT_EQ(report.fault, ReadFault::Unsupported);
    EXPECT_NE(report.reason.find("20000 samples per pixel"), std::string::npos) << report.reason;
    ReadReport fine;
    EXPECT_TRUE(decode(handMadeGray(5, 4, 1), color, alpha, fine)) << fine.reason;
}

TEST(TiffRead, WrongOrBrokenFilesFailWithAReason) {
    Surface24 color;
    Surface8 alpha;
    {
        ReadReport report;
        const std::vector<uint8_t> png = readWholeFile(fixture("rgb8-none.expected.png"));
        EXPECT_FALSE(decode(png, color, alpha, report));
        EXPECT_EQ(report.fault, ReadFault::NotThisKind);
        EXPECT_EQ(report.reason, "The file is not a TIFF file.");
    }
    {
        ReadReport report;
        EXPECT_FALSE(decode({'I', 'I', 42}, color, alpha, report));
        EXPECT_EQ(report.fault, ReadFault::Truncated);
    }
    {
        // A header whose first directory lies beyond the end.
        ReadReport report;
        EXPECT_FALSE(decode({'I', 'I', 42, 0, 0xF0, 0, 0, 0}, color, alpha, report));
        EXPECT_EQ(report.fault, ReadFault::Corrupt);
        EXPECT_FALSE(report.reason.empty());
    }
    {
        // LZW data overwritten with noise.
        ReadReport report;
        std::vector<uint8_t> file = readWholeFile(fixture("rgb8-lzw.tif"));
        for (size_t i = 8; i < 200; ++i)
            file[i] = uint8_t(i * 37);
        EXPECT_FALSE(decode(file, color, alpha, report));
        EXPECT_TRUE(report.failed());
        EXPECT_TRUE(color.isEmpty());
        EXPECT_TRUE(alpha.isEmpty());
    }
}

// ---- writing ----

uint16_t compressionTagOf(const std::vector<uint8_t>& file) {
    const fs::path path = scratchDir() / "compression-probe.tif";
    writeWholeFile(path, file);
    TIFF* tiff = TIFFOpen(path.c_str(), "r");
    if (!tiff)
        return 0;
    uint16_t tag = 0;
    TIFFGetField(tiff, TIFFTAG_COMPRESSION, &tag);
    TIFFClose(tiff);
    return tag;
}

TEST(TiffWrite, EveryCompressionReadsBackExactlyWithAndWithoutAlpha) {
    const Surface24 color = patternSurface(53, 29, 7);
    const Surface8 alpha = rampAlpha(53, 29, 5, 3);
    ASSERT_FALSE(alpha.isEmpty());
    const std::pair<TiffCompression, uint16_t> kinds[] = {{TiffCompression::None, COMPRESSION_NONE},
                                                          {TiffCompression::Lzw, COMPRESSION_LZW},
                                                          {TiffCompression::Deflate, COMPRESSION_ADOBE_DEFLATE},
                                                          {TiffCompression::PackBits, COMPRESSION_PACKBITS}};
    for (const auto& kind : kinds)
        for (const Surface8* withAlpha : std::initializer_list<const Surface8*>{nullptr, &alpha}) {
            SCOPED_TRACE(int(kind.first));
            MemoryStream out;
            ASSERT_TRUE(out.openOwned());
            ASSERT_TRUE(writeTiff(out, color, withAlpha, {kind.first}));
            const std::vector<uint8_t> file = out.ownedBytes();
            EXPECT_EQ(compressionTagOf(file), kind.second);
            Surface24 readColor;
            Surface8 readAlpha;
            ReadReport report;
            ASSERT_TRUE(decode(file, readColor, readAlpha, report)) << report.reason;
            EXPECT_EQ(readAlpha.isEmpty(), withAlpha == nullptr);
            EXPECT_EQ(maxDifference(toRgba(readColor, withAlpha ? &readAlpha : nullptr), toRgba(color, withAlpha), true),
                      0);
        }
}

TEST(TiffWrite, ADocumentSavedAsTiffOpensAgainTheSame) {
    const fs::path folder = scratchDir() / "tiff-documents";
    fs::create_directories(folder);
    const std::string source = fixture("rgba8-lzw.tif").string();
    ReadReport report;
    std::unique_ptr<Document> document = openDocument(source, &report);
    ASSERT_TRUE(document) << report.reason;
    EXPECT_EQ(document->info().name, "rgba8-lzw.tif");
    const std::string copy = (folder / "copy.tiff").string();
    ASSERT_TRUE(saveDocument(*document, copy));
    // The file holds the composite, transparency and all.
    OpenedImage after;
    ASSERT_TRUE(openImage(copy, after)) << after.report.reason;
    const CompositeCache& composite = *document->composite();
    EXPECT_EQ(maxDifference(toRgba(after.color, &after.alpha), toRgba(composite.color(), &composite.alpha()), true), 0);
}

} // namespace
} // namespace pict
