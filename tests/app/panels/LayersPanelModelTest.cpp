#include "app/SessionFixture.h"

#include "app/panels/LayersPanelModel.h"

#include <vector>

namespace pict {
namespace {

using Geometry = LayerRowGeometry;

// A point on the name of a row (outside the visibility column and the thumbnail).
Point onName(int32_t row) { return {80, row * Geometry::kRowHeight + 10}; }
Point onVisibility(int32_t row) { return {5, row * Geometry::kRowHeight + 10}; }

constexpr PanelModifiers kPlain{};
constexpr PanelModifiers kCtrl{true, false};
constexpr PanelModifiers kShift{false, true};

class LayersPanelModelTest : public test::SessionTest {
protected:
    LayersPanelModelTest() {
        a_ = addLayer("A", Rect{0, 0, 10, 10});
        b_ = addLayer("B", Rect{0, 0, 10, 10});
        model_.attach(&session_);
    }

    void click(int32_t row, PanelModifiers modifiers = kPlain) {
        model_.press(onName(row), PanelButton::Left, modifiers);
        model_.release(onName(row), modifiers);
    }
    CommandOutcome send(const std::optional<LayerPanelRequest>& request) {
        return request ? run(request->id, request->params) : CommandOutcome::Unknown;
    }

    RasterLayer* a_;
    RasterLayer* b_;
    LayersPanelModel model_;
};

// ---- rows ----

TEST_F(LayersPanelModelTest, RowsListTheTopLayerFirstAndSelectTheActiveOne) {
    ASSERT_EQ(model_.rowCount(), 3);
    EXPECT_EQ(model_.row(0).name, "B");
    EXPECT_EQ(model_.row(1).name, "A");
    EXPECT_EQ(model_.row(2).name, "Background");
    EXPECT_EQ(model_.stackIndexOfRow(0), 2);
    EXPECT_EQ(model_.selectedRows(), (std::vector<int32_t>{0}));
    EXPECT_EQ(model_.focusedRow(), 0);
    EXPECT_EQ(session_.panelSelection(), (std::vector<int32_t>{2}));
}

TEST_F(LayersPanelModelTest, RowsAreWholeStepsOf37Pixels) {
    EXPECT_EQ(model_.scrollRange(), 3 * 37);
    EXPECT_EQ(model_.rowAt(0), 0);
    EXPECT_EQ(model_.rowAt(36), 0);
    EXPECT_EQ(model_.rowAt(37), 1);
    EXPECT_EQ(model_.rowAt(110), 2);
    EXPECT_EQ(model_.rowAt(111), -1);
    EXPECT_EQ(model_.rowAt(-1), -1);
    EXPECT_FALSE(model_.press({80, 200}, PanelButton::Left, kPlain)) << "below the rows";
    EXPECT_EQ(model_.selectedRows(), (std::vector<int32_t>{0}));
}

TEST_F(LayersPanelModelTest, ThumbnailKeepsTheCanvasShapeAndAMinimumWidth) {
    EXPECT_EQ(Geometry::thumbnailArea(), (Rect{22, 1, 56, 35}));
    EXPECT_EQ(Geometry::thumbnailRect({200, 100}), (Rect{22, 9, 56, 26}));
    EXPECT_EQ(Geometry::thumbnailRect({34, 34}), Geometry::thumbnailArea());
    const Rect tall = Geometry::thumbnailRect({1, 1000});
    EXPECT_EQ(tall.width(), 10);
    EXPECT_EQ(tall.height(), 34);
    EXPECT_EQ(Geometry::nameArea(200), (Rect{62, 1, 195, 35}));
}

TEST_F(LayersPanelModelTest, DetachedModelHasNoRowsAndNoButtons) {
    model_.attach(nullptr);
    EXPECT_EQ(model_.rowCount(), 0);
    EXPECT_FALSE(model_.canCreate());
    EXPECT_FALSE(model_.canDelete());
    EXPECT_FALSE(model_.controls().enabled);
    EXPECT_FALSE(model_.press(onName(0), PanelButton::Left, kPlain));
}

// ---- selection ----

TEST_F(LayersPanelModelTest, PlainClickSelectsAloneAndMakesTheLayerActive) {
    click(1);
    EXPECT_EQ(model_.selectedRows(), (std::vector<int32_t>{1}));
    EXPECT_EQ(layers().active(), a_);
    EXPECT_EQ(session_.panelSelection(), (std::vector<int32_t>{1}));
    EXPECT_EQ(history().count(), 0) << "selecting is no step of the history";
}

TEST_F(LayersPanelModelTest, ShiftSelectsARangeFromTheAnchorAndMergeLayersSeesIt) {
    click(0);
    click(2, kShift);
    EXPECT_EQ(model_.selectedRows(), (std::vector<int32_t>{0, 1, 2}));
    EXPECT_EQ(layers().active(), b_) << "several rows leave the active layer";
    EXPECT_TRUE(commands_.isEnabled(kCmdMergeLayers));
    EXPECT_FALSE(commands_.isEnabled(kCmdMergeDown)) << "needs exactly one row";
    EXPECT_FALSE(commands_.isEnabled(kCmdToggleLayerVisibility));
    click(1, kShift);
    EXPECT_EQ(model_.selectedRows(), (std::vector<int32_t>{0, 1}));
    ASSERT_EQ(run(kCmdMergeLayers), CommandOutcome::Done);
    EXPECT_EQ(history().undoName(), "Merge Layers");
}

TEST_F(LayersPanelModelTest, CtrlClickFlipsOneOfSeveralButKeepsTheOnlyRow) {
    click(0);
    click(1, kCtrl);
    EXPECT_EQ(model_.selectedRows(), (std::vector<int32_t>{0, 1}));
    click(1, kCtrl);
    EXPECT_EQ(model_.selectedRows(), (std::vector<int32_t>{0}));
    EXPECT_EQ(layers().active(), b_);
    click(0, kCtrl);
    EXPECT_EQ(model_.selectedRows(), (std::vector<int32_t>{0})) << "the only selected row stays";
}

TEST_F(LayersPanelModelTest, PressOnSeveralSelectedWaitsForTheRelease) {
    click(0);
    click(2, kShift);
    model_.press(onName(1), PanelButton::Left, kPlain);
    EXPECT_EQ(model_.selectedCount(), 3) << "a drag of the selection could start";
    EXPECT_TRUE(model_.isCaptured());
    EXPECT_TRUE(model_.move({onName(1).x, onName(1).y + 5}));
    model_.release({onName(1).x, onName(1).y + 5}, kPlain);
    EXPECT_EQ(model_.selectedCount(), 3) << "a drag is no click";
    EXPECT_FALSE(model_.isCaptured());
    click(1);
    EXPECT_EQ(model_.selectedRows(), (std::vector<int32_t>{1}));
    EXPECT_EQ(layers().active(), a_);
}

TEST_F(LayersPanelModelTest, ReleaseOnAnotherRowDecidesNothing) {
    click(0);
    click(1, kCtrl);
    model_.press(onName(0), PanelButton::Left, kPlain);
    model_.release(onName(2), kPlain);
    EXPECT_EQ(model_.selectedRows(), (std::vector<int32_t>{0, 1}));
}

TEST_F(LayersPanelModelTest, RightClickSelectsAnUnselectedRowAlone) {
    click(0);
    click(1, kCtrl);
    model_.press(onName(1), PanelButton::Right, kPlain);
    EXPECT_EQ(model_.selectedCount(), 2) << "a selected row keeps the selection";
    model_.press(onName(2), PanelButton::Right, kPlain);
    EXPECT_EQ(model_.selectedRows(), (std::vector<int32_t>{2}));
    model_.press(onVisibility(0), PanelButton::Right, kPlain);
    EXPECT_EQ(model_.selectedRows(), (std::vector<int32_t>{2}));
}

TEST_F(LayersPanelModelTest, ArrowKeysMoveTheSingleSelectionWithinTheRows) {
    EXPECT_FALSE(model_.step(-1)) << "already the top row";
    EXPECT_TRUE(model_.step(1));
    EXPECT_EQ(model_.selectedRows(), (std::vector<int32_t>{1}));
    EXPECT_EQ(layers().active(), a_);
    EXPECT_TRUE(model_.step(1));
    EXPECT_FALSE(model_.step(1)) << "the bottom row";
    EXPECT_EQ(layers().activeIndex(), 0);

    // From several rows the focused one's neighbour is selected alone.
    click(0);
    click(1, kCtrl);
    EXPECT_TRUE(model_.step(1));
    EXPECT_EQ(model_.selectedRows(), (std::vector<int32_t>{1}));
    click(2, kShift);
    EXPECT_EQ(model_.selectedRows(), (std::vector<int32_t>{1, 2})) << "the step set the anchor";
}

// ---- requests ----

TEST_F(LayersPanelModelTest, VisibilityColumnFlipsWithoutTouchingTheSelection) {
    click(1);
    const auto request = model_.press(onVisibility(1), PanelButton::Left, kPlain);
    ASSERT_TRUE(request);
    EXPECT_EQ(request->id, kMsgToggleLayerVisibility);
    EXPECT_EQ(request->params.layer, 1);
    EXPECT_EQ(send(request), CommandOutcome::Done);
    EXPECT_FALSE(a_->isVisible());
    EXPECT_EQ(history().count(), 0);
    EXPECT_EQ(model_.selectedRows(), (std::vector<int32_t>{1}));
    EXPECT_FALSE(model_.controls().enabled) << "a hidden layer's controls are off";

    send(model_.press(onVisibility(2), PanelButton::Left, kPlain));
    EXPECT_FALSE(layers().layerAt(0)->isVisible());
    EXPECT_EQ(model_.selectedRows(), (std::vector<int32_t>{1}));
}

TEST_F(LayersPanelModelTest, RenameInPlaceExceptTheBackground) {
    EXPECT_EQ(model_.renameRowAt(onName(1), 200), 1);
    EXPECT_EQ(model_.renameRowAt({30, 37 + 10}, 200), -1) << "the thumbnail";
    EXPECT_EQ(model_.renameRowAt(onName(2), 200), -1) << "the background keeps its name";
    EXPECT_EQ(send(model_.finishRename(1, "Shadow")), CommandOutcome::Done);
    EXPECT_EQ(a_->name(), "Shadow");
    EXPECT_EQ(history().undoName(), "Layer Properties");
    EXPECT_FALSE(model_.refresh()) << "the same layers";
    EXPECT_EQ(model_.row(1).name, "Shadow");
    EXPECT_FALSE(model_.finishRename(7, "x"));
}

TEST_F(LayersPanelModelTest, ModeAndOpacityGoToTheFocusedLayer) {
    click(1);
    ASSERT_TRUE(model_.controls().enabled);
    EXPECT_EQ(send(model_.chooseMode(kBlendMultiply)), CommandOutcome::Done);
    EXPECT_EQ(a_->blendMode(), kBlendMultiply);
    EXPECT_EQ(history().undoName(), "Blending Change");
    EXPECT_FALSE(model_.chooseMode(19));

    const auto request = model_.editOpacity("50");
    ASSERT_TRUE(request);
    EXPECT_EQ(request->params.opacity, 128) << "trunc(127.5 + 0.5)";
    EXPECT_EQ(send(request), CommandOutcome::Done);
    EXPECT_EQ(a_->opacity(), 128);
    EXPECT_EQ(history().undoName(), "Master Opacity Change");
    EXPECT_EQ(model_.controls().opacity, 128);
    EXPECT_FALSE(model_.editOpacity("")) << "an emptied edit sends nothing";
    EXPECT_FALSE(model_.editOpacity("101"));
}

TEST_F(LayersPanelModelTest, OpacityTextChangesOnlyWhenItStandsForAnotherByte) {
    EXPECT_EQ(LayersPanelModel::opacityTextFor(128, "40"), 50);
    EXPECT_EQ(LayersPanelModel::opacityTextFor(128, "50"), std::nullopt);
    EXPECT_EQ(LayersPanelModel::opacityTextFor(129, "50"), 51);
    EXPECT_EQ(LayersPanelModel::opacityTextFor(255, ""), 100);
    EXPECT_EQ(LayersPanelModel::opacityTextFor(0, "0"), std::nullopt);
}

TEST_F(LayersPanelModelTest, BackgroundOrSeveralRowsDisableTheControls) {
    b_->setOpacity(40);
    click(2);
    const LayerControlsState background = model_.controls();
    EXPECT_FALSE(background.enabled);
    EXPECT_EQ(background.mode, kBlendNormal);
    EXPECT_EQ(background.opacity, 255);
    EXPECT_FALSE(model_.editOpacity("30"));

    click(0);
    EXPECT_TRUE(model_.controls().enabled);
    EXPECT_EQ(model_.controls().opacity, 40);
    click(1, kCtrl);
    EXPECT_FALSE(model_.controls().enabled);
    EXPECT_FALSE(model_.chooseMode(kBlendScreen));
}

TEST_F(LayersPanelModelTest, ButtonsCreateWithoutDialogAndDeleteWithConfirmation) {
    EXPECT_TRUE(model_.canCreate());
    EXPECT_TRUE(model_.canDelete());
    const LayerPanelRequest create = model_.createRequest();
    EXPECT_EQ(create.id, kMsgNewLayer);
    EXPECT_FALSE(create.confirm);
    EXPECT_EQ(send(create), CommandOutcome::Done);
    EXPECT_EQ(history().undoName(), "New Layer");
    EXPECT_TRUE(model_.refresh()) << "a new layer rebuilds the rows";
    EXPECT_EQ(model_.rowCount(), 4);
    EXPECT_EQ(model_.selectedRows(), (std::vector<int32_t>{0}));

    const LayerPanelRequest remove = model_.deleteRequest();
    EXPECT_EQ(remove.id, kMsgDeleteLayer);
    EXPECT_TRUE(remove.confirm);
    EXPECT_EQ(send(remove), CommandOutcome::Done);
    EXPECT_EQ(history().undoName(), "Delete Layer");
    model_.refresh();
    EXPECT_EQ(model_.rowCount(), 3);
}

TEST_F(LayersPanelModelTest, UndoThatMovesTheActiveLayerMovesTheSingleSelection) {
    click(1);
    send(model_.createRequest());
    model_.refresh();
    ASSERT_EQ(model_.row(1).name, "Layer 1");
    run(kCmdUndo);
    EXPECT_TRUE(model_.refresh());
    EXPECT_EQ(model_.row(model_.focusedRow()).layer, layers().active());

    // Behind the panel's back: the single row follows the active layer.
    layers().setActive(b_);
    EXPECT_FALSE(model_.refresh());
    EXPECT_EQ(model_.selectedRows(), (std::vector<int32_t>{0}));
    EXPECT_EQ(session_.panelSelection(), (std::vector<int32_t>{2}));
}

TEST_F(LayersPanelModelTest, OnlyLayerCannotBeDeleted) {
    layers().removeAt(2);
    layers().removeAt(1);
    model_.refresh();
    EXPECT_EQ(model_.rowCount(), 1);
    EXPECT_FALSE(model_.canDelete());
}

} // namespace
} // namespace pict
