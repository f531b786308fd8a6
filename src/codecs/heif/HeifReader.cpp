// The primary picture of a HEIF container (HEVC in HEIC files, AV1 in AVIF files).
#include "codecs/CodecImage.h"
#include "codecs/MetadataBlocks.h"
#include "codecs/PictureReaders.h"
#include "codecs/heif/BoxFields.h"
#include "codecs/heif/HeifCodec.h"
#include "codecs/heif/HeifCodedSize.h"

#include <libheif/heif.h>

#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace pict {

namespace {

struct ContextDeleter {
    void operator()(heif_context* context) const { heif_context_free(context); }
};
struct HandleDeleter {
    void operator()(heif_image_handle* handle) const { heif_image_handle_release(handle); }
};
struct ImageDeleter {
    void operator()(heif_image* image) const { heif_image_release(image); }
};
struct OptionsDeleter {
    void operator()(heif_decoding_options* options) const { heif_decoding_options_free(options); }
};

bool reportHeifError(const heif_error& error, ReadReport& report) {
    switch (error.code) {
    case heif_error_Ok:
        return true;
    case heif_error_Memory_allocation_error:
        return report.noMemory();
    case heif_error_Unsupported_filetype:
    case heif_error_Unsupported_feature:
        return report.unsupported(std::string("HEIF ") + (error.message ? error.message : "variant"));
    default:
        return report.corrupt(error.message && *error.message ? error.message : "libheif cannot read it");
    }
}

std::string codedSizeMismatch(int64_t codedWidth, int64_t codedHeight, int64_t width, int64_t height) {
    return "its coded picture is " + std::to_string(codedWidth) + " × " + std::to_string(codedHeight) +
           " pixels where its header says " + std::to_string(width) + " × " + std::to_string(height);
}

// Refuses, before any decoding, a file whose coded pictures are missing or larger than its boxes say.
bool codedPicturesFitTheirBoxes(const std::vector<uint8_t>& file, heif_context* context, ReadReport& report) {
    heif_item_id primary = 0;
    if (heif_context_get_primary_image_ID(context, &primary).code != heif_error_Ok)
        return true;
    const HeifItems items(file);
    if (heifPictureWithoutData(items, primary))
        return report.corrupt("its picture holds no coded data");
    const std::optional<OversizedPicture> oversized = heifOversizedPicture(items, primary);
    if (!oversized)
        return true;
    return report.corrupt(codedSizeMismatch(oversized->coded.width, oversized->coded.height,
                                            oversized->box.width, oversized->box.height));
}

// A parsed file and its primary picture.
struct Primary {
    std::unique_ptr<heif_context, ContextDeleter> context;
    std::unique_ptr<heif_image_handle, HandleDeleter> handle;
};

bool openPrimary(const uint8_t* data, size_t size, Primary& primary, ReadReport& report) {
    primary.context.reset(heif_context_alloc());
    if (!primary.context)
        return report.noMemory();
    heif_context_set_maximum_image_size_limit(primary.context.get(), kMaxImageDimension);
    if (!reportHeifError(heif_context_read_from_memory_without_copy(primary.context.get(), data, size, nullptr), report))
        return false;
    heif_image_handle* handle = nullptr;
    if (!reportHeifError(heif_context_get_primary_image_handle(primary.context.get(), &handle), report))
        return false;
    primary.handle.reset(handle);
    return true;
}

// HEIF stores EXIF data behind a 4-byte offset to its TIFF header.
std::vector<uint8_t> exifOf(heif_image_handle* handle) {
    heif_item_id ids[4] = {};
    const int count = heif_image_handle_get_list_of_metadata_block_IDs(handle, "Exif", ids, 4);
    for (int i = 0; i < count; ++i) {
        const size_t size = heif_image_handle_get_metadata_size(handle, ids[i]);
        if (size < 4 || size > kMaxMetadataBlockBytes)
            continue;
        std::vector<uint8_t> block(size);
        if (heif_image_handle_get_metadata(handle, ids[i], block.data()).code != heif_error_Ok)
            continue;
        const size_t skip = 4 + size_t(BoxFields(block).read(4));
        if (skip < size)
            return std::vector<uint8_t>(block.begin() + std::ptrdiff_t(skip), block.end());
    }
    return {};
}

std::vector<uint8_t> profileOf(heif_image_handle* handle) {
    const size_t size = heif_image_handle_get_raw_color_profile_size(handle);
    if (size == 0 || size > kMaxMetadataBlockBytes)
        return {};
    std::vector<uint8_t> profile(size);
    if (heif_image_handle_get_raw_color_profile(handle, profile.data()).code != heif_error_Ok)
        return {};
    return profile;
}

bool decodePrimary(const std::vector<uint8_t>& file, Surface24& color, Surface8& alpha, ReadReport& report,
                   ImageMetadata* metadata) {
    if (file.size() < 12)
        return report.truncated(int64_t(file.size()), 12);
    if (heif_check_filetype(file.data(), int(std::min<size_t>(file.size(), 64))) == heif_filetype_no)
        return report.notThisKind(FileKind::Heic);
    Primary primary;
    if (!openPrimary(file.data(), file.size(), primary, report))
        return false;
    heif_image_handle* handle = primary.handle.get();
    const int width = heif_image_handle_get_width(handle), height = heif_image_handle_get_height(handle);
    if (width <= 0 || height <= 0)
        return report.corrupt("its picture has no size");
    if (width > kMaxImageDimension || height > kMaxImageDimension)
        return report.tooLarge(width, height);
    if (!codedPicturesFitTheirBoxes(file, primary.context.get(), report))
        return false;
    const bool hasAlpha = heif_image_handle_has_alpha_channel(handle) != 0;

    std::unique_ptr<heif_decoding_options, OptionsDeleter> options(heif_decoding_options_alloc());
    heif_image* decoded = nullptr;
    if (!reportHeifError(heif_decode_image(handle, &decoded, heif_colorspace_RGB,
                                           hasAlpha ? heif_chroma_interleaved_RGBA : heif_chroma_interleaved_RGB,
                                           options.get()),
                         report))
        return false;
    std::unique_ptr<heif_image, ImageDeleter> image(decoded);
    int stride = 0;
    const uint8_t* plane = heif_image_get_plane_readonly(decoded, heif_channel_interleaved, &stride);
    // The transformations may have swapped the sides.
    const int shownWidth = heif_image_get_width(decoded, heif_channel_interleaved);
    const int shownHeight = heif_image_get_height(decoded, heif_channel_interleaved);
    if (!plane || shownWidth <= 0 || shownHeight <= 0)
        return report.corrupt("libheif gave no picture");
    // The coded picture may claim another size than the boxes that were checked (and asked
    // about) before decoding; only the boxes' size, or its sides swapped, is taken.
    const bool boxSize = (shownWidth == width && shownHeight == height) || (shownWidth == height && shownHeight == width);
    if (!boxSize)
        return report.corrupt(codedSizeMismatch(shownWidth, shownHeight, width, height));
    if (!color.create(shownWidth, shownHeight, 24) || (hasAlpha && !alpha.create(shownWidth, shownHeight, 8)))
        return report.noMemory();
    const int step = hasAlpha ? 4 : 3;
    for (int y = 0; y < shownHeight; ++y) {
        const uint8_t* in = plane + size_t(stride) * size_t(y);
        uint8_t* c = color.row(y);
        for (int x = 0; x < shownWidth; ++x, in += step, c += 3) {
            c[0] = in[2];
            c[1] = in[1];
            c[2] = in[0];
        }
        if (hasAlpha) {
            uint8_t* a = alpha.row(y);
            in = plane + size_t(stride) * size_t(y) + 3;
            for (int x = 0; x < shownWidth; ++x, in += 4)
                a[x] = *in;
        }
    }
    if (metadata) {
        metadata->exif = exifOf(handle);
        metadata->icc = profileOf(handle);
    }
    return true;
}

} // namespace

bool readHeif(ByteStream& stream, Surface24& color, Surface8& alpha, ReadReport& report, ImageMetadata* metadata) {
    return readPicture(stream, color, alpha, report, [&] {
        const std::vector<uint8_t> file = readWholeStream(stream);
        if (file.empty())
            return report.fail(ReadFault::CannotRead, "The file cannot be read.");
        return decodePrimary(file, color, alpha, report, metadata);
    });
}

bool readHeifSize(const uint8_t* data, size_t size, int32_t& width, int32_t& height) {
    if (size < 12 || heif_check_filetype(data, int(std::min<size_t>(size, 64))) == heif_filetype_no)
        return false;
    Primary primary;
    ReadReport ignored;
    if (!openPrimary(data, size, primary, ignored))
        return false;
    width = heif_image_handle_get_width(primary.handle.get());
    height = heif_image_handle_get_height(primary.handle.get());
    return width > 0 && height > 0;
}

} // namespace pict
