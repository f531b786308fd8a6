#include "canvas/CropTool.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace pict {
namespace {

// A 100 x 80 image at zoom 1 in a 200 x 200 window: drawn from window (50, 60).
CanvasView actualSizeView() { return CanvasView({100, 80}, {200, 200}); }
Point at(const CanvasView& view, int32_t imageX, int32_t imageY) { return view.imageToWindow({imageX, imageY}); }
Point shifted(Point p, int32_t dx, int32_t dy) { return {p.x + dx, p.y + dy}; }

void drag(CropTool& tool, const CanvasView& view, Point from, Point to) {
    tool.buttonDown(view, from);
    tool.move(view, {(from.x + to.x) / 2, (from.y + to.y) / 2});
    tool.move(view, to);
    tool.buttonUp();
}

TEST(CropTool, ADragDrawsAFrameThatStaysUntilEnterOrEscape) {
    const CanvasView view = actualSizeView();
    CropTool tool;
    drag(tool, view, at(view, 10, 10), at(view, 29, 19));
    ASSERT_TRUE(tool.hasFrame());
    EXPECT_EQ(*tool.frame(), (Rect{10, 10, 30, 20})) << "both end pixels are inside";
    EXPECT_FALSE(tool.isDragging());
    EXPECT_EQ(tool.commit(), (Rect{10, 10, 30, 20}));
    EXPECT_FALSE(tool.hasFrame()) << "committed, the frame is gone";
    EXPECT_EQ(tool.commit(), std::nullopt) << "nothing left to commit";

    drag(tool, view, at(view, 29, 19), at(view, 10, 10));
    EXPECT_EQ(*tool.frame(), (Rect{10, 10, 30, 20})) << "dragged backwards, the same frame";
    tool.drop();
    EXPECT_FALSE(tool.hasFrame());
}

TEST(CropTool, TheFrameStaysOnTheCanvas) {
    const CanvasView view = actualSizeView();
    CropTool tool;
    drag(tool, view, {10, 10}, {190, 190}); // from the gray beyond the top-left to beyond the bottom-right
    EXPECT_EQ(*tool.frame(), (Rect{0, 0, 100, 80}));
}

TEST(CropTool, AClickWithoutADragDrawsNothingAndDropsTheOldFrame) {
    const CanvasView view = actualSizeView();
    CropTool tool;
    drag(tool, view, at(view, 10, 10), at(view, 29, 19));
    tool.buttonDown(view, at(view, 60, 60)); // outside the frame
    tool.move(view, shifted(at(view, 60, 60), 1, 1));
    tool.buttonUp();
    EXPECT_FALSE(tool.hasFrame());
}

TEST(CropTool, DraggingInsideMovesTheFrameWithinTheCanvas) {
    const CanvasView view = actualSizeView();
    CropTool tool;
    drag(tool, view, at(view, 10, 10), at(view, 49, 39));
    EXPECT_EQ(tool.gripAt(view, at(view, 30, 25)), CropTool::Inside);
    EXPECT_EQ(tool.cursor(view, at(view, 30, 25)), CanvasCursor::MoveFrame);
    drag(tool, view, at(view, 30, 25), at(view, 35, 30));
    EXPECT_EQ(*tool.frame(), (Rect{15, 15, 55, 45})) << "moved by (5, 5), same size";
    drag(tool, view, at(view, 35, 30), at(view, 500, -300));
    EXPECT_EQ(*tool.frame(), (Rect{60, 0, 100, 30})) << "stopped at the canvas' edges, same size";
}

TEST(CropTool, EdgesAndCornersResize) {
    const CanvasView view = actualSizeView();
    CropTool tool;
    drag(tool, view, at(view, 10, 10), at(view, 29, 39)); // {10, 10, 30, 40}
    const Rect shown = *tool.windowFrame(view);
    // The right edge, grabbed a little outside it, in the middle of its length.
    const Point right{shown.right + 2, (shown.top + shown.bottom) / 2};
    EXPECT_EQ(tool.gripAt(view, right), CropTool::Right);
    EXPECT_EQ(tool.cursor(view, right), CanvasCursor::ResizeHorizontal);
    drag(tool, view, right, at(view, 49, 15));
    EXPECT_EQ(*tool.frame(), (Rect{10, 10, 50, 40}));

    // The top-left corner.
    const Point corner = shifted(at(view, 10, 10), -1, 1);
    EXPECT_EQ(tool.gripAt(view, corner), CropTool::Left | CropTool::Top);
    EXPECT_EQ(tool.cursor(view, corner), CanvasCursor::ResizeDiagonal);
    drag(tool, view, corner, at(view, 5, 2));
    EXPECT_EQ(*tool.frame(), (Rect{5, 2, 50, 40}));

    // Past the opposite edge an edge stops one pixel short of it.
    const Point bottom = shifted(at(view, 27, 40), 0, -1);
    EXPECT_EQ(tool.gripAt(view, bottom), CropTool::Bottom);
    EXPECT_EQ(tool.cursor(view, bottom), CanvasCursor::ResizeVertical);
    drag(tool, view, bottom, at(view, 20, 0));
    EXPECT_EQ(*tool.frame(), (Rect{5, 2, 50, 3}));
    // Far from the frame nothing is grabbed.
    EXPECT_EQ(tool.gripAt(view, at(view, 90, 70)), CropTool::None);
    EXPECT_EQ(tool.cursor(view, at(view, 90, 70)), CanvasCursor::Crop);
}

TEST(CropTool, ADoubleClickInsideCommitsAndOutsideDoesNot) {
    const CanvasView view = actualSizeView();
    CropTool tool;
    drag(tool, view, at(view, 10, 10), at(view, 29, 19));
    EXPECT_EQ(tool.doubleClick(view, at(view, 60, 60)), std::nullopt);
    EXPECT_TRUE(tool.hasFrame());
    EXPECT_EQ(tool.doubleClick(view, at(view, 15, 15)), (Rect{10, 10, 30, 20}));
    EXPECT_FALSE(tool.hasFrame());
}

TEST(CropTool, TheFrameKeepsItsPixelsWhenTheViewZooms) {
    CanvasView view = actualSizeView();
    CropTool tool;
    drag(tool, view, at(view, 10, 10), at(view, 29, 19));
    view.setZoom(2.0f, false);
    EXPECT_EQ(*tool.frame(), (Rect{10, 10, 30, 20}));
    EXPECT_EQ(*tool.windowFrame(view), view.imageRectToWindow({10, 10, 30, 20}));
    // At 200 % a grabbed edge still moves by whole image pixels.
    const Rect shown = *tool.windowFrame(view);
    drag(tool, view, {shown.right, (shown.top + shown.bottom) / 2}, shifted(at(view, 39, 15), 1, 1));
    EXPECT_EQ(*tool.frame(), (Rect{10, 10, 40, 20}));
}

TEST(CropTool, DrawsItsFrameOverThePicture) {
    const CanvasView view = actualSizeView();
    CropTool tool;
    ViewBuffer buffer;
    buffer.width = 200;
    buffer.height = 200;
    buffer.pixels.assign(200 * 200, 0x00FFFFFF);
    tool.drawInto(buffer, view);
    EXPECT_EQ(std::count(buffer.pixels.begin(), buffer.pixels.end(), 0x00FFFFFFu), 200 * 200) << "no frame, nothing";
    drag(tool, view, at(view, 10, 10), at(view, 29, 19));
    tool.drawInto(buffer, view);
    EXPECT_LT(std::count(buffer.pixels.begin(), buffer.pixels.end(), 0x00FFFFFFu), 200 * 200);
    const Point inside = at(view, 20, 15);
    EXPECT_EQ(buffer.pixels[static_cast<size_t>(inside.y) * 200 + static_cast<size_t>(inside.x)], 0x00FFFFFFu);
}

} // namespace
} // namespace pict
