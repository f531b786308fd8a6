// Pictures that need more memory than --max-memory allows (1 GiB unless the command line
// starts with another limit) are refused before any pixels are allocated: a source file, a
// new picture and a placed file alike.
#include "batch/CliTestSupport.h"
#include "support/ClaimingBitmap.h"

#include <gtest/gtest.h>

namespace pict::test {
namespace {

TEST(MaxMemory, ASmallFileClaimingAHugePictureIsRefusedAtOnce) {
    const std::string claim = writeClaimingBitmap(scratchPath("claims.bmp"), 20000, 20000);
    ASSERT_EQ(std::filesystem::file_size(claim), 1080u);
    const CliRun run = runCli({claim, "--info"});
    EXPECT_EQ(run.code, 1);
    const std::string name = std::filesystem::path(claim).filename().string();
    EXPECT_EQ(run.err, "Cannot open file \"" + claim + "\"!\n" + name +
                           " is 20000 \xC3\x97 20000 pixels and needs about 3.0 GiB of memory, more "
                           "than the 1024 MiB allowed; start the command line with --max-memory MIB to allow more\n");
    EXPECT_TRUE(run.out.empty());
}

TEST(MaxMemory, TheLimitComesFirstAndHoldsForEverySource) {
    // 600 x 600 needs 600 x 600 x 4 x 2 bytes, about 2.7 MiB.
    const std::string file = scratchPath("six.png");
    writeImage(file, 600, 600, [](int32_t, int32_t) { return 0x336699u; });
    const CliRun refused = runCli({"--max-memory", "2", file, "--info"});
    EXPECT_EQ(refused.code, 1);
    const std::string name = std::filesystem::path(file).filename().string();
    EXPECT_TRUE(contains(refused.err, name + " is 600 \xC3\x97 600 pixels and needs about 3 MiB of memory, more than "
                                      "the 2 MiB allowed"))
        << refused.err;
    const CliRun allowed = runCli({"--max-memory", "3", file, "--info"});
    EXPECT_EQ(allowed.code, 0) << allowed.err;
    EXPECT_TRUE(contains(allowed.out, "\"width\":600"));

    const CliRun bigNew = runCli({"--max-memory", "2", "--new", "600,600", "--info"});
    EXPECT_EQ(bigNew.code, 1);
    EXPECT_TRUE(contains(bigNew.err, "The new picture is 600 \xC3\x97 600 pixels")) << bigNew.err;
    EXPECT_EQ(runCli({"--max-memory", "3", "--new", "600,600"}).code, 0);

    // A placed file is checked the same way, before it is read.
    const CliRun placed = runCli({"--max-memory", "2", "--new", "10,10", "--place", file, "--info"});
    EXPECT_EQ(placed.code, 1);
    EXPECT_TRUE(contains(placed.err, "Cannot open file \"" + file + "\"!\n" + name + " is 600")) << placed.err;
    EXPECT_TRUE(placed.out.empty());
}

TEST(MaxMemory, AMisplacedOrMalformedLimitIsAUsageError) {
    EXPECT_EQ(runCli({"--new", "4,4", "--max-memory", "64"}).code, 2) << "only before the source";
    EXPECT_TRUE(contains(runCli({"--new", "4,4", "--max-memory", "64"}).err, "--max-memory must come first"));
    EXPECT_EQ(runCli({"--max-memory"}).code, 2);
    EXPECT_EQ(runCli({"--max-memory", "0", "--new", "4,4"}).code, 2);
    EXPECT_EQ(runCli({"--max-memory", "many", "--new", "4,4"}).code, 2);
    EXPECT_EQ(runCli({"--max-memory", "64"}).code, 2) << "no source";
    EXPECT_EQ(runCli({"--max-memory", "64", "--max-memory", "64", "--new", "4,4"}).code, 2);
    EXPECT_EQ(runCli({"--max-memory", "64", "--new", "4,4"}).code, 0);
    EXPECT_TRUE(contains(runCli({"--help"}).out, "[--max-memory MIB] SOURCE"));
}

} // namespace
} // namespace pict::test
