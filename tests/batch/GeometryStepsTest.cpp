// The geometry steps end to end.

#include "batch/CliInfo.h"
#include "batch/CliTestSupport.h"

#include <gtest/gtest.h>

namespace pict::test {
namespace {

// A file whose pixel (x, y) holds x in red and y in green, so that moves can be traced.
std::string tracedImage(int32_t width, int32_t height) {
    const std::string path = scratchPath("traced.bmp");
    writeImage(path, width, height, [](int32_t x, int32_t y) { return uint32_t(x) << 16 | uint32_t(y) << 8; });
    return path;
}

uint32_t traced(int32_t x, int32_t y) { return uint32_t(x) << 16 | uint32_t(y) << 8; }

CliRun runOn(const std::string& source, std::vector<std::string> steps, DecodedImage* saved = nullptr) {
    const std::string out = scratchPath("geometry.bmp");
    std::vector<std::string> arguments{source};
    arguments.insert(arguments.end(), steps.begin(), steps.end());
    arguments.insert(arguments.end(), {"-o", out});
    const CliRun run = runCli(arguments);
    if (saved && run.code == 0)
        *saved = readImage(out);
    return run;
}

TEST(GeometrySteps, ImageSizeResamplesAndRecordsOnlyChanges) {
    const std::string source = tracedImage(8, 4);
    DecodedImage image;
    CliRun run = runOn(source, {"--image-size", "4,2,72,ppi,nearest-neighbor", "--info"}, &image);
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(image.width, 4);
    EXPECT_EQ(image.height, 2);
    EXPECT_TRUE(contains(run.out, "\"names\":[\"Image Size\"]"));

    run = runOn(source, {"--image-size", "8,4", "--info"});
    EXPECT_EQ(run.code, 0);
    EXPECT_EQ(run.err, "pictorane-cli: --image-size: the parameters change nothing; no state was added\n");

    run = runOn(source, {"--image-size", "8,4,118.5,ppcm", "--info", "--undo", "--info"}, &image);
    ASSERT_EQ(run.code, 0) << run.err;
    const auto lines = infoLines(run.out);
    EXPECT_TRUE(contains(lines[0], "\"resolution\":118.5,\"unit\":\"pixels/cm\"")) << lines[0];
    EXPECT_TRUE(contains(lines[1], "\"resolution\":72,\"unit\":\"pixels/inch\"")) << lines[1];
    EXPECT_EQ(image.at(7, 3), traced(7, 3)) << "a resolution change keeps the pixels";

    // A step that leaves the unit out keeps the document's, whichever it is.
    run = runOn(source, {"--image-size", "8,4,118.5,ppcm", "--image-size", "8,4,50", "--info"});
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_TRUE(contains(run.out, "\"resolution\":50,\"unit\":\"pixels/cm\"")) << run.out;
    run = runOn(source, {"--image-size", "8,4,118.5,ppcm", "--image-size", "8,4,300,ppi", "--info"});
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_TRUE(contains(run.out, "\"resolution\":300,\"unit\":\"pixels/inch\"")) << run.out;
}

TEST(GeometrySteps, ThumbnailShrinksIntoTheBoxOnly) {
    const std::string source = tracedImage(40, 10);
    DecodedImage image;
    CliRun run = runOn(source, {"--thumbnail", "8", "--info"}, &image);
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(image.width, 8);
    EXPECT_EQ(image.height, 2);
    EXPECT_TRUE(contains(run.out, "\"names\":[\"Image Size\"]")) << run.out;

    run = runOn(source, {"--thumbnail", "40"}, &image);
    EXPECT_EQ(run.code, 0);
    EXPECT_EQ(image.width, 40);
    EXPECT_EQ(image.height, 10);
    EXPECT_EQ(run.err, "pictorane-cli: --thumbnail: the picture already fits in 40 x 40 pixels; its size is kept\n");

    for (const char* bad : {"0", "-5", "big", "30001", ""}) {
        run = runOn(source, {"--thumbnail", bad});
        EXPECT_EQ(run.code, 2) << bad;
        EXPECT_TRUE(contains(run.err, "the thumbnail size must be")) << run.err;
    }
}

TEST(GeometrySteps, CanvasSizeAnchorsAndExtends) {
    const std::string source = tracedImage(100, 100);
    DecodedImage image;
    ASSERT_EQ(runOn(source, {"--canvas-size", "105,100,4,ff0000"}, &image).code, 0);
    ASSERT_EQ(image.width, 105);
    EXPECT_EQ(image.at(0, 0), 0xFF0000u);
    EXPECT_EQ(image.at(1, 50), 0xFF0000u);
    EXPECT_EQ(image.at(2, 50), traced(0, 50)) << "centred: the old image starts at x = 2";

    ASSERT_EQ(runOn(source, {"--canvas-size", "80,80,8"}, &image).code, 0);
    EXPECT_EQ(image.at(0, 0), traced(20, 20)) << "bottom-right anchor keeps the bottom-right corner";

    const CliRun same = runOn(source, {"--canvas-size", "100,100,0"});
    EXPECT_EQ(same.code, 0);
    EXPECT_EQ(same.err, "pictorane-cli: --canvas-size: the parameters change nothing; no state was added\n");
}

TEST(GeometrySteps, RotationsAndFlips) {
    const std::string source = tracedImage(3, 2);
    DecodedImage image;
    ASSERT_EQ(runOn(source, {"--rotate", "90"}, &image).code, 0);
    ASSERT_EQ(image.width, 2);
    ASSERT_EQ(image.height, 3);
    EXPECT_EQ(image.at(1, 0), traced(0, 0)) << "clockwise: the top-left goes to the top-right";
    ASSERT_EQ(runOn(source, {"--rotate", "-90", "--rotate", "90", "--info"}, &image).code, 0);
    EXPECT_EQ(image.at(2, 1), traced(2, 1));
    ASSERT_EQ(runOn(source, {"--rotate", "180"}, &image).code, 0);
    EXPECT_EQ(image.at(0, 0), traced(2, 1));
    ASSERT_EQ(runOn(source, {"--flip-horizontal"}, &image).code, 0);
    EXPECT_EQ(image.at(0, 1), traced(2, 1));
    ASSERT_EQ(runOn(source, {"--flip-vertical"}, &image).code, 0);
    EXPECT_EQ(image.at(2, 0), traced(2, 1));
    const CliRun run = runOn(source, {"--rotate", "-90", "--flip-vertical", "--info"});
    EXPECT_TRUE(contains(run.out, "\"names\":[\"Rotate Canvas\",\"Flip Canvas Vertical\"]")) << run.out;
}

TEST(GeometrySteps, CropToTheSelectionAndTrim) {
    const std::string source = tracedImage(10, 10);
    DecodedImage image;
    CliRun run = runOn(source, {"--select-ellipse", "2,3,6,8", "--crop", "--info"}, &image);
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(image.width, 4);
    EXPECT_EQ(image.height, 5);
    EXPECT_EQ(image.at(0, 0), traced(2, 3));
    EXPECT_TRUE(contains(run.out, "\"selection\":null"));

    run = runOn(source, {"--crop"});
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(run.err, "pictorane-cli: --crop refused: needs a selection that meets the canvas\n");

    const std::string dot = scratchPath("dot.bmp");
    writeImage(dot, 12, 12, [](int32_t x, int32_t y) { return x == 5 && y == 7 ? 0u : 0xFFFFFFu; });
    ASSERT_EQ(runOn(dot, {"--trim"}, &image).code, 0);
    EXPECT_EQ(image.width, 1);
    EXPECT_EQ(image.height, 1);
    EXPECT_EQ(image.at(0, 0), 0u);
}

TEST(GeometrySteps, UndoOfAGeometryStateBringsTheSelectionBack) {
    const CliRun run = runCli({"--new", "10,8", "--select-rect", "1,1,3,3", "--rotate", "90", "--info", "--undo",
                               "--info"});
    ASSERT_EQ(run.code, 0) << run.err;
    const auto lines = infoLines(run.out);
    EXPECT_TRUE(contains(lines[0], "\"width\":8,\"height\":10,"));
    EXPECT_TRUE(contains(lines[0], "\"selection\":null"));
    EXPECT_TRUE(contains(lines[1], "\"width\":10,\"height\":8,"));
    EXPECT_TRUE(contains(lines[1], "\"selection\":{\"left\":1,\"top\":1,\"right\":3,\"bottom\":3}")) << lines[1];
}

} // namespace
} // namespace pict::test
