#include "support/ClaimingBitmap.h"

#include <fstream>
#include <vector>

namespace pict::test {
namespace {

void put32(std::vector<uint8_t>& out, uint32_t v) {
    for (int i = 0; i < 4; ++i)
        out.push_back(uint8_t(v >> (8 * i)));
}
void put16(std::vector<uint8_t>& out, uint16_t v) {
    out.push_back(uint8_t(v));
    out.push_back(uint8_t(v >> 8));
}

} // namespace

std::string writeClaimingBitmap(const std::string& path, int32_t width, int32_t height) {
    constexpr uint32_t kPixelsAt = 14 + 40 + 256 * 4;
    std::vector<uint8_t> file = {'B', 'M'};
    put32(file, kPixelsAt + 2);
    put32(file, 0);
    put32(file, kPixelsAt);
    put32(file, 40);
    put32(file, uint32_t(width));
    put32(file, uint32_t(height));
    put16(file, 1);
    put16(file, 8);
    put32(file, 1); // BI_RLE8
    put32(file, 2);
    put32(file, 2835);
    put32(file, 2835);
    put32(file, 256);
    put32(file, 0);
    for (uint32_t i = 0; i < 256; ++i)
        put32(file, i * 0x010101u);
    file.push_back(0); // end of bitmap
    file.push_back(1);
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(file.data()),
                                                static_cast<std::streamsize>(file.size()));
    return path;
}

} // namespace pict::test
