#include "app/SessionFixture.h"

#include <vector>

namespace pict {
namespace {

class LayerCommandsTest : public test::SessionTest {
protected:
    std::vector<std::string> names() {
        std::vector<std::string> out;
        for (int32_t i = 0; i < layers().count(); ++i)
            out.push_back(layers().nameAt(i));
        return out;
    }
    LayerParams forLayer(int32_t index) {
        LayerParams params;
        params.layer = index;
        return params;
    }
};

// ---- refusals ----

TEST_F(LayerCommandsTest, SingleBackgroundRefusesWhatNeedsMoreLayers) {
    for (uint16_t id :
         std::initializer_list<uint16_t>{kCmdDeleteLayer, kMsgDeleteLayer, kCmdLayerProperties,
                                         kCmdMergeLayers, kCmdMergeDown, kCmdMergeVisible, kCmdFlattenImage})
        expectRefused(id);
    EXPECT_EQ(names(), (std::vector<std::string>{"Background"}));
}

TEST_F(LayerCommandsTest, NoLayersRefusesTheLayerCommands) {
    layers().removeAll(false);
    for (uint16_t id : std::initializer_list<uint16_t>{
             kCmdDuplicateLayer, kMsgDuplicateLayer, kCmdDeleteLayer, kCmdLayerProperties,
             kCmdToggleLayerVisibility, kMsgToggleLayerVisibility, kMsgRenameLayer, kMsgSetLayerBlendMode,
             kMsgSetLayerOpacity, kCmdMergeLayers, kCmdMergeDown, kCmdMergeVisible, kCmdFlattenImage})
        expectRefused(id);
}

TEST_F(LayerCommandsTest, ToggleVisibilityNeedsExactlyOneSelectedLayer) {
    addLayer("A", Rect{0, 0, 10, 10});
    session_.setPanelSelection({0, 1});
    expectRefused(kCmdToggleLayerVisibility);
    EXPECT_TRUE(layers().layerAt(1)->isVisible());
}

TEST_F(LayerCommandsTest, MergeDownNeedsAVisibleLayerBelow) {
    addLayer("A", Rect{0, 0, 10, 10});
    layers().setVisible(layers().layerAt(0), false);
    expectRefused(kCmdMergeDown);
    layers().setVisible(layers().layerAt(0), true);
    layers().setActive(layers().layerAt(0));
    expectRefused(kCmdMergeDown);
}

TEST_F(LayerCommandsTest, MergeVisibleNeedsTheActiveLayerVisibleAndAnother) {
    addLayer("A", Rect{0, 0, 10, 10});
    layers().setVisible(layers().layerAt(1), false);
    expectRefused(kCmdMergeVisible);
    layers().setVisible(layers().layerAt(1), true);
    layers().setVisible(layers().layerAt(0), false);
    expectRefused(kCmdMergeVisible);
}

TEST_F(LayerCommandsTest, MergeLayersNeedsTwoSelectedWithOneVisible) {
    addLayer("A", Rect{0, 0, 10, 10});
    addLayer("B", Rect{0, 0, 10, 10});
    session_.setPanelSelection({2});
    expectRefused(kCmdMergeLayers);
    session_.setPanelSelection({1, 2});
    layers().setVisible(layers().layerAt(1), false);
    layers().setVisible(layers().layerAt(2), false);
    expectRefused(kCmdMergeLayers);
}

// ---- New, Duplicate, Delete ----

TEST_F(LayerCommandsTest, NewLayerTakesTheDialogDefaultsAndUndoRedoRecreatesIt) {
    ASSERT_EQ(run(kCmdNewLayer), CommandOutcome::Done);
    EXPECT_EQ(history().undoName(), "New Layer");
    EXPECT_EQ(names(), (std::vector<std::string>{"Background", "Layer 1"}));
    EXPECT_EQ(layers().activeIndex(), 1);
    EXPECT_EQ(layers().active()->blendMode(), 0);
    EXPECT_EQ(layers().active()->opacity(), 255);
    EXPECT_TRUE(document().isModified());

    LayerParams params;
    params.name = "Glow";
    params.mode = 3;
    params.opacity = 128;
    layers().setActive(layers().layerAt(0));
    ASSERT_EQ(run(kMsgNewLayer, params), CommandOutcome::Done);
    EXPECT_EQ(names(), (std::vector<std::string>{"Background", "Glow", "Layer 1"}));
    run(kCmdUndo);
    EXPECT_EQ(names(), (std::vector<std::string>{"Background", "Layer 1"}));
    EXPECT_EQ(layers().activeIndex(), 0);

    run(kCmdRedo);
    ASSERT_EQ(names(), (std::vector<std::string>{"Background", "Glow", "Layer 1"}));
    const Layer* again = layers().layerAt(1);
    EXPECT_NE(again, nullptr);
    EXPECT_EQ(again->blendMode(), 3);
    EXPECT_EQ(again->opacity(), 128);
    EXPECT_TRUE(again->isEmpty());
    EXPECT_EQ(layers().active(), again);
}

TEST_F(LayerCommandsTest, NewLayerWithABadModeIsRefused) {
    LayerParams params;
    params.mode = 19;
    EXPECT_EQ(run(kCmdNewLayer, params), CommandOutcome::Refused);
    EXPECT_EQ(layers().count(), 1);
    EXPECT_EQ(history().count(), 0);
}

TEST_F(LayerCommandsTest, DuplicateOfTheBackgroundIsAnOrdinaryLayerWithTheProposedName) {
    ASSERT_EQ(run(kCmdDuplicateLayer), CommandOutcome::Done);
    EXPECT_EQ(history().undoName(), "Duplicate Layer");
    ASSERT_EQ(layers().count(), 2);
    const Layer* copy = layers().layerAt(1);
    EXPECT_EQ(copy->name(), "Background copy");
    EXPECT_FALSE(copy->isBackground());
    EXPECT_EQ(layers().active(), copy);
    ASSERT_TRUE(copy->asRaster());
    EXPECT_EQ(copy->asRaster()->color().row(0)[0], 255);

    LayerParams params = forLayer(0);
    params.name = "Mine";
    ASSERT_EQ(run(kMsgDuplicateLayer, params), CommandOutcome::Done);
    EXPECT_EQ(layers().nameAt(2), "Mine");
    run(kCmdUndo);
    run(kCmdUndo);
    EXPECT_EQ(names(), (std::vector<std::string>{"Background"}));
    EXPECT_EQ(layers().activeIndex(), 0);
}

TEST_F(LayerCommandsTest, DeleteWithOneLayerDoesNothing) {
    EXPECT_EQ(run(kMsgDeleteLayer), CommandOutcome::Refused);
    EXPECT_EQ(layers().count(), 1);
    EXPECT_EQ(history().count(), 0);
}

TEST_F(LayerCommandsTest, UndoOfDeletePutsTheSameLayerBackAndActive) {
    RasterLayer* a = addLayer("A", Rect{0, 0, 10, 10});
    addLayer("B", Rect{0, 0, 10, 10});
    layers().setActive(a);
    ASSERT_EQ(run(kCmdDeleteLayer), CommandOutcome::Done);
    EXPECT_EQ(history().undoName(), "Delete Layer");
    EXPECT_EQ(names(), (std::vector<std::string>{"Background", "B"}));

    run(kCmdUndo);
    EXPECT_EQ(names(), (std::vector<std::string>{"Background", "A", "B"}));
    EXPECT_EQ(layers().layerAt(1), a);
    EXPECT_EQ(layers().active(), a);

    run(kCmdRedo);
    EXPECT_EQ(names(), (std::vector<std::string>{"Background", "B"}));
}

TEST_F(LayerCommandsTest, DeleteOfAnIndexThatHoldsNoLayerIsRefused) {
    addLayer("A", Rect{0, 0, 10, 10});
    EXPECT_EQ(run(kMsgDeleteLayer, forLayer(5)), CommandOutcome::Refused);
    EXPECT_EQ(history().count(), 0);
}

// ---- attributes ----

TEST_F(LayerCommandsTest, LayerPropertiesRenamesTheActiveLayer) {
    addLayer("A", Rect{0, 0, 10, 10});
    LayerParams params;
    params.name = "Renamed";
    ASSERT_EQ(run(kCmdLayerProperties, params), CommandOutcome::Done);
    EXPECT_EQ(history().undoName(), "Layer Properties");
    EXPECT_EQ(layers().nameAt(1), "Renamed");
    run(kCmdUndo);
    EXPECT_EQ(layers().nameAt(1), "A");

    // The dialog starts with the current name: confirming it changes nothing.
    EXPECT_EQ(run(kCmdLayerProperties), CommandOutcome::Unchanged);
    params.name = "A";
    EXPECT_EQ(run(kCmdLayerProperties, params), CommandOutcome::Unchanged);
    EXPECT_EQ(history().count(), 1);
}

TEST_F(LayerCommandsTest, RenameNotificationNamesItsLayer) {
    addLayer("A", Rect{0, 0, 10, 10});
    LayerParams params = forLayer(0);
    params.name = "Base";
    ASSERT_EQ(run(kMsgRenameLayer, params), CommandOutcome::Done);
    EXPECT_EQ(layers().nameAt(0), "Base");
    EXPECT_EQ(layers().nameAt(1), "A");
}

TEST_F(LayerCommandsTest, BlendModeOutsideTheEnumerationIsIgnored) {
    addLayer("A", Rect{0, 0, 10, 10});
    for (int32_t mode : {19, -1}) {
        LayerParams params;
        params.mode = mode;
        EXPECT_EQ(run(kMsgSetLayerBlendMode, params), CommandOutcome::Refused) << mode;
    }
    EXPECT_EQ(history().count(), 0);
    EXPECT_EQ(layers().active()->blendMode(), 0);

    LayerParams params;
    params.mode = 18;
    ASSERT_EQ(run(kMsgSetLayerBlendMode, params), CommandOutcome::Done);
    EXPECT_EQ(history().undoName(), "Blending Change");
    EXPECT_EQ(layers().active()->blendMode(), 18);
    EXPECT_EQ(run(kMsgSetLayerBlendMode, params), CommandOutcome::Unchanged);
    run(kCmdUndo);
    EXPECT_EQ(layers().active()->blendMode(), 0);
}

TEST_F(LayerCommandsTest, OpacityIsRecordedAndClamped) {
    addLayer("A", Rect{0, 0, 10, 10});
    LayerParams params;
    params.opacity = 128;
    ASSERT_EQ(run(kMsgSetLayerOpacity, params), CommandOutcome::Done);
    EXPECT_EQ(history().undoName(), "Master Opacity Change");
    EXPECT_EQ(layers().active()->opacity(), 128);
    params.opacity = 900;
    ASSERT_EQ(run(kMsgSetLayerOpacity, params), CommandOutcome::Done);
    EXPECT_EQ(layers().active()->opacity(), 255);
    run(kCmdUndo);
    EXPECT_EQ(layers().active()->opacity(), 128);
    params.opacity = 128;
    EXPECT_EQ(run(kMsgSetLayerOpacity, params), CommandOutcome::Unchanged);
}

TEST_F(LayerCommandsTest, VisibilityFlipsWithoutAHistoryState) {
    addLayer("A", Rect{0, 0, 10, 10});
    ASSERT_EQ(run(kMsgToggleLayerVisibility, forLayer(0)), CommandOutcome::Done);
    EXPECT_FALSE(layers().layerAt(0)->isVisible());
    EXPECT_TRUE(layers().layerAt(1)->isVisible());
    ASSERT_EQ(run(kCmdToggleLayerVisibility), CommandOutcome::Done);
    EXPECT_FALSE(layers().layerAt(1)->isVisible());
    EXPECT_EQ(history().count(), 0);
    EXPECT_TRUE(document().isModified());
}

// ---- merges ----

TEST_F(LayerCommandsTest, MergeDownAndUndo) {
    addLayer("A", Rect{0, 0, 10, 10}, 50);
    addLayer("B", Rect{5, 5, 15, 15}, 90);
    ASSERT_EQ(run(kCmdMergeDown), CommandOutcome::Done);
    EXPECT_EQ(history().undoName(), "Merge Down");
    EXPECT_EQ(names(), (std::vector<std::string>{"Background", "A"}));
    EXPECT_EQ(layers().active()->canvasRect(), (Rect{0, 0, 15, 15}));

    run(kCmdUndo);
    EXPECT_EQ(names(), (std::vector<std::string>{"Background", "A", "B"}));
    EXPECT_EQ(layers().activeIndex(), 2);

    // Redo merges the same two layers even with another layer active.
    layers().setActive(layers().layerAt(1));
    run(kCmdRedo);
    EXPECT_EQ(names(), (std::vector<std::string>{"Background", "A"}));
}

TEST_F(LayerCommandsTest, MergeLayersTakesThePanelSelectionOrTheGivenList) {
    addLayer("A", Rect{0, 0, 10, 10});
    addLayer("B", Rect{0, 0, 10, 10});
    addLayer("C", Rect{0, 0, 10, 10});
    session_.setPanelSelection({3, 1});
    ASSERT_EQ(run(kCmdMergeLayers), CommandOutcome::Done);
    EXPECT_EQ(history().undoName(), "Merge Layers");
    EXPECT_EQ(layers().count(), 3);
    EXPECT_EQ(layers().findByName("C"), nullptr);
    EXPECT_NE(layers().findByName("B"), nullptr);
    run(kCmdUndo);
    EXPECT_EQ(names(), (std::vector<std::string>{"Background", "A", "B", "C"}));

    session_.setPanelSelection({0, 1});
    EXPECT_EQ(run(kCmdMergeLayers, MergeLayersParams{{2, 3}}), CommandOutcome::Done);
    EXPECT_EQ(names(), (std::vector<std::string>{"Background", "A", "B"}));
    EXPECT_EQ(run(kCmdMergeLayers, MergeLayersParams{{1, 9}}), CommandOutcome::Refused);
}

TEST_F(LayerCommandsTest, MergeVisibleAndFlattenKeepTheSelection) {
    addLayer("A", Rect{0, 0, 10, 10});
    addLayer("Hidden", Rect{0, 0, 10, 10});
    layers().setVisible(layers().layerAt(2), false);
    layers().setActive(layers().layerAt(1));
    ASSERT_EQ(commands_.selectMarquee(Rect{1, 1, 4, 4}, false).outcome, CommandOutcome::Done);

    ASSERT_EQ(run(kCmdMergeVisible), CommandOutcome::Done);
    EXPECT_EQ(history().undoName(), "Merge Visible");
    EXPECT_EQ(names(), (std::vector<std::string>{"Background", "Hidden"}));
    EXPECT_EQ(selection().mask().bounds(), (Rect{1, 1, 4, 4}));
    run(kCmdUndo);
    EXPECT_EQ(layers().count(), 3);

    ASSERT_EQ(run(kCmdFlattenImage), CommandOutcome::Done);
    EXPECT_EQ(history().undoName(), "Flatten Image");
    EXPECT_EQ(names(), (std::vector<std::string>{"Background"}));
    EXPECT_TRUE(layers().layerAt(0)->isBackground());
    EXPECT_EQ(selection().mask().bounds(), (Rect{1, 1, 4, 4}));
    expectRefused(kCmdFlattenImage);
    run(kCmdUndo);
    EXPECT_EQ(names(), (std::vector<std::string>{"Background", "A", "Hidden"}));
    EXPECT_EQ(layers().activeIndex(), 1);
}

TEST_F(LayerCommandsTest, FlattenOfASingleOrdinaryLayerIsAllowed) {
    layers().removeAll(false);
    addLayer("Only", Rect{0, 0, 40, 30});
    ASSERT_TRUE(commands_.isEnabled(kCmdFlattenImage));
    ASSERT_EQ(run(kCmdFlattenImage), CommandOutcome::Done);
    EXPECT_TRUE(layers().layerAt(0)->isBackground());
}

} // namespace
} // namespace pict
