// The selection steps end to end.

#include "batch/CliInfo.h"
#include "batch/CliTestSupport.h"

#include <gtest/gtest.h>

namespace pict::test {
namespace {

TEST(SelectionSteps, WholeCanvasInverseAndDeselect) {
    const CliRun run = runCli({"--new", "6,4", "--select-all", "--info", "--select-inverse", "--info",
                               "--select-rect", "1,1,3,3", "--deselect", "--info"});
    ASSERT_EQ(run.code, 0) << run.err;
    const auto lines = infoLines(run.out);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_TRUE(contains(lines[0], "\"selection\":{\"left\":0,\"top\":0,\"right\":6,\"bottom\":4}"));
    EXPECT_TRUE(contains(lines[0], "\"names\":[\"Select Canavs\"]"));
    EXPECT_TRUE(contains(lines[1], "\"selection\":null")) << "all, then inverse, selects nothing";
    EXPECT_TRUE(contains(lines[2], "\"selection\":null"));
    EXPECT_TRUE(contains(lines[2], "\"Deselect\"]"));
}

TEST(SelectionSteps, NeedASelection) {
    for (const char* step : {"--deselect", "--select-inverse", "--grow", "--similar"}) {
        const CliRun run = runCli({"--new", "4,4", step});
        EXPECT_EQ(run.code, 1) << step;
        EXPECT_EQ(run.err, "pictorane-cli: " + std::string(step) + " refused: needs a selection\n");
    }
    for (const char* step : {"--feather", "--expand", "--contract", "--border"})
        EXPECT_EQ(runCli({"--new", "4,4", step, "2"}).code, 1) << step;
    EXPECT_EQ(runCli({"--new", "4,4", "--save-selection"}).code, 1);
}

TEST(SelectionSteps, ModifyCommandsChangeTheBounds) {
    const CliRun run = runCli({"--new", "20,20", "--select-rect", "5,5,10,10", "--expand", "2", "--info",
                               "--contract", "3", "--info", "--border", "1", "--feather", "1.5", "--info"});
    ASSERT_EQ(run.code, 0) << run.err;
    const auto lines = infoLines(run.out);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_TRUE(contains(lines[0], "\"selection\":{\"left\":3,\"top\":3,\"right\":12,\"bottom\":12}")) << lines[0];
    EXPECT_TRUE(contains(lines[1], "\"selection\":{\"left\":6,\"top\":6,\"right\":9,\"bottom\":9}")) << lines[1];
    EXPECT_TRUE(contains(lines[2], "\"Expand\",\"Contract\",\"Border\",\"Feather\"]")) << lines[2];
}

TEST(SelectionSteps, GrowFollowsTheColorWithTheTolerance) {
    const std::string picture = scratchPath("halves.bmp");
    writeImage(picture, 8, 4, [](int32_t x, int32_t) { return x < 4 ? 0x101010u : 0x141414u; });
    const CliRun exact = runCli({picture, "--select-rect", "0,0,1,1", "--grow", "--info"});
    ASSERT_EQ(exact.code, 0) << exact.err;
    EXPECT_TRUE(contains(exact.out, "\"selection\":{\"left\":0,\"top\":0,\"right\":4,\"bottom\":4}")) << exact.out;
    const CliRun tolerant = runCli({picture, "--tolerance", "4", "--select-rect", "0,0,1,1", "--similar", "--info"});
    ASSERT_EQ(tolerant.code, 0) << tolerant.err;
    EXPECT_TRUE(contains(tolerant.out, "\"selection\":{\"left\":0,\"top\":0,\"right\":8,\"bottom\":4}"))
        << tolerant.out;
}

TEST(SelectionSteps, SavedChannelsRoundTrip) {
    const CliRun run = runCli({"--new", "10,10", "--select-rect", "1,1,4,4", "--save-selection", "--save-selection",
                               "new,Mask", "--select-rect", "6,6,9,9", "--save-selection", "0,,add", "--deselect",
                               "--load-selection", "0", "--info", "--load-selection", "1,subtract,invert", "--info"});
    ASSERT_EQ(run.code, 0) << run.err;
    const auto lines = infoLines(run.out);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_TRUE(contains(lines[0], "\"channels\":[\"Alpha 1\",\"Mask\"]")) << lines[0];
    EXPECT_TRUE(contains(lines[0], "\"selection\":{\"left\":1,\"top\":1,\"right\":9,\"bottom\":9}")) << lines[0];
    // Taking away everything outside 1,1..4,4 leaves that square.
    EXPECT_TRUE(contains(lines[1], "\"selection\":{\"left\":1,\"top\":1,\"right\":4,\"bottom\":4}")) << lines[1];
}

TEST(SelectionSteps, ChannelIndicesMustExist) {
    EXPECT_EQ(runCli({"--new", "4,4", "--load-selection", "0"}).err,
              "pictorane-cli: --load-selection refused: needs a saved channel\n");
    EXPECT_EQ(runCli({"--new", "4,4", "--select-all", "--save-selection", "--load-selection", "1"}).err,
              "pictorane-cli: --load-selection refused: there is no channel 1 (the document has 1)\n");
    EXPECT_EQ(runCli({"--new", "4,4", "--select-all", "--save-selection", "3"}).code, 1);
    // A channel saved before a rotation keeps its size and no longer fits the canvas.
    const CliRun misfit = runCli({"--new", "6,4", "--select-all", "--save-selection", "--rotate", "90",
                                  "--load-selection", "0"});
    EXPECT_EQ(misfit.code, 1);
    EXPECT_EQ(misfit.err, "pictorane-cli: --load-selection refused: Cannot load \"Alpha 1\": the channel was saved "
                          "at 6 x 4 pixels and the canvas is now 4 x 6.\n");
    const CliRun undone = runCli({"--new", "4,4", "--select-all", "--save-selection", "--undo", "--info"});
    EXPECT_TRUE(contains(undone.out, "\"channels\":[]")) << "undo of a new channel removes it";
}

} // namespace
} // namespace pict::test
