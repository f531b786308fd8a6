#include "canvas/NavigationTools.h"

#include <gtest/gtest.h>

namespace pict {
namespace {

TEST(CanvasToolDispatch, SpaceBarAndUnknownIdsMeanTheHand) {
    EXPECT_EQ(canvasToolFor(0, false), CanvasTool::Marquee);
    EXPECT_EQ(canvasToolFor(8, false), CanvasTool::Crop);
    EXPECT_EQ(canvasToolFor(18, false), CanvasTool::ZoomIn);
    EXPECT_EQ(canvasToolFor(19, false), CanvasTool::ZoomOut);
    EXPECT_EQ(canvasToolFor(17, false), CanvasTool::Hand);
    EXPECT_EQ(canvasToolFor(5, false), CanvasTool::Hand);
    EXPECT_EQ(canvasToolFor(18, true), CanvasTool::Hand);
}

TEST(HandTool, ContentFollowsTheCursor) {
    CanvasView view({1000, 1000}, {100, 100});
    view.scrollTo(500, 500);
    HandTool hand;
    EXPECT_EQ(hand.cursor(), CanvasCursor::Hand);
    EXPECT_TRUE(hand.buttonDown({50, 50}));
    EXPECT_EQ(hand.cursor(), CanvasCursor::Grabbing);
    hand.move(view, {60, 45});
    EXPECT_EQ(view.scrollPosition(), (Point{490, 505}));
    hand.move(view, {70, 45});
    EXPECT_EQ(view.scrollPosition(), (Point{480, 505}));
    hand.buttonUp();
    hand.move(view, {0, 0});
    EXPECT_EQ(view.scrollPosition(), (Point{480, 505}));
}

TEST(ZoomTool, AltSwapsAndLimitsShowTheLimitCursor) {
    CanvasView view({100, 100}, {200, 200});
    ZoomTool tool(false);
    EXPECT_EQ(tool.mode(view), ZoomTool::In);
    tool.setAltDown(true);
    EXPECT_EQ(tool.mode(view), ZoomTool::Out);
    tool.setAltDown(false);
    view.setZoom(16, false);
    EXPECT_EQ(tool.mode(view), ZoomTool::None);
    EXPECT_EQ(tool.cursor(view), CanvasCursor::ZoomLimit);

    ZoomTool out(true);
    view.setZoom(view.minimumZoom(), false);
    EXPECT_EQ(out.mode(view), ZoomTool::None);
    view.setZoom(1, false);
    EXPECT_EQ(out.mode(view), ZoomTool::Out) << "still zooms out once away from the limit";
    EXPECT_EQ(out.cursor(view), CanvasCursor::ZoomOut);
}

TEST(ZoomTool, ClickZoomsOneStepKeepingThePointOrCentringIt) {
    CanvasView view({1000, 1000}, {200, 100});
    ZoomTool tool(false);
    EXPECT_TRUE(tool.buttonDown(view, {40, 30}, false));
    tool.buttonUp(view, {41, 31}, false);
    EXPECT_EQ(view.zoom(), 2.0f);
    EXPECT_EQ(view.windowToImage({40, 30}), (Point{40, 30}));
    EXPECT_FALSE(tool.isDragging());

    tool.buttonDown(view, {40, 30}, true);
    tool.buttonUp(view, {40, 30}, true);
    EXPECT_EQ(view.zoom(), 3.0f);
    EXPECT_EQ(view.windowToImage({100, 50}), (Point{40, 30}));

    ZoomTool out(true);
    EXPECT_FALSE(out.buttonDown(view, {100, 50}, false));
    EXPECT_EQ(view.zoom(), 2.0f);
}

TEST(ZoomTool, ZoomOutClicksKeepOrCentreThePointAndStopAtTheMinimum) {
    CanvasView view({1000, 1000}, {200, 100});
    view.setZoom(4, false);
    view.scrollTo(400, 400);
    ZoomTool out(true);
    const Point under = view.windowToImage({20, 30});
    EXPECT_FALSE(out.buttonDown(view, {20, 30}, false)) << "zooming out needs no drag";
    EXPECT_EQ(view.zoom(), 3.0f);
    EXPECT_EQ(view.windowToImage({20, 30}), under);
    const Point centred = view.windowToImage({150, 80});
    out.buttonDown(view, {150, 80}, true);
    EXPECT_EQ(view.zoom(), 2.0f);
    EXPECT_EQ(view.windowToImage({100, 50}), centred) << "Shift centres the clicked point";

    CanvasView small({300, 200}, {100, 100}); // minimum 1/200
    small.setZoom(0.006f, false);
    out.buttonDown(small, {50, 50}, false);
    EXPECT_EQ(small.zoom(), small.minimumZoom());
    EXPECT_EQ(out.mode(small), ZoomTool::None);
    EXPECT_EQ(out.cursor(small), CanvasCursor::ZoomLimit);
}

TEST(ZoomTool, DragZoomsToTheBandAndEscapeCancels) {
    CanvasView view({1000, 1000}, {199, 99});
    ZoomTool tool(false);
    tool.buttonDown(view, {10, 10}, false);
    tool.move(view, {59, 59});
    EXPECT_EQ(tool.band().rect(), (Rect{10, 10, 60, 60}));
    tool.tick();
    EXPECT_EQ(tool.band().phase(), 1);
    tool.buttonUp(view, {59, 59}, false);
    EXPECT_FLOAT_EQ(view.zoom(), 2.0f);

    tool.buttonDown(view, {10, 10}, false);
    tool.move(view, {90, 60});
    tool.cancel();
    tool.buttonUp(view, {90, 60}, false);
    EXPECT_FLOAT_EQ(view.zoom(), 2.0f);

    // The band is clamped to the image's window rectangle.
    CanvasView small({20, 20}, {200, 100});
    tool.buttonDown(small, {0, 0}, false);
    tool.move(small, {500, 500});
    EXPECT_EQ(tool.band().rect(), small.imageWindowRect());
}

TEST(RubberBandPattern, InvertingThroughBMarchesPatternAByOnePixel) {
    for (int32_t phase = 0; phase < 8; ++phase)
        for (int32_t y = 0; y < 8; ++y)
            for (int32_t x = 0; x < 16; ++x)
                EXPECT_EQ(bandPatternBit(kBandPatternA, x, y, phase) != bandPatternBit(kBandPatternB, x, y, phase),
                          bandPatternBit(kBandPatternA, x, y, phase + 1));
}

TEST(RubberBandPattern, InvertsOnlyTheFrameAndSmallRectanglesWhole) {
    ViewBuffer b;
    ASSERT_TRUE(b.resize({20, 20}));
    std::fill(b.pixels.begin(), b.pixels.end(), 0xFF000000u);
    invertBandFrame(b, {2, 2, 12, 10}, kBandPatternA, 0);
    auto inverted = [&](int32_t x, int32_t y) { return b.at(x, y) == 0xFFFFFFFFu; };
    for (int32_t x = 2; x < 12; ++x)
        EXPECT_EQ(inverted(x, 2), bandPatternBit(kBandPatternA, x, 2, 0));
    EXPECT_FALSE(inverted(5, 5)) << "inside stays";
    EXPECT_FALSE(inverted(12, 5)) << "outside stays";
    invertBandFrame(b, {2, 2, 12, 10}, kBandPatternA, 0);
    for (uint32_t p : b.pixels)
        EXPECT_EQ(p, 0xFF000000u) << "a second inversion erases the band";

    invertBandFrame(b, {5, 5, 7, 15}, kBandPatternA, 3);
    for (int32_t y = 5; y < 15; ++y)
        EXPECT_TRUE(inverted(5, y) && inverted(6, y));
    invertBandFrame(b, {-5, -5, 40, 40}, kBandPatternA, 0); // clipped, no crash
}

} // namespace
} // namespace pict
