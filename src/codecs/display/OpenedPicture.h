#pragma once
// What every picture goes through after its reader: turned upright as its EXIF orientation
// says (JPEG, PNG and WebP; TIFF readers apply their own tag and HEIF readers the file's
// transformations), and its colours brought from the embedded profile into sRGB.

#include "codecs/FileKind.h"
#include "codecs/ImageMetadata.h"
#include "codecs/ReadReport.h"
#include "surface/RasterSurface.h"

namespace pict {

// Turns and converts in place. A profile that was applied leaves the metadata (it no longer
// describes the pixels, so no save carries it) and the report's colorNote says so; a profile
// Little CMS cannot use stays, describing the pixels as they are. False only when memory
// runs out, the report then saying so.
bool showAsMeant(FileKind kind, Surface24& color, Surface8& alpha, ImageMetadata& metadata, ReadReport& report);

} // namespace pict
