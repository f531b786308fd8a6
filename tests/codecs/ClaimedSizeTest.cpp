// Files whose headers claim far more pixels than their data could hold are refused before the
// pixels are allocated; files that are merely very compressible still load.
#include "codecs/ByteStream.h"
#include "codecs/CodecImage.h"
#include "codecs/JpegCodec.h"
#include "codecs/PictureProbe.h"
#include "codecs/PictureReaders.h"
#include "codecs/PngCodec.h"

#include "codecs/CodecTestSupport.h"
#include "codecs/PictureFileBuilders.h"
#include "support/TestData.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <cstring>
#include <filesystem>
#include <tuple>

namespace pict {
namespace {

std::vector<uint8_t> saved(const CodecImage& image) {
    MemoryStream out;
    EXPECT_TRUE(out.openOwned());
    EXPECT_TRUE(image.codec().saveToMemory(out, image));
    return out.takeOwnedBytes();
}

bool loads(CodecImage& image, const std::vector<uint8_t>& file) {
    return image.codec().loadFromMemory(image, file.data(), file.size(), false);
}

void putBigEndian16(uint8_t* p, uint32_t v) {
    p[0] = uint8_t(v >> 8);
    p[1] = uint8_t(v);
}
void putBigEndian32(uint8_t* p, uint32_t v) {
    putBigEndian16(p, v >> 16);
    putBigEndian16(p + 2, v & 0xFFFF);
}

// Rewrites the IHDR size and its checksum, so that only the claim is wrong.
std::vector<uint8_t> withPngSize(std::vector<uint8_t> file, uint32_t width, uint32_t height) {
    putBigEndian32(&file[16], width);
    putBigEndian32(&file[20], height);
    putBigEndian32(&file[29], uint32_t(crc32(0, &file[12], 17)));
    return file;
}

// Rewrites the frame size of the first baseline start-of-frame segment.
std::vector<uint8_t> withJpegSize(std::vector<uint8_t> file, uint32_t width, uint32_t height) {
    for (size_t i = 2; i + 9 < file.size(); ++i)
        if (file[i] == 0xFF && file[i + 1] == 0xC0) {
            putBigEndian16(&file[i + 5], height);
            putBigEndian16(&file[i + 7], width);
            return file;
        }
    ADD_FAILURE() << "no start-of-frame segment";
    return file;
}

TEST(ClaimedSize, PngWithTooLittleDataForItsSizeIsRefused) {
    PngImage small;
    small.color = test::patternSurface(40, 30);
    const std::vector<uint8_t> file = saved(small);
    PngImage back;
    ASSERT_TRUE(loads(back, withPngSize(file, 40, 30))); // the rewrite itself is sound
    EXPECT_FALSE(loads(back, withPngSize(file, 30000, 30000)));
    EXPECT_FALSE(loads(back, withPngSize(file, 20000, 1000)));
    EXPECT_TRUE(back.color.isEmpty());
    // Header-only loading reads the claim; it allocates nothing.
    EXPECT_TRUE(back.codec().loadFromMemory(back, withPngSize(file, 20000, 1000).data(), file.size(), true));
    EXPECT_EQ(back.width, 20000);
}

TEST(ClaimedSize, PngChunkLongerThanTheFileIsRefused) {
    PngImage small;
    small.color = test::patternSurface(8, 8);
    std::vector<uint8_t> file = saved(small);
    // A text chunk after IHDR whose length field claims a gigabyte.
    std::vector<uint8_t> chunk = {0x40, 0, 0, 0, 't', 'E', 'X', 't', 'k', 'e', 'y', 0, 'v'};
    file.insert(file.begin() + 33, chunk.begin(), chunk.end());
    PngImage back;
    EXPECT_FALSE(loads(back, file));
    EXPECT_TRUE(back.color.isEmpty());
}

TEST(ClaimedSize, JpegWithTooLittleDataForItsSizeIsRefused) {
    JpegImage small;
    small.color = test::patternSurface(40, 30);
    const std::vector<uint8_t> file = saved(small);
    JpegImage back;
    ASSERT_TRUE(loads(back, withJpegSize(file, 40, 30)));
    EXPECT_FALSE(loads(back, withJpegSize(file, 30000, 30000)));
    EXPECT_FALSE(loads(back, withJpegSize(file, 10000, 10000)));
    EXPECT_TRUE(back.color.isEmpty());
    // Above the limit even the header is refused.
    EXPECT_FALSE(back.codec().loadFromMemory(back, withJpegSize(file, 30001, 8).data(), file.size(), true));
}

// A GIF whose logical screen has a zero side is sized by its first frame's extent, by the
// reader and so by the probe that the memory question and --max-memory rely on; the frame is
// found past the colour table and the extensions before it.
TEST(ClaimedSize, AGifScreenSideOfZeroIsClaimedFromTheFirstFrame) {
    test::GifFrame frame = test::checkerFrame(8, 6);
    frame.left = 3;
    frame.top = 2;
    frame.transparent = 1; // a graphic control extension before the frame
    for (const auto& [screenWidth, screenHeight, claimed] :
         {std::tuple{0, 0, Size{11, 8}}, std::tuple{20, 0, Size{20, 8}}, std::tuple{0, 30, Size{11, 30}},
          std::tuple{20, 30, Size{20, 30}}}) {
        const std::vector<uint8_t> file = test::makeGif(screenWidth, screenHeight, {frame});
        const std::optional<PictureClaim> claim = probePictureBytes(FileKind::Gif, file.data(), file.size());
        ASSERT_TRUE(claim);
        EXPECT_EQ((Size{claim->width, claim->height}), claimed) << screenWidth << " x " << screenHeight;
        Surface24 color;
        Surface8 alpha;
        MemoryStream in(file.data(), int64_t(file.size()));
        ReadReport report;
        ASSERT_TRUE(readGif(in, color, alpha, report)) << report.reason;
        EXPECT_EQ(color.size(), claimed) << "the reader agrees";

        const std::filesystem::path path = test::scratchDir() / "zero-screen.gif";
        test::writeWholeFile(path, file);
        const std::optional<PictureClaim> fromFile = probePicture(path.string());
        ASSERT_TRUE(fromFile);
        EXPECT_EQ((Size{fromFile->width, fromFile->height}), claimed);
    }
    // Cut before the frame, only the screen is known.
    const std::vector<uint8_t> file = test::makeGif(0, 0, {frame});
    const std::optional<PictureClaim> cut = probePictureBytes(FileKind::Gif, file.data(), 20);
    ASSERT_TRUE(cut);
    EXPECT_EQ(cut->width, 0);
}

TEST(ClaimedSize, GifWithTooLittleDataForItsScreenIsRefused) {
    std::vector<uint8_t> file = test::makeGif(8, 8, {test::checkerFrame(8, 8)});
    Surface24 color;
    Surface8 alpha;
    auto decode = [&](const std::vector<uint8_t>& bytes) {
        MemoryStream in(bytes.data(), int64_t(bytes.size()));
        ReadReport report;
        return readGif(in, color, alpha, report);
    };
    ASSERT_TRUE(decode(file));
    file[6] = uint8_t(30000 & 0xFF); // logical screen width and height, little-endian
    file[7] = uint8_t(30000 >> 8);
    file[8] = uint8_t(30000 & 0xFF);
    file[9] = uint8_t(30000 >> 8);
    EXPECT_FALSE(decode(file));
    EXPECT_TRUE(color.isEmpty());
}

TEST(ClaimedSize, HighlyCompressibleImagesStillLoad) {
    const int32_t side = 2000;
    PngImage png;
    ASSERT_TRUE(png.color.create(side, side, 24));
    png.color.fillAll(0xFFFFFF);
    png.settings.compressionLevel = 9;
    const std::vector<uint8_t> pngFile = saved(png);
    PngImage pngBack;
    EXPECT_TRUE(loads(pngBack, pngFile)) << pngFile.size() << " bytes";

    JpegImage jpeg;
    ASSERT_TRUE(jpeg.color.create(side, side, 24));
    jpeg.color.fillAll(0xFFFFFF);
    jpeg.settings.quality = 0;
    jpeg.settings.flags = JpegSaveSettings::kOptimizeHuffman;
    const std::vector<uint8_t> jpegFile = saved(jpeg);
    JpegImage jpegBack;
    EXPECT_TRUE(loads(jpegBack, jpegFile)) << jpegFile.size() << " bytes";
}

} // namespace
} // namespace pict
