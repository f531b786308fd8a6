// The layer steps end to end: each reaches the command layer and shows in --info.

#include "batch/CliInfo.h"
#include "batch/CliTestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace pict::test {
namespace {

TEST(LayerSteps, NewDuplicateRenameAndProperties) {
    const CliRun run = runCli({"--new", "8,8", "--new-layer", "Sky,multiply,128", "--duplicate-layer", "--info",
                               "--rename-layer", "Sky, evening", "--layer-mode", "color-dodge", "--layer-opacity",
                               "10", "--toggle-visibility", "--info"});
    ASSERT_EQ(run.code, 0) << run.err;
    const auto lines = infoLines(run.out);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_TRUE(contains(lines[0], "{\"name\":\"Sky\",\"kind\":\"empty\",\"x\":0,\"y\":0,\"width\":0,\"height\":0,"
                                   "\"visible\":true,\"blendMode\":\"Multiply\",\"opacity\":128,"))
        << lines[0];
    EXPECT_TRUE(contains(lines[0], "\"activeLayer\":2"));
    EXPECT_TRUE(contains(lines[0], "\"names\":[\"New Layer\",\"Duplicate Layer\"]"));
    EXPECT_TRUE(contains(lines[1], "{\"name\":\"Sky, evening\",\"kind\":\"empty\",\"x\":0,\"y\":0,\"width\":0,"
                                   "\"height\":0,\"visible\":false,\"blendMode\":\"Color Dodge\",\"opacity\":10,"))
        << lines[1];
    EXPECT_TRUE(contains(lines[1], "\"names\":[\"New Layer\",\"Duplicate Layer\",\"Layer Properties\","
                                   "\"Blending Change\",\"Master Opacity Change\"]"))
        << "visibility is not a history state";
    EXPECT_TRUE(contains(lines[1], "\"modified\":true"));
}

TEST(LayerSteps, DefaultNamesCountUp) {
    const CliRun run = runCli({"--new", "4,4", "--new-layer", "--new-layer", "-o", scratchPath("x.png"), "--info"});
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_TRUE(contains(run.out, "\"name\":\"Layer 1\""));
    EXPECT_TRUE(contains(run.out, "\"name\":\"Layer 2\""));
}

TEST(LayerSteps, AnUnchangedPropertyAddsNoState) {
    const CliRun run = runCli({"--new", "4,4", "--layer-mode", "normal", "--layer-opacity", "255", "--info"});
    EXPECT_EQ(run.code, 0);
    EXPECT_EQ(run.err, "pictorane-cli: --layer-mode: the parameters change nothing; no state was added\n"
                       "pictorane-cli: --layer-opacity: the parameters change nothing; no state was added\n");
    EXPECT_TRUE(contains(run.out, "\"count\":0"));
}

TEST(LayerSteps, DeletingTheOnlyLayerIsRefusedAndNothingIsSaved) {
    const std::string out = scratchPath("never.png");
    const CliRun run = runCli({"--new", "4,4", "--delete-layer", "-o", out});
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(run.err, "pictorane-cli: --delete-layer refused: needs more than one layer\n");
    EXPECT_FALSE(std::filesystem::exists(out));
}

TEST(LayerSteps, DeleteAndUndoBringTheLayerBack) {
    const CliRun run = runCli({"--new", "4,4", "--new-layer", "Top", "--delete-layer", "--info", "--undo",
                               "--info"});
    ASSERT_EQ(run.code, 0) << run.err;
    const auto lines = infoLines(run.out);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_FALSE(contains(lines[0], "Top"));
    EXPECT_TRUE(contains(lines[1], "\"name\":\"Top\""));
    EXPECT_TRUE(contains(lines[1], "\"activeLayer\":1"));
}

TEST(LayerSteps, MergesAndFlatten) {
    const std::string picture = scratchPath("red.png");
    writeImage(picture, 2, 2, [](int32_t, int32_t) { return 0xFF0000u; });
    const CliRun run = runCli({"--new", "4,4", "--place", picture, "--place", picture + ",2,2", "--merge-layers",
                               "1,2", "--info", "--merge-down", "--info", "--undo", "--undo", "--flatten", "--info"});
    ASSERT_EQ(run.code, 0) << run.err;
    const auto lines = infoLines(run.out);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_TRUE(contains(lines[0], "\"names\":[\"Place\",\"Place\",\"Merge Layers\"]")) << lines[0];
    EXPECT_FALSE(contains(lines[0], "Layer 2"));
    EXPECT_TRUE(contains(lines[1], "\"layers\":[{\"name\":\"Background\""));
    EXPECT_FALSE(contains(lines[1], "Layer 1"));
    EXPECT_TRUE(contains(lines[2], "Flatten Image"));
    EXPECT_TRUE(contains(lines[2], "\"layers\":[{\"name\":\"Background\",\"kind\":\"raster\",\"x\":0,\"y\":0,"
                                   "\"width\":4,\"height\":4,"));
}

TEST(LayerSteps, MergeRefusals) {
    EXPECT_EQ(runCli({"--new", "4,4", "--merge-layers", "0,1"}).err,
              "pictorane-cli: --merge-layers refused: there is no layer 1 (the document has 1)\n");
    EXPECT_EQ(runCli({"--new", "4,4", "--flatten"}).code, 1);
    EXPECT_EQ(runCli({"--new", "4,4", "--merge-down"}).code, 1);
    EXPECT_EQ(runCli({"--new", "4,4", "--new-layer", "--toggle-visibility", "--merge-visible"}).code, 1);
}

TEST(LayerSteps, ActiveLayerPicksTheTarget) {
    const CliRun run = runCli({"--new", "4,4", "--new-layer", "A", "--new-layer", "B", "--active-layer", "1",
                               "--rename-layer", "First", "--info"});
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_TRUE(contains(run.out, "{\"name\":\"First\""));
    EXPECT_TRUE(contains(run.out, "{\"name\":\"B\""));
    EXPECT_TRUE(contains(run.out, "\"activeLayer\":1"));
}

} // namespace
} // namespace pict::test
