#pragma once
// Bringing carried EXIF data in line with the picture it is saved with: the pixel dimensions
// and the orientation describe the saved pixels, the embedded thumbnail (a picture of the old
// pixels) goes, and on request the GPS position goes too. The TIFF structure is edited in
// place, so what this program does not know (maker notes with their own offsets) stays
// where it was; what is dropped is overwritten with zeros, not just unlinked.

#include "common/Geometry.h"

#include <cstdint>
#include <vector>

namespace pict {

struct ExifChanges {
    Size pixels;               // the saved picture's size
    bool dropLocation = false; // remove the GPS directory
};

// Edits tiff (the EXIF TIFF structure, "II*\0" or "MM\0*" first). False when the structure
// cannot be read safely; the caller then leaves the EXIF data out rather than write a
// description that may be wrong.
bool editExif(std::vector<uint8_t>& tiff, const ExifChanges& changes);

// Whether the EXIF data holds a GPS directory (the location of the picture).
bool exifHasLocation(const std::vector<uint8_t>& tiff);

// EXIF tags this program reads or changes.
namespace exif_tag {
inline constexpr uint16_t kImageWidth = 0x0100, kImageLength = 0x0101, kOrientation = 0x0112;
inline constexpr uint16_t kThumbnailOffset = 0x0201, kThumbnailLength = 0x0202;
inline constexpr uint16_t kExifDirectory = 0x8769, kGpsDirectory = 0x8825, kInteropDirectory = 0xA005;
inline constexpr uint16_t kPixelXDimension = 0xA002, kPixelYDimension = 0xA003;
} // namespace exif_tag

} // namespace pict
