// Arbitrary bytes as a JPEG file; what loads is saved again, which also runs the merge of the
// captured application segments.
#include "FuzzCodecs.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    pict::fuzz::limitSurfaceMemory();
    pict::fuzz::loadWithCodec(pict::FileKind::Jpg, data, size);
    return 0;
}
