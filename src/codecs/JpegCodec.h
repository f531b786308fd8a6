#pragma once
// The JPEG codec over libjpeg-turbo's libjpeg 6.2 interface. Loading keeps the file's
// application segments in the image; saving merges them into the new file.

#include "codecs/CodecImage.h"

namespace pict {

class JpegCodec : public ImageCodec {
public:
    FileKind kind() const override { return FileKind::Jpg; }
    bool load(CodecImage& image, ByteStream& stream, bool headerOnly) const override;
    bool save(ByteStream& stream, const CodecImage& image) const override;
};

// Writes color as a JPEG with the settings and nothing but the library's own header.
bool writeJpeg(ByteStream& stream, const Surface24& color, const JpegSaveSettings& settings);

// The library quality for a user quality: trunc(q * 0.93 + 5.5) within 5..98.
int32_t jpegLibraryQuality(int32_t userQuality);

} // namespace pict
