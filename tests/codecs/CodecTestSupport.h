#pragma once
// Helpers shared by the codec tests: a trusted PNG decoder (libpng's simplified API), pixel
// comparison with a tolerance that saves both pictures on failure, and small surfaces.

#include "codecs/ByteStream.h"
#include "codecs/ReadReport.h"
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

// A file that a folder's make_fixtures.py made: tests/codecs/<folder>/<name>.
std::filesystem::path codecFixture(const std::string& folder, const std::string& name);

// What a fixture decodes to, as the other program's decoder gave it (NAME.expected.png
// beside it), against what reader makes of the file: the largest channel difference,
// saving both pictures on failure; -1 when a file is missing or the sizes differ. hasAlpha
// tells whether the reader gave transparency.
template <class Reader>
int fixtureDifference(Reader reader, const std::filesystem::path& file, const std::filesystem::path& expectedPng,
                      bool& hasAlpha, std::string& reason);

// A 24-bit surface with a smooth, photo-like pattern.
Surface24 patternSurface(int32_t width, int32_t height, uint32_t seed = 1);
// An 8-bit surface of (x * xStep + y * yStep) mod 256: a transparency that changes across and
// down, with every value from clear to opaque on larger surfaces.
Surface8 rampAlpha(int32_t width, int32_t height, int32_t xStep, int32_t yStep);

std::vector<uint8_t> readWholeFile(const std::filesystem::path& path);
void writeWholeFile(const std::filesystem::path& path, const std::vector<uint8_t>& bytes);

template <class Reader>
int fixtureDifference(Reader reader, const std::filesystem::path& file, const std::filesystem::path& expectedPng,
                      bool& hasAlpha, std::string& reason) {
    Rgba8 expected;
    if (!trustedPngDecode(expectedPng, expected))
        return -1;
    const std::vector<uint8_t> bytes = readWholeFile(file);
    MemoryStream in(bytes.data(), int64_t(bytes.size()));
    Surface24 color;
    Surface8 alpha;
    ReadReport report;
    if (!reader(in, color, alpha, report)) {
        reason = report.reason;
        return -1;
    }
    hasAlpha = !alpha.isEmpty();
    const Rgba8 actual = toRgba(color, hasAlpha ? &alpha : nullptr);
    const int difference = maxDifference(actual, expected, true);
    if (difference != 0)
        reason = "see " + savePair(file.stem().string(), actual, expected);
    return difference;
}

} // namespace pict::test
