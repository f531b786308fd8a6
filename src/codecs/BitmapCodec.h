#pragma once
// The bitmap codec: bitmap files into and out of a codec image.

#include "codecs/CodecImage.h"

namespace pict {

class BitmapCodec : public ImageCodec {
public:
    FileKind kind() const override { return FileKind::Bmp; }
    // 24-bit files become the color surface as they are; 32-bit files are split into color
    // and alpha (alpha dropped when every alpha byte is 0); other depths are converted to 24.
    bool load(CodecImage& image, ByteStream& stream, bool headerOnly) const override;
    // Writes the image at its recorded depth: 24 without alpha as it is, 32 with color and
    // alpha combined, other depths flattened over white and converted.
    bool save(ByteStream& stream, const CodecImage& image) const override;
};

} // namespace pict
