// The command layer's records must stay usable by callers that see only the headers.
#include "app/commands/DocumentCommands.h"
#include "app/session/DocumentSession.h"

#include <gtest/gtest.h>

namespace pict {
namespace {

TEST(CommandResult, OnlySuccessfulOutcomesAreTrue) {
    EXPECT_TRUE(CommandResult{CommandOutcome::Done});
    EXPECT_TRUE(CommandResult{CommandOutcome::Unchanged});
    EXPECT_FALSE(CommandResult{CommandOutcome::Refused});
    EXPECT_FALSE(CommandResult{CommandOutcome::Failed});
    EXPECT_FALSE(CommandResult{});
}

TEST(CommandParams, DefaultsMatchTheDialogs) {
    CommandParams p = LayerParams{};
    EXPECT_EQ(std::get<LayerParams>(p).opacity, 255);
    EXPECT_EQ(std::get<LayerParams>(p).layer, -1);
    EXPECT_EQ(FeatherParams{}.radius, 1.0);
    EXPECT_EQ(ModifyParams{}.pixels, 1);
}

} // namespace
} // namespace pict
