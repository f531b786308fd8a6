#include "document/Document.h"
#include "history/selection/ChannelStates.h"
#include "history/selection/SelectionState.h"
#include "support/DocumentFixtures.h"

#include <gtest/gtest.h>

namespace pict {
namespace {

class SelectionStatesTest : public ::testing::Test {
protected:
    SelectionStatesTest() : selection_(20, 10) {
        test::startWhiteDocument(document_, 20, 10);
    }
    SelectionController selection_;
    Document document_;
};

TEST_F(SelectionStatesTest, EveryApplyTakesAFreshCopy) {
    selection_.setShape(Rect{1, 1, 5, 5}, false);
    SelectInverseState inverse(selection_);
    ASSERT_TRUE(inverse.apply());
    ASSERT_TRUE(inverse.undo());
    EXPECT_EQ(selection_.mask().bounds(), (Rect{1, 1, 5, 5}));
    // The selection changed between undo and redo (as another window's undo could do):
    // the redo's undo must bring back what was there at the redo.
    selection_.setShape(Rect{2, 2, 8, 8}, false);
    ASSERT_TRUE(inverse.apply());
    ASSERT_TRUE(inverse.undo());
    EXPECT_EQ(selection_.mask().bounds(), (Rect{2, 2, 8, 8}));
    EXPECT_FALSE(inverse.undo());
}

TEST_F(SelectionStatesTest, ModifyStatesClampAtCreation) {
    EXPECT_DOUBLE_EQ(FeatherState(selection_, 0.05).radius(), 0.1);
    EXPECT_DOUBLE_EQ(FeatherState(selection_, 1000).radius(), 250);
    EXPECT_EQ(ModifyWidthState(selection_, ModifyCommand::Expand, 500).width(), 100);
    EXPECT_EQ(ModifyWidthState(selection_, ModifyCommand::Border, 0).width(), 1);
    EXPECT_EQ(ModifyWidthState(selection_, ModifyCommand::Contract, 5).name(), "Contract");
}

TEST_F(SelectionStatesTest, MarqueeOfAReversedRectangleSelectsItsNormalForm) {
    MarqueeState state(selection_, Rect{6, 7, 2, 3}, false);
    ASSERT_TRUE(state.apply());
    EXPECT_EQ(selection_.mask().bounds(), (Rect{2, 3, 6, 7}));
}

TEST_F(SelectionStatesTest, SaveSelectionFailsWithoutASelection) {
    SaveSelectionState state(selection_, document_, 0, "Alpha 1", CombineMode::New);
    EXPECT_FALSE(state.apply());
    EXPECT_EQ(document_.channelsIfAny() ? document_.channels().count() : 0, 0);
}

TEST_F(SelectionStatesTest, SaveSelectionClampsItsChannelIndex) {
    selection_.setShape(Rect{1, 1, 5, 5}, false);
    SaveSelectionState state(selection_, document_, 42, "Mine", CombineMode::New);
    EXPECT_EQ(state.channel(), 0);
    ASSERT_TRUE(state.apply());
    ASSERT_EQ(document_.channels().count(), 1);
    EXPECT_EQ(document_.channels().at(0)->name(), "Mine");
    ASSERT_TRUE(state.undo());
    EXPECT_EQ(document_.channels().count(), 0);
    EXPECT_FALSE(document_.isModified());
}

TEST_F(SelectionStatesTest, SaveIntoAChannelOfAnotherSizeFails) {
    selection_.setShape(Rect{1, 1, 5, 5}, false);
    SaveSelectionState create(selection_, document_, 0, "A", CombineMode::New);
    ASSERT_TRUE(create.apply());
    ASSERT_TRUE(document_.rotate(90));
    selection_.resetCanvas(10, 20);
    selection_.setShape(Rect{1, 1, 5, 5}, false);
    SaveSelectionState into(selection_, document_, 0, "", CombineMode::Add);
    EXPECT_FALSE(into.apply());
}

} // namespace
} // namespace pict
