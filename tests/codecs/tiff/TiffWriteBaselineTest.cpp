// The default TIFF save (8-bit RGB or RGBA in strips) must keep writing the very bytes it
// wrote before the writer learned other depths and layouts: the files in written/ were made
// by that earlier writer from the pictures below.
#include "codecs/tiff/TiffCodec.h"

#include "codecs/CodecTestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

namespace pict {
namespace {

namespace fs = std::filesystem;
using namespace test;

struct Baseline {
    const char* name;
    TiffCompression compression;
    bool withAlpha;
};

constexpr Baseline kBaselines[] = {
    {"old-rgb8-none", TiffCompression::None, false},     {"old-rgb8-lzw", TiffCompression::Lzw, false},
    {"old-rgb8-deflate", TiffCompression::Deflate, false}, {"old-rgb8-packbits", TiffCompression::PackBits, false},
    {"old-rgba8-none", TiffCompression::None, true},     {"old-rgba8-lzw", TiffCompression::Lzw, true},
    {"old-rgba8-deflate", TiffCompression::Deflate, true}, {"old-rgba8-packbits", TiffCompression::PackBits, true},
};

TEST(TiffWriteBaseline, EightBitRgbWritesTheBytesTheEarlierWriterWrote) {
    const Surface24 color = patternSurface(31, 17, 5);
    const Surface8 alpha = rampAlpha(31, 17, 7, 11);
    // PICT_BLESS_TIFF=1 rewrites the files (only ever from a writer known to be right).
    const bool bless = std::getenv("PICT_BLESS_TIFF") != nullptr;
    for (const Baseline& baseline : kBaselines) {
        SCOPED_TRACE(baseline.name);
        TiffSaveSettings settings;
        settings.compression = baseline.compression;
        MemoryStream out;
        ASSERT_TRUE(out.openOwned());
        ASSERT_TRUE(writeTiff(out, color, baseline.withAlpha ? &alpha : nullptr, settings));
        const fs::path file = codecFixture("tiff", std::string("written/") + baseline.name + ".tif");
        if (bless)
            writeWholeFile(file, out.ownedBytes());
        EXPECT_TRUE(out.ownedBytes() == readWholeFile(file));
    }
}

} // namespace
} // namespace pict
