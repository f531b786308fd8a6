#include "canvas/CanvasView.h"

#include <gtest/gtest.h>

namespace pict {
namespace {

TEST(CanvasViewZoomLimits, MinimumZoomFromTheSmallerSide) {
    EXPECT_EQ(CanvasView({1, 5000}, {800, 600}).minimumZoom(), 1.0f);
    EXPECT_EQ(CanvasView({10000, 10000}, {800, 600}).minimumZoom(), 0.0001f);
    EXPECT_EQ(CanvasView({30000, 20000}, {800, 600}).minimumZoom(), 0.0001f);
    EXPECT_EQ(CanvasView({400, 300}, {800, 600}).minimumZoom(), 1.0f / 300);
}

TEST(CanvasViewZoomLimits, ZoomOutStopsAtTheMinimumAndInAtSixteen) {
    CanvasView thin({1, 5000}, {800, 600});
    thin.zoomOut();
    EXPECT_EQ(thin.zoom(), 1.0f);
    EXPECT_FALSE(thin.canZoomOut());

    CanvasView v({100, 100}, {800, 600});
    v.setZoom(16, false);
    v.zoomIn();
    EXPECT_EQ(v.zoom(), 16.0f);
    v.setZoom(100, false);
    EXPECT_EQ(v.zoom(), 16.0f);
    v.setZoom(0.0f, false);
    EXPECT_EQ(v.zoom(), 0.01f);
    EXPECT_EQ(v.contentSize(), (Size{1, 1}));
    EXPECT_FALSE(v.isZoomAllowed(0.005f));
    EXPECT_TRUE(v.isZoomAllowed(0.05f));
}

TEST(CanvasViewMapping, SmallImageIsCentredWithIntegerHalves) {
    CanvasView v({101, 50}, {800, 601});
    EXPECT_EQ(v.contentOrigin(), (Point{349, 275}));
    EXPECT_EQ(v.imageWindowRect(), (Rect{349, 275, 450, 325}));
    EXPECT_EQ(v.imageToWindow({0, 0}), (Point{349, 275}));
    EXPECT_EQ(v.windowToImage({349, 275}), (Point{0, 0}));
    EXPECT_EQ(v.windowToImage({348, 274}), (Point{-1, -1}));
    EXPECT_EQ(v.visibleImageRect(), (Rect{0, 0, 101, 50}));
}

TEST(CanvasViewMapping, WindowPixelsMapToTheImagePixelCoveringThem) {
    CanvasView v({300, 300}, {100, 100});
    v.setZoom(3, false);
    EXPECT_EQ(v.contentSize(), (Size{900, 900}));
    EXPECT_EQ(v.windowToImage({0, 0}), (Point{0, 0}));
    EXPECT_EQ(v.windowToImage({2, 5}), (Point{0, 1}));
    v.scrollTo(10, 20);
    EXPECT_EQ(v.contentOrigin(), (Point{-10, -20}));
    EXPECT_EQ(v.windowToImage({0, 0}), (Point{3, 6}));
    EXPECT_EQ(v.imageToWindow({4, 7}), (Point{2, 1}));
    EXPECT_EQ(v.visibleImageRect(), (Rect{3, 6, 37, 40}));

    v.setZoom(1.0f / 3, false);
    EXPECT_EQ(v.contentSize(), (Size{100, 100}));
    EXPECT_EQ(v.imageRectToWindow({0, 0, 1, 1}), (Rect{0, 0, 1, 1})) << "right edge rounds up";
    EXPECT_EQ(v.imageRectToWindow({3, 3, 7, 7}), (Rect{1, 1, 3, 3}));
    EXPECT_EQ(v.windowToImage({1, 1}), (Point{3, 3}));
}

TEST(CanvasViewZoom, KeepsTheWindowCentreFixed) {
    CanvasView v({1000, 1000}, {200, 100});
    v.scrollTo(300, 400);
    Point centreImage = v.windowToImage({100, 50});
    EXPECT_EQ(centreImage, (Point{400, 450}));
    v.setZoom(2, true);
    EXPECT_EQ(v.windowToImage({100, 50}), centreImage);
    EXPECT_EQ(v.scrollPosition(), (Point{700, 850}));
    v.zoomOut();
    EXPECT_FLOAT_EQ(v.zoom(), 1.0f);
    EXPECT_EQ(v.windowToImage({100, 50}), centreImage);
}

TEST(CanvasViewZoom, ZoomingInAndOutAgainComesBackToTheSameView) {
    CanvasView v({1000, 1000}, {200, 100});
    v.setZoom(12, false);
    v.scrollTo(5005, 3003);
    v.zoomIn();
    EXPECT_EQ(v.zoom(), 16.0f);
    v.zoomOut();
    EXPECT_EQ(v.scrollPosition(), (Point{5005, 3003})) << "the point at the centre stayed there to the window pixel";

    v.setZoom(2.0f / 3, false);
    v.scrollTo(101, 57);
    const Point start = v.scrollPosition();
    for (int i = 0; i < 6; ++i) {
        v.zoomAt({37, 81}, 7, true);
        v.zoomAt({37, 81}, 2.0f / 3, true);
    }
    EXPECT_NEAR(v.scrollPosition().x, start.x, 1);
    EXPECT_NEAR(v.scrollPosition().y, start.y, 1);
}

TEST(CanvasViewZoom, ZoomAtKeepsThePointUnderTheCursorOrCentresIt) {
    CanvasView v({1000, 1000}, {200, 100});
    v.zoomAt({30, 20}, 4, true);
    EXPECT_EQ(v.zoom(), 4.0f);
    EXPECT_EQ(v.windowToImage({30, 20}), (Point{30, 20}));
    v.zoomAt({30, 20}, 8, false);
    EXPECT_EQ(v.windowToImage({100, 50}), (Point{30, 20}));
}

TEST(CanvasViewZoom, ZoomToARectangle) {
    CanvasView v({1000, 1000}, {199, 99});
    v.zoomToWindowRect({0, 0, 50, 50});
    EXPECT_FLOAT_EQ(v.zoom(), 2.0f); // min(200 / 50, 100 / 50)
    v.setZoom(1, false);
    v.scrollTo(300, 300);
    v.zoomToWindowRect({20, 10, 70, 60});
    EXPECT_FLOAT_EQ(v.zoom(), 2.0f);
    EXPECT_EQ(v.windowToImage({99, 49}), (Point{345, 335})) << "the rectangle's centre comes to the window's";
    CanvasView w({1000, 1000}, {199, 99});
    w.zoomToWindowRect({10, 10, 12, 12});
    EXPECT_EQ(w.zoom(), 2.0f) << "a tiny rectangle is one step up";
}

TEST(CanvasViewFit, FitInWindowUsesTheSmallerFactor) {
    CanvasView v({400, 200}, {800, 600});
    v.fitInWindow();
    EXPECT_EQ(v.zoom(), 2.0f);
    EXPECT_EQ(v.contentSize(), (Size{800, 400}));
    EXPECT_EQ(v.contentOrigin(), (Point{0, 100}));

    CanvasView tall({300, 1000}, {640, 480});
    tall.fitInWindow();
    EXPECT_FLOAT_EQ(tall.zoom(), 0.48f);
    EXPECT_EQ(tall.contentSize(), (Size{144, 480}));

    CanvasView tiny({10, 10}, {800, 600});
    tiny.fitInWindow();
    EXPECT_EQ(tiny.zoom(), 16.0f);
    EXPECT_EQ(tiny.contentSize(), (Size{160, 160}));

    CanvasView big({10000, 10000}, {0, 0});
    big.fitInWindow();
    EXPECT_EQ(big.zoom(), 1.0f) << "no client area: nothing changes";
    CanvasView thin({1, 5000}, {100, 100});
    thin.fitInWindow();
    EXPECT_EQ(thin.zoom(), 1.0f) << "would need a zoom below the minimum";
}

TEST(CanvasViewFit, FitOnScreenSizesTheWindow) {
    CanvasView v({1000, 500}, {100, 100});
    EXPECT_EQ(v.fitOnScreenClientSize({1200, 900}), (Size{1200, 600}));
    EXPECT_EQ(CanvasView({10, 10}, {1, 1}).fitOnScreenClientSize({1200, 900}), (Size{160, 160}));
    EXPECT_FALSE(CanvasView({1, 5000}, {1, 1}).fitOnScreenClientSize({1200, 900}));
}

TEST(CanvasViewZoom, ActualPixelsAndPrintSize) {
    CanvasView v({3000, 3000}, {800, 600});
    v.printSize(300, ResolutionUnit::PixelsPerInch);
    EXPECT_FLOAT_EQ(v.zoom(), 0.24f);
    v.printSize(72, ResolutionUnit::PixelsPerInch);
    EXPECT_EQ(v.zoom(), 1.0f);
    v.printSize(118.11, ResolutionUnit::PixelsPerCentimeter);
    EXPECT_NEAR(v.zoom(), 0.24f, 0.0001f);
    v.actualPixels();
    EXPECT_EQ(v.zoom(), 1.0f);
    v.printSize(0, ResolutionUnit::PixelsPerInch);
    EXPECT_EQ(v.zoom(), 1.0f);
}

TEST(CanvasViewScroll, RangesAndClamping) {
    CanvasView v({1000, 300}, {400, 300});
    ScrollRange h = v.horizontalRange();
    EXPECT_EQ(h.maximum, 999);
    EXPECT_EQ(h.page, 400);
    EXPECT_TRUE(h.enabled);
    EXPECT_FALSE(v.verticalRange().enabled);
    EXPECT_EQ(v.scrollBy(-50, 10), (Point{0, 0}));
    EXPECT_EQ(v.scrollBy(5000, 0), (Point{600, 0}));
    EXPECT_EQ(v.scrollPosition(), (Point{600, 0}));
    v.scrollTo(0, 0);
    v.scrollToCentre({300, 150});
    EXPECT_EQ(v.scrollPosition(), (Point{100, 0}));
    v.setClientSize({900, 300});
    EXPECT_EQ(v.scrollPosition(), (Point{100, 0}));
    v.setClientSize({1200, 300});
    EXPECT_EQ(v.scrollPosition(), (Point{0, 0}));
}

struct RecordingListener : CanvasViewListener {
    int zooms = 0;
    Point scrolled;
    void canvasZoomChanged() override { ++zooms; }
    void canvasScrolled(int32_t dx, int32_t dy) override { scrolled = {scrolled.x + dx, scrolled.y + dy}; }
};

TEST(CanvasViewScroll, ListenerHearsZoomOnceAndScrollDeltas) {
    CanvasView v({1000, 1000}, {100, 100});
    RecordingListener l;
    v.setListener(&l);
    v.zoomAt({10, 10}, 2, true);
    EXPECT_EQ(l.zooms, 1);
    v.scrollBy(7, -3);
    v.scrollBy(0, 0);
    EXPECT_EQ(l.scrolled, (Point{7, -3}));
}

} // namespace
} // namespace pict
