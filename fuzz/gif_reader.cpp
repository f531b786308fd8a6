// Arbitrary bytes as a GIF file (its first frame).
#include "FuzzCodecs.h"

#include "codecs/PictureReaders.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    pict::fuzz::limitSurfaceMemory();
    pict::fuzz::readPicture(pict::FileKind::Gif, pict::readGif, data, size);
    return 0;
}
