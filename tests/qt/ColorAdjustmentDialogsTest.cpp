#include "app/commands/CommandIds.h"
#include "qt/AdjustmentDialogFixture.h"

#include <QRadioButton>

namespace pict::qt::test {
namespace {

using ColorAdjustmentDialogsTest = AdjustmentDialogTest;
using Pixel = std::array<int, 3>;

TEST_F(ColorAdjustmentDialogsTest, TheAdjustmentItemsAreEnabledOnceTheirDialogsAreRegistered) {
    for (uint16_t id : {kCmdBrightnessContrast, kCmdColorBalance, kCmdHueSaturation, kCmdLevels, kCmdCurves,
                        kCmdGaussianBlur})
        EXPECT_TRUE(window->actions().action(id)->isEnabled()) << id;
    background().setVisible(false);
    window->refreshCommandStates();
    EXPECT_FALSE(window->actions().action(kCmdBrightnessContrast)->isEnabled()) << "still needs an editable layer";
}

TEST_F(ColorAdjustmentDialogsTest, BrightnessPreviewsOnTheLayerAndOkRecordsTheAppliedState) {
    runDialog(kCmdBrightnessContrast, [&](AdjustmentDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "Brightness/Contrast");
        EXPECT_TRUE(dialog.previewBox()->isChecked());
        setField(dialog, "brightness", 20);
        EXPECT_EQ(pixel(), (Pixel{120, 170, 220})) << "the preview is on the layer";
        EXPECT_GT(counter.changes, 0) << "and the canvas hears of it";
        EXPECT_EQ(history().count(), 0);
        ok(dialog);
    });
    EXPECT_EQ(pixel(), (Pixel{120, 170, 220}));
    expectOneState("Brightness/Contrast", 0);
    EXPECT_TRUE(frame->document().isModified());
    window->executeCommand(kCmdUndo);
    EXPECT_EQ(pixel(), (Pixel{100, 150, 200}));
}

TEST_F(ColorAdjustmentDialogsTest, CancelTakesThePreviewBackAndRecordsNothing) {
    runDialog(kCmdBrightnessContrast, [&](AdjustmentDialog& dialog) {
        setField(dialog, "contrast", -100);
        EXPECT_EQ(pixel(), (Pixel{128, 128, 128}));
        cancel(dialog);
    });
    EXPECT_EQ(pixel(), (Pixel{100, 150, 200}));
    EXPECT_EQ(history().count(), 0);
    EXPECT_FALSE(frame->document().isModified()) << "a cancelled preview leaves nothing to save";
}

TEST_F(ColorAdjustmentDialogsTest, WithoutPreviewOkAppliesTheValuesOnce) {
    runDialog(kCmdBrightnessContrast, [&](AdjustmentDialog& dialog) {
        setField(dialog, "brightness", 10);
        setPreview(dialog, false);
        EXPECT_EQ(pixel(), (Pixel{100, 150, 200})) << "unchecking takes the preview back";
        setField(dialog, "brightness", -10);
        EXPECT_EQ(pixel(), (Pixel{100, 150, 200})) << "nothing is shown without Preview";
        ok(dialog);
    });
    EXPECT_EQ(pixel(), (Pixel{90, 140, 190}));
    expectOneState("Brightness/Contrast", 0);
}

TEST_F(ColorAdjustmentDialogsTest, OkWithValuesBackAtZeroRecordsNothing) {
    runDialog(kCmdBrightnessContrast, [&](AdjustmentDialog& dialog) {
        setField(dialog, "brightness", 40);
        setField(dialog, "brightness", 0);
        ok(dialog);
    });
    EXPECT_EQ(pixel(), (Pixel{100, 150, 200}));
    EXPECT_EQ(history().count(), 0);
}

TEST_F(ColorAdjustmentDialogsTest, ResetRestoresTheDefaultsAndTheLayer) {
    runDialog(kCmdBrightnessContrast, [&](AdjustmentDialog& dialog) {
        setField(dialog, "brightness", 40);
        dialog.pressReset();
        EXPECT_TRUE(dialog.isVisible()) << "Reset keeps the dialog open";
        EXPECT_EQ(child<QSpinBox>(dialog, "brightness")->value(), 0);
        EXPECT_EQ(pixel(), (Pixel{100, 150, 200}));
        ok(dialog);
    });
    EXPECT_EQ(history().count(), 0);
}

TEST_F(ColorAdjustmentDialogsTest, ColorBalanceKeepsEachTonesValuesAndAppliesThemTogether) {
    fillBackground(127, 127, 127);
    runDialog(kCmdColorBalance, [&](AdjustmentDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "Color Balance");
        auto* luminosity = child<QCheckBox>(dialog, "preserveLuminosity");
        ASSERT_TRUE(luminosity);
        EXPECT_EQ(luminosity->text(), "Preserve &Luminosity");
        EXPECT_TRUE(luminosity->isChecked());
        luminosity->setChecked(false);
        const QList<QRadioButton*> tones = dialog.findChildren<QRadioButton*>();
        ASSERT_EQ(tones.size(), 3);
        EXPECT_TRUE(tones[1]->isChecked()) << "Midtones at start";
        setField(dialog, "cyanRed", 100);
        EXPECT_EQ(pixel(), (Pixel{193, 127, 127}));
        tones[0]->click();
        EXPECT_EQ(child<QSpinBox>(dialog, "cyanRed")->value(), 0) << "Shadows has values of its own";
        setField(dialog, "yellowBlue", -50);
        tones[1]->click();
        EXPECT_EQ(child<QSpinBox>(dialog, "cyanRed")->value(), 100);
        setPreview(dialog, false);
        EXPECT_EQ(pixel(), (Pixel{127, 127, 127}));
        ok(dialog);
    });
    expectOneState("Color Balance", 0);
    const Pixel applied = pixel();
    EXPECT_EQ(applied[0], 193);
    EXPECT_LT(applied[2], 127) << "the shadows' push toward yellow";
}

} // namespace
} // namespace pict::qt::test
