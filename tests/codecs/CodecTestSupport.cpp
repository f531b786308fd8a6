#include "codecs/CodecTestSupport.h"

#include "support/TestData.h"

#include <png.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>

namespace pict::test {

bool trustedPngDecode(const std::filesystem::path& path, Rgba8& out) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str()))
        return false;
    image.format = PNG_FORMAT_BGRA;
    out.width = int32_t(image.width);
    out.height = int32_t(image.height);
    out.bgra.assign(PNG_IMAGE_SIZE(image), 0);
    const bool ok = png_image_finish_read(&image, nullptr, out.bgra.data(), 0, nullptr) != 0;
    png_image_free(&image);
    return ok;
}

Rgba8 toRgba(const Surface24& color, const Surface8* alpha) {
    Rgba8 out;
    out.width = color.width();
    out.height = color.height();
    out.bgra.resize(size_t(out.width) * size_t(out.height) * 4);
    for (int32_t y = 0; y < out.height; ++y) {
        const uint8_t* c = color.row(y);
        for (int32_t x = 0; x < out.width; ++x) {
            uint8_t* p = out.bgra.data() + 4 * (size_t(y) * size_t(out.width) + size_t(x));
            p[0] = c[3 * x];
            p[1] = c[3 * x + 1];
            p[2] = c[3 * x + 2];
            p[3] = alpha && !alpha->isEmpty() ? alpha->row(y)[x] : 255;
        }
    }
    return out;
}

int maxDifference(const Rgba8& actual, const Rgba8& expected, bool compareAlpha) {
    if (actual.width != expected.width || actual.height != expected.height)
        return -1;
    int worst = 0;
    for (size_t i = 0; i < actual.bgra.size(); ++i) {
        if (!compareAlpha && i % 4 == 3)
            continue;
        worst = std::max(worst, std::abs(int(actual.bgra[i]) - int(expected.bgra[i])));
    }
    return worst;
}

namespace {
void savePng(const std::filesystem::path& path, const Rgba8& picture) {
    if (picture.width <= 0 || picture.height <= 0)
        return;
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = png_uint_32(picture.width);
    image.height = png_uint_32(picture.height);
    image.format = PNG_FORMAT_BGRA;
    png_image_write_to_file(&image, path.c_str(), 0, picture.bgra.data(), 0, nullptr);
}
} // namespace

std::string savePair(const std::string& name, const Rgba8& actual, const Rgba8& expected) {
    const std::filesystem::path dir = scratchDir().parent_path() / "pictorane-codec-failures";
    std::filesystem::create_directories(dir);
    savePng(dir / (name + ".actual.png"), actual);
    savePng(dir / (name + ".expected.png"), expected);
    return (dir / name).string() + ".{actual,expected}.png";
}

std::filesystem::path codecFixture(const std::string& folder, const std::string& name) {
    return std::filesystem::path(PICT_SOURCE_DIR) / "tests/codecs" / folder / name;
}

Surface24 patternSurface(int32_t width, int32_t height, uint32_t seed) {
    Surface24 s;
    if (!s.create(width, height))
        return s;
    uint32_t noise = seed * 2654435761u;
    for (int32_t y = 0; y < height; ++y) {
        uint8_t* row = s.row(y);
        for (int32_t x = 0; x < width; ++x) {
            noise = noise * 1664525u + 1013904223u;
            const int grain = int(noise >> 29) - 4;
            row[3 * x] = uint8_t(std::clamp((x * 255) / std::max(1, width - 1) + grain, 0, 255));
            row[3 * x + 1] = uint8_t(std::clamp((y * 255) / std::max(1, height - 1) + grain, 0, 255));
            row[3 * x + 2] = uint8_t(std::clamp(((x + y) * 128) / std::max(1, width + height) + 64 + grain, 0, 255));
        }
    }
    return s;
}

Surface8 rampAlpha(int32_t width, int32_t height, int32_t xStep, int32_t yStep) {
    Surface8 alpha;
    if (!alpha.create(width, height, 8))
        return alpha;
    for (int32_t y = 0; y < height; ++y) {
        uint8_t* row = alpha.row(y);
        for (int32_t x = 0; x < width; ++x)
            row[x] = uint8_t((x * xStep + y * yStep) % 256);
    }
    return alpha;
}

std::vector<uint8_t> readWholeFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeWholeFile(const std::filesystem::path& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

} // namespace pict::test
