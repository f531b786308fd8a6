#include "selection/SelectionController.h"

#include "selection/SelectionOutline.h"

#include <gtest/gtest.h>

#include <vector>

namespace pict {
namespace {

struct RecordingListener : SelectionListener {
    std::vector<std::pair<Rect, Rect>> changes;
    std::vector<bool> visibility;
    void selectionChanged(const Rect& oldBounds, const Rect& newBounds) override { changes.push_back({oldBounds, newBounds}); }
    void outlineVisibilityChanged(bool visible) override { visibility.push_back(visible); }
};

TEST(SelectionController, ReportsEveryChangeWithOldAndNewBounds) {
    SelectionController c(20, 10);
    RecordingListener listener;
    c.setListener(&listener);
    ASSERT_TRUE(c.setShape({2, 2, 5, 5}, false));
    ASSERT_TRUE(c.expand(1));
    c.clear();
    ASSERT_EQ(listener.changes.size(), 3u);
    EXPECT_EQ(listener.changes[0].first, Rect{});
    EXPECT_EQ(listener.changes[0].second, (Rect{2, 2, 5, 5}));
    EXPECT_EQ(listener.changes[1].second, (Rect{1, 1, 6, 6}));
    EXPECT_EQ(listener.changes[2].second, Rect{});
    EXPECT_FALSE(c.outlineAnimating());
    EXPECT_EQ(c.changeCount(), 3u);
}

TEST(SelectionController, ToggleHidesTheOutlineUntilTheNextChange) {
    SelectionController c(10, 10);
    RecordingListener listener;
    c.setListener(&listener);
    c.selectAll();
    c.toggleOutline();
    EXPECT_FALSE(c.outlineVisible());
    EXPECT_EQ(c.mask().bounds(), (Rect{0, 0, 10, 10}));
    c.invert();
    EXPECT_TRUE(c.outlineVisible());
    EXPECT_EQ(listener.visibility, std::vector<bool>{false});
}

TEST(SelectionController, RestorePutsBackASavedCopy) {
    SelectionController c(10, 10);
    c.setShape({1, 1, 4, 4}, true);
    SelectionMask saved;
    ASSERT_TRUE(saved.copyFrom(c.mask()));
    c.resetCanvas(30, 30);
    EXPECT_TRUE(c.isEmpty());
    ASSERT_TRUE(c.restore(saved));
    EXPECT_EQ(c.mask().bounds(), saved.bounds());
    EXPECT_EQ(c.mask().canvasWidth(), 10);
}

TEST(SelectionOutline, EdgesOfARectangleAtTwoZooms) {
    SelectionMask m(10, 10);
    ASSERT_TRUE(m.setShape({2, 2, 5, 4}, false));
    OutlineEdges edges;
    ASSERT_TRUE(computeOutlineEdges(m, {2, 2, 5, 4}, {0, 0, 100, 100}, edges));
    EXPECT_EQ(edges.box, (Rect{2, 2, 5, 4}));
    EXPECT_EQ(edges.points.size(), 6u); // a 3 x 2 block is all edge
    // Twice the size: a 6 x 4 window block has a ring of 16 edge pixels.
    ASSERT_TRUE(computeOutlineEdges(m, {4, 4, 10, 8}, {0, 0, 100, 100}, edges));
    EXPECT_EQ(edges.points.size(), 16u);
    // Clipped by the client area: only the visible part, relative to the visible box.
    ASSERT_TRUE(computeOutlineEdges(m, {4, 4, 10, 8}, {0, 0, 6, 100}, edges));
    EXPECT_EQ(edges.box, (Rect{4, 4, 6, 8}));
    for (const Point p : edges.points)
        EXPECT_TRUE(p.x >= 0 && p.x < 2);
}

TEST(SelectionOutline, StripePatternMovesOneRowPerPhase) {
    // Phase 0 row 0 is 0x87: bits 0, 5, 6, 7 set (tested with 0x80 >> bit).
    EXPECT_TRUE(outlinePixelIsWhite(0, 0, 0));
    EXPECT_FALSE(outlinePixelIsWhite(0, 1, 0));
    EXPECT_TRUE(outlinePixelIsWhite(0, 7, 0));
    // Phase 1 row 0 is phase 0's row 7 (0xC3): bits 0, 1, 6, 7.
    EXPECT_TRUE(outlinePixelIsWhite(1, 1, 0));
    EXPECT_FALSE(outlinePixelIsWhite(1, 2, 0));
    for (int32_t y = 0; y < 8; ++y)
        for (int32_t x = 0; x < 8; ++x)
            EXPECT_EQ(outlinePixelIsWhite(3, x, y), outlinePixelIsWhite(0, x, (y + 5) % 8));
}

} // namespace
} // namespace pict
