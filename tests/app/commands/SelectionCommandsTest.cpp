#include "app/SessionFixture.h"
#include "history/selection/ChannelStates.h"
#include "history/selection/SelectionState.h"

namespace pict {
namespace {

class SelectionCommandsTest : public test::SessionTest {
protected:
    int32_t channelCount() {
        const AlphaChannelList* channels = document().channelsIfAny();
        return channels ? channels->count() : 0;
    }
    std::string channelName(int32_t index) { return document().channels().at(index)->name(); }
    uint8_t channelAt(int32_t index, int32_t x, int32_t y) {
        return document().channels().at(index)->mask().row(y)[x];
    }
    void select(Rect rect) { ASSERT_EQ(commands_.selectMarquee(rect, false).outcome, CommandOutcome::Done); }
};

TEST_F(SelectionCommandsTest, SelectionCommandsAreRefusedWithoutASelection) {
    for (uint16_t id : {kCmdDeselect, kCmdSelectInverse, kCmdFeather, kCmdExpand, kCmdContract, kCmdBorder,
                        kCmdGrow, kCmdSimilar, kCmdSaveSelection})
        expectRefused(id);
    expectRefused(kCmdLoadSelection);
    EXPECT_EQ(channelCount(), 0);
}

TEST_F(SelectionCommandsTest, DeselectWithoutSelectionAddsNothing) {
    EXPECT_EQ(run(kCmdDeselect), CommandOutcome::Refused);
    EXPECT_EQ(history().count(), 0);
}

TEST_F(SelectionCommandsTest, SelectAllThenInverseIsEmpty) {
    EXPECT_EQ(run(kCmdSelectAll), CommandOutcome::Done);
    EXPECT_EQ(history().undoName(), "Select Canavs");
    EXPECT_EQ(selection().mask().bounds(), document().canvasRect());
    EXPECT_EQ(run(kCmdSelectInverse), CommandOutcome::Done);
    EXPECT_EQ(history().undoName(), "Select Inverse");
    EXPECT_TRUE(selection().isEmpty());
    // With nothing left, the next inverse is refused.
    expectRefused(kCmdSelectInverse);

    run(kCmdUndo);
    EXPECT_EQ(selection().mask().bounds(), document().canvasRect());
    run(kCmdUndo);
    EXPECT_TRUE(selection().isEmpty());
    EXPECT_FALSE(document().isModified());
}

TEST_F(SelectionCommandsTest, DeselectRecordsAndUndoBringsTheSelectionBack) {
    select(Rect{3, 4, 10, 12});
    EXPECT_EQ(run(kCmdDeselect), CommandOutcome::Done);
    EXPECT_TRUE(selection().isEmpty());
    EXPECT_EQ(history().count(), 2);
    run(kCmdUndo);
    EXPECT_EQ(selection().mask().bounds(), (Rect{3, 4, 10, 12}));
    run(kCmdRedo);
    EXPECT_TRUE(selection().isEmpty());
}

TEST_F(SelectionCommandsTest, ModifyValuesAreClampedWhenTheStateIsMade) {
    select(Rect{10, 10, 20, 20});
    ASSERT_EQ(run(kCmdFeather, FeatherParams{0.0}), CommandOutcome::Done);
    const auto* feather = dynamic_cast<const FeatherState*>(history().stateAt(history().position()));
    ASSERT_TRUE(feather);
    EXPECT_DOUBLE_EQ(feather->radius(), 0.1);
    EXPECT_EQ(feather->name(), "Feather");
    run(kCmdUndo);

    ASSERT_EQ(run(kCmdExpand, ModifyParams{500}), CommandOutcome::Done);
    const auto* expand = dynamic_cast<const ModifyWidthState*>(history().stateAt(history().position()));
    ASSERT_TRUE(expand);
    EXPECT_EQ(expand->width(), 100);
    EXPECT_EQ(expand->name(), "Expand");
    EXPECT_EQ(selection().mask().bounds(), document().canvasRect());
    run(kCmdUndo);
    EXPECT_EQ(selection().mask().bounds(), (Rect{10, 10, 20, 20}));

    ASSERT_EQ(run(kCmdContract, ModifyParams{-3}), CommandOutcome::Done);
    EXPECT_EQ(history().undoName(), "Contract");
    EXPECT_EQ(selection().mask().bounds(), (Rect{11, 11, 19, 19}));
    run(kCmdUndo);

    ASSERT_EQ(run(kCmdBorder, ModifyParams{1}), CommandOutcome::Done);
    EXPECT_EQ(history().undoName(), "Border");
    EXPECT_EQ(selection().mask().coverageAt(15, 15), 0);
    EXPECT_FALSE(document().isModified());
}

TEST_F(SelectionCommandsTest, ParametersOfAnotherCommandFailWithoutRecording) {
    select(Rect{10, 10, 20, 20});
    EXPECT_EQ(run(kCmdFeather, ModifyParams{3}), CommandOutcome::Failed);
    EXPECT_EQ(history().count(), 1);
}

TEST_F(SelectionCommandsTest, ToggleSelectionAsksTheViewAndRecordsNothing) {
    EXPECT_TRUE(commands_.isEnabled(kCmdToggleSelection));
    EXPECT_EQ(run(kCmdToggleSelection), CommandOutcome::ViewChange);
    EXPECT_EQ(view_.outlineToggles, 1);
    EXPECT_FALSE(selection().outlineVisible());
    EXPECT_EQ(history().count(), 0);
}

TEST_F(SelectionCommandsTest, GrowUsesTheToleranceOfTheApplication) {
    // Left half 100, right half 110.
    RasterLayer* layer = addLayer("Halves", document().canvasRect(), 100);
    for (int32_t y = 0; y < document().height(); ++y)
        for (int32_t x = 20 * 3; x < 40 * 3; ++x)
            layer->color().row(y)[x] = 110;
    select(Rect{2, 2, 4, 4});

    app_.similarityTolerance = 5;
    ASSERT_EQ(run(kCmdGrow), CommandOutcome::Done);
    EXPECT_EQ(history().undoName(), "Grow");
    EXPECT_EQ(selection().mask().bounds(), (Rect{0, 0, 20, 30}));
    run(kCmdUndo);

    app_.similarityTolerance = 10;
    ASSERT_EQ(run(kCmdSimilar), CommandOutcome::Done);
    EXPECT_EQ(history().undoName(), "Similar");
    EXPECT_EQ(selection().mask().bounds(), document().canvasRect());
}

TEST_F(SelectionCommandsTest, SimilarTreatsTheCanvasOutsideASmallLayerAsTransparent) {
    addLayer("Black", Rect{0, 0, 10, 10}, 0);
    select(Rect{2, 2, 4, 4});
    ASSERT_EQ(run(kCmdSimilar), CommandOutcome::Done);
    EXPECT_EQ(selection().mask().bounds(), (Rect{0, 0, 10, 10}));
}

TEST_F(SelectionCommandsTest, GrowOnANonRasterLayerIsRecordedButChangesNothing) {
    auto empty = std::make_unique<EmptyLayer>(&layers());
    layers().add(std::move(empty));
    select(Rect{2, 2, 4, 4});
    EXPECT_EQ(run(kCmdGrow), CommandOutcome::Done);
    EXPECT_EQ(selection().mask().bounds(), (Rect{2, 2, 4, 4}));
}

TEST_F(SelectionCommandsTest, SaveToNewChannelsNamesThemInTurn) {
    select(Rect{2, 2, 6, 6});
    ASSERT_EQ(run(kCmdSaveSelection), CommandOutcome::Done);
    ASSERT_EQ(run(kCmdSaveSelection, SaveSelectionParams{-1, "", CombineMode::Subtract}),
              CommandOutcome::Done);
    ASSERT_EQ(channelCount(), 2);
    EXPECT_EQ(channelName(0), "Alpha 1");
    EXPECT_EQ(channelName(1), "Alpha 2");
    EXPECT_EQ(history().undoName(), "Save Selection");
    // A new channel is the selection itself, whatever operation came with it.
    EXPECT_EQ(channelAt(1, 3, 3), 255);
    EXPECT_EQ(document().channels().at(1)->size(), document().canvasSize());

    ASSERT_EQ(run(kCmdSaveSelection, SaveSelectionParams{99, "Alpha 7", CombineMode::New}),
              CommandOutcome::Done);
    ASSERT_EQ(run(kCmdSaveSelection, SaveSelectionParams{3, "", CombineMode::New}), CommandOutcome::Done);
    EXPECT_EQ(channelName(2), "Alpha 7");
    EXPECT_EQ(channelName(3), "Alpha 8");
    EXPECT_FALSE(document().isModified());
}

TEST_F(SelectionCommandsTest, UndoOfSaveToANewChannelLeavesTheListAsItWas) {
    select(Rect{2, 2, 6, 6});
    run(kCmdSaveSelection, SaveSelectionParams{-1, "Keep", CombineMode::New});
    run(kCmdSaveSelection);
    ASSERT_EQ(channelCount(), 2);
    const AlphaChannel* kept = document().channels().at(0);

    run(kCmdUndo);
    ASSERT_EQ(channelCount(), 1);
    EXPECT_EQ(document().channels().at(0), kept);
    EXPECT_EQ(channelName(0), "Keep");

    run(kCmdRedo);
    ASSERT_EQ(channelCount(), 2);
    EXPECT_EQ(channelName(1), "Alpha 1");
}

TEST_F(SelectionCommandsTest, SaveIntoAChannelCombinesAndUndoRestoresIt) {
    select(Rect{2, 2, 6, 6});
    run(kCmdSaveSelection);
    select(Rect{4, 4, 10, 10});
    ASSERT_EQ(run(kCmdSaveSelection, SaveSelectionParams{0, "ignored", CombineMode::Add}),
              CommandOutcome::Done);
    ASSERT_EQ(channelCount(), 1);
    EXPECT_EQ(channelName(0), "Alpha 1");
    EXPECT_EQ(channelAt(0, 2, 2), 255);
    EXPECT_EQ(channelAt(0, 9, 9), 255);

    run(kCmdUndo);
    EXPECT_EQ(channelAt(0, 2, 2), 255);
    EXPECT_EQ(channelAt(0, 9, 9), 0);

    select(Rect{4, 4, 10, 10});
    ASSERT_EQ(run(kCmdSaveSelection, SaveSelectionParams{0, "", CombineMode::Intersect}),
              CommandOutcome::Done);
    EXPECT_EQ(channelAt(0, 2, 2), 0);
    EXPECT_EQ(channelAt(0, 5, 5), 255);
}

TEST_F(SelectionCommandsTest, LoadSelectionCombinesTheChannel) {
    select(Rect{2, 2, 6, 6});
    run(kCmdSaveSelection);
    select(Rect{10, 10, 14, 14});

    ASSERT_TRUE(commands_.isEnabled(kCmdLoadSelection));
    ASSERT_EQ(run(kCmdLoadSelection, LoadSelectionParams{0, CombineMode::Add, false}), CommandOutcome::Done);
    EXPECT_EQ(history().undoName(), "Load Selection");
    EXPECT_EQ(selection().mask().bounds(), (Rect{2, 2, 14, 14}));
    run(kCmdUndo);
    EXPECT_EQ(selection().mask().bounds(), (Rect{10, 10, 14, 14}));

    ASSERT_EQ(run(kCmdLoadSelection), CommandOutcome::Done);
    EXPECT_EQ(selection().mask().bounds(), (Rect{2, 2, 6, 6}));
    run(kCmdUndo);

    ASSERT_EQ(run(kCmdLoadSelection, LoadSelectionParams{0, CombineMode::New, true}), CommandOutcome::Done);
    EXPECT_EQ(selection().mask().bounds(), document().canvasRect());
    EXPECT_EQ(selection().mask().coverageAt(3, 3), 0);
}

TEST_F(SelectionCommandsTest, LoadOfAMissingChannelIsRecordedAndChangesNothing) {
    select(Rect{2, 2, 6, 6});
    run(kCmdSaveSelection);
    select(Rect{10, 10, 14, 14});
    EXPECT_EQ(run(kCmdLoadSelection, LoadSelectionParams{5, CombineMode::New, false}), CommandOutcome::Done);
    EXPECT_EQ(selection().mask().bounds(), (Rect{10, 10, 14, 14}));
}

TEST_F(SelectionCommandsTest, LoadOfAChannelThatNoLongerFitsTheCanvasIsRefusedWithAReason) {
    select(Rect{2, 2, 6, 6});
    run(kCmdSaveSelection);
    const Size saved = document().canvasSize();
    ASSERT_TRUE(document().rotate(90));
    session_.canvasSizeChanged();
    select(Rect{1, 1, 3, 3});
    const int32_t count = history().count();
    const CommandResult result =
        commands_.execute(kCmdLoadSelection, LoadSelectionParams{0, CombineMode::Add, false});
    EXPECT_EQ(result.outcome, CommandOutcome::Refused);
    const Size canvas = document().canvasSize();
    EXPECT_EQ(result.message, "Cannot load \"Alpha 1\": the channel was saved at " + std::to_string(saved.width) +
                                  " x " + std::to_string(saved.height) + " pixels and the canvas is now " +
                                  std::to_string(canvas.width) + " x " + std::to_string(canvas.height) + ".");
    EXPECT_EQ(history().count(), count);
    EXPECT_EQ(selection().mask().bounds(), (Rect{1, 1, 3, 3}));
}

TEST_F(SelectionCommandsTest, MarqueeReplacesTheSelectionInOneStepThatUndoes) {
    select(Rect{3, 4, 10, 12});
    EXPECT_EQ(commands_.selectMarquee(Rect{20, 10, 30, 25}, false).outcome, CommandOutcome::Done);
    EXPECT_EQ(history().count(), 2);
    EXPECT_EQ(history().undoName(), "Rectangular Marquee");
    EXPECT_EQ(selection().mask().bounds(), (Rect{20, 10, 30, 25})) << "replaced, not added";
    EXPECT_EQ(selection().mask().coverageAt(25, 20), 255);
    EXPECT_EQ(selection().mask().coverageAt(5, 5), 0);
    EXPECT_FALSE(document().isModified());
    run(kCmdUndo);
    EXPECT_EQ(selection().mask().bounds(), (Rect{3, 4, 10, 12}));
    EXPECT_EQ(selection().mask().coverageAt(5, 5), 255);

    // Reaching past the canvas selects up to its edge; an empty shape records nothing.
    EXPECT_EQ(commands_.selectMarquee(Rect{30, 20, 60, 50}, false).outcome, CommandOutcome::Done);
    EXPECT_EQ(selection().mask().bounds(), (Rect{30, 20, 40, 30}));
    const int32_t count = history().count();
    EXPECT_EQ(commands_.selectMarquee(Rect{5, 5, 5, 20}, false).outcome, CommandOutcome::Refused);
    EXPECT_EQ(history().count(), count);
}

TEST_F(SelectionCommandsTest, SelectionStatesTellTheView) {
    const int before = view_.selectionChanges;
    run(kCmdSelectAll);
    EXPECT_GT(view_.selectionChanges, before);
}

} // namespace
} // namespace pict

namespace pict {
namespace {

using SessionGeometryTest = test::SessionTest;

// The session drops a selection that no longer fits the canvas, but the undo of a rotation
// brings the canvas back before the selection, which must survive.
TEST_F(SessionGeometryTest, UndoOfARotationBringsTheSelectionBack) {
    ASSERT_EQ(commands_.selectMarquee(Rect{2, 3, 9, 7}, false).outcome, CommandOutcome::Done);
    ASSERT_EQ(run(kCmdRotate90CW), CommandOutcome::Done);
    EXPECT_TRUE(selection().isEmpty());
    EXPECT_EQ(selection().mask().canvasWidth(), 30);
    EXPECT_EQ(selection().mask().canvasHeight(), 40);

    run(kCmdUndo);
    EXPECT_EQ(document().width(), 40);
    EXPECT_EQ(selection().mask().canvasWidth(), 40);
    EXPECT_EQ(selection().mask().bounds(), (Rect{2, 3, 9, 7}));

    run(kCmdRedo);
    EXPECT_EQ(document().width(), 30);
    EXPECT_TRUE(selection().isEmpty());
    run(kCmdUndo);

    // The selection still works on the restored canvas.
    EXPECT_EQ(run(kCmdSelectInverse), CommandOutcome::Done);
    EXPECT_EQ(selection().mask().bounds(), document().canvasRect());
    EXPECT_EQ(selection().mask().coverageAt(3, 4), 0);
}

} // namespace
} // namespace pict

namespace pict {
namespace {

// The wand's anti-aliased edge: the same region, its rim softened inside it.
TEST_F(SelectionCommandsTest, AnAntiAliasedWandSoftensTheRegionsRim) {
    addLayer("Square", Rect{10, 10, 20, 18}, 40);
    MagicWandParams wand;
    wand.point = {12, 12};
    wand.tolerance = 0;
    ASSERT_EQ(run(kCmdMagicWand, wand), CommandOutcome::Done);
    const SelectionMask& hard = selection().mask();
    EXPECT_EQ(hard.bounds(), (Rect{10, 10, 20, 18}));
    EXPECT_EQ(hard.coverageAt(10, 12), 255);

    wand.antiAlias = true;
    ASSERT_EQ(run(kCmdMagicWand, wand), CommandOutcome::Done);
    EXPECT_EQ(history().undoName(), "Magic Wand");
    const SelectionMask& soft = selection().mask();
    EXPECT_EQ(soft.bounds(), (Rect{10, 10, 20, 18}));
    EXPECT_EQ(soft.coverageAt(14, 14), 255);
    EXPECT_EQ(soft.coverageAt(10, 14), 170);
    EXPECT_EQ(soft.coverageAt(19, 17), 113);
    EXPECT_EQ(soft.coverageAt(9, 14), 0);
}

} // namespace
} // namespace pict
