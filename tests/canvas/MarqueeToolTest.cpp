#include "canvas/MarqueeTool.h"

#include "selection/SelectionController.h"

#include <gtest/gtest.h>

#include <vector>

namespace pict {
namespace {

struct SizeLog : MarqueeListener {
    std::vector<Size> sizes;
    int ended = 0;
    void marqueeSizeChanged(Size imagePixels) override { sizes.push_back(imagePixels); }
    void marqueeEnded() override { ++ended; }
};

// Presses, moves through `points` and releases; the image rectangle selected, if any.
std::optional<Rect> drag(MarqueeTool& tool, const CanvasView& view, Point from,
                         std::initializer_list<Point> points, MarqueeModifiers modifiers = {}) {
    EXPECT_EQ(tool.buttonDown(view, from, {}), MarqueePress::Band);
    for (Point p : points)
        tool.move(view, p, modifiers);
    return tool.buttonUp(view);
}

// A 100 x 80 image at zoom 1 in a 200 x 200 window: drawn from window (50, 60).
CanvasView actualSizeView() {
    return CanvasView({100, 80}, {200, 200});
}

TEST(MarqueeTool, DragAtActualSizeSelectsThePixelsUnderTheBand) {
    const CanvasView view = actualSizeView();
    MarqueeTool tool;
    // Towards the bottom right the pixel under the cursor is inside the band.
    EXPECT_EQ(drag(tool, view, {60, 70}, {{65, 75}, {69, 79}}), (Rect{10, 10, 20, 20}));
    EXPECT_FALSE(tool.isDragging());
    // Reversed, the anchor is the band's right and bottom edge.
    EXPECT_EQ(drag(tool, view, {70, 80}, {{60, 70}}), (Rect{10, 10, 20, 20}));
    // Up and right: the anchor is the bottom-left corner.
    EXPECT_EQ(drag(tool, view, {60, 80}, {{69, 70}}), (Rect{10, 10, 20, 20}));
}

TEST(MarqueeTool, BandFollowsTheMouseAndReportsItsImageSize) {
    const CanvasView view = actualSizeView();
    MarqueeTool tool;
    SizeLog log;
    tool.setListener(&log);
    tool.buttonDown(view, {60, 70}, {});
    EXPECT_TRUE(tool.isDragging());
    EXPECT_TRUE(tool.band().rect().isEmpty());
    EXPECT_EQ(tool.draggedSize(view), (Size{0, 0}));
    EXPECT_TRUE(tool.move(view, {64, 72}, {}));
    EXPECT_EQ(tool.band().rect(), (Rect{60, 70, 65, 73}));
    EXPECT_FALSE(tool.move(view, {64, 72}, {})) << "the same band is no change";
    EXPECT_TRUE(tool.move(view, {55, 65}, {}));
    EXPECT_EQ(tool.draggedSize(view), (Size{5, 5}));
    tool.buttonUp(view);
    EXPECT_EQ(log.sizes, (std::vector<Size>{{5, 3}, {5, 5}}));
    EXPECT_EQ(log.ended, 1);
    EXPECT_EQ(tool.draggedSize(view), std::nullopt);
}

TEST(MarqueeTool, MagnifiedBandFramesWholeImagePixels) {
    // Zoom 2: content 200 x 160 drawn from (100, 120).
    CanvasView view({100, 80}, {400, 400});
    view.setZoom(2, false);
    ASSERT_EQ(view.contentOrigin(), (Point{100, 120}));
    MarqueeTool tool;
    tool.buttonDown(view, {101, 121}, {});
    tool.move(view, {110, 130}, {});
    EXPECT_EQ(tool.band().rect(), (Rect{100, 120, 112, 132})) << "snapped outwards to pixel edges";
    EXPECT_EQ(tool.buttonUp(view), (Rect{0, 0, 6, 6}));

    // Zoom 4: the band always touches whole pixels and selects exactly those.
    view.setZoom(4, false);
    const Point o = view.contentOrigin();
    EXPECT_EQ(drag(tool, view, {o.x + 5, o.y + 2}, {{o.x + 13, o.y + 4}}), (Rect{1, 0, 4, 2}));
}

TEST(MarqueeTool, ReducedViewSelectsEveryImagePixelTheBandCovers) {
    // Zoom 1/3: a 300 x 300 image is 100 x 100 window pixels drawn from (50, 50).
    CanvasView view({300, 300}, {200, 200});
    view.setZoom(1.0f / 3.0f, false);
    ASSERT_EQ(view.contentSize(), (Size{100, 100}));
    MarqueeTool tool;
    EXPECT_EQ(drag(tool, view, {60, 60}, {{69, 69}}), (Rect{30, 30, 60, 60}));
    EXPECT_EQ(drag(tool, view, {149, 149}, {{500, 500}}), (Rect{297, 297, 300, 300}));
}

TEST(MarqueeTool, DragsAreClampedToTheImage) {
    const CanvasView view = actualSizeView(); // image window rectangle (50, 60)-(150, 140)
    MarqueeTool tool;
    EXPECT_EQ(drag(tool, view, {20, 20}, {{500, 500}}), (Rect{0, 0, 100, 80}))
        << "starts at the nearest edge";
    EXPECT_EQ(drag(tool, view, {190, 100}, {{120, 90}}), (Rect{70, 30, 100, 40}))
        << "from the gray area at the right";
    EXPECT_EQ(drag(tool, view, {10, 10}, {{30, 30}}), std::nullopt)
        << "entirely outside: an edge, nothing more";
    EXPECT_EQ(drag(tool, view, {140, 130}, {{-50, 5000}}), (Rect{0, 70, 90, 80}));
}

TEST(MarqueeTool, EmptyBandsAndClicksSelectNothing) {
    const CanvasView view = actualSizeView();
    MarqueeTool tool;
    EXPECT_EQ(drag(tool, view, {70, 70}, {{70, 100}}), std::nullopt) << "no width";
    EXPECT_EQ(drag(tool, view, {70, 70}, {{100, 70}}), std::nullopt) << "no height";
    EXPECT_EQ(drag(tool, view, {70, 70}, {}), std::nullopt) << "a click";
    CanvasView zoomed({100, 80}, {400, 400});
    zoomed.setZoom(4, false);
    const Point o = zoomed.contentOrigin();
    EXPECT_EQ(drag(tool, zoomed, {o.x + 2, o.y + 2}, {{o.x + 2, o.y + 40}}), std::nullopt)
        << "snapping does not widen a line into a column";
    EXPECT_EQ(tool.buttonUp(zoomed), std::nullopt) << "a release without a press";
}

TEST(MarqueeTool, EscapeDropsTheBandWithoutSelecting) {
    const CanvasView view = actualSizeView();
    MarqueeTool tool;
    SizeLog log;
    tool.setListener(&log);
    tool.buttonDown(view, {60, 70}, {});
    tool.move(view, {90, 90}, {});
    tool.tick();
    EXPECT_EQ(tool.band().phase(), 1);
    tool.cancel();
    EXPECT_FALSE(tool.isDragging());
    EXPECT_EQ(log.ended, 1);
    EXPECT_EQ(tool.buttonUp(view), std::nullopt);
    EXPECT_FALSE(tool.move(view, {100, 100}, {}));
    tool.cancel();
    EXPECT_EQ(log.ended, 1) << "nothing more to end";
}

TEST(MarqueeTool, ShiftMakesASquareKeepingTheAnchorCorner) {
    const CanvasView view = actualSizeView();
    MarqueeTool tool;
    const MarqueeModifiers square{true, false};
    EXPECT_EQ(drag(tool, view, {60, 70}, {{79, 74}}, square), (Rect{10, 10, 15, 15}));
    EXPECT_EQ(drag(tool, view, {90, 90}, {{80, 60}}, square), (Rect{30, 20, 40, 30}))
        << "bottom-right anchor";
    EXPECT_EQ(drag(tool, view, {90, 90}, {{99, 60}}, square), (Rect{40, 20, 50, 30})) << "bottom-left anchor";
}

TEST(MarqueeTool, AltCentresTheBandOnTheAnchorInsideTheImage) {
    const CanvasView view = actualSizeView();
    MarqueeTool tool;
    EXPECT_EQ(drag(tool, view, {100, 100}, {{109, 104}}, {false, true}), (Rect{40, 35, 60, 45}));
    EXPECT_EQ(drag(tool, view, {100, 100}, {{91, 96}}, {false, true}), (Rect{41, 36, 59, 44}));
    // Near the left edge the band shrinks about the anchor until it fits.
    EXPECT_EQ(drag(tool, view, {53, 100}, {{80, 110}}, {false, true}), (Rect{0, 29, 6, 51}));
    // Shift + Alt: a square centred on the anchor, inside the image.
    const std::optional<Rect> square = drag(tool, view, {53, 100}, {{80, 130}}, {true, true});
    EXPECT_EQ(square, (Rect{0, 37, 6, 43}));
}

TEST(MarqueeTool, PressOnTheSelectionStartsNothing) {
    const CanvasView view = actualSizeView();
    SelectionController selection(100, 80);
    selection.setShape(Rect{10, 10, 20, 20}, false);
    MarqueeTool tool;
    const MarqueeSelectionView shown{&selection.mask(), true};
    EXPECT_EQ(tool.buttonDown(view, {65, 75}, shown), MarqueePress::OnSelection);
    EXPECT_FALSE(tool.isDragging());
    EXPECT_EQ(tool.buttonUp(view), std::nullopt);
    EXPECT_EQ(tool.buttonDown(view, {90, 90}, shown), MarqueePress::DeselectThenBand);
    EXPECT_TRUE(tool.isDragging());
    tool.cancel();
    // A hidden active layer leaves nothing to press on: a new band starts over the selection.
    EXPECT_EQ(tool.buttonDown(view, {65, 75}, {&selection.mask(), false}), MarqueePress::DeselectThenBand);
    tool.cancel();
    SelectionController empty(100, 80);
    EXPECT_EQ(tool.buttonDown(view, {65, 75}, {&empty.mask(), true}), MarqueePress::Band);
}

TEST(MarqueeTool, CursorShowsTheToolTheSelectionAndTheAlternate) {
    const CanvasView view = actualSizeView();
    SelectionController selection(100, 80);
    selection.setShape(Rect{10, 10, 20, 20}, false);
    const MarqueeSelectionView shown{&selection.mask(), true};
    MarqueeTool tool;
    EXPECT_EQ(tool.cursor(view, {65, 75}, shown), CanvasCursor::OverSelection);
    EXPECT_EQ(tool.cursor(view, {90, 90}, shown), CanvasCursor::Marquee);
    tool.toggleAlternateCursor();
    EXPECT_EQ(tool.cursor(view, {90, 90}, shown), CanvasCursor::MarqueeAlternate);
    tool.setCrop(true);
    EXPECT_EQ(tool.cursor(view, {90, 90}, shown), CanvasCursor::CropAlternate);
    tool.toggleAlternateCursor();
    EXPECT_EQ(tool.cursor(view, {90, 90}, shown), CanvasCursor::Crop);
    tool.buttonDown(view, {90, 90}, shown);
    EXPECT_EQ(tool.cursor(view, {65, 75}, shown), CanvasCursor::Crop) << "dragging over the selection";
}

TEST(CanvasViewMapping, WindowRectanglesGoToTheImagePixelsTheyTouch) {
    CanvasView view({100, 80}, {400, 400});
    view.setZoom(4, false);
    const Point o = view.contentOrigin();
    EXPECT_EQ(view.windowRectToImage({o.x + 1, o.y + 4, o.x + 9, o.y + 8}), (Rect{0, 1, 3, 2}));
    EXPECT_EQ(view.imageRectToWindow(view.windowRectToImage({o.x, o.y, o.x + 8, o.y + 4})),
              (Rect{o.x, o.y, o.x + 8, o.y + 4}));
}

} // namespace
} // namespace pict
