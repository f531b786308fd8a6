#include "app/SessionFixture.h"

#include "app/dialogs/adjustments/CurvesDialogModel.h"
#include "app/dialogs/adjustments/LevelsDialogModel.h"

namespace pict {
namespace {

class ToneDialogModelsTest : public test::SessionTest {
protected:
    ToneDialogModelsTest() : SessionTest(4, 3) {}
    int red() { return layers().rasterAt(0)->colorAt(1, 1)[2]; }
};

TEST_F(ToneDialogModelsTest, LevelsKeepsTheInputPointsApartAndEditsOneChannel) {
    LevelsDialogModel model(session_, Histogram{});
    model.setChannel(kToneGreen);
    model.setInputWhite(-5);
    EXPECT_EQ(model.values().inputWhite, LevelsDialogModel::kInputGap);
    model.setInputBlack(200);
    EXPECT_EQ(model.values().inputBlack, 0) << "black stays below white";
    model.setInputWhite(300);
    model.setInputBlack(200);
    EXPECT_EQ(model.values().inputWhite, 255);
    EXPECT_EQ(model.values().inputBlack, 200);
    model.setOutputBlack(255);
    model.setOutputWhite(-1);
    EXPECT_EQ(model.values().outputBlack, 255) << "reversed output levels invert";
    EXPECT_EQ(model.values().outputWhite, 0);
    EXPECT_TRUE(model.settings().channel[kToneComposite].isIdentity());
    model.setChannel(9);
    EXPECT_EQ(model.channel(), kToneGreen);
}

TEST_F(ToneDialogModelsTest, LevelsGammaHasTwoDecimalsAndFollowsTheMiddleSlider) {
    LevelsDialogModel model(session_, Histogram{});
    model.setGamma(2.3456);
    EXPECT_DOUBLE_EQ(model.values().gamma, 2.35);
    model.setGamma(50.0);
    EXPECT_DOUBLE_EQ(model.values().gamma, 9.99);
    model.setGamma(1.0);
    EXPECT_EQ(model.gammaSliderPosition(), 128) << "gamma 1 sits midway";
    model.setInputBlack(100);
    model.setInputWhite(200);
    EXPECT_EQ(model.gammaSliderPosition(), 150);
    model.setGammaFromSlider(100);
    EXPECT_DOUBLE_EQ(model.values().gamma, 9.99) << "the slider at the black point";
    model.setGammaFromSlider(175);
    EXPECT_DOUBLE_EQ(model.values().gamma, 0.32);
}

TEST_F(ToneDialogModelsTest, LevelsShowsTheChosenChannelsCountsAndResets) {
    Histogram histogram;
    histogram.add(10, 20, 30);
    histogram.add(10, 40, 30);
    LevelsDialogModel model(session_, histogram);
    EXPECT_EQ(model.displayedCounts()[10], 2u);
    EXPECT_EQ(model.displayedCounts()[30], 2u) << "RGB counts all three";
    model.setChannel(kToneGreen);
    EXPECT_EQ(model.displayedCounts()[20], 1u);
    EXPECT_EQ(model.displayedCounts()[10], 0u);
    model.setOutputWhite(100);
    model.reset();
    EXPECT_EQ(model.channel(), kToneComposite);
    EXPECT_TRUE(model.isIdentity());
}

TEST_F(ToneDialogModelsTest, LevelsPreviewsEveryEditAndTakesItBack) {
    LevelsDialogModel model(session_, Histogram{});
    model.setOutputWhite(200);
    EXPECT_EQ(red(), 200);
    model.setOutputWhite(255);
    EXPECT_EQ(red(), 255);
    EXPECT_TRUE(model.accept().filter == nullptr);
}

TEST_F(ToneDialogModelsTest, CurvesPressInsertsAndDragsAPointWithReadouts) {
    CurvesDialogModel model(session_);
    EXPECT_EQ(model.press(128, 130, false), CurveEditor::ClickResult::Inserted);
    EXPECT_EQ(model.readout(), (CurvePoint{128, 130}));
    model.drag(120, 200);
    EXPECT_EQ(model.readout(), (CurvePoint{120, 200}));
    EXPECT_EQ(model.settings().channel[kToneComposite].size(), 3u);
    model.release();
    model.drag(10, 10);
    EXPECT_EQ(model.settings().channel[kToneComposite][1], (CurvePoint{120, 200})) << "no drag after release";
    model.hover(64);
    EXPECT_EQ(model.readout().x, 64);
    EXPECT_EQ(model.readout().y, model.editor().curveAt(64));
    EXPECT_FALSE(model.isIdentity());
}

TEST_F(ToneDialogModelsTest, CurvesPressFarFromTheCurveChangesNothing) {
    CurvesDialogModel model(session_);
    EXPECT_EQ(model.press(40, 200, false), CurveEditor::ClickResult::Ignored);
    model.drag(60, 60);
    EXPECT_TRUE(model.isIdentity());
    EXPECT_EQ(red(), 255);
}

TEST_F(ToneDialogModelsTest, CurvesEditsEachChannelAndPreviewsOnTheLayer) {
    CurvesDialogModel model(session_);
    model.setChannel(kToneRed);
    model.press(255, 255, false); // the white end
    model.drag(255, 100);
    EXPECT_EQ(red(), 100);
    EXPECT_EQ(model.settings().channel[kToneRed].back(), (CurvePoint{255, 100}));
    EXPECT_EQ(model.settings().channel[kToneComposite], CurvesSettings::defaultCurve());
    model.reset();
    EXPECT_EQ(model.channel(), kToneComposite);
    EXPECT_EQ(red(), 255);
}

} // namespace
} // namespace pict
