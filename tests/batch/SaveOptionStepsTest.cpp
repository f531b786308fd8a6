// The save option steps before -o: JPEG quality, chroma subsampling and progressive
// encoding, PNG compression, WebP quality and lossless; and what they refuse.
#include "batch/CliTestSupport.h"
#include "codecs/MetadataBlocks.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <string_view>

namespace pict::test {
namespace {

// What the frame header of a JPEG says: which start-of-frame marker it is and the first
// component's sampling factors (0x22 for 4:2:0, 0x11 for 4:4:4).
struct JpegFrame {
    int marker = 0;
    int lumaSampling = 0;
};

JpegFrame frameOf(const std::string& bytes) {
    for (size_t i = 2; i + 12 < bytes.size(); ++i) {
        const auto at = [&](size_t k) { return static_cast<unsigned char>(bytes[k]); };
        if (at(i) == 0xFF && (at(i + 1) == 0xC0 || at(i + 1) == 0xC1 || at(i + 1) == 0xC2))
            return {at(i + 1), at(i + 11)}; // FF Cn, length(2), precision, height(2), width(2), count, id, sampling
    }
    return {};
}

// A picture with detail, so that quality and compression make a difference.
std::string detailedSource() {
    const std::string path = scratchPath("detailed.png");
    writeImage(path, 64, 48, [](int32_t x, int32_t y) {
        return uint32_t((x * 37 + y * 11) & 0xFF) << 16 | uint32_t((x * y) & 0xFF) << 8 | uint32_t((x ^ y) * 5 & 0xFF);
    });
    return path;
}

std::string written(const std::vector<std::string>& arguments) {
    const CliRun run = runCli(arguments);
    EXPECT_EQ(run.code, 0) << run.err;
    return fileBytes(arguments.back());
}

TEST(SaveOptionSteps, JpegQualityDefaultsTo95AndLowerQualityIsSmaller) {
    const std::string source = detailedSource();
    const std::string plain = written({source, "-o", scratchPath("plain.jpg")});
    const std::string at95 = written({source, "--jpeg-quality", "95", "-o", scratchPath("q95.jpg")});
    const std::string at30 = written({source, "--jpeg-quality", "30", "-o", scratchPath("q30.jpg")});
    EXPECT_EQ(plain, at95) << "95 is what a save without options writes";
    EXPECT_LT(at30.size(), at95.size());
    // Library quality 98 from user quality 100 keeps the chroma whole unless told otherwise.
    EXPECT_EQ(frameOf(plain).lumaSampling, 0x22);
    EXPECT_EQ(frameOf(written({source, "--jpeg-quality", "100", "-o", scratchPath("q100.jpg")})).lumaSampling, 0x11);
}

TEST(SaveOptionSteps, SubsamplingAndProgressiveChangeTheFrame) {
    const std::string source = detailedSource();
    EXPECT_EQ(frameOf(written({source, "--jpeg-subsampling", "444", "-o", scratchPath("s444.jpg")})).lumaSampling,
              0x11);
    EXPECT_EQ(frameOf(written({source, "--jpeg-quality", "100", "--jpeg-subsampling", "420", "-o",
                               scratchPath("s420.jpg")}))
                  .lumaSampling,
              0x22);
    const std::string progressivePath = scratchPath("prog.jpg");
    EXPECT_EQ(frameOf(written({source, "--progressive", "-o", progressivePath})).marker, 0xC2);
    EXPECT_EQ(frameOf(written({source, "-o", scratchPath("base.jpg")})).marker, 0xC0);
    const DecodedImage decoded = readImage(progressivePath);
    EXPECT_EQ(decoded.width, 64);
    EXPECT_EQ(decoded.height, 48);
}

TEST(SaveOptionSteps, PngCompressionChangesTheSizeButNeverThePixels) {
    const std::string source = detailedSource();
    std::vector<std::string> paths;
    std::vector<size_t> sizes;
    for (const char* level : {"fast", "normal", "best"}) {
        paths.push_back(scratchPath(std::string(level) + ".png"));
        sizes.push_back(written({source, "--png-compression", level, "-o", paths.back()}).size());
    }
    EXPECT_LE(sizes[2], sizes[1]);
    EXPECT_LE(sizes[1], sizes[0]);
    const DecodedImage original = readImage(source);
    for (const std::string& path : paths)
        EXPECT_EQ(readImage(path).color, original.color) << path;
}

TEST(SaveOptionSteps, WebpQualityAndLosslessChooseHowTheFileIsCompressed) {
    const std::string source = detailedSource();
    const std::string plain = written({source, "-o", scratchPath("plain.webp")});
    const std::string at90 = written({source, "--webp-quality", "90", "-o", scratchPath("q90.webp")});
    const std::string at10 = written({source, "--webp-quality", "10", "-o", scratchPath("q10.webp")});
    EXPECT_EQ(plain, at90) << "90 is what a save without options writes";
    EXPECT_LT(at10.size(), at90.size());
    EXPECT_TRUE(contains(at90, "VP8 ")) << "lossy";
    const std::string losslessPath = scratchPath("lossless.webp");
    const std::string lossless = written({source, "--webp-lossless", "-o", losslessPath});
    EXPECT_TRUE(contains(lossless, "VP8L"));
    // The pictures read back through the program itself: lossless keeps every pixel.
    const std::string back = scratchPath("back.png");
    EXPECT_EQ(runCli({losslessPath, "-o", back}).code, 0);
    EXPECT_EQ(readImage(back).color, readImage(source).color);
}

TEST(SaveOptionSteps, BadValuesAreRefusedBeforeAnythingIsWritten) {
    const std::string source = detailedSource();
    for (const std::vector<std::string>& bad :
         {std::vector<std::string>{"--jpeg-quality", "0"}, {"--jpeg-quality", "101"}, {"--jpeg-quality", "high"},
          {"--jpeg-subsampling", "422"}, {"--png-compression", "max"}, {"--webp-quality", "101"},
          {"--webp-quality", "-1"}}) {
        const std::string target = scratchPath("refused.jpg");
        const CliRun run = runCli({source, bad[0], bad[1], "-o", target});
        EXPECT_NE(run.code, 0) << bad[0] << " " << bad[1];
        EXPECT_TRUE(contains(run.err, bad[0])) << run.err;
        EXPECT_TRUE(fileBytes(target).empty()) << bad[0] << " " << bad[1];
    }
}

TEST(SaveOptionSteps, CameraDataSurvivesAnEditUnlessStripped) {
    const std::string camera = std::string(PICT_SOURCE_DIR) + "/tests/codecs/metadata/camera.jpg";
    const auto metadataOf = [](const std::string& path) {
        const std::string bytes = fileBytes(path);
        const auto* data = reinterpret_cast<const uint8_t*>(bytes.data());
        return path.ends_with(".png") ? readPngMetadata(data, bytes.size()) : readJpegMetadata(data, bytes.size());
    };
    const auto holds = [](const std::vector<uint8_t>& bytes, std::string_view text) {
        return std::search(bytes.begin(), bytes.end(), text.begin(), text.end()) != bytes.end();
    };
    for (const char* extension : {".jpg", ".png"}) {
        const std::string kept = scratchPath(std::string("kept") + extension);
        written({camera, "--invert", "-o", kept});
        const ImageMetadata m = metadataOf(kept);
        EXPECT_TRUE(holds(m.exif, "TestCam")) << extension;
        EXPECT_TRUE(holds(m.exif, "2024:05:17 10:11:12")) << extension;
        EXPECT_TRUE(metadataHasLocation(m)) << extension;
        const std::string stripped = scratchPath(std::string("stripped") + extension);
        written({camera, "--invert", "--strip-metadata", "-o", stripped});
        EXPECT_TRUE(metadataOf(stripped).isEmpty()) << extension;
    }
}

} // namespace
} // namespace pict::test
