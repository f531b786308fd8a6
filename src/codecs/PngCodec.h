#pragma once
// The PNG codec over libpng 1.6: any PNG into 8-bit color (and alpha when the file has an
// alpha channel or a tRNS chunk); writes 8-bit RGB or RGBA with the program's text chunks.

#include "codecs/CodecImage.h"

#include <ctime>
#include <string>

namespace pict {

class PngCodec : public ImageCodec {
public:
    FileKind kind() const override { return FileKind::Png; }
    bool load(CodecImage& image, ByteStream& stream, bool headerOnly) const override;
    bool save(ByteStream& stream, const CodecImage& image) const override;
};

// Writes color (with alpha when given, of the same size) as an 8-bit RGB or RGBA PNG.
bool writePng(ByteStream& stream, const Surface24& color, const Surface8* alpha, const PngSaveSettings& settings);

// Writes an 8-bit grayscale PNG (a saved selection channel).
bool writeGrayPng(ByteStream& stream, const Surface8& gray, const PngSaveSettings& settings);

// The "Modification Time" text: "Tue, 8 Dec 2026 19:12:52 GMT" for a UTC time.
std::string pngModificationTime(std::time_t when);

} // namespace pict
