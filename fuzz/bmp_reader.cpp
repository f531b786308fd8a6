// Arbitrary bytes as a bitmap file and as a packed bitmap (header block and pixels, the form
// icon entries and the clipboard use).
#include "FuzzCodecs.h"

#include "codecs/BitmapFormat.h"
#include "codecs/ReadReport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    pict::fuzz::limitSurfaceMemory();
    // The packed form below reads the same header block.
    if (pict::fuzz::claimsTooMany(pict::FileKind::Bmp, data, size))
        return 0;
    pict::fuzz::loadWithCodec(pict::FileKind::Bmp, data, size);
    // The packed form differs only in where the header block starts; its pixels go through
    // the same decoders, so big pictures are decoded once, above.
    if (pict::fuzz::claimsMoreThan(pict::fuzz::kResavePixels, pict::FileKind::Bmp, data, size))
        return 0;
    pict::AnySurface packed;
    pict::ReadReport report;
    if (size > pict::kBitmapFileHeaderBytes)
        (void)pict::readPackedBitmap(data + pict::kBitmapFileHeaderBytes, size - pict::kBitmapFileHeaderBytes, packed,
                                     report);
    return 0;
}
