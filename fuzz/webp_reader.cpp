// Arbitrary bytes as a WebP file (its first frame).
#include "FuzzCodecs.h"

#include "codecs/webp/WebpCodec.h"

namespace {
bool readWebpPicture(pict::ByteStream& stream, pict::Surface24& color, pict::Surface8& alpha, pict::ReadReport& report) {
    return pict::readWebp(stream, color, alpha, report);
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    pict::fuzz::limitSurfaceMemory();
    pict::fuzz::readPicture(pict::FileKind::Webp, readWebpPicture, data, size);
    return 0;
}
