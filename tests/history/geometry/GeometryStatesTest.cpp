#include "history/FakeDocumentWindow.h"
#include "history/HistoryManager.h"
#include "history/geometry/GeometryStates.h"

#include "document/Layer.h"
#include "support/SurfaceCompare.h"

#include <gtest/gtest.h>

#include <memory>

namespace pict {
using test::FakeDocumentWindow;
using test::samePixels;

namespace {

RasterLayer& background(Document& doc) { return *doc.layers().rasterAt(0); }

void setPixel(Surface24& s, int32_t x, int32_t y, uint8_t b, uint8_t g, uint8_t r) {
    uint8_t* p = s.row(y) + 3 * x;
    p[0] = b;
    p[1] = g;
    p[2] = r;
}

bool pixelIs(const Surface24& s, int32_t x, int32_t y, uint8_t b, uint8_t g, uint8_t r) {
    const uint8_t* p = s.row(y) + 3 * x;
    return p[0] == b && p[1] == g && p[2] == r;
}

// A non-background layer of one color placed at rect, added on top.
RasterLayer* addLayer(Document& doc, Rect rect, uint8_t gray) {
    Surface24 color;
    color.create(rect.width(), rect.height(), 24);
    color.fillSolid24(color.bounds(), uint32_t(gray) * 0x010101u);
    auto layer = RasterLayer::createFromSurface(&doc.layers(), std::move(color), false);
    layer->setPosition(rect.topLeft());
    RasterLayer* raw = layer.get();
    doc.layers().add(std::move(layer), doc.layers().count());
    return raw;
}

ImageResize resizeTo(int32_t w, int32_t h, float resolution, int32_t method,
                     ResolutionUnit unit = ResolutionUnit::PixelsPerInch) {
    return ImageResize{w, h, resolution, unit, method};
}

// ---- Image Size ----

TEST(ImageSizeState, ResolutionOnlyKeepsThePixelsAndUndoRestoresTheResolution) {
    FakeDocumentWindow window(20, 10);
    window.select({0, 0, 5, 5});
    setPixel(background(window.doc).color(), 3, 4, 10, 20, 30);
    const Surface24 before = background(window.doc).color().clone();
    HistoryManager history;
    ASSERT_TRUE(history.add(std::make_unique<ImageSizeState>(
                                window, resizeTo(20, 10, 300.0f, 2, ResolutionUnit::PixelsPerCentimeter)),
                            false));
    EXPECT_FLOAT_EQ(window.doc.info().resolution, 300.0f);
    EXPECT_EQ(window.doc.info().resolutionUnit, ResolutionUnit::PixelsPerCentimeter);
    EXPECT_TRUE(samePixels(background(window.doc).color(), before));
    EXPECT_TRUE(window.doc.isModified());
    EXPECT_TRUE(window.selected()) << "a resolution change keeps the selection";

    ASSERT_TRUE(history.undo());
    EXPECT_FLOAT_EQ(window.doc.info().resolution, 72.0f);
    EXPECT_EQ(window.doc.info().resolutionUnit, ResolutionUnit::PixelsPerInch);
    EXPECT_TRUE(samePixels(background(window.doc).color(), before));
    ASSERT_TRUE(history.redo());
    EXPECT_FLOAT_EQ(window.doc.info().resolution, 300.0f);
}

TEST(ImageSizeState, ResizesEveryLayerAndItsPositionAndUndoRestoresTheDocument) {
    FakeDocumentWindow window(40, 30);
    RasterLayer* layer = addLayer(window.doc, {10, 6, 20, 12}, 90);
    (void)layer;
    HistoryManager history;
    ASSERT_TRUE(history.add(std::make_unique<ImageSizeState>(window, resizeTo(80, 60, 72.0f, 0)), false));
    EXPECT_EQ(window.doc.canvasSize(), (Size{80, 60}));
    const Layer* top = window.doc.layers().layerAt(1);
    EXPECT_EQ(top->canvasRect(), (Rect{20, 12, 40, 24}));
    EXPECT_EQ(window.doc.layers().layerAt(0)->size(), (Size{80, 60}));

    ASSERT_TRUE(history.undo());
    EXPECT_EQ(window.doc.canvasSize(), (Size{40, 30}));
    EXPECT_EQ(window.doc.layers().layerAt(1)->canvasRect(), (Rect{10, 6, 20, 12}));
}

TEST(ImageSizeState, LayerSizesAndPositionsRoundHalfUpWithTheScale) {
    FakeDocumentWindow window(100, 100);
    addLayer(window.doc, {15, 45, 25, 55}, 90);
    HistoryManager history;
    ASSERT_TRUE(history.add(std::make_unique<ImageSizeState>(window, resizeTo(33, 67, 72.0f, 1)), false));
    // 10 x 0.33 = 3.3 -> 3, 10 x 0.67 = 6.7 -> 7; 15 x 0.33 = 4.95 -> 5, 45 x 0.67 = 30.15 -> 30.
    EXPECT_EQ(window.doc.layers().layerAt(1)->canvasRect(), (Rect{5, 30, 8, 37}));
    EXPECT_EQ(window.doc.layers().layerAt(0)->size(), (Size{33, 67}));
}

TEST(ImageSizeState, NearestNeighbourRepeatsPixelsAndTheSmoothChoicesAgree) {
    FakeDocumentWindow one(1, 1);
    setPixel(background(one.doc).color(), 0, 0, 1, 2, 3);
    HistoryManager history;
    ASSERT_TRUE(history.add(std::make_unique<ImageSizeState>(one, resizeTo(3, 3, 72.0f, 0)), false));
    for (int32_t y = 0; y < 3; ++y)
        for (int32_t x = 0; x < 3; ++x)
            EXPECT_TRUE(pixelIs(background(one.doc).color(), x, y, 1, 2, 3));

    auto shrunk = [](int32_t method) {
        FakeDocumentWindow window(8, 8);
        for (int32_t y = 0; y < 8; ++y)
            for (int32_t x = 0; x < 8; ++x)
                setPixel(background(window.doc).color(), x, y, uint8_t(x * 30), uint8_t(y * 30), 0);
        HistoryManager h;
        h.add(std::make_unique<ImageSizeState>(window, resizeTo(3, 5, 72.0f, method)), false);
        return background(window.doc).color().clone();
    };
    const Surface24 bilinear = shrunk(1);
    for (int32_t method = 2; method <= 5; ++method)
        EXPECT_TRUE(samePixels(shrunk(method), bilinear)) << "method " << method;
    EXPECT_FALSE(samePixels(shrunk(0), bilinear));
}

TEST(ImageSizeState, ParametersAreClampedAtCreation) {
    FakeDocumentWindow window;
    ImageSizeState state(window, resizeTo(0, 40000, 20000.0f, 9, ResolutionUnit(7)));
    EXPECT_EQ(state.resize().width, 1);
    EXPECT_EQ(state.resize().height, 30000);
    EXPECT_FLOAT_EQ(state.resize().resolution, 9999.999f);
    EXPECT_EQ(state.resize().resolutionUnit, ResolutionUnit::PixelsPerInch);
    EXPECT_EQ(state.resize().method, 5);
}

// ---- Canvas Size ----

TEST(CanvasSizeState, GrowingCentredPlacesTheImageAtTwoAndFillsBothSides) {
    FakeDocumentWindow window(100, 100);
    background(window.doc).color().fillSolid24({0, 0, 100, 100}, 0x000000);
    HistoryManager history;
    // Red extension color, as a layer word (red in the low byte).
    ASSERT_TRUE(history.add(std::make_unique<CanvasSizeState>(window, Size{105, 100}, Point{2, 0}, 0x0000FF), false));
    const Surface24& color = background(window.doc).color();
    ASSERT_EQ(color.size(), (Size{105, 100}));
    EXPECT_TRUE(pixelIs(color, 0, 50, 0, 0, 255));
    EXPECT_TRUE(pixelIs(color, 1, 50, 0, 0, 255));
    EXPECT_TRUE(pixelIs(color, 2, 50, 0, 0, 0));
    EXPECT_TRUE(pixelIs(color, 101, 50, 0, 0, 0));
    EXPECT_TRUE(pixelIs(color, 102, 50, 0, 0, 255));
    EXPECT_TRUE(pixelIs(color, 104, 50, 0, 0, 255));
    ASSERT_TRUE(history.undo());
    EXPECT_EQ(window.doc.canvasSize(), (Size{100, 100}));
    EXPECT_EQ(background(window.doc).size(), (Size{100, 100}));
}

TEST(CanvasSizeState, ShrinkingCutsTheBackgroundAndOnlyMovesOtherLayers) {
    FakeDocumentWindow window(100, 100);
    setPixel(background(window.doc).color(), 20, 20, 5, 6, 7);
    RasterLayer* layer = addLayer(window.doc, {30, 40, 60, 50}, 77);
    (void)layer;
    HistoryManager history;
    ASSERT_TRUE(history.add(std::make_unique<CanvasSizeState>(window, Size{80, 80}, Point{-20, -20}, 0xFFFFFF), false));
    EXPECT_EQ(background(window.doc).size(), (Size{80, 80}));
    EXPECT_TRUE(pixelIs(background(window.doc).color(), 0, 0, 5, 6, 7));
    const Layer* top = window.doc.layers().layerAt(1);
    EXPECT_EQ(top->canvasRect(), (Rect{10, 20, 40, 30}));
}

TEST(CanvasSizeState, AnUnchangedSizeChangesNothingOnApplyOrUndo) {
    FakeDocumentWindow window(50, 40);
    window.select({1, 1, 4, 4});
    CanvasSizeState state(window, {50, 40}, {3, 3}, 0);
    EXPECT_TRUE(state.apply());
    EXPECT_TRUE(window.selected());
    EXPECT_TRUE(window.log.empty());
    EXPECT_TRUE(state.undo());
    EXPECT_TRUE(window.log.empty());
}

// ---- Rotate and flip ----

TEST(RotateCanvasState, AnglesAreNormalisedAtCreation) {
    FakeDocumentWindow window;
    EXPECT_DOUBLE_EQ(RotateCanvasState(window, -90).angle(), 270.0);
    EXPECT_DOUBLE_EQ(RotateCanvasState(window, 450).angle(), 90.0);
    EXPECT_DOUBLE_EQ(RotateCanvasState(window, 360).angle(), 0.0);
}

TEST(RotateCanvasState, ClockwiseMovesPixelsAndLayersAndCounterClockwiseRestoresThem) {
    FakeDocumentWindow window(40, 30);
    setPixel(background(window.doc).color(), 5, 7, 1, 2, 3);
    addLayer(window.doc, {4, 3, 14, 8}, 60);
    HistoryManager history;
    ASSERT_TRUE(history.add(std::make_unique<RotateCanvasState>(window, 90), false));
    EXPECT_EQ(window.doc.canvasSize(), (Size{30, 40}));
    // (x, y) of a W x H canvas goes to (H - 1 - y, x).
    EXPECT_TRUE(pixelIs(background(window.doc).color(), 30 - 1 - 7, 5, 1, 2, 3));
    EXPECT_EQ(window.doc.layers().layerAt(1)->canvasRect(), (Rect{30 - 8, 4, 30 - 3, 14}));

    ASSERT_TRUE(history.add(std::make_unique<RotateCanvasState>(window, -90), false));
    EXPECT_EQ(window.doc.canvasSize(), (Size{40, 30}));
    EXPECT_TRUE(pixelIs(background(window.doc).color(), 5, 7, 1, 2, 3));
    EXPECT_EQ(window.doc.layers().layerAt(1)->canvasRect(), (Rect{4, 3, 14, 8}));
    EXPECT_EQ(history.stateAt(1)->name(), "Rotate Canvas");
}

TEST(RotateCanvasState, HalfTurnAndFlipsMirrorPositions) {
    FakeDocumentWindow window(40, 30);
    addLayer(window.doc, {4, 3, 14, 8}, 60);
    HistoryManager history;
    ASSERT_TRUE(history.add(std::make_unique<RotateCanvasState>(window, 180), false));
    EXPECT_EQ(window.doc.layers().layerAt(1)->canvasRect(), (Rect{26, 22, 36, 27}));
    ASSERT_TRUE(history.undo());

    ASSERT_TRUE(history.add(std::make_unique<FlipCanvasState>(window, true), false));
    EXPECT_EQ(history.stateAt(0)->name(), "Flip Canvas Horizontal");
    EXPECT_EQ(window.doc.layers().layerAt(1)->canvasRect(), (Rect{26, 3, 36, 8}));
    ASSERT_TRUE(history.add(std::make_unique<FlipCanvasState>(window, false), false));
    EXPECT_EQ(history.stateAt(1)->name(), "Flip Canvas Vertical");
    EXPECT_EQ(window.doc.layers().layerAt(1)->canvasRect(), (Rect{26, 22, 36, 27}));
    ASSERT_TRUE(history.undo());
    ASSERT_TRUE(history.undo());
    EXPECT_EQ(window.doc.layers().layerAt(1)->canvasRect(), (Rect{4, 3, 14, 8}));
}

// ---- Crop ----

TEST(CropState, CropsToTheSelectionBoundsWhateverItsShape) {
    FakeDocumentWindow window(40, 30);
    test::selectPainted(window.selection(), {}, 0, [](Surface8& mask) { mask.fillEllipse({5, 4, 25, 20}, 0xFFFFFF); });
    ASSERT_EQ(window.selection().mask().bounds(), (Rect{5, 4, 25, 20}));
    HistoryManager history;
    ASSERT_TRUE(history.add(std::make_unique<CropState>(window), false));
    EXPECT_EQ(window.doc.canvasSize(), (Size{20, 16}));
    EXPECT_FALSE(window.selected());
    ASSERT_TRUE(history.undo());
    EXPECT_EQ(window.doc.canvasSize(), (Size{40, 30}));
    EXPECT_TRUE(window.selected());
    ASSERT_TRUE(history.redo());
    EXPECT_EQ(window.doc.canvasSize(), (Size{20, 16}));
}

TEST(CropState, TheSelectionIsClippedToTheCanvas) {
    FakeDocumentWindow window(40, 30);
    window.select({30, -5, 60, 10});
    HistoryManager history;
    ASSERT_TRUE(history.add(std::make_unique<CropState>(window), false));
    EXPECT_EQ(window.doc.canvasSize(), (Size{10, 10}));
}

TEST(CropState, WithoutASelectionSucceedsUnchangedAndIsRecorded) {
    FakeDocumentWindow window(40, 30);
    HistoryManager history;
    ASSERT_TRUE(history.add(std::make_unique<CropState>(window), false));
    EXPECT_EQ(history.count(), 1);
    EXPECT_EQ(window.doc.canvasSize(), (Size{40, 30}));
    ASSERT_TRUE(history.undo());
    EXPECT_EQ(window.doc.canvasSize(), (Size{40, 30}));
}

TEST(CropState, LayersOutsideBecomePlaceholdersUntilUndo) {
    FakeDocumentWindow window(40, 30);
    addLayer(window.doc, {30, 20, 40, 30}, 60);
    window.select({10, 5, 20, 15});
    HistoryManager history;
    ASSERT_TRUE(history.add(std::make_unique<CropState>(window), false));
    EXPECT_FALSE(window.doc.layers().layerAt(1)->isLive());
    ASSERT_TRUE(history.undo());
    EXPECT_TRUE(window.doc.layers().layerAt(1)->isLive());
    EXPECT_EQ(window.doc.layers().layerAt(1)->canvasRect(), (Rect{30, 20, 40, 30}));
}

// ---- Trim ----

TEST(TrimState, ADotOnWhiteTrimsToOnePixel) {
    FakeDocumentWindow window(40, 30);
    setPixel(background(window.doc).color(), 5, 7, 0, 0, 0);
    HistoryManager history;
    ASSERT_TRUE(history.add(std::make_unique<TrimState>(window), false));
    EXPECT_EQ(window.doc.canvasSize(), (Size{1, 1}));
    EXPECT_TRUE(pixelIs(background(window.doc).color(), 0, 0, 0, 0, 0));
    ASSERT_TRUE(history.undo());
    EXPECT_EQ(window.doc.canvasSize(), (Size{40, 30}));
}

TEST(TrimState, OneColorIsLeftAlone) {
    FakeDocumentWindow window(40, 30);
    HistoryManager history;
    ASSERT_TRUE(history.add(std::make_unique<TrimState>(window), false));
    EXPECT_EQ(window.doc.canvasSize(), (Size{40, 30}));
}

TEST(TrimState, SeveralLayersOrNoBackgroundFail) {
    FakeDocumentWindow window(40, 30);
    addLayer(window.doc, {0, 0, 5, 5}, 0);
    HistoryManager history;
    EXPECT_FALSE(history.add(std::make_unique<TrimState>(window), false));
    EXPECT_EQ(history.count(), 0);
    window.doc.layers().removeAt(0);
    EXPECT_FALSE(history.add(std::make_unique<TrimState>(window), false));
    EXPECT_EQ(window.doc.canvasSize(), (Size{40, 30}));
}

TEST(TrimState, ATransparencyMaskIsCutWithTheColors) {
    FakeDocumentWindow window(40, 30);
    RasterLayer& layer = background(window.doc);
    setPixel(layer.color(), 5, 7, 0, 0, 0);
    setPixel(layer.color(), 8, 9, 0, 0, 0);
    ASSERT_TRUE(layer.ensureTransparencyMask());
    layer.transparencyMask()->setValueAt(8, 9, 40);
    HistoryManager history;
    ASSERT_TRUE(history.add(std::make_unique<TrimState>(window), false));
    EXPECT_EQ(window.doc.canvasSize(), (Size{4, 3}));
    ASSERT_NE(background(window.doc).transparencyMask(), nullptr);
    EXPECT_EQ(background(window.doc).transparencyMask()->size(), (Size{4, 3}));
    EXPECT_EQ(background(window.doc).transparencyMask()->valueAt(3, 2), 40);
}

} // namespace
} // namespace pict
