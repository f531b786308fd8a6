#pragma once
// The canvas description of a document, copied as a unit when a document is created,
// duplicated or restored.

#include "document/ResolutionUnit.h"

#include <cstdint>
#include <string>

namespace pict {

inline constexpr int32_t kMaxCanvasSide = 30000;
inline constexpr float kMinResolution = 1.0f;
inline constexpr float kMaxResolution = 9999.999f;

struct DocumentInfo {
    int32_t width = 0;
    int32_t height = 0;
    float resolution = 72.0f;
    ResolutionUnit resolutionUnit = ResolutionUnit::PixelsPerInch;
    // The file name with its extension for a document with a file, the given name otherwise.
    std::string name;
    // The folder of the file without a trailing separator; the path is folder + "/" + name.
    std::string folder;
    // The first layer was created transparent.
    bool transparent = false;
    // Fill of a new document's first layer, 0x00BBGGRR (red in the low byte; white 0xFFFFFF).
    uint32_t backgroundColor = 0;
    // Never written; Save is refused while set.
    bool untitled = false;
};

// Width and height in 1..30000, resolution in 1..9999.999, a known unit.
bool isValidInfo(const DocumentInfo& info);

// The file's path: folder + "/" + name (just the name without a folder).
std::string documentPath(const DocumentInfo& info);

} // namespace pict
