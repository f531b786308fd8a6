#pragma once
// Device-independent bitmap files: reading every header version, depth, bit-field layout and
// run-length encoding into a surface of the file's depth, and writing a surface as a file.

#include "surface/RasterSurface.h"

#include <cstdint>
#include <vector>

namespace pict {

class ByteStream;
struct ReadReport;

constexpr uint16_t kBitmapSignature = 0x4D42; // "BM"
constexpr uint32_t kBitmapFileHeaderBytes = 14;
constexpr uint32_t kCoreHeaderBytes = 12;

// Reads a whole bitmap file into a surface of its depth, upright. Bit-field 16-bit files with
// an alpha mask arrive as 32 bits; 32-bit bit-field files in canonical byte order. Every
// reader says in the report why it failed.
bool readBitmapFile(ByteStream& stream, AnySurface& surface, ReadReport& report);
// Only the header (a core header is converted to the 40-byte form).
bool readBitmapHeaders(ByteStream& stream, SurfaceHeader& header, ReadReport& report);
// A packed bitmap: header block (header, masks, color table) followed by the pixels.
bool readPackedBitmap(const uint8_t* data, size_t size, AnySurface& surface, ReadReport& report);

// Writes the surface as a bitmap file: 40-byte header, masks for bit fields, palette, pixels.
bool writeBitmapFile(ByteStream& stream, const RasterSurface& surface);

// The surface's header block as a file would carry it (used to remember a loaded file's header).
std::vector<uint8_t> headerBlockOf(const RasterSurface& surface);

// Run-length decoders: fill the surface rows from row 0 downward in file order.
bool decodeRunLength8(const uint8_t* data, size_t size, RasterSurface& surface, ReadReport& report);
bool decodeRunLength4(const uint8_t* data, size_t size, RasterSurface& surface, ReadReport& report);

} // namespace pict
