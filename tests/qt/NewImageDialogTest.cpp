#include "app/qt/window/ClipboardImage.h"
#include "app/qt/dialogs/NewImageDialog.h"
#include "document/Document.h"
#include "qt/QtTestApp.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>

#include <gtest/gtest.h>

namespace pict::qt {
namespace {

class NewImageDialogTest : public ::testing::Test {
protected:
    void SetUp() override { test::testApplication(); }

    int indexOf(const NewImageDialog& dialog, const QString& name) { return dialog.presetBox()->findText(name); }

    AppSettings settings;
    BuiltInPresetInputs inputs;
};

TEST_F(NewImageDialogTest, StartsFromTheCustomValuesWithTheProposedName) {
    NewImageDialog dialog(settings, inputs, "Untitled-1");
    EXPECT_EQ(dialog.fields().documentName, "Untitled-1");
    EXPECT_EQ(dialog.presetBox()->currentText(), "Custom");
    EXPECT_EQ(dialog.widthField()->value(), 320.0);
    EXPECT_EQ(dialog.heightField()->value(), 240.0);
    EXPECT_TRUE(dialog.okButton()->isEnabled());
    EXPECT_FALSE(dialog.deletePresetButton()->isEnabled());
    EXPECT_TRUE(dialog.savePresetButton()->isEnabled());
}

TEST_F(NewImageDialogTest, ChoosingAPresetFillsTheFieldsAndTheSizeLabel) {
    NewImageDialog dialog(settings, inputs, "Untitled-1");
    dialog.presetBox()->setCurrentIndex(indexOf(dialog, "640 x 480"));
    EXPECT_EQ(dialog.sizeLabel()->text(), "900K");
    dialog.presetBox()->setCurrentIndex(indexOf(dialog, "1024 x 768"));
    EXPECT_EQ(dialog.sizeLabel()->text(), "2.25M");
    dialog.presetBox()->setCurrentIndex(indexOf(dialog, "A4"));
    EXPECT_EQ(fieldsWidthPixels(dialog.fields()), 2480);
    EXPECT_EQ(fieldsHeightPixels(dialog.fields()), 3507);
    // A built-in entry can be neither saved again nor deleted.
    EXPECT_FALSE(dialog.savePresetButton()->isEnabled());
    EXPECT_FALSE(dialog.deletePresetButton()->isEnabled());
}

TEST_F(NewImageDialogTest, EditingToAPresetsValuesSelectsThatPreset) {
    NewImageDialog dialog(settings, inputs, "Untitled-1");
    dialog.widthField()->setValue(800);
    dialog.heightField()->setValue(600);
    EXPECT_EQ(dialog.presetBox()->currentText(), "800 x 600");
}

TEST_F(NewImageDialogTest, TooWideDisablesOkAndShowsDashes) {
    NewImageDialog dialog(settings, inputs, "Untitled-1");
    dialog.widthField()->setValue(30001);
    EXPECT_FALSE(dialog.okButton()->isEnabled());
    EXPECT_EQ(dialog.sizeLabel()->text(), "--");
    dialog.widthField()->setValue(30000);
    EXPECT_TRUE(dialog.okButton()->isEnabled());
}

TEST_F(NewImageDialogTest, SavedPresetsAreUniqueAndDeletable) {
    NewImageDialog dialog(settings, inputs, "Untitled-1");
    dialog.widthField()->setValue(500);
    ASSERT_EQ(dialog.savePresetNamed("Square-ish"), SavePresetResult::Added);
    EXPECT_EQ(dialog.presetBox()->currentText(), "Square-ish");
    ASSERT_EQ(settings.presets.count(), 1u);
    EXPECT_EQ(settings.presets.at(0).id, 8);
    EXPECT_TRUE(dialog.deletePresetButton()->isEnabled());

    // The same name again, or a built-in's, is refused and adds nothing.
    dialog.presetBox()->setCurrentIndex(indexOf(dialog, "Custom"));
    EXPECT_EQ(dialog.savePresetNamed("Square-ish"), SavePresetResult::DuplicateName);
    EXPECT_EQ(dialog.savePresetNamed("A4"), SavePresetResult::DuplicateName);
    EXPECT_EQ(dialog.savePresetNamed(""), SavePresetResult::EmptyName);
    EXPECT_EQ(settings.presets.count(), 1u);

    dialog.presetBox()->setCurrentIndex(indexOf(dialog, "Square-ish"));
    EXPECT_TRUE(dialog.deleteSelectedPreset());
    EXPECT_TRUE(settings.presets.isEmpty());
    EXPECT_EQ(indexOf(dialog, "Square-ish"), -1);
}

TEST_F(NewImageDialogTest, UnitChangeConvertsBothSides) {
    NewImageDialog dialog(settings, inputs, "Untitled-1");
    // 720 x 720 pixels at 72 pixels/inch are 10 x 10 inches.
    dialog.widthField()->setValue(720);
    dialog.heightField()->setValue(720);
    const QList<QComboBox*> units = dialog.findChildren<QComboBox*>();
    QComboBox* widthUnit = nullptr;
    for (QComboBox* box : units)
        if (box->count() == 4 && box->itemText(1) == "inches") {
            widthUnit = box;
            break;
        }
    ASSERT_NE(widthUnit, nullptr);
    widthUnit->setCurrentIndex(1);
    EXPECT_NEAR(dialog.widthField()->value(), 10.0, 0.001);
    EXPECT_NEAR(dialog.heightField()->value(), 10.0, 0.001);
    EXPECT_EQ(fieldsWidthPixels(dialog.fields()), 720);
}

TEST(ClipboardImage, ColorsAndTransparencyBecomeTheLayer) {
    test::testApplication();
    QImage image(3, 2, QImage::Format_ARGB32);
    image.fill(qRgba(10, 20, 30, 255));
    image.setPixel(2, 1, qRgba(200, 100, 50, 128));
    std::unique_ptr<Document> document = documentFromImage(image, "Clipboard-1");
    ASSERT_NE(document, nullptr);
    EXPECT_EQ(document->info().name, "Clipboard-1");
    EXPECT_TRUE(document->info().untitled);
    EXPECT_EQ(document->width(), 3);
    EXPECT_EQ(document->height(), 2);
    const CompositeCache* composite = document->composite();
    ASSERT_NE(composite, nullptr);
    const uint8_t* row = composite->color().row(0);
    EXPECT_EQ(row[0], 30); // blue, green, red
    EXPECT_EQ(row[1], 20);
    EXPECT_EQ(row[2], 10);
    EXPECT_EQ(composite->alpha().valueAt(2, 1), 128);
    EXPECT_EQ(composite->alpha().valueAt(0, 0), 255);

    EXPECT_EQ(documentFromImage(QImage(), "x"), nullptr);
}

} // namespace
} // namespace pict::qt
