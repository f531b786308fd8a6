#include "codecs/DocumentFiles.h"
#include "codecs/PictureProbe.h"
#include "codecs/heif/HeifCodec.h"

#include "codecs/CodecTestSupport.h"
#include "support/TestData.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace pict {
namespace {

namespace fs = std::filesystem;
using namespace test;

fs::path fixture(const std::string& name) { return codecFixture("heif", name); }

bool decode(const std::vector<uint8_t>& file, Surface24& color, Surface8& alpha, ReadReport& report) {
    MemoryStream in(file.data(), int64_t(file.size()));
    return readHeif(in, color, alpha, report);
}

// ---- files written by heif-enc, against heif-convert's decoding ----

class HeifFixture : public testing::TestWithParam<const char*> {};

TEST_P(HeifFixture, DecodesToThePixelsLibheifsOwnToolGives) {
    const std::string name = GetParam();
    const bool withAlpha = name.starts_with("alpha");
    std::string stem = name;
    stem[stem.find('.')] = '-';
    bool hasAlpha = false;
    std::string reason;
    const auto reader = [](ByteStream& in, Surface24& color, Surface8& alpha, ReadReport& report) {
        return readHeif(in, color, alpha, report);
    };
    EXPECT_EQ(fixtureDifference(reader, fixture(name), fixture(stem + ".expected.png"), hasAlpha, reason), 0) << reason;
    EXPECT_EQ(hasAlpha, withAlpha);
}

INSTANTIATE_TEST_SUITE_P(Variants, HeifFixture,
                         testing::Values("photo.heic", "alpha.heic", "photo.avif", "alpha.avif"),
                         [](const testing::TestParamInfo<const char*>& info) {
                             std::string name = info.param;
                             name[name.find('.')] = '_';
                             return name;
                         });

TEST(HeifRead, TheSizeComesFromTheBoxes) {
    const std::vector<uint8_t> file = readWholeFile(fixture("photo.heic"));
    const std::optional<PictureClaim> claim = probePictureBytes(FileKind::Heic, file.data(), file.size());
    ASSERT_TRUE(claim);
    EXPECT_EQ(claim->width, 38);
    EXPECT_EQ(claim->height, 22);
}

// Found by the fuzzer: boxes saying 38 x 22 over a coded picture of 9728 x 5632, which the
// size checks made before decoding (and the question about memory) never saw.
TEST(HeifRead, ACodedPictureOfAnotherSizeThanItsBoxesIsRefused) {
    const std::vector<uint8_t> file = readWholeFile(fixture("coded-larger.heic"));
    const std::optional<PictureClaim> claim = probePictureBytes(FileKind::Heic, file.data(), file.size());
    ASSERT_TRUE(claim);
    EXPECT_EQ(claim->width, 38);
    Surface24 color;
    Surface8 alpha;
    ReadReport report;
    EXPECT_FALSE(decode(file, color, alpha, report));
    EXPECT_EQ(report.fault, ReadFault::Corrupt);
    EXPECT_NE(report.reason.find("9728 × 5632 pixels where its header says 38 × 22"), std::string::npos)
        << report.reason;
    EXPECT_TRUE(color.isEmpty());
}

// Files the fuzzer found, each refused as corrupt before libheif decodes anything.
struct CraftedFile {
    const char* name;
    const char* reason;
};

class HeifCrafted : public testing::TestWithParam<CraftedFile> {};

TEST_P(HeifCrafted, IsRefusedAsCorrupt) {
    Surface24 color;
    Surface8 alpha;
    ReadReport report;
    EXPECT_FALSE(decode(readWholeFile(fixture(GetParam().name)), color, alpha, report));
    EXPECT_EQ(report.fault, ReadFault::Corrupt);
    EXPECT_NE(report.reason.find(GetParam().reason), std::string::npos) << report.reason;
    EXPECT_TRUE(color.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    FuzzerFinds, HeifCrafted,
    testing::Values(
        // A grid whose data has an unknown version and claims 24681 x 27759 pixels in boxes of
        // 38 x 22. libheif builds it anyway: it took 17 s and 4 GB before it was refused.
        CraftedFile{"grid-larger.heic", "24681 × 27759 pixels where its header says 38 × 22"},
        // Item locations that give the decoder no data, which libdav1d answers by keeping a
        // block of memory for good.
        CraftedFile{"no-coded-data.avif", "its picture holds no coded data"}),
    [](const testing::TestParamInfo<CraftedFile>& info) {
        std::string name = info.param.name;
        for (char& c : name)
            if (c == '-' || c == '.')
                c = '_';
        return name;
    });

TEST(HeifRead, WrongCutOrBrokenFilesFailWithAReason) {
    Surface24 color;
    Surface8 alpha;
    {
        ReadReport report;
        EXPECT_FALSE(decode(readWholeFile(fixture("photo-heic.expected.png")), color, alpha, report));
        EXPECT_EQ(report.reason, "The file is not a HEIF file.");
    }
    for (const char* name : {"photo.heic", "alpha.avif"}) {
        const std::vector<uint8_t> file = readWholeFile(fixture(name));
        ReadReport report;
        const std::vector<uint8_t> half(file.begin(), file.begin() + long(file.size() / 2));
        EXPECT_FALSE(decode(half, color, alpha, report)) << name;
        EXPECT_TRUE(report.failed());
        EXPECT_FALSE(report.reason.empty());
        EXPECT_TRUE(color.isEmpty());
        EXPECT_TRUE(alpha.isEmpty());
    }
}

TEST(AvifWrite, ASavedPictureReadsBackClose) {
    ASSERT_TRUE(canWriteAvif()) << "Debian's libheif encodes AVIF with libaom";
    const Surface24 color = patternSurface(40, 24, 9);
    Surface8 alpha;
    ASSERT_TRUE(alpha.create(40, 24, 8));
    alpha.fillValue(200);
    MemoryStream out;
    ASSERT_TRUE(out.openOwned());
    ASSERT_TRUE(writeAvif(out, color, &alpha, {.quality = 95, .lossless = false}));
    Surface24 back;
    Surface8 backAlpha;
    ReadReport report;
    ASSERT_TRUE(decode(out.ownedBytes(), back, backAlpha, report)) << report.reason;
    ASSERT_FALSE(backAlpha.isEmpty());
    EXPECT_LE(maxDifference(toRgba(back, &backAlpha), toRgba(color, &alpha), true), 40);
}

} // namespace
} // namespace pict
