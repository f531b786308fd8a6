#include "canvas/SelectionOverlay.h"

#include "selection/SelectionController.h"

#include <gtest/gtest.h>

namespace pict {
namespace {

// Counts the buffer pixels that are no longer the fill value.
int changedPixels(const ViewBuffer& buffer, uint32_t fill) {
    int n = 0;
    for (uint32_t p : buffer.pixels)
        n += p != fill;
    return n;
}

class SelectionOverlayTest : public ::testing::Test {
protected:
    SelectionOverlayTest() : selection(10, 8), view({10, 8}, {20, 20}) { buffer.resize({20, 20}); }
    void fill(uint32_t value) { std::fill(buffer.pixels.begin(), buffer.pixels.end(), value); }

    SelectionController selection;
    CanvasView view;
    ViewBuffer buffer;
    SelectionOverlay overlay;
};

TEST_F(SelectionOverlayTest, NothingToDrawWithoutASelection) {
    EXPECT_FALSE(overlay.update(view, selection));
    fill(0xFF808080u);
    overlay.drawInto(buffer, 0);
    EXPECT_EQ(changedPixels(buffer, 0xFF808080u), 0);
}

TEST_F(SelectionOverlayTest, SelectAllOutlinesTheImageFrameInBlackAndWhite) {
    ASSERT_TRUE(selection.selectAll());
    ASSERT_TRUE(overlay.update(view, selection));
    // The 10 x 8 image sits centred in the 20 x 20 window at (5, 6).
    EXPECT_EQ(overlay.box(), (Rect{5, 6, 15, 14}));
    fill(0xFF808080u);
    overlay.drawInto(buffer, 0);
    EXPECT_EQ(changedPixels(buffer, 0xFF808080u), 2 * 10 + 2 * 6);
    for (int32_t y = 0; y < 20; ++y)
        for (int32_t x = 0; x < 20; ++x) {
            const bool edge = (x == 5 || x == 14 || y == 6 || y == 13) && x >= 5 && x <= 14 && y >= 6 && y <= 13;
            const uint32_t p = buffer.at(x, y);
            if (edge)
                EXPECT_TRUE(p == 0xFFFFFFFFu || p == 0xFF000000u) << x << "," << y;
            else
                EXPECT_EQ(p, 0xFF808080u) << x << "," << y;
        }
}

TEST_F(SelectionOverlayTest, TheStripesMoveWithThePhase) {
    ASSERT_TRUE(selection.selectAll());
    ASSERT_TRUE(overlay.update(view, selection));
    ViewBuffer other = buffer;
    fill(0);
    other.pixels.assign(other.pixels.size(), 0);
    overlay.drawInto(buffer, 0);
    overlay.drawInto(other, 1);
    EXPECT_NE(buffer.pixels, other.pixels);
}

TEST_F(SelectionOverlayTest, FollowsTheZoomAndHidesWithTheOutline) {
    ASSERT_TRUE(selection.setShape({2, 2, 4, 4}, false));
    ASSERT_TRUE(overlay.update(view, selection));
    EXPECT_EQ(overlay.box().width(), 2);
    view.setZoom(2.0f, false);
    ASSERT_TRUE(overlay.update(view, selection));
    EXPECT_EQ(overlay.box().width(), 4);
    selection.toggleOutline();
    EXPECT_FALSE(overlay.update(view, selection));
    selection.toggleOutline();
    EXPECT_TRUE(overlay.update(view, selection));
    selection.clear();
    EXPECT_FALSE(overlay.update(view, selection));
}

} // namespace
} // namespace pict
