#include "app/SessionFixture.h"

namespace pict {
namespace {

class FillCommandsTest : public test::SessionTest {
protected:
    const uint8_t* pixel(int32_t layer, int32_t x, int32_t y) {
        return layers().rasterAt(layer)->color().row(y) + 3 * x;
    }
    void select(Rect rect) { ASSERT_EQ(commands_.selectMarquee(rect, false).outcome, CommandOutcome::Done); }
};

TEST_F(FillCommandsTest, EveryIdIsRefusedWithoutAVisibleLayerThatTakesPixels) {
    select({1, 1, 5, 5});
    layers().setVisible(layers().layerAt(0), false);
    for (uint16_t id : {kCmdClear, kCmdFillForeground, kCmdFillBackground, kCmdFill})
        expectRefused(id);
    layers().setVisible(layers().layerAt(0), true);
    // An empty layer takes pixels (it becomes a raster layer first); a hidden one does not.
    layers().add(std::make_unique<EmptyLayer>(&layers()));
    for (uint16_t id : {kCmdClear, kCmdFillForeground, kCmdFillBackground, kCmdFill})
        EXPECT_TRUE(commands_.isEnabled(id)) << id;
    layers().setVisible(layers().active(), false);
    for (uint16_t id : {kCmdClear, kCmdFillForeground, kCmdFillBackground, kCmdFill})
        expectRefused(id);
}

TEST_F(FillCommandsTest, ClearNeedsASelection) {
    expectRefused(kCmdClear);
}

TEST_F(FillCommandsTest, ShortcutsFillWithTheCurrentColors) {
    app_.foregroundColor = Color::fromRgb(0x102030);
    app_.backgroundColor = Color::fromRgb(0x405060);
    EXPECT_EQ(run(kCmdFillForeground), CommandOutcome::Done);
    EXPECT_EQ(history().undoName(), "Fill");
    EXPECT_EQ(pixel(0, 0, 0)[2], 0x10);
    EXPECT_EQ(pixel(0, 0, 0)[0], 0x30);
    EXPECT_EQ(run(kCmdFillBackground), CommandOutcome::Done);
    EXPECT_EQ(pixel(0, 39, 29)[2], 0x40);
    EXPECT_EQ(pixel(0, 39, 29)[0], 0x60);
    run(kCmdUndo);
    EXPECT_EQ(pixel(0, 39, 29)[2], 0x10);
}

TEST_F(FillCommandsTest, FillDialogAnswerIsUsedAndOutOfRangeAnswersAreRefused) {
    select({0, 0, 10, 10});
    EXPECT_EQ(run(kCmdFill, FillParams{0xFF000000u, kBlendNormal, 50, false}), CommandOutcome::Done);
    EXPECT_EQ(pixel(0, 5, 5)[1], 127);
    EXPECT_EQ(pixel(0, 15, 15)[1], 255);
    EXPECT_EQ(run(kCmdFill, FillParams{0xFF000000u, kBlendNormal, 0, false}), CommandOutcome::Refused);
    EXPECT_EQ(run(kCmdFill, FillParams{0xFF000000u, 19, 100, false}), CommandOutcome::Refused);
    EXPECT_EQ(run(kCmdFill, ModifyParams{}), CommandOutcome::Failed);
    EXPECT_EQ(history().count(), 2);
}

TEST_F(FillCommandsTest, ClearPaintsTheBackgroundColorOnTheBackground) {
    app_.backgroundColor = Color::fromRgb(0xFF0000);
    select({2, 2, 6, 6});
    EXPECT_EQ(run(kCmdClear), CommandOutcome::Done);
    EXPECT_EQ(history().undoName(), "Clear");
    EXPECT_EQ(pixel(0, 3, 3)[2], 0xFF);
    EXPECT_EQ(pixel(0, 3, 3)[0], 0x00);
    EXPECT_EQ(pixel(0, 7, 7)[0], 0xFF);
    run(kCmdUndo);
    EXPECT_EQ(pixel(0, 3, 3)[0], 0xFF);
}

TEST_F(FillCommandsTest, ClearMakesOtherLayersTransparent) {
    RasterLayer* layer = addLayer("Layer 1", {0, 0, 40, 30});
    select({2, 2, 6, 6});
    EXPECT_EQ(run(kCmdClear), CommandOutcome::Done);
    ASSERT_NE(layer->transparencyMask(), nullptr);
    EXPECT_EQ(layer->transparencyMask()->valueAt(3, 3), 0);
    EXPECT_EQ(layer->transparencyMask()->valueAt(7, 7), 255);
}

} // namespace
} // namespace pict
