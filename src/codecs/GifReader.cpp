// The first frame of a GIF through giflib, placed on the logical screen. Pixels of the
// transparent index, and screen pixels the frame does not cover, become transparent.
#include "codecs/ByteStream.h"
#include "codecs/CodecImage.h"
#include "codecs/PictureReaders.h"
#include "codecs/ReadReport.h"

#include <gif_lib.h>

#include <algorithm>
#include <cstring>
#include <new>
#include <string>
#include <vector>

namespace pict {

namespace {

constexpr uint8_t kUnderTransparent = 0xFF; // color kept under transparent pixels: white
// An LZW code takes at least 3 bits and stands for at most 4096 pixels, so a file cannot
// describe more pixels than this per byte. The logical screen is held to the same bound: a
// real GIF's frames fill its screen.
constexpr int64_t kMaxPixelsPerByte = 4096 * 8 / 3;
constexpr int64_t kSlackBytes = 256;

int64_t fileBytes(const GifFileType* gif) { return static_cast<const ByteStream*>(gif->UserData)->size(); }

bool tooShortFor(int64_t pixels, const GifFileType* gif) { return pixels > (fileBytes(gif) + kSlackBytes) * kMaxPixelsPerByte; }

// giflib's error code as the reader's report.
bool reportGifError(int error, int64_t bytes, ReadReport& report) {
    switch (error) {
    case D_GIF_ERR_NOT_GIF_FILE:
        return report.notThisKind(FileKind::Gif);
    case D_GIF_ERR_READ_FAILED:
    case D_GIF_ERR_EOF_TOO_SOON:
        return report.fail(ReadFault::Truncated, "The file is truncated: its " + std::to_string(bytes) +
                                                     " bytes end before its first picture does.");
    case D_GIF_ERR_NOT_ENOUGH_MEM:
        return report.noMemory();
    default: {
        const char* text = GifErrorString(error);
        return report.corrupt(text ? text : "giflib stopped");
    }
    }
}

int readFromStream(GifFileType* gif, GifByteType* out, int length) {
    auto* stream = static_cast<ByteStream*>(gif->UserData);
    return length > 0 ? int(stream->read(out, 1, size_t(length))) : 0;
}

struct GifSession {
    GifFileType* gif = nullptr;
    ~GifSession() {
        if (gif) {
            int error = 0;
            DGifCloseFile(gif, &error);
        }
    }
};

// Skips extension records, remembering the transparent index of a graphics control block.
bool readExtension(GifFileType* gif, int& transparentIndex) {
    int code = 0;
    GifByteType* block = nullptr;
    if (DGifGetExtension(gif, &code, &block) != GIF_OK)
        return false;
    if (code == GRAPHICS_EXT_FUNC_CODE && block && block[0] == 4) {
        GraphicsControlBlock control{};
        if (DGifExtensionToGCB(block[0], block + 1, &control) == GIF_OK)
            transparentIndex = control.TransparentColor;
    }
    while (block) {
        if (DGifGetExtensionNext(gif, &block) != GIF_OK)
            return false;
    }
    return true;
}

// Row order of the frame's lines: interlaced frames come in four passes.
std::vector<int32_t> lineOrder(int32_t height, bool interlaced) {
    std::vector<int32_t> order;
    order.reserve(size_t(height));
    if (!interlaced) {
        for (int32_t y = 0; y < height; ++y)
            order.push_back(y);
        return order;
    }
    static constexpr int32_t kStart[4] = {0, 4, 2, 1}, kStep[4] = {8, 8, 4, 2};
    for (int pass = 0; pass < 4; ++pass)
        for (int32_t y = kStart[pass]; y < height; y += kStep[pass])
            order.push_back(y);
    return order;
}

bool readFrame(GifFileType* gif, int transparentIndex, Surface24& color, Surface8& alpha, ReadReport& report) {
    if (DGifGetImageDesc(gif) != GIF_OK)
        return reportGifError(gif->Error, fileBytes(gif), report);
    const GifImageDesc& frame = gif->Image;
    const ColorMapObject* map = frame.ColorMap ? frame.ColorMap : gif->SColorMap;
    if (!map)
        return report.corrupt("its first picture has no colors");
    if (frame.Width <= 0 || frame.Height <= 0 || frame.Width > 65535 || frame.Height > 65535)
        return report.corrupt("its first picture is " + std::to_string(frame.Width) + " \xC3\x97 " +
                              std::to_string(frame.Height) + " pixels");
    int32_t screenW = gif->SWidth > 0 ? gif->SWidth : frame.Left + frame.Width;
    int32_t screenH = gif->SHeight > 0 ? gif->SHeight : frame.Top + frame.Height;
    if (screenW <= 0 || screenH <= 0)
        return report.corrupt("its screen is " + std::to_string(screenW) + " \xC3\x97 " + std::to_string(screenH) +
                              " pixels");
    if (screenW > kMaxImageDimension || screenH > kMaxImageDimension)
        return report.tooLarge(screenW, screenH);
    if (tooShortFor(int64_t(frame.Width) * frame.Height, gif))
        return report.tooShortFor(fileBytes(gif), frame.Width, frame.Height);
    if (tooShortFor(int64_t(screenW) * screenH, gif))
        return report.tooShortFor(fileBytes(gif), screenW, screenH);

    uint8_t palette[256][3] = {};
    for (int i = 0; i < std::min(map->ColorCount, 256); ++i) {
        palette[i][0] = map->Colors[i].Blue;
        palette[i][1] = map->Colors[i].Green;
        palette[i][2] = map->Colors[i].Red;
    }
    if (!color.create(screenW, screenH, 24) || !alpha.create(screenW, screenH, 8))
        return report.noMemory();
    for (int32_t y = 0; y < screenH; ++y)
        std::memset(color.row(y), kUnderTransparent, size_t(screenW) * 3);
    alpha.fillValue(0);

    std::vector<GifPixelType> line(size_t(frame.Width));
    for (int32_t y : lineOrder(frame.Height, frame.Interlace)) {
        if (DGifGetLine(gif, line.data(), frame.Width) != GIF_OK)
            return reportGifError(gif->Error, fileBytes(gif), report);
        const int32_t sy = frame.Top + y;
        if (sy < 0 || sy >= screenH)
            continue;
        uint8_t* c = color.row(sy);
        uint8_t* a = alpha.row(sy);
        for (int32_t x = 0; x < frame.Width; ++x) {
            const int32_t sx = frame.Left + x;
            if (sx < 0 || sx >= screenW || line[size_t(x)] == transparentIndex)
                continue;
            std::memcpy(c + 3 * sx, palette[line[size_t(x)]], 3);
            a[sx] = 255;
        }
    }
    return true;
}

} // namespace

bool readGif(ByteStream& stream, Surface24& color, Surface8& alpha, ReadReport& report) {
    return readPicture(stream, color, alpha, report, [&] {
        GifSession session;
        int error = 0;
        session.gif = DGifOpen(&stream, readFromStream, &error);
        if (!session.gif)
            return reportGifError(error, stream.size(), report);
        int transparentIndex = NO_TRANSPARENT_COLOR;
        // Extension records (one may name the transparent index) come before the first frame.
        GifRecordType record = UNDEFINED_RECORD_TYPE;
        for (;;) {
            if (DGifGetRecordType(session.gif, &record) != GIF_OK)
                return reportGifError(session.gif->Error, stream.size(), report);
            if (record != EXTENSION_RECORD_TYPE)
                break;
            if (!readExtension(session.gif, transparentIndex))
                return reportGifError(session.gif->Error, stream.size(), report);
        }
        if (record != IMAGE_DESC_RECORD_TYPE) // the terminator (or garbage) before any frame
            return report.corrupt("it holds no picture");
        if (!readFrame(session.gif, transparentIndex, color, alpha, report))
            return false;
        if (alpha.isAll(255))
            alpha.destroy();
        return true;
    });
}

} // namespace pict
