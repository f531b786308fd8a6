// Arbitrary bytes as an icon file: its directory, then the chosen bitmap or PNG entry.
#include "FuzzCodecs.h"

#include "codecs/PictureReaders.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    pict::fuzz::limitSurfaceMemory();
    pict::fuzz::readPicture(pict::FileKind::Ico, pict::readIcon, data, size);
    return 0;
}
