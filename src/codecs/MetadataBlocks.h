#pragma once
// Metadata in the places JPEG and PNG files keep it, read from a file's bytes and put into
// freshly encoded ones:
// - JPEG: APP1 "Exif", APP1 XMP, APP2 "ICC_PROFILE" (in numbered pieces), COM;
// - PNG: eXIf, iCCP, tEXt, zTXt, iTXt (the XMP packet is the iTXt "XML:com.adobe.xmp").
// The readers look only at the metadata and never at the picture; sizes are capped, so a
// hostile file costs bounded memory, and what cannot be read is simply not carried.

#include "codecs/FileKind.h"
#include "codecs/ImageMetadata.h"
#include "common/Geometry.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace pict {

struct SaveOptions;

// No metadata block (an EXIF structure, a profile, a text) larger than this is read.
inline constexpr size_t kMaxMetadataBlockBytes = size_t(16) << 20;

// What a JPEG or PNG file (by kind) holds besides its picture; other kinds hold nothing here.
ImageMetadata readMetadata(FileKind kind, const uint8_t* data, size_t size);
ImageMetadata readJpegMetadata(const uint8_t* data, size_t size);
ImageMetadata readPngMetadata(const uint8_t* data, size_t size);

// The encoded file with the metadata put in: JPEG segments after the start (and after the
// JFIF header, which an EXIF block replaces), PNG chunks after the header chunk. A block a
// format cannot hold (an EXIF structure above 64 KiB in a JPEG) is left out.
std::vector<uint8_t> withJpegMetadata(const std::vector<uint8_t>& jpeg, const ImageMetadata& metadata);
std::vector<uint8_t> withPngMetadata(const std::vector<uint8_t>& png, const ImageMetadata& metadata);

// What a save of a picture of this size writes from the carried metadata under the options:
// nothing without keepMetadata; otherwise the EXIF data edited to match (dimensions,
// orientation, no thumbnail; no GPS and no XMP location with removeLocation; left out when
// it cannot be read safely).
ImageMetadata metadataForSave(const ImageMetadata& carried, const SaveOptions& options, Size pixels);

// Whether the metadata tells where the picture was taken (EXIF GPS or XMP GPS fields).
bool metadataHasLocation(const ImageMetadata& metadata);

} // namespace pict
