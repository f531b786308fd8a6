// Arbitrary bytes as a TIFF file (its first page).
#include "FuzzCodecs.h"

#include "codecs/tiff/TiffCodec.h"

namespace {
bool readTiffPicture(pict::ByteStream& stream, pict::Surface24& color, pict::Surface8& alpha, pict::ReadReport& report) {
    return pict::readTiff(stream, color, alpha, report);
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    pict::fuzz::limitSurfaceMemory();
    pict::fuzz::readPicture(pict::FileKind::Tif, readTiffPicture, data, size);
    return 0;
}
