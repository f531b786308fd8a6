// Arbitrary bytes as a PNG file.
#include "FuzzCodecs.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    pict::fuzz::limitSurfaceMemory();
    pict::fuzz::loadWithCodec(pict::FileKind::Png, data, size);
    return 0;
}
