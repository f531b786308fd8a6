#include "app/SessionFixture.h"

#include "app/dialogs/adjustments/ColorAdjustmentModels.h"
#include "app/dialogs/adjustments/HueSaturationDialogModel.h"
#include "imageops/HueSaturationFilter.h"

namespace pict {
namespace {

class ColorAdjustmentModelsTest : public test::SessionTest {
protected:
    ColorAdjustmentModelsTest() : SessionTest(4, 3) {}
    int red() { return layers().rasterAt(0)->colorAt(1, 1)[2]; }
};

TEST_F(ColorAdjustmentModelsTest, BrightnessAndContrastStayWithinTheirRanges) {
    BrightnessContrastDialogModel model(session_);
    model.setBrightness(500);
    model.setContrast(-101);
    EXPECT_EQ(model.settings().brightness, 100);
    EXPECT_EQ(model.settings().contrast, -100);
}

TEST_F(ColorAdjustmentModelsTest, AnIdentityAnswerHoldsNeitherFilterNorState) {
    BrightnessContrastDialogModel model(session_);
    model.setBrightness(-30);
    EXPECT_EQ(red(), 225);
    model.setBrightness(0);
    EXPECT_EQ(red(), 255) << "identity values show the layer as it was";
    EXPECT_TRUE(model.isIdentity());
    const FilterParams answer = model.accept();
    EXPECT_FALSE(answer.filter);
    EXPECT_FALSE(answer.previewedState);
}

TEST_F(ColorAdjustmentModelsTest, OkWithPreviewHandsOverTheShownStateElseAFilter) {
    BrightnessContrastDialogModel previewed(session_);
    previewed.setBrightness(-30);
    FilterParams answer = previewed.accept();
    EXPECT_TRUE(answer.previewedState);
    EXPECT_FALSE(answer.filter);
    EXPECT_FALSE(document().isModified()) << "a preview alone changes nothing to save";
    EXPECT_EQ(run(kCmdBrightnessContrast, answer), CommandOutcome::Done);
    EXPECT_TRUE(document().isModified());
    EXPECT_EQ(history().undoName(), "Brightness/Contrast");
    EXPECT_EQ(red(), 225) << "recorded as applied, not applied again";
    history().undo();

    BrightnessContrastDialogModel plain(session_);
    plain.setPreview(false);
    plain.setBrightness(-30);
    EXPECT_EQ(red(), 255);
    answer = plain.accept();
    EXPECT_FALSE(answer.previewedState);
    ASSERT_TRUE(answer.filter);
    EXPECT_EQ(answer.filter->kind(), FilterKind::BrightnessContrast);
}

TEST_F(ColorAdjustmentModelsTest, ADialogThatGoesAwayWithoutAnAnswerTakesItsPreviewBack) {
    {
        BrightnessContrastDialogModel model(session_);
        model.setBrightness(-30);
        EXPECT_EQ(red(), 225);
    }
    EXPECT_EQ(red(), 255);
    EXPECT_EQ(history().count(), 0);
}

TEST_F(ColorAdjustmentModelsTest, ColorBalanceValuesBelongToTheChosenTone) {
    ColorBalanceDialogModel model(session_);
    EXPECT_EQ(model.tone(), kMidtones);
    model.setValue(kCyanRed, 150);
    EXPECT_EQ(model.value(kCyanRed), 100);
    model.setTone(kHighlights);
    EXPECT_EQ(model.value(kCyanRed), 0);
    model.setValue(kYellowBlue, -20);
    model.setTone(7); // ignored
    EXPECT_EQ(model.tone(), kHighlights);
    EXPECT_EQ(model.settings().value[kCyanRed][kMidtones], 100);
    EXPECT_EQ(model.settings().value[kYellowBlue][kHighlights], -20);

    model.setPreserveLuminosity(false);
    model.reset();
    EXPECT_TRUE(model.settings().isIdentity());
    EXPECT_TRUE(model.settings().preserveLuminosity);
    EXPECT_EQ(model.tone(), kMidtones);
}

TEST_F(ColorAdjustmentModelsTest, OnlyTheLuminosityFlagChangedIsStillTheIdentity) {
    ColorBalanceDialogModel model(session_);
    model.setPreserveLuminosity(false);
    EXPECT_TRUE(model.isIdentity());
    EXPECT_TRUE(model.accept().filter == nullptr);
}

TEST_F(ColorAdjustmentModelsTest, HueSaturationEditsTheChosenRangeWithinItsLimits) {
    HueSaturationDialogModel model(session_);
    EXPECT_EQ(model.editRange(), kMaster);
    model.setValue(HueSaturationDialogModel::kHue, 400);
    model.setEditRange(kGreens);
    model.setValue(HueSaturationDialogModel::kSaturation, -150);
    model.setValue(HueSaturationDialogModel::kLightness, 30);
    model.setEditRange(kHueRangeCount); // ignored
    EXPECT_EQ(model.editRange(), kGreens);
    EXPECT_EQ(model.value(HueSaturationDialogModel::kHue), 0) << "Greens has a hue of its own";
    EXPECT_EQ(model.hueSaturation().hue[kMaster], 180);
    EXPECT_EQ(model.hueSaturation().saturation[kGreens], -100);
    EXPECT_EQ(model.hueSaturation().lightness[kGreens], 30);
    EXPECT_EQ(model.currentFilter()->kind(), FilterKind::HueSaturation);
}

TEST_F(ColorAdjustmentModelsTest, ColorizeHasItsOwnRangesAndValuesAndEditsMasterOnly) {
    HueSaturationDialogModel model(session_);
    model.setEditRange(kBlues);
    model.setValue(HueSaturationDialogModel::kHue, -40);
    model.setColorize(true);
    EXPECT_EQ(model.editRange(), kMaster);
    EXPECT_FALSE(model.canChooseRange());
    model.setEditRange(kReds);
    EXPECT_EQ(model.editRange(), kMaster);

    const ParamRange<int32_t> hue = model.range(HueSaturationDialogModel::kHue);
    const ParamRange<int32_t> saturation = model.range(HueSaturationDialogModel::kSaturation);
    const ParamRange<int32_t> lightness = model.range(HueSaturationDialogModel::kLightness);
    EXPECT_EQ(hue.min, 0);
    EXPECT_EQ(hue.max, 360);
    EXPECT_EQ(saturation.min, 0);
    EXPECT_EQ(saturation.max, 100);
    EXPECT_EQ(lightness.min, -100);
    EXPECT_EQ(lightness.max, 100);
    EXPECT_EQ(model.value(HueSaturationDialogModel::kSaturation), 25) << "Colorize starts at its defaults";
    model.setValue(HueSaturationDialogModel::kHue, -5);
    EXPECT_EQ(model.colorize().hue, 0);
    EXPECT_FALSE(model.isIdentity()) << "Colorize always changes the layer";
    EXPECT_EQ(model.currentFilter()->kind(), FilterKind::Colorize);

    model.setColorize(false);
    EXPECT_EQ(model.range(HueSaturationDialogModel::kHue).min, -180);
    EXPECT_EQ(model.hueSaturation().hue[kBlues], -40) << "the normal values were kept";
    model.reset();
    EXPECT_FALSE(model.isColorize());
    EXPECT_TRUE(model.isIdentity());
}

} // namespace
} // namespace pict
