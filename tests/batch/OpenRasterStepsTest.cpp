// The batch tool's layered files: -o x.ora keeps the layers, a SOURCE ending in .ora opens
// them, and a file that cannot be opened says why.
#include "batch/CliTestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace pict::test {
namespace {

std::string fixture(const std::string& name) {
    return (std::filesystem::path(PICT_SOURCE_DIR) / "tests/codecs/openraster" / name).string();
}

TEST(OpenRasterSteps, LayersSurviveASaveAndAReopen) {
    const std::string path = scratchPath("layers.ora");
    const std::vector<std::string> layered = {"--new",         "6,4",      "--fill",         "336699", "--duplicate-layer",
                                              "Shade",         "--layer-mode", "multiply", "--layer-opacity", "100",
                                              "--select-rect", "0,0,2,2", "--fill",         "cc8844", "--deselect",
                                              "--new-layer",   "Empty"};
    std::vector<std::string> saving = layered;
    saving.insert(saving.end(), {"--select-rect", "0,0,2,2", "--save-selection", "new,Corner", "-o", path});
    const CliRun save = runCli(saving);
    ASSERT_EQ(save.code, 0) << save.err;
    const CliRun info = runCli({path, "--info"});
    ASSERT_EQ(info.code, 0) << info.err;
    EXPECT_TRUE(contains(info.out, "layers.ora\"")) << info.out;
    EXPECT_TRUE(contains(info.out, "\"Shade\"")) << info.out;
    EXPECT_TRUE(contains(info.out, "\"Background\"")) << info.out;
    EXPECT_TRUE(contains(info.out, "\"Corner\"")) << info.out;
    EXPECT_TRUE(contains(info.out, "\"Empty\"")) << info.out;
    EXPECT_TRUE(contains(info.out, "\"blendMode\":\"Multiply\",\"opacity\":100")) << info.out;

    // The flat save of the reopened file is the flat save of the original.
    const std::string flatBefore = scratchPath("before.png");
    const std::string flatAfter = scratchPath("after.png");
    std::vector<std::string> flat = layered;
    flat.insert(flat.end(), {"-o", flatBefore});
    ASSERT_EQ(runCli(flat).code, 0);
    ASSERT_EQ(runCli({path, "-o", flatAfter}).code, 0);
    const DecodedImage before = readImage(flatBefore), after = readImage(flatAfter);
    EXPECT_EQ(before.color, after.color);
    EXPECT_EQ(before.alpha, after.alpha);
}

TEST(OpenRasterSteps, AForeignFileOpensWithANoteAndAHostileOneFailsWithItsReason) {
    const CliRun foreign = runCli({fixture("foreign/layered.ora"), "--info"});
    EXPECT_EQ(foreign.code, 0) << foreign.err;
    EXPECT_TRUE(contains(foreign.err, "\"Group\"")) << foreign.err;
    EXPECT_TRUE(contains(foreign.err, "svg:plus")) << foreign.err;

    const std::string traversal = fixture("hostile/traversal.ora");
    const CliRun hostile = runCli({traversal, "--info"});
    EXPECT_EQ(hostile.code, 1);
    EXPECT_TRUE(contains(hostile.err, "Cannot open file \"" + traversal + "\"!")) << hostile.err;
    EXPECT_TRUE(contains(hostile.err, "outside the archive")) << hostile.err;
    EXPECT_TRUE(hostile.out.empty());
}

} // namespace
} // namespace pict::test
