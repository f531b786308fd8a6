// The Move tool's gestures turned into history states: one state per layer drag, one for a
// float however many drags and nudges it takes, merged nudges, and what ends a float.
#include "app/SessionFixture.h"
#include "app/session/MoveToolInput.h"

namespace pict {
namespace {

class MoveToolInputTest : public test::SessionTest {
protected:
    MoveToolInputTest() : input_(commands_, [this](const CommandResult& result) { results_.push_back(result); }) {}

    static ToolPointer pointer(double x, double y, bool alt = false) {
        ToolPointer p;
        p.x = x;
        p.y = y;
        p.alt = alt;
        return p;
    }
    void drag(Point from, Point to, bool alt = false) {
        input_.press(pointer(from.x + 0.5, from.y + 0.5, alt));
        input_.move(pointer((from.x + to.x) / 2 + 0.5, (from.y + to.y) / 2 + 0.5, alt));
        input_.release(pointer(to.x + 0.5, to.y + 0.5, alt));
    }
    void select(Rect rect) { ASSERT_EQ(commands_.selectMarquee(rect, false).outcome, CommandOutcome::Done); }

    MoveToolInput input_;
    std::vector<CommandResult> results_;
};

TEST_F(MoveToolInputTest, EachLayerDragIsOneStateAndADragBackRecordsNothing) {
    RasterLayer* layer = addLayer("Top", Rect{0, 0, 10, 10});
    drag({5, 5}, {35, -7});
    EXPECT_EQ(layer->position(), (Point{30, -12}));
    EXPECT_EQ(history().count(), 1);
    drag({5, 5}, {6, 5});
    EXPECT_EQ(history().count(), 2);
    input_.press(pointer(1, 1));
    input_.move(pointer(9, 9));
    input_.release(pointer(1, 1));
    EXPECT_EQ(history().count(), 2) << "dragged back where it started";
    EXPECT_EQ(layer->position(), (Point{31, -12}));
    EXPECT_FALSE(history().canRedo());
}

TEST_F(MoveToolInputTest, TheBackgroundLayerRefusesAndSaysSo) {
    drag({5, 5}, {9, 9});
    EXPECT_EQ(history().count(), 0);
    ASSERT_FALSE(results_.empty());
    EXPECT_EQ(results_.back().outcome, CommandOutcome::Refused);
}

TEST_F(MoveToolInputTest, ConsecutiveNudgesMergeIntoOneState) {
    RasterLayer* layer = addLayer("Top", Rect{0, 0, 10, 10});
    EXPECT_TRUE(input_.key(ToolKey::Right, false));
    EXPECT_TRUE(input_.key(ToolKey::Right, true));
    EXPECT_TRUE(input_.key(ToolKey::Up, false));
    EXPECT_EQ(layer->position(), (Point{11, -1}));
    EXPECT_EQ(history().count(), 1);
    ASSERT_TRUE(history().undo());
    EXPECT_EQ(layer->position(), (Point{0, 0}));
    ASSERT_TRUE(history().redo());
    drag({5, 5}, {6, 5});
    EXPECT_TRUE(input_.key(ToolKey::Left, false));
    EXPECT_EQ(history().count(), 3) << "a drag between nudges starts a new run";
    EXPECT_EQ(layer->position(), (Point{11, -1}));
}

TEST_F(MoveToolInputTest, AFloatIsOneStateUntilEnterAndAnotherAfter) {
    RasterLayer* layer = addLayer("Top", Rect{0, 0, 40, 30}, 90);
    select(Rect{2, 2, 6, 6});
    drag({3, 3}, {8, 3});
    input_.key(ToolKey::Down, true);
    drag({8, 13}, {9, 13});
    EXPECT_TRUE(input_.isFloating());
    EXPECT_EQ(history().count(), 2) << "the marquee and one Move Selection";
    EXPECT_EQ(selection().mask().bounds(), (Rect{8, 12, 12, 16}));
    EXPECT_EQ(layer->alphaAt(8, 12), 255);
    EXPECT_EQ(layer->alphaAt(2, 2), 0);
    EXPECT_TRUE(input_.key(ToolKey::Enter, false));
    EXPECT_FALSE(input_.isFloating());
    EXPECT_FALSE(input_.key(ToolKey::Enter, false)) << "nothing left to commit";
    input_.key(ToolKey::Left, false);
    EXPECT_EQ(history().count(), 3);
    ASSERT_TRUE(history().undo());
    ASSERT_TRUE(history().undo());
    EXPECT_EQ(layer->alphaAt(2, 2), 255);
    EXPECT_EQ(layer->alphaAt(8, 12), 255);
    EXPECT_EQ(selection().mask().bounds(), (Rect{2, 2, 6, 6}));
}

TEST_F(MoveToolInputTest, AnotherCommandEndsTheFloat) {
    addLayer("Top", Rect{0, 0, 40, 30}, 90);
    select(Rect{2, 2, 6, 6});
    drag({3, 3}, {8, 3});
    ASSERT_EQ(run(kCmdDeselect), CommandOutcome::Done);
    EXPECT_FALSE(input_.isFloating());
    EXPECT_FALSE(input_.key(ToolKey::Escape, false)) << "Escape no longer takes the move back";
    EXPECT_EQ(history().undoName(), "Deselect");
}

TEST_F(MoveToolInputTest, EscapeDuringALayerDragDropsIt) {
    RasterLayer* layer = addLayer("Top", Rect{0, 0, 10, 10});
    input_.press(pointer(1, 1));
    input_.move(pointer(9, 9));
    EXPECT_EQ(layer->position(), (Point{8, 8}));
    EXPECT_TRUE(input_.key(ToolKey::Escape, false));
    EXPECT_EQ(layer->position(), (Point{0, 0}));
    EXPECT_EQ(history().count(), 0);
    input_.release(pointer(9, 9));
    EXPECT_EQ(history().count(), 0) << "the release after Escape moves nothing";
}

} // namespace
} // namespace pict
