// A still WebP through libwebp's advanced interface, which can keep the color under
// transparent pixels (lossless) and says why an encode failed.
#include "codecs/PixelPacking.h"
#include "codecs/webp/WebpCodec.h"

#include <webp/encode.h>

#include <algorithm>
#include <new>
#include <vector>

namespace pict {

namespace {

struct PictureGuard {
    WebPPicture picture{};
    WebPMemoryWriter writer{};
    ~PictureGuard() {
        WebPPictureFree(&picture);
        WebPMemoryWriterClear(&writer);
    }
};

} // namespace

bool writeWebp(ByteStream& out, const Surface24& color, const Surface8* alpha, const WebpSaveSettings& settings) {
    if (!color.isValid() || color.width() < 1 || color.height() < 1 || color.width() > WEBP_MAX_DIMENSION ||
        color.height() > WEBP_MAX_DIMENSION || (alpha && alpha->size() != color.size()))
        return false;
    try {
        WebPConfig config;
        if (!WebPConfigInit(&config))
            return false;
        config.lossless = settings.lossless ? 1 : 0;
        config.quality = float(std::clamp(settings.quality, WebpSaveSettings::kQualityMin, WebpSaveSettings::kQualityMax));
        config.exact = settings.lossless ? 1 : 0;
        if (!WebPValidateConfig(&config))
            return false;

        PictureGuard guard;
        WebPPicture& picture = guard.picture;
        if (!WebPPictureInit(&picture))
            return false;
        picture.width = color.width();
        picture.height = color.height();
        picture.use_argb = config.lossless;
        const int32_t width = color.width();
        std::vector<uint8_t> bgra(size_t(width) * 4 * size_t(color.height()));
        for (int32_t y = 0; y < color.height(); ++y)
            combineRow(color.row(y), alpha ? alpha->row(y) : nullptr, width, bgra.data() + size_t(y) * width * 4);
        const int imported = alpha ? WebPPictureImportBGRA(&picture, bgra.data(), width * 4)
                                   : WebPPictureImportBGRX(&picture, bgra.data(), width * 4);
        if (!imported)
            return false;
        WebPMemoryWriterInit(&guard.writer);
        picture.writer = WebPMemoryWrite;
        picture.custom_ptr = &guard.writer;
        if (!WebPEncode(&config, &picture))
            return false;
        return out.writeExact(guard.writer.mem, guard.writer.size);
    } catch (const std::bad_alloc&) {
        return false;
    }
}

} // namespace pict
