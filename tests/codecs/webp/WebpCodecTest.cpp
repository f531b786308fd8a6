#include "codecs/DocumentFiles.h"
#include "codecs/PictureProbe.h"
#include "codecs/webp/WebpCodec.h"
#include "document/compositing/CompositeCache.h"
#include "document/Document.h"

#include "codecs/CodecTestSupport.h"
#include "support/TestData.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace pict {
namespace {

namespace fs = std::filesystem;
using namespace test;

fs::path fixture(const std::string& name) { return codecFixture("webp", name); }

bool decode(const std::vector<uint8_t>& file, Surface24& color, Surface8& alpha, ReadReport& report) {
    MemoryStream in(file.data(), int64_t(file.size()));
    return readWebp(in, color, alpha, report);
}

// ---- files written by cwebp and img2webp, against Pillow's decoding ----

struct Fixture {
    const char* name;
    bool hasAlpha;
};

class WebpFixture : public testing::TestWithParam<Fixture> {};

TEST_P(WebpFixture, DecodesToThePixelsAnotherReaderGives) {
    const Fixture& f = GetParam();
    bool hasAlpha = false;
    std::string reason;
    const auto reader = [](ByteStream& in, Surface24& color, Surface8& alpha, ReadReport& report) {
        return readWebp(in, color, alpha, report);
    };
    EXPECT_EQ(fixtureDifference(reader, fixture(std::string(f.name) + ".webp"),
                                fixture(std::string(f.name) + ".expected.png"), hasAlpha, reason),
              0)
        << reason;
    EXPECT_EQ(hasAlpha, f.hasAlpha);
}

INSTANTIATE_TEST_SUITE_P(Variants, WebpFixture,
                         testing::Values(Fixture{"lossy", false}, Fixture{"lossless", false},
                                         Fixture{"lossy_alpha", true}, Fixture{"lossless_alpha", true},
                                         Fixture{"animated", true}),
                         [](const testing::TestParamInfo<Fixture>& info) { return std::string(info.param.name); });

TEST(WebpRead, TheSizeComesFromTheFirstChunks) {
    const std::vector<uint8_t> file = readWholeFile(fixture("animated.webp"));
    const std::optional<PictureClaim> claim = probePictureBytes(FileKind::Webp, file.data(), file.size());
    ASSERT_TRUE(claim);
    EXPECT_EQ(claim->width, 37);
    EXPECT_EQ(claim->height, 21);
    EXPECT_FALSE(probePictureBytes(FileKind::Webp, file.data(), 8));
}

TEST(WebpRead, WrongCutOrBrokenFilesFailWithAReason) {
    Surface24 color;
    Surface8 alpha;
    const std::vector<uint8_t> file = readWholeFile(fixture("lossy.webp"));
    {
        ReadReport report;
        EXPECT_FALSE(decode(readWholeFile(fixture("lossy.expected.png")), color, alpha, report));
        EXPECT_EQ(report.reason, "The file is not a WebP file.");
    }
    {
        ReadReport report;
        const std::vector<uint8_t> half(file.begin(), file.begin() + long(file.size() / 2));
        EXPECT_FALSE(decode(half, color, alpha, report));
        EXPECT_EQ(report.fault, ReadFault::Truncated);
        EXPECT_NE(report.reason.find(std::to_string(half.size())), std::string::npos) << report.reason;
    }
    {
        ReadReport report;
        std::vector<uint8_t> noise = file;
        for (size_t i = 20; i < noise.size(); ++i)
            noise[i] = uint8_t(i * 101);
        EXPECT_FALSE(decode(noise, color, alpha, report));
        EXPECT_EQ(report.fault, ReadFault::Corrupt);
        EXPECT_TRUE(color.isEmpty());
        EXPECT_TRUE(alpha.isEmpty());
    }
}

// ---- writing ----

Surface8 rampAlpha(int32_t width, int32_t height) {
    Surface8 alpha;
    alpha.create(width, height, 8);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            alpha.row(y)[x] = uint8_t(x < 4 ? 0 : (x * 7 + y) % 256);
    return alpha;
}

std::vector<uint8_t> encode(const Surface24& color, const Surface8* alpha, WebpSaveSettings settings) {
    MemoryStream out;
    EXPECT_TRUE(out.openOwned());
    EXPECT_TRUE(writeWebp(out, color, alpha, settings));
    return out.ownedBytes();
}

TEST(WebpWrite, LosslessFilesReadBackExactlyEvenUnderTransparentPixels) {
    const Surface24 color = patternSurface(45, 31, 3);
    const Surface8 alpha = rampAlpha(45, 31);
    for (const Surface8* withAlpha : std::initializer_list<const Surface8*>{nullptr, &alpha}) {
        Surface24 back;
        Surface8 backAlpha;
        ReadReport report;
        ASSERT_TRUE(decode(encode(color, withAlpha, {.quality = 75, .lossless = true}), back, backAlpha, report))
            << report.reason;
        EXPECT_EQ(backAlpha.isEmpty(), withAlpha == nullptr);
        EXPECT_EQ(maxDifference(toRgba(back, withAlpha ? &backAlpha : nullptr), toRgba(color, withAlpha), true), 0);
    }
}

TEST(WebpWrite, LossyQualityTradesSizeForCloseness) {
    const Surface24 color = patternSurface(64, 48, 5);
    const std::vector<uint8_t> rough = encode(color, nullptr, {.quality = 10, .lossless = false});
    const std::vector<uint8_t> fine = encode(color, nullptr, {.quality = 95, .lossless = false});
    EXPECT_LT(rough.size(), fine.size());
    int roughError = 0, fineError = 0;
    for (const auto& [bytes, error] : {std::pair{&rough, &roughError}, std::pair{&fine, &fineError}}) {
        Surface24 back;
        Surface8 alpha;
        ReadReport report;
        ASSERT_TRUE(decode(*bytes, back, alpha, report));
        EXPECT_TRUE(alpha.isEmpty());
        *error = maxDifference(toRgba(back), toRgba(color), false);
    }
    EXPECT_LE(fineError, roughError);
    EXPECT_LT(fineError, 40);
}

TEST(WebpWrite, ADocumentSavedAsWebpOpensAgain) {
    const fs::path folder = scratchDir() / "webp-documents";
    fs::create_directories(folder);
    ReadReport report;
    std::unique_ptr<Document> document = openDocument(fixture("lossless_alpha.webp").string(), &report);
    ASSERT_TRUE(document) << report.reason;
    const std::string copy = (folder / "copy.webp").string();
    SaveOptions options;
    options.webp.lossless = true;
    ASSERT_TRUE(saveDocument(*document, copy, options));
    // The file holds the composite, transparency and all.
    OpenedImage after;
    ASSERT_TRUE(openImage(copy, after)) << after.report.reason;
    const CompositeCache& composite = *document->composite();
    EXPECT_EQ(maxDifference(toRgba(after.color, &after.alpha), toRgba(composite.color(), &composite.alpha()), true), 0);
}

} // namespace
} // namespace pict
