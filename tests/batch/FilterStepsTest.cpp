// The adjustment and filter steps end to end, checked on the pixels they write.

#include "batch/CliInfo.h"
#include "batch/CliTestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace pict::test {
namespace {

// A one-color image file.
std::string solidImage(const std::string& name, int32_t width, int32_t height, uint32_t rgb) {
    const std::string path = scratchPath(name);
    writeImage(path, width, height, [rgb](int32_t, int32_t) { return rgb; });
    return path;
}

// Runs the steps on the source and returns the saved result.
DecodedImage after(const std::string& source, std::vector<std::string> steps, CliRun* run = nullptr) {
    const std::string out = scratchPath("result.bmp");
    std::vector<std::string> arguments{source};
    arguments.insert(arguments.end(), steps.begin(), steps.end());
    arguments.insert(arguments.end(), {"-o", out, "--info"});
    const CliRun result = runCli(arguments);
    EXPECT_EQ(result.code, 0) << result.err;
    if (run)
        *run = result;
    return result.code == 0 ? readImage(out) : DecodedImage{};
}

uint32_t red(uint32_t rgb) { return rgb >> 16; }

TEST(FilterSteps, InvertAndDesaturate) {
    const std::string source = solidImage("color.bmp", 2, 2, 0x0AC81E); // (10, 200, 30)
    CliRun run;
    EXPECT_EQ(after(source, {"--invert", "--info"}, &run).at(1, 1), 0xF537E1u);
    EXPECT_TRUE(contains(infoLines(run.out)[0], "\"modified\":true"));
    EXPECT_TRUE(contains(run.out, "\"names\":[\"Invert\"]"));
    EXPECT_EQ(after(source, {"--desaturate"}).at(0, 0), 0x696969u); // (200 + 10) / 2 = 105
}

TEST(FilterSteps, DialogAdjustmentsWithTheirWorkedValues) {
    const std::string gray = solidImage("gray.bmp", 2, 2, 0x4080C0);
    EXPECT_EQ(after(gray, {"--brightness-contrast", "0,-100"}).at(0, 0), 0x808080u);
    EXPECT_EQ(after(gray, {"--levels", "rgb,0,1,255,255,0"}).at(0, 0), 0xBF7F3Fu) << "inverted output range";
    EXPECT_EQ(after(gray, {"--curves", "rgb:0,255;255,0"}).at(0, 0), 0xBF7F3Fu);
    EXPECT_EQ(after(gray, {"--levels", "red,0,1,255,0,0"}).at(0, 0), 0x0080C0u) << "other channels keep theirs";

    const std::string midtone = solidImage("midtone.bmp", 2, 2, 0x7F7F7F);
    EXPECT_EQ(red(after(midtone, {"--color-balance", "0,0,0,100,0,0,0,0,0,nopreserve"}).at(0, 0)), 193u);

    const std::string pureRed = solidImage("red.bmp", 2, 2, 0xFF0000);
    const uint32_t turned = after(pureRed, {"--hue-saturation", "master,180,0,0"}).at(0, 0);
    EXPECT_LT(red(turned), 8u);
    EXPECT_GT(turned & 0xFF, 200u) << "half way round the hue circle red becomes cyan";

    CliRun run;
    after(gray, {"--colorize", "120,50,0"}, &run);
    EXPECT_TRUE(contains(run.out, "\"names\":[\"Colorize\"]"));
}

TEST(FilterSteps, AutoLevelsStretchesTheRange) {
    const std::string path = scratchPath("narrow.bmp");
    writeImage(path, 10, 1, [](int32_t x, int32_t) { return uint32_t(100 + 10 * x) * 0x010101u; });
    const DecodedImage image = after(path, {"--auto-levels"});
    EXPECT_EQ(image.at(0, 0), 0x000000u);
    EXPECT_EQ(image.at(9, 0), 0xFFFFFFu);
    const DecodedImage contrast = after(path, {"--auto-contrast"});
    EXPECT_EQ(contrast.at(0, 0), 0x000000u);
}

TEST(FilterSteps, NeighbourhoodFiltersAndLastFilter) {
    const std::string dot = scratchPath("dot.bmp");
    writeImage(dot, 5, 5, [](int32_t x, int32_t y) { return x == 2 && y == 2 ? 0xFFFFFFu : 0u; });
    EXPECT_EQ(red(after(dot, {"--blur"}).at(2, 2)), 127u);

    const std::string lone = scratchPath("lone.bmp");
    writeImage(lone, 5, 5, [](int32_t x, int32_t y) { return (x == 2 && y == 2 ? 200u : 100u) * 0x010101u; });
    const DecodedImage sharpened = after(lone, {"--sharpen"});
    EXPECT_EQ(red(sharpened.at(2, 2)), 255u);
    EXPECT_EQ(red(sharpened.at(2, 1)), 75u);

    CliRun run;
    after(dot, {"--gaussian-blur", "1", "--last-filter", "--blur-more", "--sharpen-more", "--last-filter"}, &run);
    EXPECT_TRUE(contains(run.out, "\"names\":[\"Gaussian Blur\",\"Gaussian Blur\",\"Blur More\",\"Sharpen More\","
                                  "\"Sharpen More\"]"))
        << run.out;
}

TEST(FilterSteps, LastFilterNeedsAnEarlierFilter) {
    const CliRun run = runCli({"--new", "4,4", "--invert", "--last-filter"});
    EXPECT_EQ(run.code, 1);
    EXPECT_TRUE(contains(run.err, "pictorane-cli: --last-filter refused: needs a filter to repeat")) << run.err;
}

TEST(FilterSteps, IdentityParametersAddNoState) {
    const CliRun run = runCli({"--new", "4,4", "--levels", "rgb,0,1,255,0,255", "--brightness-contrast", "0,0",
                               "--gaussian-blur", "0.1", "--curves", "rgb:0,0;255,255", "--info"});
    EXPECT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(infoLines(run.err).size(), 4u) << run.err;
    EXPECT_TRUE(contains(run.err, "pictorane-cli: --gaussian-blur: the parameters change nothing; no state was "
                                  "added\n"));
    EXPECT_TRUE(contains(run.out, "\"count\":0"));
    EXPECT_TRUE(contains(run.out, "\"modified\":false"));

    // Radius 0.5 blurs nothing, yet the user asked for it: it is recorded.
    const CliRun half = runCli({"--new", "4,4", "--gaussian-blur", "0.5", "--info"});
    EXPECT_TRUE(half.err.empty()) << half.err;
    EXPECT_TRUE(contains(half.out, "\"names\":[\"Gaussian Blur\"]"));
}

TEST(FilterSteps, ALayerWithoutPixelsRefusesAndNothingIsSaved) {
    const std::string out = scratchPath("never.png");
    const CliRun run = runCli({"--new", "4,4,transparent", "--invert", "-o", out});
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(run.err, "pictorane-cli: --invert refused: needs a visible, non-empty raster active layer that "
                       "meets the selection\n");
    EXPECT_FALSE(std::filesystem::exists(out));
    EXPECT_EQ(runCli({"--new", "4,4", "--toggle-visibility", "--blur"}).code, 1) << "a hidden layer";
    const std::string patch = solidImage("patch.bmp", 2, 2, 0x808080);
    EXPECT_EQ(runCli({"--new", "8,8", "--place", patch + ",6,6", "--select-rect", "0,0,3,3", "--desaturate"}).code,
              1)
        << "a selection that misses the layer";
}

TEST(FilterSteps, UndoWritesThePixelsBack) {
    const std::string source = solidImage("undo.bmp", 3, 3, 0x336699);
    const DecodedImage image = after(source, {"--invert", "--undo"});
    EXPECT_EQ(image.at(2, 2), 0x336699u);
    const DecodedImage again = after(source, {"--invert", "--undo", "--redo"});
    EXPECT_EQ(again.at(2, 2), 0xCC9966u);
}

TEST(FilterSteps, FiltersWorkInsideTheSelection) {
    const std::string source = solidImage("inside.bmp", 6, 6, 0x000000);
    const DecodedImage image = after(source, {"--select-rect", "1,1,3,3", "--invert"});
    EXPECT_EQ(image.at(1, 1), 0xFFFFFFu);
    EXPECT_EQ(image.at(2, 2), 0xFFFFFFu);
    EXPECT_EQ(image.at(3, 3), 0x000000u);
    EXPECT_EQ(image.at(0, 0), 0x000000u);
}

} // namespace
} // namespace pict::test
