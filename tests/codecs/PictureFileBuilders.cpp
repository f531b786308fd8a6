#include "codecs/PictureFileBuilders.h"

#include "codecs/ByteStream.h"
#include "codecs/CodecTestSupport.h"
#include "codecs/PngCodec.h"

#include <gif_lib.h>

namespace pict::test {

namespace {

int appendBytes(GifFileType* gif, const GifByteType* data, int length) {
    auto* out = static_cast<std::vector<uint8_t>*>(gif->UserData);
    out->insert(out->end(), data, data + length);
    return length;
}

} // namespace

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
        if (f.transparent >= 0) {
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

// A packed bitmap entry: 40-byte header with doubled height, pixels (bottom-up), AND mask.
std::vector<uint8_t> bitmapEntry(int size, int depth, bool alphaChannel, bool clearTopLeft) {
    std::vector<uint8_t> e;
    appendLe32(e, 40);
    appendLe32(e, uint32_t(size));
    appendLe32(e, uint32_t(2 * size));
    appendLe16(e, 1);
    appendLe16(e, uint32_t(depth));
    for (int i = 0; i < 6; ++i)
        appendLe32(e, 0);
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
    image.color = patternSurface(size, size);
    image.alpha.create(size, size, 8);
    image.alpha.fillValue(77);
    MemoryStream out;
    out.openOwned();
    PngCodec().saveToMemory(out, image);
    return out.takeOwnedBytes();
}

std::vector<uint8_t> makeIcon(const std::vector<std::vector<uint8_t>>& entries) {
    std::vector<uint8_t> file;
    appendLe16(file, 0);
    appendLe16(file, 1);
    appendLe16(file, uint32_t(entries.size()));
    uint32_t offset = uint32_t(6 + 16 * entries.size());
    for (const auto& e : entries) {
        for (int i = 0; i < 8; ++i)
            file.push_back(0); // the directory's size and depth bytes are deliberately wrong
        appendLe32(file, uint32_t(e.size()));
        appendLe32(file, offset);
        offset += uint32_t(e.size());
    }
    for (const auto& e : entries)
        file.insert(file.end(), e.begin(), e.end());
    return file;
}

} // namespace pict::test
