#include "app/core/CommandTable.h"
#include "canvas/ZoomSteps.h"

#include <gtest/gtest.h>

namespace pict {
namespace {

// The Canvas Zoom menu's texts come from the command table, the factors from the view's
// preset table: both must name the same ids.
TEST(ZoomCommands, PresetTableAndCommandTableAgree) {
    for (const ZoomPreset& preset : zoomPresets()) {
        const CommandInfo* info = findCommand(preset.commandId);
        ASSERT_NE(info, nullptr) << preset.commandId;
        EXPECT_STREQ(info->menuText, preset.label);
        EXPECT_EQ(info->route, CommandRoute::DocumentFrame);
    }
}

} // namespace
} // namespace pict
