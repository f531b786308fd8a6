#include "history/FakeDocumentWindow.h"
#include "history/HistoryManager.h"
#include "history/fill/FillStates.h"
#include "imageops/ColorFill.h"

#include "document/Layer.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

namespace pict {
using test::FakeDocumentWindow;

namespace {

Surface24 gray(int32_t w, int32_t h, uint8_t value) {
    Surface24 s;
    s.create(w, h, 24);
    s.fillSolid24(s.bounds(), uint32_t(value) * 0x010101u);
    return s;
}

Surface8 mask(int32_t w, int32_t h, uint8_t value) {
    Surface8 m;
    m.create(w, h, 8);
    m.fillValue(value);
    return m;
}

FillParams black(int32_t opacity = 100, int32_t mode = kBlendNormal, bool preserve = false) {
    return FillParams{0xFF000000u, mode, opacity, preserve};
}

const uint8_t* at(const Surface24& s, int32_t x, int32_t y) { return s.row(y) + 3 * x; }

// A transparent raster layer (not background) of the window's canvas size, made active.
RasterLayer* addTransparentLayer(FakeDocumentWindow& window, uint8_t maskValue) {
    const Size canvas = window.doc.canvasSize();
    auto layer = RasterLayer::createFromSurface(&window.doc.layers(), gray(canvas.width, canvas.height, 200), false);
    layer->setTransparencyMask(mask(canvas.width, canvas.height, maskValue));
    RasterLayer* raw = layer.get();
    window.doc.layers().add(std::move(layer), window.doc.layers().count());
    return raw;
}

// ---- the Fill state ----

TEST(FillState, FillsTheLayerAndUndoPutsTheSameContentBack) {
    FakeDocumentWindow window(10, 8);
    HistoryManager history;
    ASSERT_TRUE(history.add(std::make_unique<FillState>(window, black()), false));
    const RasterLayer& layer = *window.doc.layers().rasterAt(0);
    EXPECT_EQ(at(layer.color(), 9, 7)[0], 0);
    EXPECT_TRUE(window.doc.isModified());
    ASSERT_TRUE(history.undo());
    EXPECT_EQ(at(window.doc.layers().rasterAt(0)->color(), 9, 7)[0], 255);
    ASSERT_TRUE(history.redo());
    EXPECT_EQ(at(window.doc.layers().rasterAt(0)->color(), 9, 7)[0], 0);
}

TEST(FillState, ASmallLayerGrowsToTheCanvasFirstAndUndoShrinksIt) {
    FakeDocumentWindow window(20, 10);
    auto small = RasterLayer::createFromSurface(&window.doc.layers(), gray(4, 4, 50), false);
    small->setPosition({3, 2});
    window.doc.layers().add(std::move(small), 1);
    HistoryManager history;
    ASSERT_TRUE(history.add(std::make_unique<FillState>(window, black()), false));
    const RasterLayer& grown = *window.doc.layers().rasterAt(1);
    EXPECT_EQ(grown.canvasRect(), (Rect{0, 0, 20, 10}));
    ASSERT_NE(grown.transparencyMask(), nullptr);
    EXPECT_EQ(grown.transparencyMask()->valueAt(19, 9), 255);
    EXPECT_EQ(at(grown.color(), 19, 9)[0], 0);
    ASSERT_TRUE(history.undo());
    EXPECT_EQ(window.doc.layers().layerAt(1)->canvasRect(), (Rect{3, 2, 7, 6}));
}

TEST(FillState, FillsOnlyTheSelection) {
    FakeDocumentWindow window(10, 8);
    window.select({2, 2, 4, 4});
    HistoryManager history;
    ASSERT_TRUE(history.add(std::make_unique<FillState>(window, black()), false));
    const Surface24& color = window.doc.layers().rasterAt(0)->color();
    EXPECT_EQ(at(color, 2, 2)[0], 0);
    EXPECT_EQ(at(color, 4, 4)[0], 255);
}

TEST(FillState, ASelectionOnALayerThatCoversTheCanvasKeepsOnlyItsRectangle) {
    FakeDocumentWindow window(60, 40);
    RasterLayer* layer = addTransparentLayer(window, 0);
    for (int32_t y = 0; y < 40; ++y)
        for (int32_t x = 0; x < 60; ++x) {
            layer->transparencyMask()->setValueAt(x, y, uint8_t(x * 4 + y));
            layer->color().row(y)[x * 3 + 1] = uint8_t(x ^ y);
        }
    const Surface24 color = layer->color().clone();
    const Surface8 alpha = layer->transparencyMask()->clone();
    window.select({10, 5, 30, 25}, 200);
    auto state = std::make_unique<FillState>(window, black(60, kBlendMultiply));
    FillState* kept = state.get();
    HistoryManager history;
    ASSERT_TRUE(history.add(std::move(state), false));
    EXPECT_EQ(kept->savedRect(), (Rect{10, 5, 30, 25}));
    EXPECT_EQ(history.memoryBytes(), 20 * 20 * 4) << "the colors and the transparency of the rectangle";
    EXPECT_NE(layer->transparencyMask()->valueAt(15, 15), alpha.valueAt(15, 15));
    for (int round = 0; round < 2; ++round) {
        ASSERT_TRUE(history.undo());
        for (int32_t y = 0; y < 40; ++y) {
            ASSERT_EQ(std::memcmp(layer->color().row(y), color.row(y), 60 * 3), 0) << "row " << y;
            ASSERT_EQ(std::memcmp(layer->transparencyMask()->row(y), alpha.row(y), 60), 0) << "row " << y;
        }
        ASSERT_TRUE(history.redo());
    }
}

TEST(FillState, PreserveTransparencyKeepsTheMask) {
    FakeDocumentWindow window(6, 4);
    RasterLayer* layer = addTransparentLayer(window, 0);
    layer->transparencyMask()->setValueAt(2, 1, 77);
    HistoryManager history;
    ASSERT_TRUE(history.add(std::make_unique<FillState>(window, black(100, kBlendNormal, true)), false));
    EXPECT_EQ(layer->transparencyMask()->valueAt(0, 0), 0);
    EXPECT_EQ(layer->transparencyMask()->valueAt(2, 1), 77);
    EXPECT_EQ(at(layer->color(), 0, 0)[0], 0);
}

TEST(FillState, RefusesHiddenAndNonRasterLayers) {
    FakeDocumentWindow window(6, 4);
    window.doc.layers().setVisible(window.doc.layers().layerAt(0), false);
    HistoryManager history;
    EXPECT_FALSE(history.add(std::make_unique<FillState>(window, black()), false));
    window.doc.layers().add(std::make_unique<EmptyLayer>(&window.doc.layers()));
    EXPECT_FALSE(history.add(std::make_unique<FillState>(window, black()), false));
    EXPECT_EQ(history.count(), 0);
    EXPECT_FALSE(window.doc.isModified());
}

TEST(FillState, ParametersAreClampedAtCreation) {
    FakeDocumentWindow window;
    FillState state(window, FillParams{0x00123456u, 19, 0, false});
    EXPECT_EQ(state.params().color, 0xFF123456u);
    EXPECT_EQ(state.params().mode, kBlendNormal);
    EXPECT_EQ(state.params().opacity, 1);
    EXPECT_EQ(FillState(window, FillParams{0, 3, 400, true}).params().opacity, 100);
}

// ---- the Clear state ----

TEST(ClearState, BackgroundTakesTheBackgroundColorAndUndoRestoresIt) {
    FakeDocumentWindow window(10, 8);
    window.doc.layers().rasterAt(0)->color().fillSolid24({0, 0, 10, 8}, 0x112233);
    window.select({2, 1, 5, 4});
    HistoryManager history;
    ASSERT_TRUE(history.add(std::make_unique<ClearState>(window, 0x0000FF), false)); // red, red in the low byte
    const Surface24& color = window.doc.layers().rasterAt(0)->color();
    EXPECT_EQ(at(color, 2, 1)[2], 0xFF);
    EXPECT_EQ(at(color, 2, 1)[0], 0x00);
    EXPECT_EQ(at(color, 5, 4)[0], 0x11);
    EXPECT_EQ(history.undoName(), "Clear");
    ASSERT_TRUE(history.undo());
    EXPECT_EQ(at(window.doc.layers().rasterAt(0)->color(), 2, 1)[0], 0x11);
}

TEST(ClearState, OtherLayersBecomeTransparentAndUndoRestoresTheMask) {
    FakeDocumentWindow window(10, 8);
    RasterLayer* layer = addTransparentLayer(window, 255);
    window.select({2, 1, 5, 4}, 128);
    HistoryManager history;
    ASSERT_TRUE(history.add(std::make_unique<ClearState>(window, 0xFFFFFF), false));
    EXPECT_EQ(layer->transparencyMask()->valueAt(2, 1), 126) << "floor(((255 - 128) x 255) / 256)";
    EXPECT_EQ(layer->transparencyMask()->valueAt(5, 4), 255);
    EXPECT_EQ(at(layer->color(), 2, 1)[0], 200) << "the colors stay";
    ASSERT_TRUE(history.undo());
    EXPECT_EQ(layer->transparencyMask()->valueAt(2, 1), 255);
}

TEST(ClearState, NeedsASelectionAndAVisibleRasterLayer) {
    FakeDocumentWindow window(10, 8);
    HistoryManager history;
    EXPECT_FALSE(history.add(std::make_unique<ClearState>(window, 0), false));
    window.select({0, 0, 2, 2});
    window.doc.layers().setVisible(window.doc.layers().layerAt(0), false);
    EXPECT_FALSE(history.add(std::make_unique<ClearState>(window, 0), false));
    EXPECT_EQ(history.count(), 0);
}

} // namespace
} // namespace pict
