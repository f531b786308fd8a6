// Whole-document states and Delete Layer keep the layers they take out of the document as
// they were (the same objects over the same pixel buffers), not copies: undo gives the very
// layers back, with the same bytes, positions and active layer, again after a redo.
#include "history/FakeDocumentWindow.h"
#include "history/geometry/GeometryStates.h"
#include "history/HistoryManager.h"
#include "history/layers/LayerStructureStates.h"
#include "history/layers/MergeStates.h"

#include "document/Layer.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace pict {
using test::FakeDocumentWindow;

namespace {

// What one layer looked like: its object, its buffers and a copy of its bytes.
struct LayerPrint {
    const Layer* layer = nullptr;
    const SurfaceBuffer* color = nullptr;
    const SurfaceBuffer* mask = nullptr;
    Point position;
    std::vector<uint8_t> bytes;

    bool operator==(const LayerPrint&) const = default;
};

LayerPrint printOf(const Layer& layer) {
    LayerPrint print{&layer, nullptr, nullptr, layer.position(), {}};
    if (const RasterLayer* raster = layer.asRaster()) {
        const Surface24& color = raster->color();
        print.color = color.buffer();
        for (int32_t y = 0; y < color.height(); ++y)
            print.bytes.insert(print.bytes.end(), color.row(y), color.row(y) + 3 * color.width());
        if (const Surface8* mask = raster->transparencyMask()) {
            print.mask = mask->buffer();
            for (int32_t y = 0; y < mask->height(); ++y)
                print.bytes.insert(print.bytes.end(), mask->row(y), mask->row(y) + mask->width());
        }
    }
    return print;
}

std::vector<LayerPrint> printsOf(Document& doc) {
    std::vector<LayerPrint> prints;
    for (int32_t i = 0; i < doc.layers().count(); ++i)
        prints.push_back(printOf(*doc.layers().layerAt(i)));
    return prints;
}

bool holdsAnyOf(Document& doc, const std::vector<LayerPrint>& prints) {
    for (int32_t i = 0; i < doc.layers().count(); ++i)
        for (const LayerPrint& print : prints)
            if (doc.layers().layerAt(i) == print.layer)
                return true;
    return false;
}

// A 40 x 30 white background with a patterned, partly transparent layer over part of it and
// a second, opaque layer on top; the middle layer is active.
void prepare(FakeDocumentWindow& window) {
    Document& doc = window.doc;
    RasterLayer* middle = test::addColorLayer(doc, "Middle", {5, 4, 25, 20}, 10, 20, 30);
    for (int32_t y = 0; y < middle->size().height; ++y)
        for (int32_t x = 0; x < middle->size().width; ++x)
            middle->color().row(y)[3 * x] = uint8_t(x * 7 + y * 3);
    ASSERT_TRUE(middle->ensureTransparencyMask());
    middle->transparencyMask()->row(2)[3] = 90;
    test::addColorLayer(doc, "Top", {-4, 12, 16, 26}, 200, 100, 50);
    doc.layers().setActive(middle);
    doc.setModified(false);
}

using StateMaker = std::function<std::unique_ptr<HistoryState>(FakeDocumentWindow&)>;

struct Case {
    std::string name;
    StateMaker make;
    // Whether the state takes every original layer out of the document.
    bool replacesAll;
};

std::vector<Case> wholeDocumentCases() {
    return {
        {"Image Size",
         [](FakeDocumentWindow& w) {
             return std::make_unique<ImageSizeState>(
                 w, ImageResize{20, 15, 72.0f, ResolutionUnit::PixelsPerInch, 1});
         },
         true},
        {"Canvas Size",
         [](FakeDocumentWindow& w) {
             return std::make_unique<CanvasSizeState>(w, Size{50, 40}, Point{3, 2}, 0x0000FFu);
         },
         false},
        {"Rotate 90", [](FakeDocumentWindow& w) { return std::make_unique<RotateCanvasState>(w, 90.0); },
         true},
        {"Rotate 180", [](FakeDocumentWindow& w) { return std::make_unique<RotateCanvasState>(w, 180.0); },
         true},
        {"Rotate 270", [](FakeDocumentWindow& w) { return std::make_unique<RotateCanvasState>(w, 270.0); },
         true},
        {"Flip horizontal", [](FakeDocumentWindow& w) { return std::make_unique<FlipCanvasState>(w, true); },
         true},
        {"Flip vertical", [](FakeDocumentWindow& w) { return std::make_unique<FlipCanvasState>(w, false); },
         true},
        {"Crop",
         [](FakeDocumentWindow& w) {
             w.select({8, 6, 30, 22});
             return std::make_unique<CropState>(w);
         },
         false},
        {"Crop leaving a layer out",
         [](FakeDocumentWindow& w) {
             w.select({26, 0, 40, 10});
             return std::make_unique<CropState>(w);
         },
         false},
        {"Flatten",
         [](FakeDocumentWindow& w) {
             return std::make_unique<MergeState>(w, MergeKind::Flatten, std::vector<int32_t>{});
         },
         true},
        {"Merge Down",
         [](FakeDocumentWindow& w) {
             return std::make_unique<MergeState>(w, MergeKind::Down, std::vector<int32_t>{0, 1});
         },
         false},
        {"Merge Layers",
         [](FakeDocumentWindow& w) {
             return std::make_unique<MergeState>(w, MergeKind::Layers, std::vector<int32_t>{1, 2});
         },
         false},
    };
}

TEST(KeptLayers, WholeDocumentStatesGiveTheVeryLayersBackOnUndo) {
    for (const Case& c : wholeDocumentCases()) {
        SCOPED_TRACE(c.name);
        FakeDocumentWindow window;
        prepare(window);
        const std::vector<LayerPrint> before = printsOf(window.doc);
        const Size canvas = window.doc.canvasSize();
        const int32_t active = window.doc.layers().activeIndex();
        HistoryManager history;
        ASSERT_TRUE(history.add(c.make(window), false));
        if (c.replacesAll) {
            EXPECT_FALSE(holdsAnyOf(window.doc, before)) << "the document gets new layers";
        }
        const std::vector<LayerPrint> after = printsOf(window.doc);

        for (int round = 0; round < 2; ++round) {
            ASSERT_TRUE(history.undo());
            EXPECT_EQ(printsOf(window.doc), before) << "same objects, buffers, positions and bytes";
            EXPECT_EQ(window.doc.canvasSize(), canvas);
            if (c.name.rfind("Merge", 0) == 0) {
                EXPECT_EQ(window.doc.layers().activeIndex(), active);
            }
            ASSERT_TRUE(history.redo());
            const std::vector<LayerPrint> redone = printsOf(window.doc);
            ASSERT_EQ(redone.size(), after.size());
            for (size_t i = 0; i < after.size(); ++i) {
                EXPECT_EQ(redone[i].bytes, after[i].bytes) << "layer " << i;
                EXPECT_EQ(redone[i].position, after[i].position) << "layer " << i;
            }
        }
    }
}

TEST(KeptLayers, TrimKeepsTheUntrimmedBackground) {
    FakeDocumentWindow window;
    RasterLayer& background = *window.doc.layers().rasterAt(0);
    background.color().fillRect({10, 5, 20, 25}, 0x00FF0000u);
    const std::vector<LayerPrint> before = printsOf(window.doc);
    HistoryManager history;
    ASSERT_TRUE(history.add(std::make_unique<TrimState>(window), false));
    EXPECT_EQ(window.doc.canvasSize(), (Size{10, 20}));
    EXPECT_FALSE(holdsAnyOf(window.doc, before));
    ASSERT_TRUE(history.undo());
    EXPECT_EQ(printsOf(window.doc), before);
    EXPECT_EQ(window.doc.canvasSize(), (Size{40, 30}));
}

TEST(KeptLayers, AFailedWalkPutsBackTheLayersItHadReplaced) {
    FakeDocumentWindow window;
    prepare(window);
    const std::vector<LayerPrint> before = printsOf(window.doc);
    // The background turns, then the middle layer refuses an angle that is no quarter turn.
    auto halfDone = [](Document& doc) {
        LayerStack& stack = doc.layers();
        return stack.replaceAt(0, stack.rasterAt(0)->rotated(90.0)) && stack.replaceAt(1, stack.rasterAt(1)->rotated(45.0));
    };
    class HalfDone final : public WholeDocumentState {
    public:
        HalfDone(FakeDocumentWindow& w, std::function<bool(Document&)> op) : WholeDocumentState(w), op_(std::move(op)) {}
        std::string name() const override { return "Half"; }
        bool apply() override { return applyWithSnapshot(op_); }
        bool undo() override { return undoFromSnapshot(); }

    private:
        std::function<bool(Document&)> op_;
    };
    HistoryManager history;
    EXPECT_FALSE(history.add(std::make_unique<HalfDone>(window, halfDone), false));
    EXPECT_EQ(printsOf(window.doc), before);
    EXPECT_EQ(window.doc.layers().activeIndex(), 1);
    EXPECT_FALSE(window.doc.isModified());
}

TEST(KeptLayers, DeleteLayerKeepsTheLayerItself) {
    FakeDocumentWindow window;
    prepare(window);
    const std::vector<LayerPrint> before = printsOf(window.doc);
    auto state = std::make_unique<DeleteLayerState>(window.doc, 1);
    const DeleteLayerState* raw = state.get();
    HistoryManager history;
    ASSERT_TRUE(history.add(std::move(state), false));
    ASSERT_EQ(raw->heldLayer(), before[1].layer);
    EXPECT_EQ(printOf(*raw->heldLayer()), before[1]);
    ASSERT_TRUE(history.undo());
    EXPECT_EQ(printsOf(window.doc), before);
}

} // namespace
} // namespace pict
