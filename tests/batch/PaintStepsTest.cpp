// The painting steps end to end: --pencil, --brush and --eraser with their argument forms.

#include "batch/CliTestSupport.h"

#include <gtest/gtest.h>

namespace pict::test {
namespace {

// Runs the steps on SOURCE arguments and reads back what -o wrote.
DecodedImage stepsOn(std::vector<std::string> arguments, const std::vector<std::string>& steps,
                     CliRun* run = nullptr) {
    const std::string out = scratchPath("painted.png");
    arguments.insert(arguments.end(), steps.begin(), steps.end());
    arguments.insert(arguments.end(), {"-o", out});
    const CliRun result = runCli(arguments);
    EXPECT_EQ(result.code, 0) << result.err;
    if (run)
        *run = result;
    return result.code == 0 ? readImage(out) : DecodedImage{};
}

// On a new white 20 x 20 canvas.
DecodedImage painted(const std::vector<std::string>& steps, CliRun* run = nullptr) {
    return stepsOn({"--new", "20,20"}, steps, run);
}

TEST(PaintSteps, PencilDrawsTheLineInTheForegroundColor) {
    CliRun run;
    const DecodedImage image = painted({"--foreground", "ff0000", "--pencil", "1,1;9,5", "--info"}, &run);
    // (1,1) to (9,5): y advances every second x, a tie staying back.
    const int32_t ys[] = {1, 1, 2, 2, 3, 3, 4, 4, 5};
    for (int32_t x = 1; x <= 9; ++x) {
        EXPECT_EQ(image.at(x, ys[x - 1]), 0xFF0000u) << x;
        EXPECT_EQ(image.at(x, ys[x - 1] + 1), 0xFFFFFFu) << x;
    }
    EXPECT_EQ(image.at(10, 5), 0xFFFFFFu);
    EXPECT_TRUE(contains(run.out, "\"names\":[\"Pencil\"]"));
}

TEST(PaintSteps, BrushTakesSizeHardnessOpacityAndMode) {
    CliRun run;
    DecodedImage image = painted({"--brush", "10,10,5", "--info"}, &run);
    EXPECT_EQ(image.at(10, 10), 0x000000u);
    EXPECT_EQ(image.at(10, 16), 0xFFFFFFu);
    EXPECT_TRUE(contains(run.out, "\"names\":[\"Brush\"]"));

    image = painted({"--brush", "10,10,5,100,50"});
    EXPECT_EQ(image.at(10, 10), 0x7F7F7Fu) << "50 % weighs 128 over white";
    image = painted({"--foreground", "808080", "--brush", "10,10;12,10,3,100,100,multiply"});
    EXPECT_EQ(image.at(11, 10), 0x7F7F7Fu) << "(128 x 255) >> 8";
}

TEST(PaintSteps, EraserMakesALayerTransparentAndTheBackgroundTakesTheBackgroundColor) {
    DecodedImage image = painted({"--background", "00ff00", "--eraser", "5,5;15,5,3"});
    EXPECT_EQ(image.at(10, 5), 0x00FF00u);
    EXPECT_EQ(image.at(10, 9), 0xFFFFFFu);

    const std::string layer = scratchPath("layer.png");
    writeImage(layer, 20, 20, [](int32_t, int32_t) { return 0x0000FFu; });
    image = painted({"--place", layer, "--eraser", "5,5;15,5,3"});
    EXPECT_EQ(image.at(10, 5), 0xFFFFFFu) << "the white background shows through";
    EXPECT_EQ(image.at(10, 12), 0x0000FFu);
}

TEST(PaintSteps, UndoRemovesTheStroke) {
    CliRun run;
    const DecodedImage image = painted({"--pencil", "0,0;19,19", "--undo", "--info"}, &run);
    EXPECT_EQ(image.at(5, 5), 0xFFFFFFu);
    EXPECT_TRUE(contains(run.out, "\"position\":-1"));
}

TEST(PaintSteps, BadArgumentsAreRefusedBeforeAnythingRuns) {
    for (const char* argument : {"1,1;2", "1,1,0", "1,1,2001", "a,b", "1,1;2,2,3,4", "", "1,1;;2,2"}) {
        const CliRun run = runCli({"--new", "4,4", "--pencil", argument});
        EXPECT_EQ(run.code, 2) << argument;
        EXPECT_FALSE(run.err.empty()) << argument;
    }
    for (const char* argument : {"1,1,5,101", "1,1,5,50,0", "1,1,5,50,50,nomode", "1,1,5,50,50,normal,9"}) {
        const CliRun run = runCli({"--new", "4,4", "--brush", argument});
        EXPECT_EQ(run.code, 2) << argument;
    }
}

TEST(PaintSteps, NothingPaintedOffTheCanvasIsSaidAndNotRecorded) {
    CliRun run;
    painted({"--pencil", "-10,-10;-5,-2", "--info"}, &run);
    EXPECT_TRUE(contains(run.out, "\"count\":0"));
    EXPECT_TRUE(contains(run.err, "nothing was painted"));
}

// Two halves: red on the left (x < 10), with a white column gap at x = 5.
std::string halves() {
    const std::string path = scratchPath("halves.png");
    writeImage(path, 20, 20, [](int32_t x, int32_t) { return x == 5 ? 0xFFFFFFu : x < 10 ? 0xFF0000u : 0x0000FFu; });
    return path;
}

TEST(PaintSteps, BucketFillsTheConnectedOrEverySimilarPixel) {
    CliRun run;
    DecodedImage image = stepsOn({halves()}, {"--foreground", "00ff00", "--bucket", "1,1", "--info"}, &run);
    EXPECT_EQ(image.at(0, 0), 0x00FF00u);
    EXPECT_EQ(image.at(4, 19), 0x00FF00u);
    EXPECT_EQ(image.at(5, 0), 0xFFFFFFu) << "the white column stops the flood";
    EXPECT_EQ(image.at(7, 0), 0xFF0000u) << "the red beyond it is not connected";
    EXPECT_TRUE(contains(run.out, "\"names\":[\"Paint Bucket\"]"));

    image = stepsOn({halves()}, {"--foreground", "00ff00", "--bucket", "1,1,0,global"});
    EXPECT_EQ(image.at(7, 0), 0x00FF00u);
    EXPECT_EQ(image.at(12, 0), 0x0000FFu);
    image = stepsOn({halves()}, {"--foreground", "00ff00", "--bucket", "1,1,255"});
    EXPECT_EQ(image.at(19, 19), 0x00FF00u) << "tolerance 255 takes everything";
    image = stepsOn({halves()}, {"--foreground", "00ff00", "--select-rect", "0,0,3,3", "--bucket", "1,1"});
    EXPECT_EQ(image.at(2, 2), 0x00FF00u);
    EXPECT_EQ(image.at(3, 3), 0xFF0000u) << "inside the selection only";
}

TEST(PaintSteps, GradientRunsFromForegroundToBackground) {
    CliRun run;
    DecodedImage image = painted({"--foreground", "ff0000", "--background", "0000ff", "--gradient", "2,0,17,0", "--info"},
                                 &run);
    EXPECT_EQ(image.at(2, 5), 0xFF0000u);
    EXPECT_EQ(image.at(17, 5), 0x0000FFu);
    EXPECT_EQ(image.at(0, 5), 0xFF0000u);
    EXPECT_TRUE(contains(run.out, "\"names\":[\"Gradient\"]"));
    image = painted({"--foreground", "ff0000", "--gradient", "10,10,10,15,radial,transparent"});
    EXPECT_EQ(image.at(10, 10), 0xFF0000u);
    EXPECT_EQ(image.at(10, 19), 0xFFFFFFu);
    EXPECT_EQ(runCli({"--new", "4,4", "--gradient", "1,1,1,1"}).code, 2);
    EXPECT_EQ(runCli({"--new", "4,4", "--gradient", "1,1,2,2,conical"}).code, 2);
}

TEST(PaintSteps, PickColorSetsTheForeground) {
    const DecodedImage image = stepsOn({halves()}, {"--pick-color", "15,3", "--pencil", "0,0"});
    EXPECT_EQ(image.at(0, 0), 0x0000FFu);
    EXPECT_EQ(runCli({"--new", "4,4", "--pick-color", "9,9"}).code, 1) << "outside the canvas";
}

} // namespace
} // namespace pict::test
