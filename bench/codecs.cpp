// Decoding and encoding a 6000 x 4000 photo-like picture through the codecs, next to a plain
// libpng round trip that does only what libpng must. JPEG at the default quality 95 (library
// quality 93), PNG at level 5. The pictures are also left in the temporary folder as
// pictorane-bench.{bmp,jpg,png} for timing the libraries' own command-line tools beside these.
#include "codecs/ByteStream.h"
#include "codecs/CodecImage.h"

#include "BenchPictures.h"

#include <benchmark/benchmark.h>
#include <png.h>

#include <csetjmp>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <vector>

namespace pict {
namespace {

constexpr int32_t kWidth = 6000;
constexpr int32_t kHeight = 4000;

const Surface24& picture() {
    static const Surface24 photo = bench::photo(kWidth, kHeight, 5);
    return photo;
}

std::filesystem::path benchFile(FileKind kind) {
    return std::filesystem::temp_directory_path() / ("pictorane-bench" + extensionOfKind(kind, true));
}

std::vector<uint8_t> encodeToMemory(const CodecImage& image) {
    MemoryStream out;
    out.openOwned(size_t(kWidth) * kHeight * 3 + 4096);
    image.codec().saveToMemory(out, image);
    return out.takeOwnedBytes();
}

std::unique_ptr<CodecImage> imageOf(FileKind kind) {
    std::unique_ptr<CodecImage> image = createCodecImage(kind);
    image->color = picture().clone();
    image->width = kWidth;
    image->height = kHeight;
    if (auto* bitmap = dynamic_cast<BitmapImage*>(image.get()))
        bitmap->setPlainHeader(kWidth, kHeight, 24);
    return image;
}

// The encoded picture, made once per kind and also written to the temporary folder.
const std::vector<uint8_t>& encoded(FileKind kind) {
    static std::vector<uint8_t> files[8];
    std::vector<uint8_t>& file = files[int(kind)];
    if (file.empty()) {
        file = encodeToMemory(*imageOf(kind));
        std::ofstream(benchFile(kind), std::ios::binary).write(reinterpret_cast<const char*>(file.data()),
                                                               std::streamsize(file.size()));
    }
    return file;
}

void reportMegapixels(benchmark::State& state) {
    state.counters["Mpx/s"] =
        benchmark::Counter(double(kWidth) * kHeight * double(state.iterations()) / 1e6, benchmark::Counter::kIsRate);
}

void BM_Decode(benchmark::State& state) {
    const auto kind = FileKind(state.range(0));
    const std::vector<uint8_t>& file = encoded(kind);
    std::unique_ptr<CodecImage> image = createCodecImage(kind);
    state.SetLabel(extensionOfKind(kind, false) + ", " + std::to_string(file.size() / 1024) + " KiB");
    for (auto _ : state) {
        if (!image->codec().loadFromMemory(*image, file.data(), file.size(), false))
            state.SkipWithError("decoding failed");
        benchmark::DoNotOptimize(image->color.row(0));
    }
    reportMegapixels(state);
}

void BM_DecodeFile(benchmark::State& state) {
    const auto kind = FileKind(state.range(0));
    (void)encoded(kind);
    const std::string path = benchFile(kind).string();
    std::unique_ptr<CodecImage> image = createCodecImage(kind);
    state.SetLabel(extensionOfKind(kind, false));
    for (auto _ : state) {
        if (!image->codec().loadFromFile(*image, path, false))
            state.SkipWithError("decoding failed");
        benchmark::DoNotOptimize(image->color.row(0));
    }
    reportMegapixels(state);
}

void BM_Encode(benchmark::State& state) {
    const auto kind = FileKind(state.range(0));
    std::unique_ptr<CodecImage> image = imageOf(kind);
    MemoryStream out;
    out.openOwned(size_t(kWidth) * kHeight * 3 + 4096);
    state.SetLabel(extensionOfKind(kind, false));
    for (auto _ : state) {
        out.rewind();
        out.truncateHere();
        if (!image->codec().save(out, *image))
            state.SkipWithError("encoding failed");
    }
    reportMegapixels(state);
}

// Includes what saving a document adds: a temporary file, fsync and the rename.
void BM_EncodeFile(benchmark::State& state) {
    const auto kind = FileKind(state.range(0));
    std::unique_ptr<CodecImage> image = imageOf(kind);
    const std::string path = (std::filesystem::temp_directory_path() / ("pictorane-bench-out" + extensionOfKind(kind, true))).string();
    state.SetLabel(extensionOfKind(kind, false));
    for (auto _ : state)
        if (!image->codec().saveToFile(path, *image))
            state.SkipWithError("encoding failed");
    std::filesystem::remove(path);
    reportMegapixels(state);
}

void eachCodec(benchmark::internal::Benchmark* b) {
    for (FileKind kind : {FileKind::Bmp, FileKind::Jpg, FileKind::Png})
        b->Arg(int(kind));
    b->Unit(benchmark::kMillisecond)->UseRealTime();
}
BENCHMARK(BM_Decode)->Apply(eachCodec);
BENCHMARK(BM_DecodeFile)->Apply(eachCodec);
BENCHMARK(BM_Encode)->Apply(eachCodec);
BENCHMARK(BM_EncodeFile)->Apply(eachCodec);

// ---- the plain libpng reference: memory in, memory out, rows as they are ----

struct PngBytes {
    const std::vector<uint8_t>* in = nullptr;
    size_t at = 0;
    std::vector<uint8_t> out;
};

void plainRead(png_structp png, png_bytep data, size_t length) {
    auto* bytes = static_cast<PngBytes*>(png_get_io_ptr(png));
    if (bytes->at + length > bytes->in->size())
        png_error(png, "short");
    std::copy_n(bytes->in->data() + bytes->at, length, data);
    bytes->at += length;
}

void plainWrite(png_structp png, png_bytep data, size_t length) {
    auto* bytes = static_cast<PngBytes*>(png_get_io_ptr(png));
    bytes->out.insert(bytes->out.end(), data, data + length);
}

void plainFlush(png_structp) {}

void BM_PlainLibpngDecode(benchmark::State& state) {
    const std::vector<uint8_t>& file = encoded(FileKind::Png);
    std::vector<png_bytep> rows(kHeight);
    for (auto _ : state) {
        // Fresh memory each time, as a decoder that hands out its picture must use.
        std::unique_ptr<uint8_t[]> pixels(new uint8_t[size_t(kWidth) * kHeight * 3]);
        for (int32_t y = 0; y < kHeight; ++y)
            rows[size_t(y)] = pixels.get() + size_t(y) * kWidth * 3;
        PngBytes bytes;
        bytes.in = &file;
        png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
        png_infop info = png_create_info_struct(png);
        if (setjmp(png_jmpbuf(png))) {
            state.SkipWithError("libpng failed");
        } else {
            png_set_read_fn(png, &bytes, plainRead);
            png_read_info(png, info);
            png_set_bgr(png);
            png_read_image(png, rows.data());
            png_read_end(png, nullptr);
        }
        png_destroy_read_struct(&png, &info, nullptr);
        benchmark::DoNotOptimize(pixels.get());
    }
    reportMegapixels(state);
}
BENCHMARK(BM_PlainLibpngDecode)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_PlainLibpngEncode(benchmark::State& state) {
    const Surface24& photo = picture();
    std::vector<png_bytep> rows(kHeight);
    for (int32_t y = 0; y < kHeight; ++y)
        rows[size_t(y)] = const_cast<png_bytep>(photo.row(y));
    PngBytes bytes;
    bytes.out.reserve(size_t(kWidth) * kHeight * 3);
    for (auto _ : state) {
        bytes.out.clear();
        png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
        png_infop info = png_create_info_struct(png);
        if (setjmp(png_jmpbuf(png))) {
            state.SkipWithError("libpng failed");
        } else {
            png_set_write_fn(png, &bytes, plainWrite, plainFlush);
            png_set_compression_level(png, 5);
            png_set_IHDR(png, info, kWidth, kHeight, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                         PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
            png_write_info(png, info);
            png_set_bgr(png);
            png_write_image(png, rows.data());
            png_write_end(png, info);
        }
        png_destroy_write_struct(&png, &info);
    }
    reportMegapixels(state);
}
BENCHMARK(BM_PlainLibpngEncode)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
} // namespace pict
