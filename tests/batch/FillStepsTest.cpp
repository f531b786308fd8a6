// Fill, Clear and the current colors end to end.

#include "batch/CliInfo.h"
#include "batch/CliTestSupport.h"

#include <gtest/gtest.h>

namespace pict::test {
namespace {

DecodedImage filled(std::vector<std::string> steps, CliRun* run = nullptr) {
    const std::string out = scratchPath("filled.png");
    std::vector<std::string> arguments{"--new", "4,4"};
    arguments.insert(arguments.end(), steps.begin(), steps.end());
    arguments.insert(arguments.end(), {"-o", out});
    const CliRun result = runCli(arguments);
    EXPECT_EQ(result.code, 0) << result.err;
    if (run)
        *run = result;
    return result.code == 0 ? readImage(out) : DecodedImage{};
}

TEST(FillSteps, FillWithAColorModeAndOpacity) {
    CliRun run;
    EXPECT_EQ(filled({"--fill", "ff0000", "--info"}, &run).at(3, 3), 0xFF0000u);
    EXPECT_TRUE(contains(run.out, "\"names\":[\"Fill\"]"));
    EXPECT_EQ(filled({"--fill", "0000ff,normal,50"}).at(0, 0), 0x7F7FFFu) << "50 % weighs 128";
    EXPECT_EQ(filled({"--fill", "808080", "--fill", "ff0000,multiply"}).at(0, 0), 0x7F0000u) << "(128 * 255) >> 8";
}

TEST(FillSteps, CurrentColors) {
    EXPECT_EQ(filled({"--foreground", "00ff00", "--fill-foreground"}).at(1, 1), 0x00FF00u);
    EXPECT_EQ(filled({"--fill-foreground"}).at(1, 1), 0x000000u) << "black by default";
    EXPECT_EQ(filled({"--background", "0000ff", "--fill-background"}).at(1, 1), 0x0000FFu);
}

TEST(FillSteps, FillAndClearStayInsideTheSelection) {
    const DecodedImage image = filled({"--select-rect", "1,1,3,3", "--fill", "ff0000"});
    EXPECT_EQ(image.at(1, 1), 0xFF0000u);
    EXPECT_EQ(image.at(2, 2), 0xFF0000u);
    EXPECT_EQ(image.at(0, 0), 0xFFFFFFu);
    EXPECT_EQ(image.at(3, 3), 0xFFFFFFu);

    const DecodedImage cleared = filled({"--fill", "ff0000", "--select-rect", "0,0,2,2", "--clear"});
    EXPECT_EQ(cleared.at(0, 0), 0xFFFFFFu) << "the background layer takes the background color";
    EXPECT_EQ(cleared.at(3, 3), 0xFF0000u);
}

TEST(FillSteps, ClearOnALayerMakesItTransparent) {
    const std::string patch = scratchPath("patch.png");
    writeImage(patch, 4, 4, [](int32_t, int32_t) { return 0x00FF00u; });
    const DecodedImage image = filled({"--place", patch, "--select-rect", "0,0,2,4", "--clear"});
    EXPECT_EQ(image.at(0, 0), 0xFFFFFFu);
    EXPECT_EQ(image.at(3, 0), 0x00FF00u);
}

TEST(FillSteps, PreserveKeepsTheTransparency) {
    const std::string dot = scratchPath("holes.png");
    writeImage(dot, 4, 4, [](int32_t, int32_t) { return 0xFFFFFFu; },
               [](int32_t x, int32_t) { return uint8_t(x < 2 ? 0 : 255); });
    const std::string out = scratchPath("kept.png");
    const CliRun run = runCli({"--new", "4,4,transparent", "--place", dot, "--fill", "ff0000,normal,100,preserve",
                               "-o", out});
    ASSERT_EQ(run.code, 0) << run.err;
    const DecodedImage image = readImage(out);
    EXPECT_EQ(image.alphaAt(0, 0), 0);
    EXPECT_EQ(image.alphaAt(3, 0), 255);
    EXPECT_EQ(image.at(3, 0), 0xFF0000u);
}

TEST(FillSteps, Refusals) {
    EXPECT_EQ(runCli({"--new", "4,4", "--clear"}).err,
              "pictorane-cli: --clear refused: needs a selection and a visible raster or empty active layer\n");
    EXPECT_EQ(runCli({"--new", "4,4,transparent", "--fill", "ff0000"}).code, 0)
        << "an empty layer becomes a transparent layer first";
    EXPECT_EQ(runCli({"--new", "4,4", "--toggle-visibility", "--fill-foreground"}).code, 1);
}

} // namespace
} // namespace pict::test
