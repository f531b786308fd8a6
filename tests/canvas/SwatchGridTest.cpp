#include "canvas/SwatchGrid.h"

#include <gtest/gtest.h>

namespace pict {
namespace {

constexpr Color kFace = Color::fromRgb(0xF0F0F0);

uint32_t rgbAt(const ViewBuffer& b, int32_t x, int32_t y) { return b.at(x, y) & 0xFFFFFF; }

SwatchList listOf(std::initializer_list<uint32_t> rgb) {
    SwatchList list;
    while (list.removeLast()) {
    }
    for (uint32_t c : rgb)
        list.append(Color::fromRgb(c));
    return list;
}

TEST(SwatchListTest, StartsWithTheBuiltInPalette) {
    const SwatchList list;
    ASSERT_EQ(list.count(), 122u);
    EXPECT_EQ(list.at(0)->rgb(), 0xFF0000u) << "pure red first";
    EXPECT_EQ(list.at(1)->rgb(), 0xFFFF00u) << "yellow";
    EXPECT_EQ(list.at(4)->rgb(), 0x0000FFu) << "pure blue";
    EXPECT_EQ(list.at(16)->rgb(), 0xEE1D24u) << "opens the second row";
    EXPECT_EQ(list.at(31)->rgb(), 0x000000u) << "black ends the second row";
    EXPECT_EQ(list.at(121)->rgb(), 0x613813u) << "last";
    EXPECT_FALSE(list.at(122));
}

TEST(SwatchListTest, GrowsAndShrinksAtTheEnd) {
    SwatchList list;
    list.append(Color::fromRgb(0x123456));
    ASSERT_EQ(list.count(), 123u);
    EXPECT_EQ(list.at(122)->rgb(), 0x123456u);
    for (int i = 0; i < 123; ++i)
        ASSERT_TRUE(list.removeLast());
    EXPECT_TRUE(list.isEmpty());
    EXPECT_FALSE(list.removeLast()) << "nothing left to delete";
    list.append(Color::fromRgb(0xABCDEF));
    EXPECT_EQ(list.at(0)->rgb(), 0xABCDEFu) << "a new swatch becomes cell 0";
    list.resetToDefaults();
    EXPECT_EQ(list.count(), 122u);
}

TEST(SwatchGridTest, ColumnsFollowTheClientWidthPlusOne) {
    EXPECT_EQ(swatchGridLayout({120, 50}, 122).columns, 10);
    EXPECT_EQ(swatchGridLayout({120, 50}, 122).rows, 13);
    EXPECT_EQ(swatchGridLayout({119, 50}, 122).columns, 10) << "the last grid line may be cut off";
    EXPECT_EQ(swatchGridLayout({118, 50}, 122).columns, 9);
    EXPECT_EQ(swatchGridLayout({5, 50}, 3).columns, 1) << "narrower than a cell: still one column";
    EXPECT_EQ(swatchGridLayout({5, 50}, 3).rows, 3);
    EXPECT_EQ(swatchGridLayout({120, 50}, 0).rows, 0);
    const SwatchGridLayout empty = swatchGridLayout({0, 0}, 122);
    EXPECT_EQ(empty.columns, 1);
    EXPECT_EQ(empty.rows, 1);
}

TEST(SwatchGridTest, ScrollsOverAllRows) {
    const SwatchGridLayout layout = swatchGridLayout({120, 60}, 122);
    EXPECT_EQ(layout.contentHeight(), 156);
    EXPECT_EQ(swatchMaxScroll(layout, 60), 96);
    EXPECT_EQ(swatchMaxScroll(layout, 500), 0);
}

TEST(SwatchGridTest, HitTestsCellsOnly) {
    const Size client{120, 200};
    EXPECT_EQ(swatchAt(client, 0, 122, {0, 0}), 0u);
    EXPECT_EQ(swatchAt(client, 0, 122, {11, 11}), 0u) << "the grid line belongs to its cell";
    EXPECT_EQ(swatchAt(client, 0, 122, {12, 0}), 1u);
    EXPECT_EQ(swatchAt(client, 0, 122, {119, 0}), 9u);
    EXPECT_EQ(swatchAt(client, 0, 122, {0, 12}), 10u);
    EXPECT_EQ(swatchAt(client, 0, 122, {23, 144}), 121u) << "second cell of the last row";
    EXPECT_FALSE(swatchAt(client, 0, 122, {24, 144})) << "below the last cell of the partly filled row";
    EXPECT_FALSE(swatchAt(client, 0, 122, {0, 156})) << "below the grid";
    EXPECT_FALSE(swatchAt(client, 0, 122, {-1, 0}));
    EXPECT_FALSE(swatchAt(client, 0, 122, {120, 0}));
    EXPECT_FALSE(swatchAt(client, 0, 0, {0, 0})) << "an empty list";
    EXPECT_EQ(swatchAt(client, 24, 122, {0, 0}), 20u) << "scrolled down two rows";
    // 130 wide: 10 columns and 10 unused pixels at the right.
    EXPECT_FALSE(swatchAt({130, 200}, 0, 122, {125, 0}));
}

TEST(SwatchGridTest, DrawsCellsWithGridLinesOnTheirRightAndBottom) {
    const SwatchList list = listOf({0xFF0000, 0x00FF00, 0x0000FF});
    ViewBuffer buffer;
    ASSERT_TRUE(drawSwatchGrid(buffer, {24, 30}, 0, list, kFace)); // two columns, two rows
    ASSERT_EQ(buffer.width, 24);
    ASSERT_EQ(buffer.height, 30);
    EXPECT_EQ(rgbAt(buffer, 0, 0), 0xFF0000u) << "the first swatch";
    EXPECT_EQ(rgbAt(buffer, 10, 10), 0xFF0000u);
    EXPECT_EQ(rgbAt(buffer, 11, 0), kBlack.rgb()) << "vertical line at x = 11";
    EXPECT_EQ(rgbAt(buffer, 0, 11), kBlack.rgb()) << "horizontal line at y = 11";
    EXPECT_EQ(rgbAt(buffer, 12, 0), 0x00FF00u);
    EXPECT_EQ(rgbAt(buffer, 23, 5), kBlack.rgb());
    EXPECT_EQ(rgbAt(buffer, 0, 12), 0x0000FFu) << "the third swatch starts the second row";
    EXPECT_EQ(rgbAt(buffer, 11, 23), kBlack.rgb());
    EXPECT_EQ(rgbAt(buffer, 12, 12), kFace.rgb()) << "past the last cell";
    EXPECT_EQ(rgbAt(buffer, 23, 18), kFace.rgb()) << "the vertical line stops after the last cell";
    EXPECT_EQ(rgbAt(buffer, 18, 23), kFace.rgb()) << "so does the horizontal one";
    EXPECT_EQ(rgbAt(buffer, 0, 24), kFace.rgb()) << "below the grid";
    EXPECT_EQ(buffer.at(0, 24) >> 24, 0xFFu) << "opaque words";
}

TEST(SwatchGridTest, DrawsScrolledAndCutOffCells) {
    const SwatchList list = listOf({0xFF0000, 0x00FF00, 0x0000FF, 0x000000});
    ViewBuffer buffer;
    // One column 12 wide: four rows, scrolled by 18 so that row 1 shows its lower half.
    ASSERT_TRUE(drawSwatchGrid(buffer, {12, 20}, 18, list, kFace));
    EXPECT_EQ(rgbAt(buffer, 0, 0), 0x00FF00u) << "row 1 at y = 12 - 18 + 6";
    EXPECT_EQ(rgbAt(buffer, 0, 5), kBlack.rgb()) << "its bottom line at 23 - 18";
    EXPECT_EQ(rgbAt(buffer, 0, 6), 0x0000FFu) << "row 2";
    EXPECT_EQ(rgbAt(buffer, 0, 19), 0x000000u);
    // A client narrower than a cell shows the cell cut off.
    ASSERT_TRUE(drawSwatchGrid(buffer, {5, 5}, 0, list, kFace));
    EXPECT_EQ(rgbAt(buffer, 4, 4), 0xFF0000u);
    // Nothing to draw into.
    ASSERT_TRUE(drawSwatchGrid(buffer, {0, 0}, 0, list, kFace));
    EXPECT_TRUE(buffer.pixels.empty());
}

} // namespace
} // namespace pict
