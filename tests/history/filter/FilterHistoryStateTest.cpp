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
#include "imageops/LevelsFilter.h"
#include "imageops/SimpleColorFilters.h"
#include "support/ThreadCounts.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

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
    LayerStack& stack = window.document().layers();
    ASSERT_TRUE(stack.replaceAt(stack.activeIndex(), window.activeRaster().resized({2, 2}, 0)));
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

TEST(FilterHistoryState, EverySuccessfulApplicationIsReported) {
    TestWindow window(whiteDocument(5, 5));
    std::vector<std::string> applied;
    const FilterApplied hear = [&applied](const ImageFilter& filter) { applied.push_back(filter.name()); };

    FilterHistoryState blur(window, std::make_unique<ConvolutionFilter>(FilterKind::Blur), hear);
    ASSERT_TRUE(blur.apply());
    ASSERT_TRUE(blur.undo());
    ASSERT_TRUE(blur.apply()); // a redo runs the filter again
    EXPECT_EQ(applied, (std::vector<std::string>{"Blur", "Blur"}));

    // A preview reports each filter it shows, also one it then takes back.
    FilterHistoryState preview(window, nullptr, hear);
    EXPECT_FALSE(preview.apply());
    preview.setFilter(std::make_unique<GaussianBlurFilter>(3.0));
    ASSERT_TRUE(preview.apply());
    ASSERT_TRUE(preview.undo());
    EXPECT_EQ(applied.back(), "Gaussian Blur");
    EXPECT_EQ(applied.size(), 3u);

    // A state that cannot run reports nothing.
    window.activeRaster().setVisible(false);
    FilterHistoryState hidden(window, std::make_unique<InvertFilter>(), hear);
    EXPECT_FALSE(hidden.apply());
    EXPECT_EQ(applied.size(), 3u);
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

// A state of the whole layer keeps the layer's pixels by sharing them and lets the filter
// write its result into new memory; apply, undo and redo must give the bytes of the filter
// run on a plain copy, whether the undo pixels stay shared, are compressed or are swapped.
struct WholeLayerCase {
    const char* name;
    std::function<std::shared_ptr<ImageFilter>()> make;
};

std::vector<WholeLayerCase> wholeLayerCases() {
    LevelsSettings levels;
    levels.channel[kToneComposite].gamma = 0.6;
    return {
        {"Invert", [] { return std::make_shared<InvertFilter>(); }},
        {"Desaturate", [] { return std::make_shared<DesaturateFilter>(); }},
        {"Levels", [levels] { return std::make_shared<LevelsFilter>(levels); }},
        {"Gaussian 2", [] { return std::make_shared<GaussianBlurFilter>(2.0); }},
        {"Sharpen", [] { return std::make_shared<ConvolutionFilter>(FilterKind::Sharpen); }}, // in place
    };
}

TEST(FilterHistoryState, AWholeLayerIsKeptWithoutACopyAndGivesTheSameBytes) {
    for (const WholeLayerCase& filterCase : wholeLayerCases()) {
        for (const int32_t threads : {1, 4}) {
            SCOPED_TRACE(testing::Message() << filterCase.name << ", " << threads << " threads");
            ThreadCount count(threads);
            TestWindow window(whiteDocument(61, 37)); // rows of 183 bytes padded to 184
            Surface24& color = window.activeRaster().color();
            fillRandom(color, 21);
            const Surface24 original = color.clone();
            Surface24 expected = original.clone();
            ASSERT_TRUE(filterCase.make()->apply(expected, nullptr, {}));

            FilterHistoryState state(window, filterCase.make());
            ASSERT_TRUE(state.apply());
            EXPECT_EQ(state.savedRect(), color.bounds());
            EXPECT_TRUE(samePixels(color, expected));
            for (int round = 0; round < 2; ++round) {
                ASSERT_TRUE(state.undo());
                EXPECT_TRUE(samePixels(color, original));
                ASSERT_TRUE(state.apply()); // a redo
                EXPECT_TRUE(samePixels(color, expected));
            }
        }
    }
}

TEST(FilterHistoryState, WholeLayerStatesUndoTheSameBytesWhenCompressedOrSwapped) {
    ThreadCount four(4);
    for (const bool noise : {false, true}) { // smooth pixels compress and stay; noise swaps
        SCOPED_TRACE(noise ? "noise" : "smooth");
        TestWindow window(whiteDocument(90, 70));
        Surface24& color = window.activeRaster().color();
        for (int32_t y = 0; y < 70; ++y)
            for (int32_t x = 0; x < 270; ++x)
                color.row(y)[x] = uint8_t((x + y) / 3);
        if (noise)
            fillRandom(color, 5);
        HistoryManager history(20);
        history.setMemoryBudget(20'000); // each state keeps 18 900 bytes
        std::vector<Surface24> after;
        after.push_back(color.clone());
        std::vector<std::shared_ptr<ImageFilter>> filters;
        for (const WholeLayerCase& filterCase : wholeLayerCases())
            filters.push_back(filterCase.make());
        for (const auto& filter : filters) {
            ASSERT_TRUE(history.add(std::make_unique<FilterHistoryState>(window, filter), false));
            Surface24 expected = after.back().clone();
            ASSERT_TRUE(filter->apply(expected, nullptr, {}));
            EXPECT_TRUE(samePixels(color, expected));
            after.push_back(std::move(expected));
            EXPECT_LE(history.memoryBytes(), 20'000);
        }
        for (size_t i = filters.size(); i > 0; --i) {
            ASSERT_TRUE(history.undo());
            EXPECT_TRUE(samePixels(color, after[i - 1])) << "undo " << i;
        }
        for (size_t i = 1; i <= filters.size(); ++i) {
            ASSERT_TRUE(history.redo());
            EXPECT_TRUE(samePixels(color, after[i])) << "redo " << i;
        }
    }
}

} // namespace
} // namespace pict
