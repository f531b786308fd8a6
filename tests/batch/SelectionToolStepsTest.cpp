// The selection tools' steps: the magic wand, the lasso and the modes of the marquee shapes.

#include "batch/CliInfo.h"
#include "batch/CliTestSupport.h"

#include <gtest/gtest.h>

namespace pict::test {
namespace {

// Fills what the steps select with black on a white 20 x 20 canvas (or the given source).
DecodedImage selected(std::vector<std::string> steps, CliRun* run = nullptr, std::string source = "") {
    const std::string out = scratchPath("selected.png");
    std::vector<std::string> arguments;
    if (source.empty())
        arguments = {"--new", "20,20"};
    else
        arguments = {source};
    arguments.insert(arguments.end(), steps.begin(), steps.end());
    arguments.insert(arguments.end(), {"--fill", "000000", "-o", out});
    const CliRun result = runCli(arguments);
    EXPECT_EQ(result.code, 0) << result.err;
    if (run)
        *run = result;
    return result.code == 0 ? readImage(out) : DecodedImage{};
}

int32_t blackCount(const DecodedImage& image) {
    int32_t n = 0;
    for (uint32_t c : image.color)
        n += c == 0;
    return n;
}

TEST(SelectionToolSteps, MarqueeModesCombineWithTheSelection) {
    EXPECT_EQ(blackCount(selected({"--select-rect", "0,0,10,10", "--select-rect", "5,5,15,15,add"})), 175);
    EXPECT_EQ(blackCount(selected({"--select-rect", "0,0,10,10", "--select-rect", "5,5,15,15,subtract"})), 75);
    EXPECT_EQ(blackCount(selected({"--select-rect", "0,0,10,10", "--select-rect", "5,5,15,15,intersect"})), 25);
    EXPECT_EQ(blackCount(selected({"--select-rect", "0,0,10,10", "--select-rect", "5,5,15,15,replace"})), 100);
    const DecodedImage ring = selected({"--select-rect", "0,0,20,20", "--select-ellipse", "0,0,20,20,subtract"});
    EXPECT_EQ(ring.at(0, 0), 0u);
    EXPECT_EQ(ring.at(10, 10), 0xFFFFFFu);
    EXPECT_EQ(runCli({"--new", "4,4", "--select-rect", "0,0,2,2,xor"}).code, 2);
}

TEST(SelectionToolSteps, LassoSelectsThePolygon) {
    CliRun run;
    const DecodedImage square = selected({"--select-lasso", "2,2;12,2;12,7;2,7", "--info"}, &run);
    EXPECT_EQ(blackCount(square), 50);
    EXPECT_EQ(square.at(2, 2), 0u);
    EXPECT_EQ(square.at(12, 2), 0xFFFFFFu);
    EXPECT_TRUE(contains(run.out, "\"Lasso\""));
    const DecodedImage triangle = selected({"--select-lasso", "0,0;20,0;0,20"});
    EXPECT_EQ(triangle.at(1, 1), 0u);
    EXPECT_EQ(triangle.at(18, 18), 0xFFFFFFu);
    EXPECT_EQ(blackCount(selected({"--select-rect", "0,0,20,20", "--select-lasso", "0,0;10,0;10,20;0,20,subtract"})),
              200);
    EXPECT_EQ(runCli({"--new", "4,4", "--select-lasso", "0,0;2,2"}).code, 2) << "two points";
}

TEST(SelectionToolSteps, MagicWandSelectsTheConnectedSimilarPixels) {
    const std::string source = scratchPath("stripes.png");
    writeImage(source, 20, 20, [](int32_t x, int32_t) { return x < 5 ? 0xFF0000u : x < 10 ? 0xF00000u : 0x00FF00u; });
    CliRun run;
    DecodedImage image = selected({"--magic-wand", "0,0", "--info"}, &run, source);
    EXPECT_EQ(blackCount(image), 100);
    EXPECT_TRUE(contains(run.out, "\"Magic Wand\""));
    EXPECT_EQ(blackCount(selected({"--magic-wand", "0,0,15"}, nullptr, source)), 200);
    EXPECT_EQ(blackCount(selected({"--tolerance", "15", "--magic-wand", "0,0"}, nullptr, source)), 200);
    EXPECT_EQ(blackCount(selected({"--magic-wand", "0,0", "--magic-wand", "15,15,0,add"}, nullptr, source)), 300);
}

} // namespace
} // namespace pict::test
