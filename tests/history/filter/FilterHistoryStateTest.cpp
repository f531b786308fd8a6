#include "history/filter/FilterStateSupport.h"
#include "imageops/FilterTestSupport.h"

#include "history/HistoryManager.h"
#include "history/filter/FilterHistoryState.h"
#include "imageops/BrightnessContrastFilter.h"
#include "imageops/ColorBalanceFilter.h"
#include "imageops/ConvolutionFilter.h"
#include "imageops/CurvesFilter.h"
#include "imageops/GaussianBlurFilter.h"
#include "imageops/HueSaturationFilter.h"
#include "imageops/LastFilterSlot.h"
#include "imageops/LevelsFilter.h"
#include "imageops/SimpleColorFilters.h"

#include <gtest/gtest.h>

namespace pict {
namespace {

using namespace pict::test;

std::unique_ptr<FilterHistoryState> invertState(TestWindow& window) {
    return std::make_unique<FilterHistoryState>(window, std::make_unique<InvertFilter>());
}

TEST(FilterHistoryState, AppliesUndoesAndRedoesFromOneSavedCopy) {
    TestWindow window(whiteDocument(6, 4));
    Surface24& color = window.activeRaster().color();
    fillRandom(color, 11);
    const Surface24 original = color.clone();

    auto state = invertState(window);
    EXPECT_EQ(state->name(), "Invert");
    EXPECT_FALSE(state->undo()); // nothing saved yet
    HistoryManager history;
    ASSERT_TRUE(history.add(std::move(state), false));
    EXPECT_TRUE(window.document().isModified());
    EXPECT_EQ(pixel(color, 2, 3).r, 255 - pixel(original, 2, 3).r);

    window.document().setModified(false);
    ASSERT_TRUE(history.undo());
    EXPECT_TRUE(samePixels(color, original));
    EXPECT_FALSE(window.document().isModified()); // undo of a layer state leaves the flag

    ASSERT_TRUE(history.redo());
    EXPECT_TRUE(window.document().isModified());
    ASSERT_TRUE(history.undo());
    EXPECT_TRUE(samePixels(color, original));
}

TEST(FilterHistoryState, WorksInsideTheSelectionOnly) {
    TestWindow window(whiteDocument(6, 6));
    window.select({1, 1, 3, 4});
    FilterHistoryState state(window, std::make_unique<InvertFilter>());
    ASSERT_TRUE(state.apply());
    const Surface24& color = window.activeRaster().color();
    EXPECT_EQ(pixel(color, 1, 1), gray(0));
    EXPECT_EQ(pixel(color, 2, 3), gray(0));
    EXPECT_EQ(pixel(color, 0, 0), gray(255));
    EXPECT_EQ(pixel(color, 3, 1), gray(255));
    EXPECT_EQ(pixel(color, 1, 4), gray(255));
    ASSERT_TRUE(state.undo());
    EXPECT_EQ(pixel(color, 1, 1), gray(255));
}

TEST(FilterHistoryState, PartialCoverageLosesPlusOneAndKeepsMinusOne) {
    TestWindow window(whiteDocument(2, 1));
    Surface24& color = window.activeRaster().color();
    setPixel(color, 0, 0, gray(127)); // inverted: 128, a change of +1
    setPixel(color, 1, 0, gray(128)); // inverted: 127, a change of -1
    window.select({0, 0, 2, 1}, 128);
    FilterHistoryState state(window, std::make_unique<InvertFilter>());
    ASSERT_TRUE(state.apply());
    EXPECT_EQ(pixel(color, 0, 0), gray(127));
    EXPECT_EQ(pixel(color, 1, 0), gray(127));
}

TEST(FilterHistoryState, RefusesLayersItCannotEditAndChangesNothing) {
    TestWindow window(whiteDocument(8, 8));
    RasterLayer* top = addColorLayer(window.document(), "Layer 1", {2, 2, 5, 5}, 10, 20, 30);

    window.select({6, 6, 8, 8}); // misses the layer
    EXPECT_FALSE(invertState(window)->apply());
    EXPECT_EQ(pixel(top->color(), 0, 0), (Bgr{10, 20, 30}));
    EXPECT_FALSE(window.document().isModified());

    window.select({4, 4, 8, 8}); // meets it
    EXPECT_TRUE(invertState(window)->apply());
    EXPECT_EQ(pixel(top->color(), 2, 2), (Bgr{245, 235, 225}));

    window.deselect();
    top->setVisible(false);
    EXPECT_FALSE(invertState(window)->apply());

    auto empty = std::make_unique<EmptyLayer>(&window.document().layers());
    window.document().layers().add(std::move(empty));
    EXPECT_FALSE(invertState(window)->apply());

    FilterHistoryState noFilter(window, nullptr);
    EXPECT_EQ(noFilter.name(), "Unknown Filter");
    EXPECT_FALSE(noFilter.apply());
}

TEST(FilterHistoryState, AFailingApplyLeavesTheHistoryAsItWas) {
    TestWindow window(whiteDocument(4, 4));
    HistoryManager history;
    ASSERT_TRUE(history.add(invertState(window), false));
    ASSERT_TRUE(history.add(invertState(window), false));
    ASSERT_TRUE(history.undo()); // one state on the redo branch

    window.activeRaster().setVisible(false);
    EXPECT_FALSE(history.add(invertState(window), false));
    EXPECT_EQ(history.count(), 2);
    EXPECT_EQ(history.position(), 0);
    EXPECT_TRUE(history.canRedo());
}

TEST(FilterHistoryState, KeepsToItsLayerWhenAnotherBecomesActive) {
    TestWindow window(whiteDocument(4, 4));
    RasterLayer* upper = addColorLayer(window.document(), "Layer 1", {0, 0, 4, 4}, 50, 50, 50);
    Layer* background = window.document().layers().layerAt(0);

    FilterHistoryState state(window, std::make_unique<InvertFilter>());
    EXPECT_EQ(state.layerIndex(), 1);
    ASSERT_TRUE(state.apply());
    window.document().layers().setActive(background);
    ASSERT_TRUE(state.undo());
    EXPECT_EQ(pixel(upper->color(), 0, 0), gray(50));
    ASSERT_TRUE(state.apply());
    EXPECT_EQ(pixel(upper->color(), 0, 0), gray(205));
    EXPECT_EQ(pixel(window.activeRaster().color(), 0, 0), gray(255));
}

TEST(FilterHistoryState, UndoRefusesASurfaceOfAnotherSize) {
    TestWindow window(whiteDocument(4, 4));
    FilterHistoryState state(window, std::make_unique<InvertFilter>());
    ASSERT_TRUE(state.apply());
    ASSERT_TRUE(window.activeRaster().resize({2, 2}, 0));
    EXPECT_FALSE(state.undo());
    EXPECT_EQ(pixel(window.activeRaster().color(), 1, 1), gray(0));
}

TEST(FilterHistoryState, ANewFilterStillUndoesToTheFirstSavedPixels) {
    TestWindow window(whiteDocument(3, 3));
    Surface24& color = window.activeRaster().color();
    setPixel(color, 1, 1, Bgr{10, 200, 30});
    FilterHistoryState state(window, std::make_unique<InvertFilter>());
    ASSERT_TRUE(state.apply());
    ASSERT_TRUE(state.undo());
    state.setFilter(std::make_unique<DesaturateFilter>());
    EXPECT_EQ(state.name(), "Desaturate");
    ASSERT_TRUE(state.apply());
    EXPECT_EQ(pixel(color, 1, 1), gray(105));
    ASSERT_TRUE(state.undo());
    EXPECT_EQ(pixel(color, 1, 1), (Bgr{10, 200, 30}));
}

TEST(FilterHistoryState, NeighborhoodFiltersBecomeTheLastFilter) {
    TestWindow window(whiteDocument(5, 5));
    LastFilterSlot slot;
    FilterHistoryState invert(window, std::make_unique<InvertFilter>(), &slot);
    ASSERT_TRUE(invert.apply());
    EXPECT_TRUE(slot.isEmpty());

    FilterHistoryState blur(window, std::make_unique<ConvolutionFilter>(FilterKind::Blur), &slot);
    ASSERT_TRUE(blur.apply());
    EXPECT_EQ(slot.menuText(), "Blur\tCtrl+F");

    // A preview that is taken back still leaves its filter in the slot.
    FilterHistoryState preview(window, nullptr, &slot);
    preview.setFilter(std::make_unique<GaussianBlurFilter>(3.0));
    ASSERT_TRUE(preview.apply());
    ASSERT_TRUE(preview.undo());
    EXPECT_EQ(slot.menuText(), "Gaussian Blur\tCtrl+F");
}

TEST(FilterIdentity, OnlyTheDefaultParametersAddNothing) {
    EXPECT_TRUE(LevelsFilter(LevelsSettings{}).isIdentity());
    LevelsSettings levels;
    levels.channel[kToneBlue].gamma = 1.01;
    EXPECT_FALSE(LevelsFilter(levels).isIdentity());

    EXPECT_TRUE(CurvesFilter(CurvesSettings{}).isIdentity());
    CurvesSettings curves;
    curves.channel[kToneGreen] = {{0, 0}, {128, 140}, {255, 255}};
    EXPECT_FALSE(CurvesFilter(curves).isIdentity());

    EXPECT_TRUE(BrightnessContrastFilter(BrightnessContrastSettings{}).isIdentity());
    EXPECT_FALSE(BrightnessContrastFilter(BrightnessContrastSettings{0, -1}).isIdentity());

    ColorBalanceSettings balance;
    balance.preserveLuminosity = false; // the flag alone changes nothing
    EXPECT_TRUE(ColorBalanceFilter(balance).isIdentity());
    balance.value[kYellowBlue][kHighlights] = 0.5;
    EXPECT_FALSE(ColorBalanceFilter(balance).isIdentity());

    EXPECT_TRUE(HueSaturationFilter(HueSaturationSettings{}).isIdentity());
    HueSaturationSettings hue;
    hue.saturation[kMagentas] = -3;
    EXPECT_FALSE(HueSaturationFilter(hue).isIdentity());
    EXPECT_FALSE(ColorizeFilter(ColorizeSettings{}).isIdentity()); // always commits

    EXPECT_TRUE(GaussianBlurFilter(0.19).isIdentity());
    EXPECT_TRUE(GaussianBlurFilter(-4.0).isIdentity());
    EXPECT_FALSE(GaussianBlurFilter(0.2).isIdentity());
    EXPECT_FALSE(GaussianBlurFilter(0.5).isIdentity()); // changes no pixel, yet is recorded

    EXPECT_FALSE(InvertFilter().isIdentity());
    EXPECT_FALSE(ConvolutionFilter(FilterKind::Blur).isIdentity());
}

TEST(FilterHistoryState, GaussianRadiusHalfChangesNothingYetIsRecorded) {
    TestWindow window(whiteDocument(5, 5));
    Surface24& color = window.activeRaster().color();
    setPixel(color, 2, 2, gray(0));
    const Surface24 original = color.clone();
    HistoryManager history;
    auto filter = std::make_unique<GaussianBlurFilter>(0.5);
    ASSERT_FALSE(filter->isIdentity());
    ASSERT_TRUE(history.add(std::make_unique<FilterHistoryState>(window, std::move(filter)), false));
    EXPECT_EQ(history.undoName(), "Gaussian Blur");
    EXPECT_TRUE(samePixels(color, original));
}

} // namespace
} // namespace pict
