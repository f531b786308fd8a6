// The tools as state machines: press, drag, release, Escape and modifier changes mid-drag,
// for the stroke tools, the lasso (freehand and polygonal) and the gradient; and the
// remembered options with their ranges.

#include "canvas/tools/GradientTool.h"
#include "canvas/tools/LassoTool.h"
#include "canvas/tools/StrokeTool.h"
#include "canvas/tools/ToolOptions.h"
#include "history/HistoryManager.h"
#include "support/DocumentFixtures.h"

#include <gtest/gtest.h>

namespace pict::test {
namespace {

class Window final : public DocumentContext {
public:
    Window() : selection_(60, 40) { startWhiteDocument(doc, 60, 40); }
    Document& document() override { return doc; }
    SelectionController& selection() override { return selection_; }
    const SelectionController& selection() const override { return selection_; }
    void canvasSizeChanged() override {}
    bool white(int32_t x, int32_t y) {
        const uint8_t* p = doc.layers().rasterAt(0)->colorAt(x, y);
        return p[0] == 255 && p[1] == 255 && p[2] == 255;
    }
    Document doc;
    SelectionController selection_;
};

BrushParams pencil() {
    BrushParams p;
    p.tool = PaintTool::Pencil;
    p.size = 1;
    return p;
}

StrokePoint at(int32_t x, int32_t y) { return {x + 0.5, y + 0.5, 1.0}; }

TEST(StrokeTool, PressDragReleaseRecordsOneStroke) {
    Window window;
    StrokeTool tool;
    Rect changed;
    EXPECT_FALSE(tool.isPainting());
    EXPECT_TRUE(tool.drag(at(3, 3)).isEmpty()) << "a drag without a press does nothing";
    ASSERT_TRUE(tool.press(window, pencil(), at(2, 2), false, changed));
    EXPECT_EQ(changed, (Rect{2, 2, 3, 3}));
    EXPECT_TRUE(tool.isPainting());
    EXPECT_EQ(tool.drag(at(10, 2)), (Rect{3, 2, 11, 3}));
    auto state = tool.release();
    ASSERT_TRUE(state);
    EXPECT_EQ(state->name(), "Pencil");
    EXPECT_FALSE(tool.isPainting());
    EXPECT_EQ(tool.release(), nullptr) << "a second release has no stroke";
    ASSERT_TRUE(tool.lastPoint());
    EXPECT_EQ(tool.lastPoint()->x, 10.5);
}

TEST(StrokeTool, EscapeRestoresAndShiftDrawsFromTheLastPoint) {
    Window window;
    StrokeTool tool;
    Rect changed;
    ASSERT_TRUE(tool.press(window, pencil(), at(5, 5), false, changed));
    tool.drag(at(20, 5));
    EXPECT_FALSE(window.white(12, 5));
    tool.cancel();
    EXPECT_TRUE(window.white(12, 5));
    EXPECT_FALSE(tool.isPainting());
    EXPECT_FALSE(tool.lastPoint()) << "a cancelled stroke leaves no last point";

    ASSERT_TRUE(tool.press(window, pencil(), at(5, 10), false, changed));
    ASSERT_TRUE(tool.release());
    // Shift at the press: a line from (5, 10); Shift let go mid-drag changes nothing.
    ASSERT_TRUE(tool.press(window, pencil(), at(25, 10), true, changed));
    EXPECT_EQ(changed, (Rect{5, 10, 26, 11}));
    tool.drag(at(25, 10));
    ASSERT_TRUE(tool.release());
    for (int32_t x = 5; x <= 25; ++x)
        EXPECT_FALSE(window.white(x, 10)) << x;
    // Without Shift a press starts afresh.
    ASSERT_TRUE(tool.press(window, pencil(), at(40, 30), false, changed));
    EXPECT_EQ(changed, (Rect{40, 30, 41, 31}));
    tool.release();
}

TEST(StrokeTool, RefusesAHiddenLayer) {
    Window window;
    window.doc.layers().active()->setVisible(false);
    StrokeTool tool;
    Rect changed;
    std::string why;
    EXPECT_FALSE(tool.press(window, pencil(), at(1, 1), false, changed, &why));
    EXPECT_FALSE(why.empty());
    EXPECT_FALSE(tool.isPainting());
}

TEST(LassoTool, FreehandClosesOnRelease) {
    LassoTool lasso;
    EXPECT_EQ(lasso.press({1, 1}, false), LassoTool::Result::None);
    lasso.move({10, 1});
    lasso.move({10.2, 1.1}); // under half a pixel: not a new point
    lasso.move({10, 10});
    EXPECT_EQ(lasso.points().size(), 3u);
    EXPECT_EQ(lasso.release({1, 10}), LassoTool::Result::Closed);
    EXPECT_FALSE(lasso.isActive());
    EXPECT_EQ(lasso.takePolygon().size(), 4u);
    EXPECT_TRUE(lasso.takePolygon().empty()) << "handed back once";

    lasso.press({1, 1}, false);
    lasso.move({5, 5});
    EXPECT_EQ(lasso.escape(), LassoTool::Result::Cancelled);
    EXPECT_FALSE(lasso.isActive());
    lasso.press({1, 1}, false);
    EXPECT_EQ(lasso.release({1, 1}), LassoTool::Result::Cancelled) << "too few points";
}

TEST(LassoTool, PolygonalCornersCloseByDoubleClickEnterOrTheFirstCorner) {
    LassoTool lasso;
    lasso.setPolygonal(true);
    lasso.press({0, 0}, false);
    lasso.release({0, 0});
    lasso.move({5, 5});
    ASSERT_TRUE(lasso.hover());
    EXPECT_EQ(lasso.hover()->x, 5);
    lasso.press({10, 0}, false);
    lasso.press({10, 10}, false);
    EXPECT_EQ(lasso.press({1, 1}, false), LassoTool::Result::Closed) << "near the first corner";
    EXPECT_EQ(lasso.takePolygon().size(), 3u);

    for (PolygonPoint p : {PolygonPoint{0, 0}, PolygonPoint{10, 0}, PolygonPoint{10, 10}, PolygonPoint{0, 10}})
        lasso.press(p, false);
    EXPECT_EQ(lasso.backspace(), LassoTool::Result::None);
    EXPECT_EQ(lasso.points().size(), 3u);
    EXPECT_EQ(lasso.enter(), LassoTool::Result::Closed);
    EXPECT_EQ(lasso.takePolygon().size(), 3u);

    lasso.press({0, 0}, false);
    lasso.press({10, 0}, false);
    lasso.press({10, 10}, false);
    EXPECT_EQ(lasso.press({10, 10}, true), LassoTool::Result::Closed) << "double-click";
    lasso.press({0, 0}, false);
    EXPECT_EQ(lasso.backspace(), LassoTool::Result::Cancelled) << "the last corner gone";
    EXPECT_EQ(lasso.enter(), LassoTool::Result::None);
    lasso.press({0, 0}, false);
    lasso.setPolygonal(false);
    EXPECT_FALSE(lasso.isActive()) << "switching the shape drops the outline";
}

TEST(GradientTool, DragSnapsWithShiftAndEscapeDrops) {
    GradientTool tool;
    EXPECT_FALSE(tool.release());
    tool.press({10, 10});
    tool.drag({30, 12}, false);
    EXPECT_EQ(tool.end(), (Point{30, 12}));
    tool.drag({30, 12}, true);
    EXPECT_EQ(tool.end(), (Point{30, 10})) << "snapped to the horizontal";
    tool.drag({20, 21}, true);
    EXPECT_EQ(tool.end().x - 10, tool.end().y - 10) << "snapped to the diagonal";
    const auto line = tool.release();
    ASSERT_TRUE(line);
    EXPECT_EQ(line->first, (Point{10, 10}));
    tool.press({3, 3});
    tool.drag({9, 9}, false);
    tool.cancel();
    EXPECT_FALSE(tool.release());
    tool.press({3, 3});
    EXPECT_FALSE(tool.release()) << "a click draws nothing";
}

TEST(ToolOptions, EveryFieldRoundTripsWithinItsRange) {
    ToolOptions options;
    for (const ToolOptionField& field : toolOptionFields()) {
        EXPECT_GE(field.get(options), field.minimum) << field.key << " default in range";
        EXPECT_LE(field.get(options), field.maximum) << field.key;
        ASSERT_TRUE(setToolOption(options, field.key, field.maximum));
        EXPECT_EQ(field.get(options), field.maximum) << field.key;
        setToolOption(options, field.key, int64_t(field.minimum) - 1000);
        EXPECT_EQ(field.get(options), field.key == std::string("picker.sample_size") ? 1 : field.minimum)
            << field.key;
    }
    EXPECT_FALSE(setToolOption(options, "brush.colour", 3));
    setToolOption(options, "picker.sample_size", 4);
    EXPECT_EQ(options.picker.sampleSize, 5) << "1, 3 or 5 only";
    EXPECT_EQ(selectionModeFor(true, true, 0), 3);
    EXPECT_EQ(selectionModeFor(true, false, 2), 1);
    EXPECT_EQ(selectionModeFor(false, true, 0), 2);
    EXPECT_EQ(selectionModeFor(false, false, 2), 2);
}

} // namespace
} // namespace pict::test
