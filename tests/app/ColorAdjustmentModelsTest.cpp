#include "SessionFixture.h"

#include "app/core/ColorAdjustmentModels.h"
#include "app/core/HueSaturationDialogModel.h"
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
    answer.previewedState->undo();

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

} // namespace
} // namespace pict
