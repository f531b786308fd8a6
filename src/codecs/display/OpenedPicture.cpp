#include "codecs/display/OpenedPicture.h"

#include "codecs/display/ColorProfile.h"
#include "codecs/display/PictureOrientation.h"

namespace pict {

namespace {

// Kinds whose orientation is only in their EXIF data.
bool turnsByExif(FileKind kind) { return kind == FileKind::Jpg || kind == FileKind::Png || kind == FileKind::Webp; }

} // namespace

bool showAsMeant(FileKind kind, Surface24& color, Surface8& alpha, ImageMetadata& metadata, ReadReport& report) {
    if (turnsByExif(kind) && !metadata.exif.empty() &&
        !applyOrientation(color, alpha, tiffOrientation(metadata.exif.data(), metadata.exif.size())))
        return report.noMemory();
    if (metadata.icc.empty())
        return true;
    std::string description;
    if (convertToSrgb(color, metadata.icc, description) == ProfileOutcome::Converted) {
        metadata.icc.clear();
        report.colorNote = conversionNote(description);
    }
    return true;
}

} // namespace pict
