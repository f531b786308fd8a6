// End-to-end runs of the batch tool in-process, on small documents it makes or reads.

#include "batch/CliInfo.h"
#include "batch/CliTestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace pict::test {
namespace {

TEST(BatchRun, NewDocumentIsWhatTheNewDialogMakes) {
    const CliRun run = runCli({"--new", "4,3", "--info"});
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(run.out,
              "{\"width\":4,\"height\":3,\"resolution\":72,\"unit\":\"pixels/inch\",\"name\":\"Untitled-1\","
              "\"modified\":false,\"layers\":[{\"name\":\"Background\",\"kind\":\"raster\",\"x\":0,\"y\":0,"
              "\"width\":4,\"height\":3,\"visible\":true,\"blendMode\":\"Normal\",\"opacity\":255,"
              "\"background\":true,\"hasTransparencyMask\":false}],\"activeLayer\":0,\"selection\":null,"
              "\"channels\":[],\"history\":{\"position\":-1,\"count\":0,\"names\":[]}}\n");
    EXPECT_TRUE(run.err.empty());
}

TEST(BatchRun, TransparentNewDocumentHasOneEmptyLayer) {
    const std::string out = scratchPath("transparent.png");
    const CliRun run = runCli({"--new", "3,2,transparent", "--info", "-o", out});
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_TRUE(contains(run.out, "\"layers\":[{\"name\":\"Layer 1\",\"kind\":\"empty\",\"x\":0,\"y\":0,"
                                  "\"width\":0,\"height\":0,"))
        << run.out;
    const DecodedImage image = readImage(out);
    ASSERT_EQ(image.width, 3);
    EXPECT_EQ(image.alphaAt(2, 1), 0);
}

TEST(BatchRun, SaveWritesTheKindOfTheExtensionAndTakesTheName) {
    const std::string bmp = scratchPath("white.bmp");
    const std::string png = scratchPath("white.png");
    const CliRun run = runCli({"--new", "5,2,white", "-o", bmp, "-o", png, "--info"});
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(fileBytes(bmp).substr(0, 2), "BM");
    EXPECT_EQ(fileBytes(png).substr(1, 3), "PNG");
    const DecodedImage image = readImage(png);
    ASSERT_EQ(image.width, 5);
    ASSERT_EQ(image.height, 2);
    EXPECT_EQ(image.at(4, 1), 0xFFFFFFu);
    EXPECT_TRUE(contains(run.out, "\"name\":\"" + std::filesystem::path(png).filename().string() + "\""))
        << "Save As renames the document";
}

TEST(BatchRun, OpensFilesAsOpenDoes) {
    const std::string in = scratchPath("gradient.bmp");
    writeImage(in, 6, 4, [](int32_t x, int32_t y) { return uint32_t(x * 40) << 16 | uint32_t(y * 60); });
    const std::string out = scratchPath("copy.png");
    const CliRun run = runCli({in, "--info", "-o", out});
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_TRUE(contains(run.out, "\"width\":6,\"height\":4,"));
    EXPECT_TRUE(contains(run.out, "\"modified\":false"));
    const DecodedImage image = readImage(out);
    EXPECT_EQ(image.at(5, 3), (200u << 16) | 180u);
}

TEST(BatchRun, SaysWhenAFilesColoursWereConvertedToSrgb) {
    const std::string adobe = std::string(PICT_SOURCE_DIR) + "/tests/codecs/display/patches.jpg";
    const CliRun converted = runCli({adobe, "--info"});
    ASSERT_EQ(converted.code, 0) << converted.err;
    EXPECT_EQ(converted.err, "pictorane-cli: " + adobe + ": Converted from Adobe RGB (1998) to sRGB\n");

    const std::string plain = scratchPath("plain.png");
    writeImage(plain, 3, 2, [](int32_t, int32_t) { return 0x336699u; });
    const CliRun untouched = runCli({plain, "--info"});
    ASSERT_EQ(untouched.code, 0);
    EXPECT_EQ(untouched.err, "") << "files without a profile are taken as sRGB, silently";
}

TEST(BatchRun, AFileThatCannotBeOpenedStopsWithTheEditorsMessage) {
    const std::string missing = scratchPath("missing.png");
    const std::string out = scratchPath("never.png");
    const CliRun run = runCli({missing, "-o", out});
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(run.err, "Cannot open file \"" + missing + "\"!\nThe file does not exist.\n");
    EXPECT_FALSE(std::filesystem::exists(out));

    const std::string garbage = scratchPath("garbage.png");
    writeBytes(garbage, "not a picture");
    const CliRun text = runCli({garbage});
    EXPECT_EQ(text.code, 1);
    EXPECT_EQ(text.err, "Cannot open file \"" + garbage + "\"!\nThe file is not a PNG file; it holds text.\n");
}

TEST(BatchRun, AFileThatEndsEarlyOpensAndSaysSo) {
    const std::string whole = scratchPath("whole.jpg");
    writeImage(whole, 64, 64, [](int32_t x, int32_t y) { return uint32_t((x * 37 + y * 11) % 256) * 0x010101u; });
    const std::string bytes = fileBytes(whole);
    const std::string half = scratchPath("half.jpg");
    writeBytes(half, bytes.substr(0, bytes.size() / 2));
    const CliRun run = runCli({half, "--info"});
    EXPECT_EQ(run.code, 0);
    EXPECT_EQ(run.err, "pictorane-cli: " + half + ": The file ends early; the missing part is shown gray.\n");
    EXPECT_TRUE(contains(run.out, "\"width\":64,\"height\":64"));
}

TEST(BatchRun, AFailingSaveLeavesTheOldFileAndStopsTheRun) {
    const std::string kept = scratchPath("kept.gif");
    writeBytes(kept, "the user's file");
    const std::string later = scratchPath("later.png");
    const CliRun run = runCli({"--new", "2,2", "-o", kept, "-o", later});
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(run.err, "Error saving file \"" + kept + "\"!\npictorane-cli: -o: the file name must end in .bmp, "
                       ".dib, .rle, .jpg, .jpeg, .jpe, .jfif, .png, .tif, .tiff, .webp, .avif or .ora\n");
    EXPECT_EQ(fileBytes(kept), "the user's file");
    EXPECT_FALSE(std::filesystem::exists(later)) << "steps after a failure do not run";

    const std::string noFolder = (std::filesystem::path(scratchPath("absent")) / "x.png").string();
    const CliRun unwritable = runCli({"--new", "2,2", "-o", noFolder});
    EXPECT_EQ(unwritable.code, 1);
    EXPECT_EQ(unwritable.err, "Error saving file \"" + noFolder + "\"!\n");
}

TEST(BatchRun, MarqueeSelectionsAreRecordedAndUndone) {
    const CliRun run = runCli({"--new", "10,10", "--select-rect", "2,3,5,7", "--info", "--undo", "--info",
                               "--redo", "--select-ellipse", "0,0,4,4", "--info"});
    ASSERT_EQ(run.code, 0) << run.err;
    const auto lines = infoLines(run.out);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_TRUE(contains(lines[0], "\"selection\":{\"left\":2,\"top\":3,\"right\":5,\"bottom\":7}")) << lines[0];
    EXPECT_TRUE(contains(lines[0], "\"history\":{\"position\":0,\"count\":1,\"names\":[\"Rectangular Marquee\"]}"));
    EXPECT_TRUE(contains(lines[1], "\"selection\":null"));
    EXPECT_TRUE(contains(lines[1], "\"history\":{\"position\":-1,\"count\":1,"));
    EXPECT_TRUE(contains(lines[2], "\"names\":[\"Rectangular Marquee\",\"Elliptical Marquee\"]}"));
    EXPECT_TRUE(contains(lines[2], "\"selection\":{\"left\":0,\"top\":0,\"right\":4,\"bottom\":4}"));
    EXPECT_TRUE(contains(lines[2], "\"modified\":false")) << "selections do not modify the document";
}

TEST(BatchRun, UndoWithNothingToUndoIsRefused) {
    const std::string out = scratchPath("refused.png");
    const CliRun run = runCli({"--new", "2,2", "--undo", "-o", out});
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(run.err, "pictorane-cli: --undo refused: needs a state to undo\n");
    EXPECT_FALSE(std::filesystem::exists(out));
    EXPECT_EQ(runCli({"--new", "2,2", "--redo"}).code, 1);
}

TEST(BatchRun, HistoryLimitDropsTheOldestStates) {
    const CliRun run = runCli({"--new", "9,9", "--select-rect", "0,0,1,1", "--select-rect", "0,0,2,2",
                               "--history-limit", "1", "--select-rect", "0,0,3,3", "--info"});
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_TRUE(contains(run.out, "\"history\":{\"position\":0,\"count\":1,\"names\":[\"Rectangular Marquee\"]}"))
        << run.out;
}

TEST(BatchRun, PlaceAddsTheFileAsOneUndoableLayer) {
    const std::string picture = scratchPath("dot.png");
    writeImage(picture, 2, 2, [](int32_t x, int32_t) { return x == 0 ? 0xFF0000u : 0x0000FFu; },
               [](int32_t x, int32_t y) { return uint8_t(x == 1 && y == 1 ? 0 : 255); });
    const std::string out = scratchPath("placed.png");
    const CliRun run = runCli({"--new", "6,5", "--place", picture + ",3,2", "--info", "-o", out, "--undo",
                               "--info", "--redo", "--info"});
    ASSERT_EQ(run.code, 0) << run.err;
    const size_t second = run.out.find('\n') + 1;
    const size_t third = run.out.find('\n', second) + 1;
    const std::string placed = run.out.substr(0, second);
    EXPECT_TRUE(contains(placed, "{\"name\":\"Layer 1\",\"kind\":\"raster\",\"x\":3,\"y\":2,\"width\":2,"
                                 "\"height\":2,\"visible\":true,\"blendMode\":\"Normal\",\"opacity\":255,"
                                 "\"background\":false,\"hasTransparencyMask\":true}"))
        << placed;
    EXPECT_TRUE(contains(placed, "\"activeLayer\":1"));
    EXPECT_TRUE(contains(placed, "\"modified\":true"));
    EXPECT_TRUE(contains(placed, "\"names\":[\"Place\"]"));
    const std::string undone = run.out.substr(second, third - second);
    EXPECT_FALSE(contains(undone, "Layer 1"));
    EXPECT_TRUE(contains(run.out.substr(third), "{\"name\":\"Layer 1\",\"kind\":\"raster\",\"x\":3,\"y\":2,"))
        << "redo places the same layer again";

    const DecodedImage image = readImage(out);
    EXPECT_EQ(image.at(3, 2), 0xFF0000u);
    EXPECT_EQ(image.at(4, 2), 0x0000FFu);
    EXPECT_EQ(image.at(4, 3), 0xFFFFFFu) << "the transparent pixel shows the background";
    EXPECT_EQ(image.at(2, 2), 0xFFFFFFu);
}

TEST(BatchRun, PlacingAnUnreadableFileFails) {
    const std::string missing = scratchPath("absent.png");
    const CliRun run = runCli({"--new", "2,2", "--place", missing, "--info"});
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(run.err, "Cannot open file \"" + missing + "\"!\nThe file does not exist.\n");
    EXPECT_TRUE(run.out.empty());
}

TEST(BatchRun, ActiveLayerMustExist) {
    const CliRun run = runCli({"--new", "2,2", "--active-layer", "1"});
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(run.err, "pictorane-cli: --active-layer refused: there is no layer 1 (the document has 1)\n");
    EXPECT_EQ(runCli({"--new", "2,2", "--active-layer", "0"}).code, 0);
}

TEST(BatchRun, InfoEscapesNamesIntoValidJson) {
    const std::string odd = scratchPath("a \"quoted\"\\name\x01\xff.png");
    writeImage(odd, 1, 1, [](int32_t, int32_t) { return 0u; });
    const CliRun run = runCli({odd, "--info"});
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_TRUE(contains(run.out, "a \\\"quoted\\\"\\\\name\\u0001\\ufffd.png\"")) << run.out;
}

} // namespace
} // namespace pict::test
