// The move steps end to end: --move-layer shifts a layer, --move-selection carries the
// selected pixels and the selection, and bad offsets are refused with a reason.

#include "batch/CliInfo.h"
#include "batch/CliTestSupport.h"

#include <gtest/gtest.h>

namespace pict::test {
namespace {

// 8 x 8: left half red, right half blue.
std::string halves() {
    const std::string path = scratchPath("move-halves.png");
    writeImage(path, 8, 8, [](int32_t x, int32_t) { return x < 4 ? 0xFF0000u : 0x0000FFu; });
    return path;
}

TEST(MoveSteps, MoveSelectionCarriesThePixelsAndLeavesTheBackgroundColor) {
    const std::string out = scratchPath("moved.png");
    const CliRun run = runCli({halves(), "--background", "00FF00", "--select-rect", "0,0,2,2", "--move-selection",
                               "5,6", "-o", out, "--info"});
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_TRUE(contains(run.out, "\"names\":[\"Rectangular Marquee\",\"Move Selection\"]")) << run.out;
    const DecodedImage image = readImage(out);
    EXPECT_EQ(image.at(0, 0), 0x00FF00u) << "the hole in the background layer";
    EXPECT_EQ(image.at(5, 6), 0xFF0000u) << "red landed on the blue half";
    EXPECT_EQ(image.at(6, 7), 0xFF0000u);
    EXPECT_EQ(image.at(7, 7), 0x0000FFu);
}

TEST(MoveSteps, MoveLayerOfAPastedLayerAndUndo) {
    const CliRun run = runCli({halves(), "--select-rect", "0,0,2,2", "--copy", "--paste", "--move-layer", "30,-12",
                               "--info"});
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_TRUE(contains(run.out, "\"name\":\"Layer 1\",\"kind\":\"raster\",\"x\":30,\"y\":-12")) << run.out;
    const CliRun undone = runCli({halves(), "--select-rect", "0,0,2,2", "--copy", "--paste", "--move-layer", "3,3",
                                  "--undo", "--info"});
    ASSERT_EQ(undone.code, 0) << undone.err;
    EXPECT_TRUE(contains(undone.out, "\"name\":\"Layer 1\",\"kind\":\"raster\",\"x\":0,\"y\":0")) << undone.out;
}

TEST(MoveSteps, RefusalsSayWhy) {
    const CliRun background = runCli({halves(), "--move-layer", "1,1"});
    EXPECT_NE(background.code, 0);
    EXPECT_TRUE(contains(background.err, "background")) << background.err;
    const CliRun noSelection = runCli({halves(), "--move-selection", "1,1"});
    EXPECT_NE(noSelection.code, 0);
    EXPECT_TRUE(contains(noSelection.err, "selection")) << noSelection.err;
    const CliRun badOffset = runCli({halves(), "--move-selection", "1"});
    EXPECT_NE(badOffset.code, 0);
    EXPECT_TRUE(contains(badOffset.err, "X,Y")) << badOffset.err;
}

} // namespace
} // namespace pict::test
