#pragma once
// What every decoder fuzz target shares: a low ceiling on pixel memory, so that a header
// claiming a huge image is refused instead of allocated, and a re-encode of small results so
// that the writers see every depth and layout the readers produce.

#include "codecs/ByteStream.h"
#include "codecs/CodecImage.h"
#include "codecs/PictureProbe.h"
#include "surface/SurfaceBuffer.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace pict::fuzz {

inline void limitSurfaceMemory() {
    static const bool limited = [] {
        setMaxSurfaceBytes(int64_t(64) << 20);
        return true;
    }();
    (void)limited;
}

// Pictures whose header claims more than 16 megapixels are passed over before decoding, as
// the editor asks before opening such a picture: the runs go to the decoders' logic rather
// than to filling surfaces of tens of megabytes, which held the bitmap and icon targets to a
// few hundred runs a second.
constexpr int64_t kMaxFuzzPixels = int64_t(16) << 20;
inline bool claimsMoreThan(int64_t pixels, FileKind kind, const uint8_t* data, size_t size) {
    const std::optional<PictureClaim> claim = probePictureBytes(kind, data, size);
    return claim && int64_t(claim->width) * claim->height > pixels;
}
// Below the cap, a picture may claim at most this many pixels per byte of input beyond a free
// allowance. A few bytes claiming millions of pixels take the decoders' paths that a few
// claiming thousands take (the rows the data leaves out are filled alike, and the run-length
// and LZW codes reach their limits well inside the allowance), while filling the big
// surfaces cost a thousand runs each.
constexpr int64_t kFreeFuzzPixels = int64_t(1) << 16;
constexpr int64_t kFuzzPixelsPerByte = 16;
inline int64_t fuzzPixelBudget(size_t size) {
    return std::min(kMaxFuzzPixels, std::max(kFreeFuzzPixels, kFuzzPixelsPerByte * int64_t(size)));
}
inline bool claimsTooMany(FileKind kind, const uint8_t* data, size_t size) {
    return claimsMoreThan(fuzzPixelBudget(size), kind, data, size);
}

// Results above this many pixels are not re-encoded: a 16 x 16 picture already reaches every
// depth and layout of the writers, and re-encoding a bigger one through the palette quantizer
// took most of the bitmap target's time.
constexpr int64_t kResavePixels = int64_t(1) << 8;

// A loaded image is consistent: color of the recorded size, alpha empty or the same size.
inline void checkLoaded(const CodecImage& image) {
    if (image.color.isEmpty())
        return;
    if (image.color.width() < 1 || image.color.height() < 1 || image.color.width() > kMaxImageDimension ||
        image.color.height() > kMaxImageDimension)
        std::abort();
    if (!image.alpha.isEmpty() && image.alpha.size() != image.color.size())
        std::abort();
}

inline void resaveSmall(const CodecImage& image) {
    if (image.color.isEmpty() || int64_t(image.color.width()) * image.color.height() > kResavePixels)
        return;
    MemoryStream out;
    if (out.openOwned())
        (void)image.codec().saveToMemory(out, image);
}

// Loads the bytes with the codec of kind, checks and re-encodes what came out.
inline void loadWithCodec(FileKind kind, const uint8_t* data, size_t size) {
    if (claimsTooMany(kind, data, size))
        return;
    auto image = createCodecImage(kind);
    if (!image)
        return;
    const bool read = image->codec().loadFromMemory(*image, data, size, false);
    if (read == image->report.failed())
        std::abort();
    if (!read)
        return;
    checkLoaded(*image);
    resaveSmall(*image);
}

// Runs a GIF or icon reader over the bytes and checks the surfaces it yields.
inline void readPicture(FileKind kind, bool (*reader)(ByteStream&, Surface24&, Surface8&, ReadReport&),
                        const uint8_t* data, size_t size) {
    if (claimsTooMany(kind, data, size))
        return;
    MemoryStream stream;
    if (!stream.attach(data, int64_t(size)))
        return;
    Surface24 color;
    Surface8 alpha;
    ReadReport report;
    const bool read = reader(stream, color, alpha, report);
    // A reader says why exactly when it fails.
    if (read == report.failed() || (read && !alpha.isEmpty() && alpha.size() != color.size()))
        std::abort();
}

} // namespace pict::fuzz
