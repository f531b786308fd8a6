// A stroke on a document's layer through to its history state: one state per stroke, named
// after the tool, keeping only the touched tiles; undo restores the layer byte for byte and
// redo repaints it.

#include "canvas/painting/LayerStroke.h"
#include "history/HistoryManager.h"
#include "history/paint/PaintedPixelsState.h"
#include "support/DocumentFixtures.h"
#include "support/SurfaceCompare.h"

#include <gtest/gtest.h>


namespace pict::test {
namespace {

class Window final : public DocumentContext {
public:
    Window(int32_t width, int32_t height) : selection_(width, height) { startWhiteDocument(doc, width, height); }
    Document& document() override { return doc; }
    SelectionController& selection() override { return selection_; }
    const SelectionController& selection() const override { return selection_; }
    void canvasSizeChanged() override {}

    Document doc;
    SelectionController selection_;
};

// A noisy layer, so that a restore in the wrong place would show.
RasterLayer* noisyLayer(Window& window, Rect rect, bool withMask) {
    RasterLayer* layer = addColorLayer(window.doc, "Paint", rect, 1, 2, 3);
    for (int32_t y = 0; y < rect.height(); ++y)
        for (int32_t x = 0; x < 3 * rect.width(); ++x)
            layer->color().row(y)[x] = uint8_t(x * 7 + y * 13);
    if (withMask) {
        layer->ensureTransparencyMask();
        for (int32_t y = 0; y < rect.height(); ++y)
            for (int32_t x = 0; x < rect.width(); ++x)
                layer->transparencyMask()->setValueAt(x, y, uint8_t(x + y));
    }
    return layer;
}

TEST(LayerStroke, OneStateNamedAfterTheToolThatUndoesByteForByte) {
    for (PaintTool tool : {PaintTool::Brush, PaintTool::Pencil, PaintTool::Eraser})
        for (bool withMask : {false, true}) {
            Window window(400, 300);
            RasterLayer* layer = noisyLayer(window, {-20, 10, 380, 290}, withMask);
            const Surface24 before = layer->color().clone();
            const Surface8 beforeMask = withMask ? layer->transparencyMask()->clone() : Surface8();
            BrushParams params;
            params.tool = tool;
            params.size = 17;
            params.hardness = 40;
            params.opacity = 70;
            params.mode = kBlendScreen;
            params.color = 0xFF8000;
            auto stroke = LayerStroke::start(window, params);
            ASSERT_TRUE(stroke);
            const Rect first = stroke->begin({30.5, 40.5, 1.0});
            EXPECT_TRUE(first.contains(Rect{30, 40, 31, 41})) << "reported in canvas coordinates";
            stroke->lineTo({200.25, 90.75, 1.0});
            stroke->lineTo({120.0, 250.0, 1.0});
            auto state = stroke->finish();
            ASSERT_TRUE(state);
            EXPECT_EQ(state->name(), paintToolName(tool));
            const Surface24 after = layer->color().clone();
            const Surface8 afterMask =
                layer->transparencyMask() ? layer->transparencyMask()->clone() : Surface8();
            EXPECT_EQ(layer->transparencyMask() != nullptr, withMask || tool == PaintTool::Eraser);
            if (tool == PaintTool::Eraser) {
                EXPECT_TRUE(samePixels(before, after)) << "the eraser changes only the transparency";
                EXPECT_FALSE(afterMask.isAll(255));
            } else {
                EXPECT_FALSE(samePixels(before, after));
            }

            // Only the touched tiles are kept, not the layer.
            auto* painted = static_cast<PaintedPixelsState*>(state.get());
            int64_t kept = 0;
            for (SavedPixels* p : painted->savedPixels())
                kept += p->rawBytes();
            EXPECT_LT(kept, int64_t(before.imageSize()));

            HistoryManager history;
            ASSERT_TRUE(history.add(std::move(state), true));
            ASSERT_TRUE(history.undo());
            EXPECT_TRUE(samePixels(layer->color(), before)) << paintToolName(tool);
            if (withMask) {
                EXPECT_TRUE(samePixels(*layer->transparencyMask(), beforeMask));
            } else if (layer->transparencyMask()) {
                EXPECT_TRUE(layer->transparencyMask()->isAll(255)) << "the eraser's mask stays, opaque again";
            }
            ASSERT_TRUE(history.redo());
            EXPECT_TRUE(samePixels(layer->color(), after));
            if (!afterMask.isEmpty()) {
                EXPECT_TRUE(samePixels(*layer->transparencyMask(), afterMask));
            }
        }
}

TEST(LayerStroke, CancelPutsTheLayerBackAndAStrokeOffTheLayerRecordsNothing) {
    Window window(100, 80);
    RasterLayer* layer = noisyLayer(window, {0, 0, 100, 80}, false);
    const Surface24 before = layer->color().clone();
    BrushParams params;
    params.tool = PaintTool::Eraser;
    auto stroke = LayerStroke::start(window, params);
    ASSERT_TRUE(stroke);
    stroke->begin({10, 10, 1});
    stroke->lineTo({90, 70, 1});
    stroke->cancel();
    EXPECT_TRUE(samePixels(layer->color(), before));
    ASSERT_NE(layer->transparencyMask(), nullptr);
    EXPECT_TRUE(layer->transparencyMask()->isAll(255));

    auto off = LayerStroke::start(window, params);
    off->begin({-100, -100, 1});
    off->lineTo({-100, 300, 1});
    EXPECT_EQ(off->finish(), nullptr);
}

TEST(LayerStroke, RefusesWhatCannotBePainted) {
    Window window(50, 50);
    window.doc.layers().active()->setVisible(false);
    std::string why;
    EXPECT_EQ(LayerStroke::start(window, BrushParams{}, &why), nullptr);
    EXPECT_NE(why.find("visible raster layer"), std::string::npos);
}

} // namespace
} // namespace pict::test
