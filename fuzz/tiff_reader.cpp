// Arbitrary bytes as a TIFF file (its first page).
#include "FuzzCodecs.h"

#include "codecs/tiff/TiffCodec.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    pict::fuzz::limitSurfaceMemory();
    pict::fuzz::readPicture(pict::FileKind::Tif, pict::readTiff, data, size);
    return 0;
}
