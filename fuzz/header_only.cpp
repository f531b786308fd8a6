// Arbitrary bytes through the header-only loading of every codec: it must record a size
// within the limits and never decode (or allocate) pixels.
#include "FuzzCodecs.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    pict::fuzz::limitSurfaceMemory();
    for (pict::FileKind kind : {pict::FileKind::Bmp, pict::FileKind::Jpg, pict::FileKind::Png}) {
        auto image = pict::createCodecImage(kind);
        if (!image || !image->codec().loadFromMemory(*image, data, size, true))
            continue;
        if (!image->color.isEmpty() || !image->alpha.isEmpty())
            std::abort();
        if (image->width < 1 || image->height < 1 || image->width > pict::kMaxImageDimension ||
            image->height > pict::kMaxImageDimension)
            std::abort();
    }
    return 0;
}
