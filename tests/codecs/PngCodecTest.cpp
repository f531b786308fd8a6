#include "codecs/ByteStream.h"
#include "codecs/PngCodec.h"

#include "codecs/CodecTestSupport.h"
#include "support/TestData.h"

#include <gtest/gtest.h>
#include <png.h>
#include <zlib.h>

#include <cstring>

namespace pict {
namespace {

std::vector<uint8_t> saveToBytes(const PngImage& image) {
    MemoryStream out;
    EXPECT_TRUE(out.openOwned());
    EXPECT_TRUE(PngCodec().saveToMemory(out, image));
    return out.takeOwnedBytes();
}

// The tEXt chunks of a PNG, key to value.
std::vector<std::pair<std::string, std::string>> textChunks(const std::vector<uint8_t>& file) {
    std::vector<std::pair<std::string, std::string>> texts;
    for (size_t at = 8; at + 12 <= file.size();) {
        const uint32_t length = uint32_t(file[at] << 24 | file[at + 1] << 16 | file[at + 2] << 8 | file[at + 3]);
        if (std::memcmp(&file[at + 4], "tEXt", 4) == 0) {
            const std::string body(reinterpret_cast<const char*>(&file[at + 8]), length);
            const size_t zero = body.find('\0');
            texts.emplace_back(body.substr(0, zero), body.substr(zero + 1));
        }
        at += 12 + length;
    }
    return texts;
}

TEST(PngWrite, RoundTripsWithAndWithoutAlpha) {
    PngImage image;
    image.color = test::patternSurface(17, 9);
    {
        const auto file = saveToBytes(image);
        EXPECT_EQ(file[25], 2); // color type RGB
        EXPECT_EQ(file[24], 8); // bit depth
        EXPECT_EQ(file[28], 0); // not interlaced
        PngImage back;
        ASSERT_TRUE(PngCodec().loadFromMemory(back, file.data(), file.size(), false));
        EXPECT_FALSE(back.hasAlpha());
        EXPECT_EQ(test::maxDifference(test::toRgba(back.color), test::toRgba(image.color), true), 0);
    }
    ASSERT_TRUE(image.alpha.create(17, 9, 8));
    for (int32_t y = 0; y < 9; ++y)
        for (int32_t x = 0; x < 17; ++x)
            image.alpha.setValueAt(x, y, uint8_t(x * 15));
    const auto file = saveToBytes(image);
    EXPECT_EQ(file[25], 6); // RGBA
    PngImage back;
    ASSERT_TRUE(PngCodec().loadFromMemory(back, file.data(), file.size(), false));
    ASSERT_TRUE(back.hasAlpha());
    EXPECT_EQ(test::maxDifference(test::toRgba(back.color, &back.alpha), test::toRgba(image.color, &image.alpha), true), 0);
}

TEST(PngWrite, CarriesTheProgramAndTimeTexts) {
    PngImage image;
    image.color = test::patternSurface(2, 2);
    const auto texts = textChunks(saveToBytes(image));
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0], (std::pair<std::string, std::string>{"Software", "Pictorane"}));
    EXPECT_EQ(texts[1].first, "Modification Time");
    EXPECT_TRUE(texts[1].second.ends_with(" GMT"));
    EXPECT_EQ(pngModificationTime(0), "Thu, 1 Jan 1970 00:00:00 GMT");
    EXPECT_EQ(pngModificationTime(1796757172), "Tue, 8 Dec 2026 19:12:52 GMT");
}

TEST(PngWrite, CompressionLevelIsClampedAndFailuresAreReported) {
    PngImage image;
    image.color = test::patternSurface(64, 64);
    image.settings.compressionLevel = 42;
    const auto high = saveToBytes(image);
    image.settings.compressionLevel = -3;
    const auto none = saveToBytes(image);
    EXPECT_LT(high.size(), none.size());

    uint8_t tiny[100];
    MemoryStream full;
    ASSERT_TRUE(full.attachWritable(tiny, sizeof tiny));
    EXPECT_FALSE(PngCodec().save(full, image)); // the stream runs out of room
    PngImage empty;
    MemoryStream out;
    ASSERT_TRUE(out.openOwned());
    EXPECT_FALSE(PngCodec().save(out, empty));
}

TEST(PngRead, RefusesOversizedAndTruncatedFiles) {
    PngImage image;
    image.color = test::patternSurface(40, 40);
    auto file = saveToBytes(image);
    PngImage back;
    // A width field above the limit (IHDR width at offset 16, big-endian).
    auto wide = file;
    wide[16] = 0;
    wide[17] = 0;
    wide[18] = 0x75;
    wide[19] = 0x31; // 30001
    EXPECT_FALSE(PngCodec().loadFromMemory(back, wide.data(), wide.size(), true));
    EXPECT_TRUE(back.report.failed());
    // Cut in half it still opens, as far as its data goes (the rest is gray), and says so.
    EXPECT_TRUE(PngCodec().loadFromMemory(back, file.data(), file.size() / 2, false));
    EXPECT_TRUE(back.report.endsEarly);
    EXPECT_FALSE(PngCodec().loadFromMemory(back, file.data(), 7, false));
    EXPECT_TRUE(back.color.isEmpty());
    file[0] = 0;
    EXPECT_FALSE(PngCodec().loadFromMemory(back, file.data(), file.size(), false));
}

// Inserts a gAMA chunk (gamma x 100000) right after IHDR.
std::vector<uint8_t> withGamma(std::vector<uint8_t> file, uint32_t gamma) {
    std::vector<uint8_t> chunk = {0, 0, 0, 4, 'g', 'A', 'M', 'A', uint8_t(gamma >> 24), uint8_t(gamma >> 16),
                                  uint8_t(gamma >> 8), uint8_t(gamma)};
    const uint32_t crc = uint32_t(crc32(crc32(0, nullptr, 0), chunk.data() + 4, 8));
    for (int shift = 24; shift >= 0; shift -= 8)
        chunk.push_back(uint8_t(crc >> shift));
    file.insert(file.begin() + 33, chunk.begin(), chunk.end());
    return file;
}

TEST(PngRead, DisplayGammaLeavesPixelsAloneOtherGammaCorrects) {
    PngImage image;
    image.color = test::patternSurface(16, 16);
    const auto file = saveToBytes(image);
    for (uint32_t gamma : {45455u, 100000u}) {
        SCOPED_TRACE(gamma);
        const auto marked = withGamma(file, gamma);
        PngImage back;
        ASSERT_TRUE(PngCodec().loadFromMemory(back, marked.data(), marked.size(), false));
        const int difference = test::maxDifference(test::toRgba(back.color), test::toRgba(image.color), false);
        if (gamma == 45455u)
            EXPECT_EQ(difference, 0);
        else
            EXPECT_GT(difference, 20); // linear data brightened for the display
    }
}

} // namespace
} // namespace pict
