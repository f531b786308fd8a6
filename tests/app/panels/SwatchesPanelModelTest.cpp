#include "app/panels/SwatchesPanelModel.h"

#include "app/commands/CommandIds.h"

#include <gtest/gtest.h>

namespace pict {
namespace {

class SwatchesPanelModelTest : public ::testing::Test {
protected:
    void SetUp() override { model.setClientSize({120, 60}); }

    ApplicationContext app;
    InfoPanelModel info;
    SwatchesPanelModel model{app, &info};
};

TEST_F(SwatchesPanelModelTest, PickingSetsForegroundOrWithCtrlBackground) {
    app.foregroundColor = kBlack;
    app.backgroundColor = kWhite;
    EXPECT_TRUE(model.press({13, 1}, false)); // cell 1, FFFF00
    EXPECT_EQ(app.foregroundColor.rgb(), 0xFFFF00u);
    EXPECT_EQ(app.backgroundColor.rgb(), 0xFFFFFFu);
    EXPECT_TRUE(model.press({49, 1}, true)); // cell 4, 0000FF
    EXPECT_EQ(app.backgroundColor.rgb(), 0x0000FFu);
    EXPECT_EQ(app.foregroundColor.rgb(), 0xFFFF00u);
    EXPECT_FALSE(model.press({200, 1}, false)) << "outside the grid";
    EXPECT_EQ(app.foregroundColor.rgb(), 0xFFFF00u);
}

TEST_F(SwatchesPanelModelTest, ScrollStaysWithinTheRows) {
    model.setScroll(1000);
    EXPECT_EQ(model.scroll(), 96) << "13 rows of 12 in a 60-pixel client";
    EXPECT_EQ(model.swatchAt({0, 0}), 80u) << "row 8 at the top";
    model.setClientSize({120, 200});
    EXPECT_EQ(model.scroll(), 0) << "everything fits again";
    model.setScroll(-5);
    EXPECT_EQ(model.scroll(), 0);
}

TEST_F(SwatchesPanelModelTest, NewSwatchAppendsTheCurrentColor) {
    app.foregroundColor = Color::fromRgb(0x112233);
    app.backgroundColor = Color::fromRgb(0x445566);
    EXPECT_TRUE(model.runCommand(kCmdNewSwatch, false));
    EXPECT_TRUE(model.runCommand(kCmdNewSwatch, true));
    ASSERT_EQ(model.swatches().count(), 124u);
    EXPECT_EQ(model.swatches().at(122)->rgb(), 0x112233u);
    EXPECT_EQ(model.swatches().at(123)->rgb(), 0x445566u);
    // Picking it back gives the same color.
    model.setScroll(1000);
    EXPECT_TRUE(model.press({12 * 3 + 1, 12 * 12 - model.scroll() + 1}, false)); // cell 123
    EXPECT_EQ(app.foregroundColor.rgb(), 0x445566u);
    EXPECT_FALSE(model.runCommand(kCmdNew, false)) << "not a panel button";
}

TEST_F(SwatchesPanelModelTest, DeleteRemovesTheLastUntilEmpty) {
    for (int i = 0; i < 122; ++i)
        ASSERT_TRUE(model.runCommand(kCmdDeleteSwatch, false));
    EXPECT_TRUE(model.swatches().isEmpty());
    EXPECT_EQ(model.layout().rows, 0);
    EXPECT_EQ(model.scroll(), 0);
    EXPECT_FALSE(model.runCommand(kCmdDeleteSwatch, false));
    EXPECT_FALSE(model.press({1, 1}, false));
    app.foregroundColor = Color::fromRgb(0xABCDEF);
    model.runCommand(kCmdNewSwatch, false);
    EXPECT_EQ(model.swatchAt({1, 1}), 0u) << "the new swatch is cell 0";
    model.press({1, 1}, true);
    EXPECT_EQ(app.backgroundColor.rgb(), 0xABCDEFu);
}

TEST_F(SwatchesPanelModelTest, DeletingARowPullsTheScrollBack) {
    model.setScroll(1000);
    ASSERT_EQ(model.scroll(), 96);
    model.runCommand(kCmdDeleteSwatch, false);
    model.runCommand(kCmdDeleteSwatch, false); // the thirteenth row goes
    EXPECT_EQ(model.scroll(), 84);
}

TEST_F(SwatchesPanelModelTest, HoverShowsTheCellColorInInfo) {
    model.hover({1, 1});
    EXPECT_EQ(info.text(InfoField::Red), "255");
    EXPECT_EQ(info.text(InfoField::Green), "0");
    model.hover({1, 13}); // cell 10, CCCCCC
    EXPECT_EQ(info.text(InfoField::Blue), "204");
    model.hover({500, 500});
    EXPECT_EQ(info.text(InfoField::Blue), "204") << "off the cells nothing changes";
}

} // namespace
} // namespace pict
