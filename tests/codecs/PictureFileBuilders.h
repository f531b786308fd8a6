#pragma once
// Small GIF and ICO files made for the reader tests: GIFs through giflib's encoder, icons
// assembled byte by byte with bitmap and PNG entries.

#include <cstdint>
#include <vector>

namespace pict::test {

struct GifFrame {
    int left = 0, top = 0, width = 0, height = 0;
    bool interlace = false;
    int transparent = -1; // index drawn as transparent, -1 for none
    std::vector<uint8_t> indices; // width * height, top row first
};

// A GIF with a 4-color palette, index i being (i * 60, 255 - i * 60, 10) as red, green, blue.
std::vector<uint8_t> makeGif(int screenWidth, int screenHeight, const std::vector<GifFrame>& frames);
// A frame whose index at (x, y) is (x + 2y) % 4.
GifFrame checkerFrame(int width, int height);

// A packed bitmap icon entry of size x size pixels (blue = 20x, green = 20y, red 200, alpha
// 30x when alphaChannel) with its AND mask; clearTopLeft masks out pixel (0, 0).
std::vector<uint8_t> bitmapEntry(int size, int depth, bool alphaChannel, bool clearTopLeft);
// A PNG icon entry with the test pattern and alpha 77 everywhere.
std::vector<uint8_t> pngEntry(int size);
// An icon directory over the entries (the directory's own size and depth bytes are 0).
std::vector<uint8_t> makeIcon(const std::vector<std::vector<uint8_t>>& entries);

} // namespace pict::test
