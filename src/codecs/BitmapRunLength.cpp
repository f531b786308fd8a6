// Run-length bitmap data. Every code is checked against the row's stride and the image
// height before anything is written; a code that would pass either fails the whole read.
#include "codecs/BitmapFormat.h"
#include "codecs/ReadReport.h"

#include <string>

namespace pict {

namespace {

// Pixel writers for one row: 8-bit pixels are bytes, 4-bit pixels are nibbles, high first.
struct Bytes8 {
    static constexpr int64_t kPixelsPerByte = 1;
    static void put(uint8_t* row, int64_t column, uint8_t value) { row[column] = value; }
};
struct Nibbles4 {
    static constexpr int64_t kPixelsPerByte = 2;
    static void put(uint8_t* row, int64_t column, uint8_t value) {
        uint8_t& byte = row[column >> 1];
        byte = (column & 1) ? uint8_t((byte & 0xF0) | (value & 0x0F)) : uint8_t((byte & 0x0F) | (value << 4));
    }
};

constexpr const char* kPastTheEdge = "a run-length code passes the edge of the picture";

template <class Pixels>
bool decode(const uint8_t* data, size_t size, RasterSurface& surface, ReadReport& report) {
    auto endsEarly = [&] { return report.corrupt("the run-length data ends before its end-of-picture code"); };
    const int64_t rowPixels = surface.stride() * Pixels::kPixelsPerByte;
    const int64_t height = surface.height();
    int64_t column = 0;
    int64_t row = 0;
    size_t at = 0;
    auto writable = [&](int64_t pixels) { return row < height && column + pixels <= rowPixels; };

    while (at + 2 <= size) {
        const uint8_t count = data[at];
        const uint8_t value = data[at + 1];
        at += 2;
        if (count > 0) {
            if (!writable(count))
                return report.corrupt(kPastTheEdge);
            uint8_t* line = surface.row(int32_t(row));
            if constexpr (Pixels::kPixelsPerByte == 1) {
                for (int64_t i = 0; i < count; ++i)
                    Pixels::put(line, column + i, value);
            } else {
                const uint8_t pair[2] = {uint8_t(value >> 4), uint8_t(value & 0x0F)};
                for (int64_t i = 0; i < count; ++i)
                    Pixels::put(line, column + i, pair[i & 1]);
            }
            column += count;
            continue;
        }
        switch (value) {
        case 0: // end of line
            ++row;
            column = 0;
            break;
        case 1: // end of bitmap
            return true;
        case 2: // delta
            if (at + 2 > size)
                return endsEarly();
            column += data[at];
            row += data[at + 1];
            at += 2;
            break;
        default: { // literal run, padded to a 16-bit boundary
            const size_t bytes = size_t(value + Pixels::kPixelsPerByte - 1) / size_t(Pixels::kPixelsPerByte);
            const size_t padded = bytes + (bytes & 1);
            if (!writable(value))
                return report.corrupt(kPastTheEdge);
            if (at + bytes > size)
                return endsEarly();
            uint8_t* line = surface.row(int32_t(row));
            for (int64_t i = 0; i < value; ++i) {
                uint8_t pixel;
                if constexpr (Pixels::kPixelsPerByte == 1)
                    pixel = data[at + size_t(i)];
                else
                    pixel = (i & 1) ? (data[at + size_t(i >> 1)] & 0x0F) : (data[at + size_t(i >> 1)] >> 4);
                Pixels::put(line, column + i, pixel);
            }
            column += value;
            at += padded;
            break;
        }
        }
        if (column > rowPixels || row > height)
            return report.corrupt(kPastTheEdge);
    }
    return endsEarly();
}

} // namespace

bool decodeRunLength8(const uint8_t* data, size_t size, RasterSurface& surface, ReadReport& report) {
    return surface.depth() == 8 ? decode<Bytes8>(data, size, surface, report)
                                : report.unsupported("run-length BMP of " + std::to_string(surface.depth()) + " bits per pixel");
}

bool decodeRunLength4(const uint8_t* data, size_t size, RasterSurface& surface, ReadReport& report) {
    return surface.depth() == 4 ? decode<Nibbles4>(data, size, surface, report)
                                : report.unsupported("run-length BMP of " + std::to_string(surface.depth()) + " bits per pixel");
}

} // namespace pict
