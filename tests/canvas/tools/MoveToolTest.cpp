#include "canvas/tools/MoveTool.h"

#include <gtest/gtest.h>

namespace pict {
namespace {

TEST(MoveTool, TargetFollowsTheSelectionAndAlt) {
    EXPECT_EQ(moveTargetFor(false, false), MoveTarget::Layer);
    EXPECT_EQ(moveTargetFor(false, true), MoveTarget::Layer) << "Alt without a selection still moves the layer";
    EXPECT_EQ(moveTargetFor(true, false), MoveTarget::Pixels);
    EXPECT_EQ(moveTargetFor(true, true), MoveTarget::Outline);
}

TEST(MoveTool, DragOffsetsAreWholePixelsFromThePressPlusTheBase) {
    MoveTool tool;
    EXPECT_FALSE(tool.drag(3, 3)) << "no drag without a press";
    tool.press(10.25, 20.75, MoveTarget::Pixels, {5, -1});
    EXPECT_TRUE(tool.isDragging());
    EXPECT_FALSE(tool.drag(10.5, 20.9)) << "less than half a pixel changes nothing";
    EXPECT_EQ(tool.drag(40.25, 8.75), (Point{35, -13}));
    EXPECT_FALSE(tool.drag(40.3, 8.7)) << "the same offset is not reported twice";
    EXPECT_EQ(tool.release(41.25, 8.75), (Point{36, -13}));
    EXPECT_FALSE(tool.isDragging());
    EXPECT_FALSE(tool.release(0, 0));
}

TEST(MoveTool, CancelEndsTheDrag) {
    MoveTool tool;
    tool.press(0, 0, MoveTarget::Layer);
    tool.cancel();
    EXPECT_FALSE(tool.isDragging());
    EXPECT_FALSE(tool.drag(5, 5));
}

TEST(MoveTool, ArrowsNudgeOneOrTenPixels) {
    EXPECT_EQ(nudgeOffset(ToolKey::Left, false), (Point{-1, 0}));
    EXPECT_EQ(nudgeOffset(ToolKey::Right, true), (Point{10, 0}));
    EXPECT_EQ(nudgeOffset(ToolKey::Up, true), (Point{0, -10}));
    EXPECT_EQ(nudgeOffset(ToolKey::Down, false), (Point{0, 1}));
    EXPECT_FALSE(nudgeOffset(ToolKey::Enter, false));
    EXPECT_FALSE(nudgeOffset(ToolKey::Escape, true));
}

} // namespace
} // namespace pict
