// A filter state keeps only the part of the layer its filter can change, and undo and redo
// give the same bytes from it, also after the history has compressed or swapped it.
#include "history/filter/FilterStateSupport.h"
#include "imageops/FilterTestSupport.h"

#include "history/HistoryManager.h"
#include "history/filter/FilterHistoryState.h"
#include "imageops/GaussianBlurFilter.h"
#include "imageops/SimpleColorFilters.h"

#include <gtest/gtest.h>

namespace pict {
namespace {

using namespace pict::test;

TEST(PartialUndo, ASmallSelectionOnABigLayerKeepsOnlyItsRectangle) {
    TestWindow window(whiteDocument(6000, 4000));
    window.select({2500, 1700, 2700, 1900});
    auto state = std::make_unique<FilterHistoryState>(window, std::make_unique<InvertFilter>());
    FilterHistoryState* kept = state.get();
    HistoryManager history;
    ASSERT_TRUE(history.add(std::move(state), false));
    EXPECT_EQ(kept->savedRect(), (Rect{2500, 1700, 2700, 1900}));
    EXPECT_LE(history.memoryBytes(), 200 * 200 * 4);
}

TEST(PartialUndo, TheRectangleIsInLayerCoordinatesAndClippedToTheLayer) {
    TestWindow window(whiteDocument(40, 30));
    RasterLayer* layer = addColorLayer(window.document(), "Moved", Rect{10, 5, 30, 25}, 1, 2, 3);
    window.document().layers().setActive(layer);
    fillRandom(layer->color(), 4);
    const Surface24 original = layer->color().clone();
    window.select({0, 0, 15, 12}); // meets the layer at its top-left corner only
    FilterHistoryState state(window, std::make_unique<GaussianBlurFilter>(3.0));
    ASSERT_TRUE(state.apply());
    EXPECT_EQ(state.savedRect(), (Rect{0, 0, 5, 7}));
    EXPECT_FALSE(samePixels(layer->color(), original));
    ASSERT_TRUE(state.undo());
    EXPECT_TRUE(samePixels(layer->color(), original));
}

TEST(PartialUndo, ARedoUnderAWiderSelectionSavesTheWiderRectangle) {
    TestWindow window(whiteDocument(30, 20));
    Surface24& color = window.activeRaster().color();
    fillRandom(color, 5);
    const Surface24 original = color.clone();
    FilterHistoryState state(window, std::make_unique<InvertFilter>());
    window.select({2, 2, 6, 6});
    ASSERT_TRUE(state.apply());
    ASSERT_TRUE(state.undo());
    window.select({1, 1, 25, 15});
    ASSERT_TRUE(state.apply());
    EXPECT_EQ(state.savedRect(), (Rect{1, 1, 25, 15}));
    ASSERT_TRUE(state.undo());
    EXPECT_TRUE(samePixels(color, original));
}

TEST(PartialUndo, UndoAndRedoAfterSpillingToDiskGiveTheSameBytes) {
    TestWindow window(whiteDocument(300, 200));
    Surface24& color = window.activeRaster().color();
    fillRandom(color, 6);
    HistoryManager history;
    history.setMemoryBudget(1); // everything but nothing: every older state goes to disk
    std::vector<Surface24> steps;
    steps.push_back(color.clone());
    std::vector<FilterHistoryState*> states;
    for (int i = 0; i < 5; ++i) {
        window.select({i * 10, i * 5, 250 - i * 10, 190 - i * 7});
        auto state = std::make_unique<FilterHistoryState>(
            window, i % 2 ? std::shared_ptr<ImageFilter>(std::make_unique<GaussianBlurFilter>(2.0 + i))
                          : std::shared_ptr<ImageFilter>(std::make_unique<InvertFilter>()));
        states.push_back(state.get());
        ASSERT_TRUE(history.add(std::move(state), false));
        steps.push_back(color.clone());
    }
    EXPECT_EQ(history.memoryBytes(), 0);
    for (FilterHistoryState* state : states)
        EXPECT_EQ(state->savedPixels().front()->place(), SavedPixels::Place::Swapped);
    for (int i = 4; i >= 0; --i) {
        window.select({i * 10, i * 5, 250 - i * 10, 190 - i * 7});
        ASSERT_TRUE(history.undo());
        EXPECT_TRUE(samePixels(color, steps[size_t(i)])) << "undo to step " << i;
    }
    for (int i = 0; i < 5; ++i) {
        window.select({i * 10, i * 5, 250 - i * 10, 190 - i * 7});
        ASSERT_TRUE(history.redo());
        EXPECT_TRUE(samePixels(color, steps[size_t(i) + 1])) << "redo to step " << i + 1;
    }
}

} // namespace
} // namespace pict
