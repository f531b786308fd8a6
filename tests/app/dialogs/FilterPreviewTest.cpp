#include "history/filter/FilterStateSupport.h"
#include "imageops/FilterTestSupport.h"

#include "app/dialogs/FilterPreview.h"
#include "history/HistoryManager.h"
#include "imageops/BrightnessContrastFilter.h"
#include "imageops/ColorBalanceFilter.h"
#include "imageops/ConvolutionFilter.h"
#include "imageops/GaussianBlurFilter.h"
#include "imageops/LastFilterSlot.h"
#include "imageops/LevelsFilter.h"

#include <gtest/gtest.h>

namespace pict {
namespace {

using namespace pict::test;

std::unique_ptr<ImageFilter> brightness(int32_t value) {
    return std::make_unique<BrightnessContrastFilter>(BrightnessContrastSettings{value, 0});
}

// What the command layer does with the answer of OK.
bool commit(HistoryManager& history, TestWindow& window, FilterAnswer answer) {
    if (answer.previewedState)
        return history.add(std::move(answer.previewedState), true);
    if (answer.filter)
        return history.add(std::make_unique<FilterHistoryState>(window, std::move(answer.filter)), false);
    return false;
}

class FilterPreviewTest : public ::testing::Test {
protected:
    FilterPreviewTest() : window(whiteDocument(4, 3)) {
        fillRandom(color(), 5);
        original = color().clone();
    }
    Surface24& color() { return window.activeRaster().color(); }
    uint8_t red(int32_t x, int32_t y) { return pixel(color(), x, y).r; }
    uint8_t originalRed(int32_t x, int32_t y) { return pixel(original, x, y).r; }

    TestWindow window;
    Surface24 original;
    HistoryManager history;
    LastFilterSlot slot;
};

TEST_F(FilterPreviewTest, EveryChangeShowsTheNewParametersOverTheOriginalPixels) {
    FilterPreview preview(window, &slot);
    EXPECT_TRUE(preview.isPreviewOn());
    preview.parametersChanged(brightness(-100));
    EXPECT_TRUE(preview.isShowing());
    const uint8_t darkened = red(1, 1);
    preview.parametersChanged(brightness(-100)); // re-applied over the original, not stacked
    EXPECT_EQ(red(1, 1), darkened);
    preview.parametersChanged(brightness(20));
    EXPECT_EQ(red(1, 1), BrightnessContrastFilter({20, 0}).tables().red[originalRed(1, 1)]);
    EXPECT_EQ(history.count(), 0); // nothing is recorded while the dialog is open
}

TEST_F(FilterPreviewTest, OkRecordsThePreviewedStateAsAppliedAndUndoRestores) {
    FilterPreview preview(window, &slot);
    preview.parametersChanged(brightness(-40));
    preview.parametersChanged(brightness(30));
    const Surface24 shown = color().clone();
    FilterAnswer answer = preview.accept(brightness(30));
    ASSERT_TRUE(answer.previewedState);
    EXPECT_FALSE(answer.filter);
    ASSERT_TRUE(commit(history, window, std::move(answer)));
    EXPECT_TRUE(samePixels(color(), shown)); // not applied a second time
    EXPECT_EQ(history.undoName(), "Brightness/Contrast");
    ASSERT_TRUE(history.undo());
    EXPECT_TRUE(samePixels(color(), original));
    ASSERT_TRUE(history.redo());
    EXPECT_TRUE(samePixels(color(), shown));
}

TEST_F(FilterPreviewTest, CancelAndDestructionTakeThePreviewBack) {
    {
        FilterPreview preview(window, &slot);
        preview.parametersChanged(brightness(50));
        EXPECT_FALSE(samePixels(color(), original));
        preview.cancel();
        EXPECT_TRUE(samePixels(color(), original));
        EXPECT_FALSE(preview.pendingState());
        preview.parametersChanged(brightness(60));
    }
    EXPECT_TRUE(samePixels(color(), original));
    EXPECT_EQ(history.count(), 0);
}

TEST_F(FilterPreviewTest, WithPreviewOffOkHandsOverAFilterToApply) {
    FilterPreview preview(window, &slot);
    preview.parametersChanged(brightness(50));
    preview.setPreview(false, brightness(50));
    EXPECT_TRUE(samePixels(color(), original));
    EXPECT_FALSE(preview.pendingState());
    preview.parametersChanged(brightness(70));
    EXPECT_TRUE(samePixels(color(), original));

    FilterAnswer answer = preview.accept(brightness(70));
    ASSERT_TRUE(answer.filter);
    EXPECT_FALSE(answer.previewedState);
    ASSERT_TRUE(commit(history, window, std::move(answer)));
    EXPECT_EQ(red(2, 2), BrightnessContrastFilter({70, 0}).tables().red[originalRed(2, 2)]);
}

TEST_F(FilterPreviewTest, CheckingPreviewAgainShowsTheCurrentParameters) {
    FilterPreview preview(window, &slot);
    preview.setPreview(false, nullptr);
    preview.setPreview(true, brightness(-10));
    EXPECT_TRUE(preview.isShowing());
    EXPECT_EQ(red(0, 0), BrightnessContrastFilter({-10, 0}).tables().red[originalRed(0, 0)]);
}

TEST_F(FilterPreviewTest, IdentityParametersShowTheOriginalAndRecordNothing) {
    FilterPreview preview(window, &slot);
    preview.parametersChanged(brightness(0)); // first change, identity: nothing runs
    EXPECT_FALSE(preview.isShowing());
    preview.parametersChanged(brightness(25));
    // Back to the identity: the layer shows its own pixels, even for an adjustment whose
    // identity would still convert every pixel through HSL.
    ColorBalanceSettings neutral; // preserve luminosity on, all values 0
    preview.parametersChanged(std::make_unique<ColorBalanceFilter>(neutral));
    EXPECT_TRUE(samePixels(color(), original));
    EXPECT_TRUE(preview.accept(std::make_unique<ColorBalanceFilter>(neutral)).isEmpty());
    EXPECT_TRUE(samePixels(color(), original));
}

TEST_F(FilterPreviewTest, APreviewedBlurIsTheLastFilterEvenWhenCancelled) {
    Surface24 image = makeRgb(3, 3);
    ConvolutionFilter blur(FilterKind::Blur);
    blur.setLastFilterSlot(&slot);
    blur.apply(image);

    {   // a point filter's dialog leaves the slot alone
        FilterPreview levels(window, &slot);
        LevelsSettings settings;
        settings.channel[kToneComposite].gamma = 2.0;
        levels.parametersChanged(std::make_unique<LevelsFilter>(settings));
        levels.cancel();
    }
    EXPECT_EQ(slot.menuText(), "Blur\tCtrl+F");

    FilterPreview gaussian(window, &slot);
    gaussian.parametersChanged(std::make_unique<GaussianBlurFilter>(4.0));
    gaussian.cancel();
    EXPECT_EQ(slot.menuText(), "Gaussian Blur\tCtrl+F");
    EXPECT_TRUE(samePixels(color(), original));
}

TEST_F(FilterPreviewTest, APreviewThatCannotRunIsNotHandedOverAsApplied) {
    window.activeRaster().setVisible(false);
    FilterPreview preview(window, &slot);
    preview.parametersChanged(brightness(40));
    EXPECT_FALSE(preview.isShowing());
    FilterAnswer answer = preview.accept(brightness(40));
    EXPECT_FALSE(answer.previewedState);
    ASSERT_TRUE(answer.filter); // the command's own apply then fails and records nothing
    EXPECT_FALSE(commit(history, window, std::move(answer)));
    EXPECT_EQ(history.count(), 0);
}

} // namespace
} // namespace pict
