#include "history/FailingAllocations.h"

#include "document/Document.h"
#include "document/Layer.h"
#include "history/HistoryManager.h"
#include "history/layers/LayerPropertyStates.h"
#include "history/layers/LayerStructureStates.h"
#include "support/DocumentFixtures.h"

#include <gtest/gtest.h>

#include <memory>

namespace pict {
namespace {

class LayerStatesTest : public ::testing::Test {
protected:
    LayerStatesTest() {
        test::startWhiteDocument(document_, 8, 8);
        addEmpty("Top");
    }
    void addEmpty(const std::string& name) {
        auto layer = std::make_unique<EmptyLayer>(&document_.layers());
        layer->setName(name);
        document_.layers().add(std::move(layer));
    }
    LayerStack& layers() { return document_.layers(); }
    Document document_;
};

TEST_F(LayerStatesTest, PropertyStatesFailOnAnIndexWithoutALayer) {
    RenameLayerState rename(document_, 7, "x");
    BlendModeState mode(document_, 7, 2);
    LayerOpacityState opacity(document_, -1, 3);
    EXPECT_FALSE(rename.apply());
    EXPECT_FALSE(mode.apply());
    EXPECT_FALSE(opacity.apply());
    EXPECT_FALSE(rename.undo());
    EXPECT_FALSE(mode.undo());
    EXPECT_FALSE(opacity.undo());
}

TEST_F(LayerStatesTest, PropertyStatesRoundTripAndMarkModifiedThroughTheHistory) {
    HistoryManager history;
    ASSERT_TRUE(history.add(std::make_unique<BlendModeState>(document_, 1, 5), false));
    ASSERT_TRUE(history.add(std::make_unique<LayerOpacityState>(document_, 1, 10), false));
    ASSERT_TRUE(history.add(std::make_unique<RenameLayerState>(document_, 1, "New name"), false));
    EXPECT_TRUE(document_.isModified());
    EXPECT_EQ(layers().layerAt(1)->blendMode(), 5);
    EXPECT_EQ(layers().layerAt(1)->opacity(), 10);
    EXPECT_EQ(layers().nameAt(1), "New name");
    history.undo();
    history.undo();
    history.undo();
    EXPECT_EQ(layers().layerAt(1)->blendMode(), 0);
    EXPECT_EQ(layers().layerAt(1)->opacity(), 255);
    EXPECT_EQ(layers().nameAt(1), "Top");
}

TEST_F(LayerStatesTest, BlendModeStateRejectsModesOutsideTheEnumeration) {
    BlendModeState state(document_, 1, 19);
    EXPECT_FALSE(state.apply());
    EXPECT_EQ(layers().layerAt(1)->blendMode(), 0);
}

TEST_F(LayerStatesTest, DeleteStateOwnsItsLayerUntilUndone) {
    const Layer* top = layers().layerAt(1);
    {
        DeleteLayerState state(document_, 1);
        ASSERT_TRUE(state.apply());
        EXPECT_EQ(state.heldLayer(), top);
        EXPECT_EQ(layers().count(), 1);
        EXPECT_FALSE(state.apply()); // it holds a layer already
        ASSERT_TRUE(state.undo());
        EXPECT_EQ(state.heldLayer(), nullptr);
        EXPECT_EQ(layers().layerAt(1), top);
        ASSERT_TRUE(state.apply());
    } // destroyed while holding the layer: the layer goes with it (checked by the sanitizers)
    EXPECT_EQ(layers().count(), 1);
    DeleteLayerState missing(document_, 4);
    EXPECT_FALSE(missing.apply());
}

// An undo whose re-insertion runs out of memory keeps the layer, so that a later undo can
// still put it back. The stack is first given no spare room (as a whole-document undo
// leaves it), so that the re-insertion has to allocate.
TEST_F(LayerStatesTest, DeleteUndoKeepsTheLayerWhenMemoryRunsOut) {
    const Layer* top = layers().layerAt(1);
    DeleteLayerState state(document_, 1);
    ASSERT_TRUE(state.apply());
    Document snapshot;
    ASSERT_TRUE(snapshot.copy(document_));
    ASSERT_TRUE(document_.restoreFrom(snapshot));
    bool undone = true;
    {
        test::FailingAllocations failing;
        undone = state.undo();
    }
    EXPECT_FALSE(undone);
    EXPECT_EQ(state.heldLayer(), top);
    EXPECT_EQ(layers().count(), 1);
    ASSERT_TRUE(state.undo());
    EXPECT_EQ(layers().layerAt(1), top);
    EXPECT_EQ(layers().active(), top);
    EXPECT_EQ(state.heldLayer(), nullptr);
}

TEST_F(LayerStatesTest, NewLayerGoesAboveTheActiveLayer) {
    layers().setActive(layers().layerAt(0));
    NewLayerState state(document_, "Middle", 0, 255);
    ASSERT_TRUE(state.apply());
    EXPECT_EQ(layers().nameAt(1), "Middle");
    EXPECT_EQ(layers().nameAt(2), "Top");
    ASSERT_TRUE(state.undo());
    EXPECT_EQ(layers().count(), 2);
    EXPECT_EQ(layers().activeIndex(), 0);
    EXPECT_FALSE(state.undo());
}

TEST_F(LayerStatesTest, DuplicateOfAPlaceholderFails) {
    auto placeholder = RemovedLayer::replacing(*layers().layerAt(1));
    layers().removeAt(1);
    layers().add(std::move(placeholder));
    DuplicateLayerState state(document_, 1, "copy");
    EXPECT_FALSE(state.apply());
    EXPECT_EQ(layers().count(), 2);
}

} // namespace
} // namespace pict
