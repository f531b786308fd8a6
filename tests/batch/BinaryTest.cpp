// The built executable: exit statuses, the help listing and a real file written.

#include "batch/BatchSteps.h"
#include "batch/CliTestSupport.h"

#include <gtest/gtest.h>

namespace pict::test {
namespace {

TEST(CliBinary, HelpListsEveryStep) {
    const CliRun run = runCliBinary({"--help"});
    ASSERT_EQ(run.code, 0);
    EXPECT_TRUE(contains(run.out, "Usage: pictorane-cli [--max-memory MIB] SOURCE [STEP]..."));
    EXPECT_TRUE(contains(run.out, "  --new W,H[,white|background|transparent]"));
    for (const batch::StepSection& group : batch::stepSections())
        for (const batch::BatchStep& step : group.steps)
            EXPECT_TRUE(contains(run.out, "  " + std::string(step.name))) << step.name;
}

TEST(CliBinary, ExitStatusesTellUsageFromFailure) {
    const CliRun none = runCliBinary({});
    EXPECT_EQ(none.code, 2);
    EXPECT_TRUE(contains(none.err, "Usage:"));
    EXPECT_TRUE(none.out.empty());
    EXPECT_EQ(runCliBinary({"--new", "2,2", "--frobnicate"}).code, 2);
    EXPECT_EQ(runCliBinary({scratchPath("missing.bmp")}).code, 1);
}

TEST(CliBinary, WritesTheFile) {
    const std::string out = scratchPath("binary.bmp");
    const CliRun run = runCliBinary({"--new", "7,3,white", "-o", out, "--info"});
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(fileBytes(out).substr(0, 2), "BM");
    EXPECT_TRUE(contains(run.out, "\"width\":7,\"height\":3,"));
    EXPECT_EQ(readImage(out).at(6, 2), 0xFFFFFFu);
}

} // namespace
} // namespace pict::test
