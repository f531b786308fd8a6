#include "codecs/ByteStream.h"
#include "codecs/PictureReaders.h"
#include "codecs/PngCodec.h"

#include "codecs/CodecTestSupport.h"

#include <gif_lib.h>
#include <gtest/gtest.h>

#include <cstring>

namespace pict {
namespace {

// ---- GIF files made with giflib's encoder ----

int appendBytes(GifFileType* gif, const GifByteType* data, int length) {
    auto* out = static_cast<std::vector<uint8_t>*>(gif->UserData);
    out->insert(out->end(), data, data + length);
    return length;
}

struct GifFrame {
    int left = 0, top = 0, width = 0, height = 0;
    bool interlace = false;
    int transparent = NO_TRANSPARENT_COLOR;
    std::vector<uint8_t> indices; // width * height, top row first
};

// Palette: index i is (i * 60, 255 - i * 60, 10).
std::vector<uint8_t> makeGif(int screenWidth, int screenHeight, const std::vector<GifFrame>& frames) {
    std::vector<uint8_t> out;
    int error = 0;
    GifFileType* gif = EGifOpen(&out, appendBytes, &error);
    GifColorType colors[4];
    for (int i = 0; i < 4; ++i)
        colors[i] = {GifByteType(i * 60), GifByteType(255 - i * 60), 10};
    ColorMapObject* map = GifMakeMapObject(4, colors);
    EGifSetGifVersion(gif, true);
    EGifPutScreenDesc(gif, screenWidth, screenHeight, 8, 0, map);
    for (const GifFrame& f : frames) {
        if (f.transparent != NO_TRANSPARENT_COLOR) {
            GraphicsControlBlock control{};
            control.TransparentColor = f.transparent;
            GifByteType block[4];
            EGifGCBToExtension(&control, block);
            EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, 4, block);
        }
        EGifPutImageDesc(gif, f.left, f.top, f.width, f.height, f.interlace, nullptr);
        std::vector<int> order;
        if (f.interlace) {
            const int start[4] = {0, 4, 2, 1}, step[4] = {8, 8, 4, 2};
            for (int pass = 0; pass < 4; ++pass)
                for (int y = start[pass]; y < f.height; y += step[pass])
                    order.push_back(y);
        } else {
            for (int y = 0; y < f.height; ++y)
                order.push_back(y);
        }
        for (int y : order)
            EGifPutLine(gif, const_cast<GifPixelType*>(f.indices.data() + size_t(y * f.width)), f.width);
    }
    EGifCloseFile(gif, &error);
    GifFreeMapObject(map);
    return out;
}

GifFrame checkerFrame(int width, int height) {
    GifFrame f;
    f.width = width;
    f.height = height;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            f.indices.push_back(uint8_t((x + 2 * y) % 4));
    return f;
}

bool decodeGif(const std::vector<uint8_t>& file, Surface24& color, Surface8& alpha) {
    MemoryStream in(file.data(), int64_t(file.size()));
    return readGif(in, color, alpha);
}

TEST(GifRead, OpaqueFramesLoadWithTheirPaletteColors) {
    for (bool interlace : {false, true}) {
        SCOPED_TRACE(interlace);
        GifFrame frame = checkerFrame(7, 11);
        frame.interlace = interlace;
        Surface24 color;
        Surface8 alpha;
        ASSERT_TRUE(decodeGif(makeGif(7, 11, {frame}), color, alpha));
        EXPECT_TRUE(alpha.isEmpty());
        ASSERT_EQ(color.width(), 7);
        for (int y = 0; y < 11; ++y)
            for (int x = 0; x < 7; ++x) {
                const int index = (x + 2 * y) % 4;
                const uint8_t* p = color.row(y) + 3 * x;
                ASSERT_EQ(p[2], index * 60) << x << "," << y;
                ASSERT_EQ(p[1], 255 - index * 60);
                ASSERT_EQ(p[0], 10);
            }
    }
}

TEST(GifRead, TransparentIndexAndUncoveredScreenBecomeTransparent) {
    GifFrame frame = checkerFrame(4, 4);
    frame.left = 2;
    frame.top = 1;
    frame.transparent = 3;
    GifFrame second = checkerFrame(8, 8); // only the first frame counts
    Surface24 color;
    Surface8 alpha;
    ASSERT_TRUE(decodeGif(makeGif(8, 6, {frame, second}), color, alpha));
    ASSERT_FALSE(alpha.isEmpty());
    EXPECT_EQ(color.width(), 8);
    EXPECT_EQ(color.height(), 6);
    EXPECT_EQ(alpha.valueAt(0, 0), 0);           // outside the frame
    EXPECT_EQ(alpha.valueAt(2, 1), 255);         // index 0
    EXPECT_EQ(alpha.valueAt(2 + 3, 1), 0);       // index 3 is transparent
    EXPECT_EQ(color.row(1)[3 * 2 + 1], 255);     // green of index 0
}

TEST(GifRead, BrokenFilesFail) {
    const auto file = makeGif(8, 8, {checkerFrame(8, 8)});
    Surface24 color;
    Surface8 alpha;
    for (size_t cut : {size_t(6), size_t(13), file.size() / 2}) {
        std::vector<uint8_t> part(file.begin(), file.begin() + long(cut));
        EXPECT_FALSE(decodeGif(part, color, alpha)) << cut;
        EXPECT_TRUE(color.isEmpty());
    }
    std::vector<uint8_t> noFrames = makeGif(8, 8, {});
    EXPECT_FALSE(decodeGif(noFrames, color, alpha));
    std::vector<uint8_t> huge = file;
    huge[6] = 0x31;
    huge[7] = 0x75; // screen width 30001
    EXPECT_FALSE(decodeGif(huge, color, alpha));
}

// ---- icons assembled by hand ----

void put16(std::vector<uint8_t>& v, uint32_t x) {
    v.push_back(uint8_t(x));
    v.push_back(uint8_t(x >> 8));
}
void put32(std::vector<uint8_t>& v, uint32_t x) {
    put16(v, x & 0xFFFF);
    put16(v, x >> 16);
}

// A packed bitmap entry: 40-byte header with doubled height, pixels (bottom-up), AND mask.
std::vector<uint8_t> bitmapEntry(int size, int depth, bool alphaChannel, bool clearTopLeft) {
    std::vector<uint8_t> e;
    put32(e, 40);
    put32(e, uint32_t(size));
    put32(e, uint32_t(2 * size));
    put16(e, 1);
    put16(e, uint32_t(depth));
    for (int i = 0; i < 6; ++i)
        put32(e, 0);
    const int bytes = depth / 8;
    const int stride = (size * bytes + 3) / 4 * 4;
    for (int y = 0; y < size; ++y) { // bottom row first
        for (int x = 0; x < size; ++x) {
            e.push_back(uint8_t(x * 20));
            e.push_back(uint8_t(y * 20));
            e.push_back(200);
            if (bytes == 4)
                e.push_back(alphaChannel ? uint8_t(x * 30) : 0);
        }
        for (int pad = size * bytes; pad < stride; ++pad)
            e.push_back(0);
    }
    const int maskStride = (size + 31) / 32 * 4;
    for (int y = 0; y < size; ++y)
        for (int i = 0; i < maskStride; ++i)
            e.push_back(clearTopLeft && y == size - 1 && i == 0 ? 0x80 : 0);
    return e;
}

std::vector<uint8_t> pngEntry(int size) {
    PngImage image;
    image.color = test::patternSurface(size, size);
    image.alpha.create(size, size, 8);
    image.alpha.fillValue(77);
    MemoryStream out;
    out.openOwned();
    PngCodec().saveToMemory(out, image);
    return out.takeOwnedBytes();
}

std::vector<uint8_t> makeIcon(const std::vector<std::vector<uint8_t>>& entries) {
    std::vector<uint8_t> file;
    put16(file, 0);
    put16(file, 1);
    put16(file, uint32_t(entries.size()));
    uint32_t offset = uint32_t(6 + 16 * entries.size());
    for (const auto& e : entries) {
        for (int i = 0; i < 8; ++i)
            file.push_back(0); // the directory's size and depth bytes are deliberately wrong
        put32(file, uint32_t(e.size()));
        put32(file, offset);
        offset += uint32_t(e.size());
    }
    for (const auto& e : entries)
        file.insert(file.end(), e.begin(), e.end());
    return file;
}

bool decodeIcon(const std::vector<uint8_t>& file, Surface24& color, Surface8& alpha) {
    MemoryStream in(file.data(), int64_t(file.size()));
    return readIcon(in, color, alpha);
}

TEST(IconRead, PicksTheLargestThenDeepestEntry) {
    Surface24 color;
    Surface8 alpha;
    ASSERT_TRUE(decodeIcon(makeIcon({bitmapEntry(4, 24, false, false), bitmapEntry(8, 24, false, false),
                                     pngEntry(6)}),
                           color, alpha));
    EXPECT_EQ(color.width(), 8);
    EXPECT_TRUE(alpha.isEmpty()); // an empty AND mask means opaque
    EXPECT_EQ(color.row(7)[3 * 2 + 1], 0); // bottom row: green = y * 20 = 0
    EXPECT_EQ(color.row(0)[3 * 2], 40);

    ASSERT_TRUE(decodeIcon(makeIcon({bitmapEntry(8, 24, false, false), bitmapEntry(8, 32, true, false)}), color, alpha));
    ASSERT_FALSE(alpha.isEmpty());
    EXPECT_EQ(alpha.valueAt(3, 0), 90); // the deeper entry, with its alpha channel

    ASSERT_TRUE(decodeIcon(makeIcon({bitmapEntry(8, 24, false, false), pngEntry(16)}), color, alpha));
    EXPECT_EQ(color.width(), 16);
    EXPECT_EQ(alpha.valueAt(5, 5), 77);
}

TEST(IconRead, TheAndMaskClearsPixels) {
    Surface24 color;
    Surface8 alpha;
    ASSERT_TRUE(decodeIcon(makeIcon({bitmapEntry(8, 24, false, true)}), color, alpha));
    ASSERT_FALSE(alpha.isEmpty());
    EXPECT_EQ(alpha.valueAt(0, 0), 0);
    EXPECT_EQ(alpha.valueAt(1, 0), 255);
    EXPECT_EQ(alpha.valueAt(0, 1), 255);
    // A 32-bit entry without alpha bytes falls back to the mask too.
    ASSERT_TRUE(decodeIcon(makeIcon({bitmapEntry(8, 32, false, true)}), color, alpha));
    EXPECT_EQ(alpha.valueAt(0, 0), 0);
}

TEST(IconRead, MalformedDirectoriesFail) {
    Surface24 color;
    Surface8 alpha;
    auto file = makeIcon({bitmapEntry(8, 24, false, false)});
    auto badType = file;
    badType[2] = 3;
    EXPECT_FALSE(decodeIcon(badType, color, alpha));
    auto tooMany = file;
    tooMany[4] = 40;
    EXPECT_FALSE(decodeIcon(tooMany, color, alpha));
    auto offsetOut = file;
    offsetOut[6 + 12] = 0xFF;
    offsetOut[6 + 13] = 0xFF;
    EXPECT_FALSE(decodeIcon(offsetOut, color, alpha));
    file.resize(file.size() - 40); // color rows cut short
    EXPECT_FALSE(decodeIcon(file, color, alpha));
    EXPECT_TRUE(color.isEmpty());
}

} // namespace
} // namespace pict
