#include "app/commands/CommandIds.h"
#include "imageops/HueSaturationFilter.h"
#include "qt/AdjustmentDialogFixture.h"

#include <QComboBox>

namespace pict::qt::test {
namespace {

using Pixel = std::array<int, 3>;

class HueSaturationPixelsTest : public AdjustmentDialogTest {
protected:
    void SetUp() override {
        AdjustmentDialogTest::SetUp();
        fillBackground(200, 40, 40); // red
        uint8_t* blue = background().color().row(0);
        blue[0] = 200;
        blue[1] = 40;
        blue[2] = 40;
    }
};

TEST_F(HueSaturationPixelsTest, ARangeChangesOnlyItsHues) {
    runDialog(kCmdHueSaturation, [&](AdjustmentDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "Hue/Saturation");
        auto* edit = child<QComboBox>(dialog, "edit");
        ASSERT_TRUE(edit);
        ASSERT_EQ(edit->count(), 7);
        EXPECT_EQ(edit->itemText(0), "Master");
        EXPECT_EQ(edit->itemText(1), "Reds");
        edit->setCurrentIndex(kReds);
        emit edit->activated(kReds);
        setField(dialog, "saturation", -100);
        ok(dialog);
    });
    expectOneState("Hue/Saturation", 0);
    const Pixel red = pixel();
    EXPECT_EQ(red[0], red[1]) << "the reds lost their saturation";
    EXPECT_EQ(red[1], red[2]);
    EXPECT_EQ(pixel(0, 0), (Pixel{40, 40, 200})) << "the blues did not";
}

TEST_F(HueSaturationPixelsTest, ColorizeRecordsAColorizeStateEvenAtItsStartingValues) {
    runDialog(kCmdHueSaturation, [&](AdjustmentDialog& dialog) {
        auto* edit = child<QComboBox>(dialog, "edit");
        edit->setCurrentIndex(kBlues);
        emit edit->activated(kBlues);
        child<QCheckBox>(dialog, "colorize")->setChecked(true);
        EXPECT_FALSE(edit->isEnabled());
        EXPECT_EQ(edit->currentIndex(), kMaster);
        EXPECT_EQ(child<QSpinBox>(dialog, "hue")->maximum(), 360);
        EXPECT_EQ(child<QSpinBox>(dialog, "saturation")->value(), 25);
        EXPECT_NE(pixel(0, 0), (Pixel{40, 40, 200})) << "the preview shows Colorize at once";
        ok(dialog);
    });
    expectOneState("Colorize", 0);
    const Pixel a = pixel();
    const Pixel b = pixel(0, 0);
    EXPECT_GT(a[0], a[2]) << "hue 0 paints red";
    EXPECT_GT(b[0], b[2]);
}

TEST_F(HueSaturationPixelsTest, CancelAfterColorizeLeavesTheLayer) {
    runDialog(kCmdHueSaturation, [&](AdjustmentDialog& dialog) {
        child<QCheckBox>(dialog, "colorize")->setChecked(true);
        setField(dialog, "hue", 200);
        cancel(dialog);
    });
    EXPECT_EQ(pixel(), (Pixel{200, 40, 40}));
    EXPECT_EQ(pixel(0, 0), (Pixel{40, 40, 200}));
    EXPECT_EQ(history().count(), 0);
}

TEST_F(HueSaturationPixelsTest, MasterHueWithoutPreviewAppliesOnOk) {
    runDialog(kCmdHueSaturation, [&](AdjustmentDialog& dialog) {
        setPreview(dialog, false);
        setField(dialog, "hue", 120);
        EXPECT_EQ(pixel(), (Pixel{200, 40, 40}));
        ok(dialog);
    });
    expectOneState("Hue/Saturation", 0);
    const Pixel shifted = pixel();
    EXPECT_GT(shifted[1], shifted[0]) << "red turned green";
}

} // namespace
} // namespace pict::qt::test
