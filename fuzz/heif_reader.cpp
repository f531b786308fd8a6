// Arbitrary bytes as a HEIC or AVIF file (its primary picture).
#include "FuzzCodecs.h"

#include "codecs/heif/HeifCodec.h"

#include <sched.h>

namespace {

// The AV1 and HEVC decoders size their thread pools by the cores the process may run on, and
// each run opens a decoder: on one core they start no threads, which otherwise took most of
// every run. The bytes decoded are the same.
void runOnOneCore() {
    static const bool pinned = [] {
        cpu_set_t one;
        CPU_ZERO(&one);
        const int current = sched_getcpu();
        CPU_SET(current >= 0 ? current : 0, &one);
        return sched_setaffinity(0, sizeof one, &one) == 0;
    }();
    (void)pinned;
}

bool readHeifPicture(pict::ByteStream& stream, pict::Surface24& color, pict::Surface8& alpha, pict::ReadReport& report) {
    return pict::readHeif(stream, color, alpha, report);
}

} // namespace

// libheif's decoders allocate and free megabytes for every input, and the AV1 and HEVC decoders
// start afresh each time. AddressSanitizer keeps 256 MB of freed memory aside by default, so
// every run faulted in fresh pages; 16 MB still holds all that one small input frees, for the
// use-after-free checks. A value in ASAN_OPTIONS still wins.
extern "C" const char* __asan_default_options() { return "quarantine_size_mb=16"; }

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    runOnOneCore();
    pict::fuzz::limitSurfaceMemory();
    pict::fuzz::readPicture(pict::FileKind::Heic, readHeifPicture, data, size);
    return 0;
}
