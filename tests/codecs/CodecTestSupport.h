#pragma once
// Helpers shared by the codec tests: a trusted PNG decoder (libpng's simplified API), pixel
// comparison with a tolerance that saves both pictures on failure, and small surfaces.

#include "surface/RasterSurface.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace pict::test {

// 8-bit blue, green, red, alpha pixels, row 0 at the top.
struct Rgba8 {
    int32_t width = 0;
    int32_t height = 0;
    std::vector<uint8_t> bgra;
    const uint8_t* at(int32_t x, int32_t y) const { return bgra.data() + 4 * (size_t(y) * size_t(width) + size_t(x)); }
};

// Decodes with libpng's simplified API (gamma-corrected to sRGB, alpha not premultiplied).
bool trustedPngDecode(const std::filesystem::path& path, Rgba8& out);
// The 24-bit color (alpha 255, or the alpha surface when given) as Rgba8.
Rgba8 toRgba(const Surface24& color, const Surface8* alpha = nullptr);
// Largest per-channel difference over color (and alpha when compareAlpha); -1 on size mismatch.
int maxDifference(const Rgba8& actual, const Rgba8& expected, bool compareAlpha);
// Writes actual and expected as PNG files in the scratch folder and returns where.
std::string savePair(const std::string& name, const Rgba8& actual, const Rgba8& expected);

// Little-endian fields appended byte by byte. The test files are assembled with these rather
// than with the codecs' own header writing on purpose: a reader test built on the writer
// would accept whatever layout mistake the two share.
inline void appendLe16(std::vector<uint8_t>& out, uint32_t value) {
    out.push_back(uint8_t(value));
    out.push_back(uint8_t(value >> 8));
}
inline void appendLe32(std::vector<uint8_t>& out, uint32_t value) {
    appendLe16(out, value & 0xFFFF);
    appendLe16(out, value >> 16);
}

// A 24-bit surface with a smooth, photo-like pattern.
Surface24 patternSurface(int32_t width, int32_t height, uint32_t seed = 1);

std::vector<uint8_t> readWholeFile(const std::filesystem::path& path);
void writeWholeFile(const std::filesystem::path& path, const std::vector<uint8_t>& bytes);

} // namespace pict::test
