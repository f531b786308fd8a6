#include "app/commands/CommandPreconditions.h"

#include "app/SessionFixture.h"
#include "history/selection/SelectionState.h"

namespace pict {
namespace {

using test::SessionTest;

// A state that only counts; it fails to apply when told to.
class CountingState final : public HistoryState {
public:
    CountingState(int& applies, bool succeed) : applies_(applies), succeed_(succeed) {}
    std::string name() const override { return "Counting"; }
    bool apply() override {
        ++applies_;
        return succeed_;
    }
    bool undo() override { return true; }

private:
    int& applies_;
    bool succeed_;
};

using PreconditionsTest = SessionTest;

TEST_F(PreconditionsTest, BackgroundIsAnEditableLayer) {
    EXPECT_TRUE(hasEditableLayer(session_));
    EXPECT_TRUE(hasVisibleRasterLayer(session_));
    EXPECT_FALSE(hasSelection(session_));
    EXPECT_FALSE(selectionMeetsCanvas(session_));
}

TEST_F(PreconditionsTest, HiddenLayerIsNeitherEditableNorRaster) {
    layers().setVisible(layers().active(), false);
    EXPECT_FALSE(hasEditableLayer(session_));
    EXPECT_FALSE(hasVisibleRasterLayer(session_));
}

TEST_F(PreconditionsTest, EmptyLayerIsNotEditable) {
    auto layer = std::make_unique<EmptyLayer>(&layers());
    layer->setName("Layer 1");
    layers().add(std::move(layer));
    EXPECT_FALSE(hasEditableLayer(session_));
    EXPECT_FALSE(hasVisibleRasterLayer(session_));
}

TEST_F(PreconditionsTest, NoActiveLayerFailsEverything) {
    layers().removeAll(false);
    EXPECT_FALSE(hasEditableLayer(session_));
    EXPECT_FALSE(hasVisibleRasterLayer(session_));
}

TEST_F(PreconditionsTest, SelectionMustMeetTheLayerForAnEditableLayer) {
    addLayer("Small", Rect{0, 0, 10, 10});
    selection().setShape(Rect{20, 20, 30, 30}, false);
    EXPECT_TRUE(hasSelection(session_));
    EXPECT_TRUE(selectionMeetsCanvas(session_));
    EXPECT_FALSE(hasEditableLayer(session_));
    EXPECT_TRUE(hasVisibleRasterLayer(session_));

    selection().setShape(Rect{5, 5, 30, 30}, false);
    EXPECT_TRUE(hasEditableLayer(session_));
}

TEST_F(PreconditionsTest, LayerOutsideTheCanvasMeetsASelectionOnlyWhereItLies) {
    addLayer("Off canvas", Rect{-20, -20, -5, -5});
    selection().selectAll();
    EXPECT_FALSE(hasEditableLayer(session_));
}

TEST_F(PreconditionsTest, PushStateRecordsOnlyWhatApplied) {
    int applies = 0;
    EXPECT_EQ(pushState(session_, std::make_unique<CountingState>(applies, true)).outcome,
              CommandOutcome::Done);
    EXPECT_EQ(applies, 1);
    EXPECT_EQ(history().count(), 1);

    EXPECT_EQ(pushState(session_, std::make_unique<CountingState>(applies, false)).outcome,
              CommandOutcome::Failed);
    EXPECT_EQ(applies, 2);
    EXPECT_EQ(history().count(), 1);

    EXPECT_EQ(pushState(session_, std::make_unique<CountingState>(applies, true), true).outcome,
              CommandOutcome::Done);
    EXPECT_EQ(applies, 2);
    EXPECT_EQ(history().count(), 2);

    EXPECT_EQ(pushState(session_, nullptr).outcome, CommandOutcome::Failed);
    EXPECT_EQ(history().count(), 2);
}

TEST_F(PreconditionsTest, UnknownIdsAreUnknownAndDisabled) {
    EXPECT_FALSE(commands_.isEnabled(kCmdOpen));
    EXPECT_EQ(run(kCmdOpen), CommandOutcome::Unknown);
    EXPECT_EQ(history().count(), 0);
}

TEST_F(PreconditionsTest, SessionTakesTheHistoryLimitFromTheApplication) {
    ApplicationContext app;
    app.historyLimit = 500;
    DocumentSession session(app, test::whiteDocument(4, 4));
    EXPECT_EQ(session.history().limit(), HistoryLimit::kMax);
    app.historyLimit = 3;
    DocumentSession small(app, test::whiteDocument(4, 4));
    EXPECT_EQ(small.history().limit(), 3);
}

TEST_F(PreconditionsTest, ADeselectOfTheSessionsSelectionDropsAndRestoresIt) {
    selection().setShape(Rect{2, 3, 12, 13}, false);
    const int changes = view_.selectionChanges;
    EXPECT_TRUE(session_.hasSelection());
    EXPECT_EQ(session_.selectionArea().bounds, (Rect{2, 3, 12, 13}));

    auto deselect = std::make_unique<DeselectState>(session_.selection());
    EXPECT_EQ(deselect->name(), "Deselect");
    EXPECT_TRUE(deselect->apply());
    EXPECT_FALSE(session_.hasSelection());
    EXPECT_TRUE(session_.selectionArea().isEmpty());
    EXPECT_TRUE(deselect->undo());
    EXPECT_EQ(session_.selectionArea().bounds, (Rect{2, 3, 12, 13}));
    EXPECT_GT(view_.selectionChanges, changes);
}

TEST_F(PreconditionsTest, CanvasChangeKeepsASelectionThatFitsAndDropsOneThatDoesNot) {
    selection().setShape(Rect{2, 3, 12, 13}, false);
    session_.canvasSizeChanged();
    EXPECT_TRUE(session_.hasSelection());
    EXPECT_EQ(view_.canvasChanges, 1);

    ASSERT_TRUE(document().resizeCanvas(20, 20, Point{0, 0}, 0xFFFFFF));
    session_.canvasSizeChanged();
    EXPECT_FALSE(session_.hasSelection());
    EXPECT_EQ(selection().mask().canvasWidth(), 20);
}

TEST_F(PreconditionsTest, SelectedLayersFallBackToTheActiveLayer) {
    addLayer("A", Rect{0, 0, 5, 5});
    EXPECT_EQ(session_.selectedLayers(), (std::vector<int32_t>{1}));
    session_.setPanelSelection({1, 7, 0});
    EXPECT_EQ(session_.selectedLayers(), (std::vector<int32_t>{1, 0}));
}

} // namespace
} // namespace pict
