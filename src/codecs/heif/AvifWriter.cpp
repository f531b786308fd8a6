// AVIF through libheif's AV1 encoder (libaom in Debian), 8-bit RGB or RGBA in, written in
// memory and then to the stream in one piece.
#include "codecs/heif/HeifCodec.h"

#include <libheif/heif.h>

#include <algorithm>
#include <memory>
#include <new>
#include <vector>

namespace pict {

namespace {

struct ContextDeleter {
    void operator()(heif_context* context) const { heif_context_free(context); }
};
struct EncoderDeleter {
    void operator()(heif_encoder* encoder) const { heif_encoder_release(encoder); }
};
struct ImageDeleter {
    void operator()(heif_image* image) const { heif_image_release(image); }
};

heif_error collect(heif_context*, const void* data, size_t size, void* userdata) {
    auto* bytes = static_cast<std::vector<uint8_t>*>(userdata);
    try {
        const auto* begin = static_cast<const uint8_t*>(data);
        bytes->insert(bytes->end(), begin, begin + size);
    } catch (const std::bad_alloc&) {
        return {heif_error_Memory_allocation_error, heif_suberror_Unspecified, "out of memory"};
    }
    return {heif_error_Ok, heif_suberror_Unspecified, "Success"};
}

// The picture as libheif's interleaved RGB or RGBA plane.
std::unique_ptr<heif_image, ImageDeleter> planeOf(const Surface24& color, const Surface8* alpha) {
    heif_image* created = nullptr;
    if (heif_image_create(color.width(), color.height(), heif_colorspace_RGB,
                          alpha ? heif_chroma_interleaved_RGBA : heif_chroma_interleaved_RGB, &created)
            .code != heif_error_Ok)
        return nullptr;
    std::unique_ptr<heif_image, ImageDeleter> image(created);
    if (heif_image_add_plane(created, heif_channel_interleaved, color.width(), color.height(), 8).code != heif_error_Ok)
        return nullptr;
    int stride = 0;
    uint8_t* plane = heif_image_get_plane(created, heif_channel_interleaved, &stride);
    if (!plane)
        return nullptr;
    const size_t step = alpha ? 4 : 3;
    for (int32_t y = 0; y < color.height(); ++y) {
        uint8_t* out = plane + size_t(stride) * size_t(y);
        const uint8_t* c = color.row(y);
        for (int32_t x = 0; x < color.width(); ++x, out += step, c += 3) {
            out[0] = c[2];
            out[1] = c[1];
            out[2] = c[0];
            if (alpha)
                out[3] = alpha->row(y)[x];
        }
    }
    return image;
}

} // namespace

bool canWriteAvif() { return heif_have_encoder_for_format(heif_compression_AV1) != 0; }

bool writeAvif(ByteStream& out, const Surface24& color, const Surface8* alpha, const AvifSaveSettings& settings) {
    if (!color.isValid() || color.width() < 1 || color.height() < 1 || (alpha && alpha->size() != color.size()))
        return false;
    try {
        std::unique_ptr<heif_context, ContextDeleter> context(heif_context_alloc());
        heif_encoder* created = nullptr;
        if (!context ||
            heif_context_get_encoder_for_format(context.get(), heif_compression_AV1, &created).code != heif_error_Ok)
            return false;
        std::unique_ptr<heif_encoder, EncoderDeleter> encoder(created);
        if (settings.lossless)
            heif_encoder_set_lossless(created, 1);
        else
            heif_encoder_set_lossy_quality(created, std::clamp(settings.quality, 0, 100));
        std::unique_ptr<heif_image, ImageDeleter> image = planeOf(color, alpha);
        if (!image || heif_context_encode_image(context.get(), image.get(), created, nullptr, nullptr).code != heif_error_Ok)
            return false;
        std::vector<uint8_t> bytes;
        heif_writer writer{1, collect};
        if (heif_context_write(context.get(), &writer, &bytes).code != heif_error_Ok)
            return false;
        return out.writeExact(bytes.data(), bytes.size());
    } catch (const std::bad_alloc&) {
        return false;
    }
}

} // namespace pict
