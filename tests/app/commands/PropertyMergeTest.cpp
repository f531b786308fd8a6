// Quick successive changes of one layer property become one history state.
#include "app/SessionFixture.h"

#include "app/panels/LayersPanelModel.h"

#include <string>

namespace pict {
namespace {

class PropertyMergeTest : public test::SessionTest {
protected:
    PropertyMergeTest() {
        a_ = addLayer("A", Rect{0, 0, 10, 10});
        b_ = addLayer("B", Rect{0, 0, 10, 10});
        app_.mergeClock = [this] { return now_; };
        panel_.attach(&session_);
    }

    CommandOutcome opacity(int32_t value, int32_t layer = -1) {
        LayerParams params;
        params.layer = layer;
        params.opacity = value;
        return run(kMsgSetLayerOpacity, params);
    }
    CommandOutcome mode(int32_t value) {
        LayerParams params;
        params.mode = value;
        return run(kMsgSetLayerBlendMode, params);
    }
    CommandOutcome rename(const std::string& name) {
        LayerParams params;
        params.name = name;
        return run(kMsgRenameLayer, params);
    }
    // What the Layers panel sends for the opacity edit's text.
    CommandOutcome typeOpacity(const char* text) {
        const auto request = panel_.editOpacity(text);
        return request ? run(request->id, request->params) : CommandOutcome::Unknown;
    }

    int64_t now_ = 100000;
    RasterLayer* a_;
    RasterLayer* b_;
    LayersPanelModel panel_;
};

TEST_F(PropertyMergeTest, TypingFiftyIntoTheOpacityEditMakesOneState) {
    ASSERT_EQ(typeOpacity("5"), CommandOutcome::Done);
    now_ += 150;
    ASSERT_EQ(typeOpacity("50"), CommandOutcome::Done);
    EXPECT_EQ(history().count(), 1);
    EXPECT_EQ(history().undoName(), "Master Opacity Change");
    EXPECT_EQ(b_->opacity(), 128);
    ASSERT_EQ(run(kCmdUndo), CommandOutcome::Done);
    EXPECT_EQ(b_->opacity(), 255) << "the value before the first change";
    ASSERT_EQ(run(kCmdRedo), CommandOutcome::Done);
    EXPECT_EQ(b_->opacity(), 128) << "the last value";
}

TEST_F(PropertyMergeTest, ChangesTwoSecondsApartStayTwoStates) {
    ASSERT_EQ(opacity(200), CommandOutcome::Done);
    now_ += 2000;
    ASSERT_EQ(opacity(100), CommandOutcome::Done);
    EXPECT_EQ(history().count(), 2);
    ASSERT_EQ(run(kCmdUndo), CommandOutcome::Done);
    EXPECT_EQ(b_->opacity(), 200);
}

TEST_F(PropertyMergeTest, TheWindowSlidesFromChangeToChangeUpToOneSecond) {
    // A drag: every step 400 ms after the one before, 2 s in all, is still one gesture.
    for (int32_t value = 250; value >= 200; value -= 10) {
        ASSERT_EQ(opacity(value), CommandOutcome::Done) << value;
        now_ += 400;
    }
    EXPECT_EQ(history().count(), 1);
    EXPECT_EQ(b_->opacity(), 200);
    now_ += 600; // exactly one second after the last change
    ASSERT_EQ(opacity(50), CommandOutcome::Done);
    EXPECT_EQ(history().count(), 2);
    ASSERT_EQ(run(kCmdUndo), CommandOutcome::Done);
    ASSERT_EQ(run(kCmdUndo), CommandOutcome::Done);
    EXPECT_EQ(b_->opacity(), 255);
}

TEST_F(PropertyMergeTest, ModeStepsAndRenameEditsMergeEachWithItsOwnKind) {
    ASSERT_EQ(mode(1), CommandOutcome::Done);
    ASSERT_EQ(mode(2), CommandOutcome::Done);
    ASSERT_EQ(mode(3), CommandOutcome::Done);
    ASSERT_EQ(rename("S"), CommandOutcome::Done);
    ASSERT_EQ(rename("Sh"), CommandOutcome::Done);
    ASSERT_EQ(opacity(10), CommandOutcome::Done);
    ASSERT_EQ(history().count(), 3);
    EXPECT_EQ(history().stateAt(0)->name(), "Blending Change");
    EXPECT_EQ(history().stateAt(1)->name(), "Layer Properties");
    ASSERT_EQ(run(kCmdUndo), CommandOutcome::Done);
    ASSERT_EQ(run(kCmdUndo), CommandOutcome::Done);
    EXPECT_EQ(b_->name(), "B");
    EXPECT_EQ(b_->blendMode(), 3);
    ASSERT_EQ(run(kCmdUndo), CommandOutcome::Done);
    EXPECT_EQ(b_->blendMode(), 0);
}

TEST_F(PropertyMergeTest, AnotherLayerOrAnyStateBetweenStartsANewState) {
    ASSERT_EQ(opacity(200), CommandOutcome::Done);
    ASSERT_EQ(opacity(150, 1), CommandOutcome::Done) << "layer A";
    EXPECT_EQ(history().count(), 2);

    ASSERT_EQ(run(kCmdSelectAll), CommandOutcome::Done);
    ASSERT_EQ(opacity(100, 1), CommandOutcome::Done);
    EXPECT_EQ(history().count(), 4) << "the selection step separates them";

    // Undone and changed again: the undone state is gone, the new one starts afresh.
    ASSERT_EQ(run(kCmdUndo), CommandOutcome::Done);
    EXPECT_EQ(a_->opacity(), 150);
    ASSERT_EQ(opacity(90, 1), CommandOutcome::Done);
    EXPECT_EQ(history().count(), 4);
    ASSERT_EQ(run(kCmdUndo), CommandOutcome::Done);
    EXPECT_EQ(a_->opacity(), 150);
}

TEST_F(PropertyMergeTest, WithoutAClockEveryChangeIsItsOwnState) {
    app_.mergeClock = nullptr; // the batch tool
    ASSERT_EQ(typeOpacity("5"), CommandOutcome::Done);
    ASSERT_EQ(typeOpacity("50"), CommandOutcome::Done);
    EXPECT_EQ(history().count(), 2);
}

} // namespace
} // namespace pict
