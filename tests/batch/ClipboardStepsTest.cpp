// The clipboard steps end to end: --copy and --cut fill the run's clipboard, --paste and
// --paste-into make layers from it, and the output file shows the pixels.

#include "batch/CliInfo.h"
#include "batch/CliTestSupport.h"

#include <gtest/gtest.h>

namespace pict::test {
namespace {

// 8 x 8: left half red, right half blue.
std::string halves() {
    const std::string path = scratchPath("halves.png");
    writeImage(path, 8, 8, [](int32_t x, int32_t) { return x < 4 ? 0xFF0000u : 0x0000FFu; });
    return path;
}

TEST(ClipboardSteps, CopyThenPasteAtAPlace) {
    const std::string out = scratchPath("pasted.png");
    const CliRun run = runCli({halves(), "--select-rect", "0,0,2,2", "--copy", "--paste", "6,6", "--flatten", "-o",
                               out, "--info"});
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_TRUE(contains(run.out, "\"names\":[\"Rectangular Marquee\",\"Paste\",\"Flatten Image\"]")) << run.out;
    const DecodedImage image = readImage(out);
    EXPECT_EQ(image.at(6, 6), 0xFF0000u);
    EXPECT_EQ(image.at(7, 7), 0xFF0000u);
    EXPECT_EQ(image.at(5, 6), 0x0000FFu);
}

TEST(ClipboardSteps, CutLeavesTheBackgroundColorAndPasteReturnsThePixels) {
    const std::string out = scratchPath("cut.png");
    const CliRun run = runCli({halves(), "--background", "00FF00", "--select-rect", "4,0,8,8", "--cut", "--paste",
                               "0,0", "--flatten", "-o", out});
    ASSERT_EQ(run.code, 0) << run.err;
    const DecodedImage image = readImage(out);
    EXPECT_EQ(image.at(0, 0), 0x0000FFu) << "the cut blue half pasted over the red";
    EXPECT_EQ(image.at(5, 0), 0x00FF00u) << "the hole takes the background color";
}

TEST(ClipboardSteps, PasteWithoutPositionGoesBackWhereItCameFrom) {
    const std::string out = scratchPath("same.png");
    const CliRun run = runCli({halves(), "--select-rect", "4,0,8,8", "--copy-merged", "--paste", "--info"});
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_TRUE(contains(run.out, "\"name\":\"Layer 1\",\"kind\":\"raster\",\"x\":4,\"y\":0,\"width\":4,\"height\":8"))
        << run.out;
}

TEST(ClipboardSteps, PasteIntoKeepsOnlyTheSelection) {
    const CliRun run = runCli({halves(), "--copy", "--select-rect", "1,1,3,3", "--paste-into", "--info"});
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_TRUE(contains(run.out, "\"Paste Into\"")) << run.out;
}

TEST(ClipboardSteps, PasteWithAnEmptyClipboardIsRefused) {
    const CliRun run = runCli({halves(), "--paste"});
    EXPECT_NE(run.code, 0);
    EXPECT_TRUE(contains(run.err, "--paste")) << run.err;
}

TEST(ClipboardSteps, ABadPositionSaysWhy) {
    const CliRun run = runCli({halves(), "--copy", "--paste", "3"});
    EXPECT_NE(run.code, 0);
    EXPECT_TRUE(contains(run.err, "X,Y")) << run.err;
}

} // namespace
} // namespace pict::test
