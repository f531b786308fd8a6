#pragma once
// Readers for the kinds that are opened but never written: GIF (first frame) and ICO (the
// largest, deepest entry). Both yield 24-bit color and, where the file has transparency, an
// 8-bit alpha surface of the same size. On failure the report says why.

#include "codecs/ByteStream.h"
#include "codecs/ReadReport.h"
#include "surface/RasterSurface.h"

#include <cstdint>
#include <vector>

namespace pict {

bool readGif(ByteStream& stream, Surface24& color, Surface8& alpha, ReadReport& report);
bool readIcon(ByteStream& stream, Surface24& color, Surface8& alpha, ReadReport& report);

// Every byte of the stream from its start, for the decoders that take a file in one piece;
// empty when it cannot be read.
inline std::vector<uint8_t> readWholeStream(ByteStream& stream) {
    std::vector<uint8_t> bytes;
    if (!stream.seekTo(0) || stream.size() <= 0)
        return bytes;
    bytes.resize(size_t(stream.size()));
    if (!stream.readExact(bytes.data(), bytes.size()))
        bytes.clear();
    return bytes;
}

// How both readers start and end: the surfaces start empty, an unreadable stream is refused,
// and when body() fails or memory runs out both surfaces are left empty, the report saying why.
template <class Body>
bool readPicture(ByteStream& stream, Surface24& color, Surface8& alpha, ReadReport& report, Body&& body) {
    color.destroy();
    alpha.destroy();
    if (!stream.isOpen() || stream.isBad())
        return report.fail(ReadFault::CannotRead, "The file cannot be read.");
    return guardedRead(report, body, [&] {
        color.destroy();
        alpha.destroy();
    });
}

} // namespace pict
