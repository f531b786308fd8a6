#include "app/SessionFixture.h"

#include "app/dialogs/FilterPreview.h"
#include "imageops/BrightnessContrastFilter.h"
#include "imageops/ConvolutionFilter.h"
#include "imageops/CurvesFilter.h"
#include "imageops/GaussianBlurFilter.h"
#include "imageops/HueSaturationFilter.h"
#include "imageops/LastFilterSlot.h"
#include "imageops/LevelsFilter.h"
#include "imageops/SimpleColorFilters.h"

#include <array>

namespace pict {
namespace {

constexpr std::array<uint16_t, 15> kFilterIds{
    kCmdLevels,     kCmdCurves,     kCmdColorBalance, kCmdBrightnessContrast, kCmdHueSaturation,
    kCmdAutoLevels, kCmdAutoContrast, kCmdDesaturate, kCmdInvert,             kCmdLastFilter,
    kCmdBlur,       kCmdBlurMore,   kCmdGaussianBlur, kCmdSharpen,            kCmdSharpenMore};

class FilterCommandsTest : public test::SessionTest {
protected:
    FilterCommandsTest() : SessionTest(8, 6) { app_.lastFilter = &slot_; }

    const uint8_t* pixelAt(const RasterLayer& layer, int32_t x, int32_t y) { return layer.colorAt(x, y); }
    RasterLayer& background() { return *layers().rasterAt(0); }
    void setGray(RasterLayer& layer, int32_t x, int32_t y, uint8_t value) {
        uint8_t* p = layer.color().row(y) + 3 * x;
        p[0] = p[1] = p[2] = value;
    }
    // A filter answer for a dialog command.
    static FilterParams answer(std::shared_ptr<ImageFilter> filter) { return FilterParams{std::move(filter), nullptr}; }
    void select(Rect rect) { ASSERT_EQ(commands_.selectMarquee(rect, false).outcome, CommandOutcome::Done); }

    LastFilterSlot slot_;
};

TEST_F(FilterCommandsTest, EveryFilterIsRefusedWithoutAnEditableLayer) {
    background().setVisible(false);
    for (uint16_t id : kFilterIds)
        expectRefused(id, answer(std::make_shared<InvertFilter>()));
    background().setVisible(true);

    auto empty = std::make_unique<EmptyLayer>(&layers());
    layers().add(std::move(empty)); // active, not raster
    for (uint16_t id : kFilterIds)
        expectRefused(id);
}

TEST_F(FilterCommandsTest, EveryFilterIsRefusedWhenTheSelectionMissesTheLayer) {
    addLayer("Layer 1", {0, 0, 3, 3});
    select({5, 4, 8, 6});
    const int32_t count = history().count();
    for (uint16_t id : kFilterIds)
        expectRefused(id);
    EXPECT_EQ(history().count(), count);
}

TEST_F(FilterCommandsTest, LastFilterNeedsAFilterInTheSlot) {
    expectRefused(kCmdLastFilter);
    app_.lastFilter = nullptr;
    expectRefused(kCmdLastFilter);
}

TEST_F(FilterCommandsTest, CommandsWithoutADialogPushTheirFilter) {
    struct Case {
        uint16_t id;
        const char* name;
    };
    for (Case c : {Case{kCmdDesaturate, "Desaturate"}, Case{kCmdInvert, "Invert"}, Case{kCmdBlur, "Blur"},
                   Case{kCmdBlurMore, "Blur More"}, Case{kCmdSharpen, "Sharpen"},
                   Case{kCmdSharpenMore, "Sharpen More"}, Case{kCmdAutoLevels, "Auto Levels"},
                   Case{kCmdAutoContrast, "Auto Contrast"}}) {
        EXPECT_EQ(run(c.id), CommandOutcome::Done) << c.name;
        EXPECT_EQ(history().undoName(), c.name);
    }
    EXPECT_EQ(history().count(), 8);
    EXPECT_TRUE(document().isModified());
}

TEST_F(FilterCommandsTest, InvertChangesTheSelectionAndUndoRestores) {
    select({2, 1, 4, 3});
    ASSERT_EQ(run(kCmdInvert), CommandOutcome::Done);
    EXPECT_EQ(pixelAt(background(), 2, 1)[0], 0);
    EXPECT_EQ(pixelAt(background(), 1, 1)[0], 255);
    run(kCmdUndo);
    EXPECT_EQ(pixelAt(background(), 2, 1)[0], 255);
}

TEST_F(FilterCommandsTest, NeighbourhoodFiltersFeedLastFilterWhichRepeatsThem) {
    setGray(background(), 4, 3, 0);
    ASSERT_EQ(run(kCmdSharpen), CommandOutcome::Done);
    EXPECT_EQ(slot_.menuText(), "Sharpen\tCtrl+F");
    ASSERT_EQ(run(kCmdInvert), CommandOutcome::Done); // point filters leave the slot alone
    EXPECT_EQ(slot_.menuText(), "Sharpen\tCtrl+F");

    ASSERT_EQ(run(kCmdGaussianBlur, answer(std::make_shared<GaussianBlurFilter>(6.5))), CommandOutcome::Done);
    EXPECT_TRUE(commands_.isEnabled(kCmdLastFilter));
    ASSERT_EQ(run(kCmdLastFilter), CommandOutcome::Done);
    EXPECT_EQ(history().undoName(), "Gaussian Blur");
    EXPECT_EQ(static_cast<const GaussianBlurFilter*>(slot_.filter())->radius(), 6.5);
    EXPECT_EQ(history().count(), 4);
}

TEST_F(FilterCommandsTest, DialogCommandsWithTheirStartingValuesRecordNothing) {
    for (uint16_t id : {kCmdLevels, kCmdCurves, kCmdColorBalance, kCmdBrightnessContrast, kCmdHueSaturation,
                        kCmdGaussianBlur})
        EXPECT_EQ(run(id), CommandOutcome::Unchanged) << id;
    EXPECT_EQ(run(kCmdLevels, answer(std::make_shared<LevelsFilter>(LevelsSettings{}))), CommandOutcome::Unchanged);
    EXPECT_EQ(run(kCmdCurves, answer(std::make_shared<CurvesFilter>(CurvesSettings{}))), CommandOutcome::Unchanged);
    EXPECT_EQ(run(kCmdGaussianBlur, answer(std::make_shared<GaussianBlurFilter>(0.19))), CommandOutcome::Unchanged);
    EXPECT_EQ(history().count(), 0);
    EXPECT_FALSE(document().isModified());
    EXPECT_TRUE(slot_.isEmpty());
}

TEST_F(FilterCommandsTest, DialogCommandsPushTheConfirmedFilter) {
    ASSERT_EQ(run(kCmdBrightnessContrast, answer(std::make_shared<BrightnessContrastFilter>(
                                              BrightnessContrastSettings{-55, 0}))),
              CommandOutcome::Done);
    EXPECT_EQ(history().undoName(), "Brightness/Contrast");
    EXPECT_EQ(pixelAt(background(), 0, 0)[1], 200);

    HueSaturationSettings hue;
    hue.lightness[kMaster] = -100;
    ASSERT_EQ(run(kCmdHueSaturation, answer(std::make_shared<HueSaturationFilter>(hue))), CommandOutcome::Done);
    EXPECT_EQ(history().undoName(), "Hue/Saturation");
    ASSERT_EQ(run(kCmdHueSaturation, answer(std::make_shared<ColorizeFilter>(ColorizeSettings{}))),
              CommandOutcome::Done);
    EXPECT_EQ(history().undoName(), "Colorize");

    // Radius 0.5 changes no pixel, but the dialog committed it.
    ASSERT_EQ(run(kCmdGaussianBlur, answer(std::make_shared<GaussianBlurFilter>(0.5))), CommandOutcome::Done);
    EXPECT_EQ(history().count(), 4);
}

TEST_F(FilterCommandsTest, AnAnswerOfTheWrongKindIsNotRecorded) {
    EXPECT_EQ(run(kCmdLevels, answer(std::make_shared<InvertFilter>())), CommandOutcome::Failed);
    EXPECT_EQ(run(kCmdHueSaturation, answer(std::make_shared<ConvolutionFilter>(FilterKind::Blur))),
              CommandOutcome::Failed);
    EXPECT_EQ(run(kCmdCurves, FeatherParams{}), CommandOutcome::Failed);
    EXPECT_EQ(history().count(), 0);
    EXPECT_TRUE(slot_.isEmpty());
}

TEST_F(FilterCommandsTest, APreviewedStateIsRecordedWithoutApplyingAgain) {
    setGray(background(), 1, 1, 100);
    FilterPreview preview(session_, &slot_);
    preview.parametersChanged(std::make_unique<BrightnessContrastFilter>(BrightnessContrastSettings{10, 0}));
    ASSERT_TRUE(preview.isShowing());
    FilterAnswer confirmed = preview.accept(std::make_unique<BrightnessContrastFilter>(BrightnessContrastSettings{10, 0}));
    ASSERT_TRUE(confirmed.previewedState);
    ASSERT_EQ(run(kCmdBrightnessContrast, FilterParams{nullptr, std::move(confirmed.previewedState)}),
              CommandOutcome::Done);
    EXPECT_EQ(pixelAt(background(), 1, 1)[0], 110); // applied once, by the preview
    EXPECT_EQ(history().undoName(), "Brightness/Contrast");
    run(kCmdUndo);
    EXPECT_EQ(pixelAt(background(), 1, 1)[0], 100);
    run(kCmdRedo);
    EXPECT_EQ(pixelAt(background(), 1, 1)[0], 110);
}

TEST_F(FilterCommandsTest, AutoLevelsReadsTheLayerWithinTheSelectionOnly) {
    RasterLayer* layer = addLayer("Layer 1", {2, 2, 8, 6}, 100);
    setGray(*layer, 0, 0, 0);   // canvas (2, 2): outside the selection
    setGray(*layer, 3, 1, 50);  // canvas (5, 3)
    setGray(*layer, 4, 2, 150); // canvas (6, 4)
    select({4, 3, 8, 6});
    ASSERT_EQ(run(kCmdAutoLevels), CommandOutcome::Done);
    // Stretched from 50..150, not 0..150.
    EXPECT_EQ(pixelAt(*layer, 3, 1)[2], 0);
    EXPECT_EQ(pixelAt(*layer, 4, 2)[2], 255);
    EXPECT_EQ(pixelAt(*layer, 5, 3)[2], 128); // 100 within the selection
    EXPECT_EQ(pixelAt(*layer, 0, 0)[2], 0);   // outside: untouched
    EXPECT_EQ(pixelAt(*layer, 1, 0)[2], 100);
}

} // namespace
} // namespace pict
