#pragma once
// Running the batch tool in-process or as the real binary, and making and reading the
// small images its tests work on.

#include "surface/RasterSurface.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace pict::test {

struct CliRun {
    int code = -1;
    std::string out;
    std::string err;
};

// runBatch with these arguments (the program name left out).
CliRun runCli(const std::vector<std::string>& arguments);
// The built pictorane-cli executable with these arguments.
CliRun runCliBinary(const std::vector<std::string>& arguments);

// A fresh path in the scratch folder ending with the given name.
std::string scratchPath(const std::string& name);

// Writes an image file (kind by extension) whose pixel (x, y) is color(x, y) as 0x00RRGGBB;
// with alpha, alpha(x, y) becomes its transparency.
void writeImage(const std::string& path, int32_t width, int32_t height,
                const std::function<uint32_t(int32_t, int32_t)>& color,
                const std::function<uint8_t(int32_t, int32_t)>& alpha = {});

// A decoded file: its color as 0x00RRGGBB pixels, row by row, and its alpha (255 where the
// file has none).
struct DecodedImage {
    int32_t width = 0;
    int32_t height = 0;
    std::vector<uint32_t> color;
    std::vector<uint8_t> alpha;
    uint32_t at(int32_t x, int32_t y) const { return color[size_t(y) * size_t(width) + size_t(x)]; }
    uint8_t alphaAt(int32_t x, int32_t y) const { return alpha[size_t(y) * size_t(width) + size_t(x)]; }
};
// Fails the test when the file cannot be read.
DecodedImage readImage(const std::string& path);

std::string fileBytes(const std::string& path);
void writeBytes(const std::string& path, const std::string& bytes);

// The text of a JSON member as --info prints it, for checks like contains(info, "\"width\":4").
bool contains(const std::string& text, const std::string& part);

} // namespace pict::test
