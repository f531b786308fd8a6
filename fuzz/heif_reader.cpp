// Arbitrary bytes as a HEIC or AVIF file (its primary picture).
#include "FuzzCodecs.h"

#include "codecs/heif/HeifCodec.h"

namespace {
bool readHeifPicture(pict::ByteStream& stream, pict::Surface24& color, pict::Surface8& alpha, pict::ReadReport& report) {
    return pict::readHeif(stream, color, alpha, report);
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    pict::fuzz::limitSurfaceMemory();
    pict::fuzz::readPicture(pict::FileKind::Heic, readHeifPicture, data, size);
    return 0;
}
