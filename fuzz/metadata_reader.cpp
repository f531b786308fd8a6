// Arbitrary bytes as the metadata of a JPEG and of a PNG file, and the carried EXIF data
// edited for a save (with and without its location).
#include "codecs/ExifEditing.h"
#include "codecs/MetadataBlocks.h"
#include "codecs/SaveOptions.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const pict::ImageMetadata jpeg = pict::readJpegMetadata(data, size);
    const pict::ImageMetadata png = pict::readPngMetadata(data, size);
    pict::SaveOptions options;
    options.removeLocation = size % 2 == 0;
    (void)pict::metadataForSave(jpeg, options, {64, 48});
    (void)pict::metadataForSave(png, options, {64, 48});
    // The bytes themselves as an EXIF structure.
    pict::ImageMetadata raw;
    raw.exif.assign(data, data + size);
    (void)pict::metadataForSave(raw, options, {1, 1});
    return 0;
}
