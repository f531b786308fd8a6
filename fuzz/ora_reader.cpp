// Arbitrary bytes as a layered (OpenRaster) archive, with limits low enough that a claimed
// size is refused rather than allocated.
#include "FuzzCodecs.h"

#include "codecs/openraster/OpenRaster.h"
#include "document/Document.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    pict::fuzz::limitSurfaceMemory();
    pict::OpenRasterLimits limits;
    limits.zip.maxEntryBytes = int64_t(8) << 20;
    limits.zip.maxTotalBytes = int64_t(32) << 20;
    limits.maxPixelBytes = int64_t(64) << 20;
    limits.maxLayers = 64;
    pict::OpenRasterResult result;
    std::string error;
    if (pict::readOpenRasterMemory(data, size, "fuzz.ora", result, error, limits)) {
        if (!result.document || result.document->layers().count() < 1)
            std::abort();
    } else if (error.empty() || result.document) {
        std::abort(); // a refusal always says why and leaves nothing behind
    }
    return 0;
}
