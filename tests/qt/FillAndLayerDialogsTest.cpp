#include "app/qt/widgets/ColorButton.h"
#include "app/qt/dialogs/FillDialog.h"
#include "app/qt/dialogs/LayerDialogs.h"
#include "app/qt/dialogs/TextPrompt.h"
#include "document/Layer.h"
#include "history/HistoryManager.h"
#include "qt/MainWindowFixture.h"
#include "qt/ModalAnswer.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

namespace pict::qt::test {
namespace {

using FillAndLayerDialogsTest = MainWindowTest;

TEST_F(FillAndLayerDialogsTest, FillPaintsTheChosenColorAndRemembersIt) {
    DocumentFrame* frame = addBlank(16, 12);
    ASSERT_TRUE(window->isCommandEnabled(kCmdFill));
    answerNextModal<FillDialog>([](FillDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "Fill");
        EXPECT_EQ(dialog.modeList()->count(), 19);
        EXPECT_EQ(dialog.modeList()->itemText(18), "Luminosity");
        EXPECT_FALSE(dialog.preserveBox()->isEnabled()) << "the background layer has no transparency";
        dialog.contentsList()->setCurrentIndex(int(FillContents::Black));
        EXPECT_EQ(dialog.swatch()->color(), kBlack);
        dialog.opacityField()->setText("0");
        EXPECT_FALSE(dialog.okButton()->isEnabled());
        dialog.opacityField()->setText("100");
        dialog.okButton()->click();
    });
    window->executeCommand(kCmdFill);
    EXPECT_EQ(frame->session().history().undoName(), "Fill");
    const auto blue = [&] {
        const auto* layer = dynamic_cast<const RasterLayer*>(frame->document().layers().layerAt(0));
        return layer ? int(layer->colorAt(3, 5)[0]) : -1;
    };
    EXPECT_EQ(blue(), 0);

    QString remembered;
    answerNextModal<FillDialog>([&](FillDialog& dialog) {
        remembered = dialog.contentsList()->currentText();
        dialog.contentsList()->setCurrentIndex(int(FillContents::White));
        dialog.cancelButton()->click();
    });
    window->executeCommand(kCmdFill);
    EXPECT_EQ(remembered, "Black");
    EXPECT_EQ(frame->session().history().count(), 1);
    EXPECT_EQ(blue(), 0);
}

TEST_F(FillAndLayerDialogsTest, FillSwatchChoosesTheCustomColor) {
    FillDialogMemory memory;
    FillDialog dialog(memory, kBlack, kWhite, true);
    EXPECT_TRUE(dialog.preserveBox()->isEnabled());
    dialog.swatch()->setColor(Color::fromRgb(0x336699)); // what a pick in the color chooser does
    EXPECT_EQ(dialog.contentsList()->currentText(), "Custom");
    dialog.preserveBox()->setChecked(true);
    const FillParams params = dialog.confirm(memory);
    EXPECT_EQ(params.color, 0xFF336699u);
    EXPECT_TRUE(params.preserveTransparency);
    EXPECT_EQ(memory.customColor.rgb(), 0x336699u);
}

TEST_F(FillAndLayerDialogsTest, NewLayerStartsWithTheDefaultsAndCancelAddsNothing) {
    DocumentFrame* frame = addBlank(16, 12);
    answerNextModal<NewLayerDialog>([](NewLayerDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "New Layer");
        EXPECT_EQ(dialog.nameField()->text(), "Layer 1");
        EXPECT_EQ(dialog.modeList()->currentText(), "Normal");
        EXPECT_EQ(dialog.opacityField()->text(), "100");
        dialog.nameField()->setText("Glow");
        dialog.modeList()->setCurrentIndex(2);
        dialog.opacityField()->setText("50");
        dialog.okButton()->click();
    });
    window->executeCommand(kCmdNewLayer);
    EXPECT_EQ(frame->session().history().undoName(), "New Layer");
    const LayerStack& layers = frame->document().layers();
    ASSERT_EQ(layers.count(), 2);
    EXPECT_EQ(layers.active()->name(), "Glow");
    EXPECT_EQ(layers.active()->blendMode(), 2);
    EXPECT_EQ(layers.active()->opacity(), 128);

    answerNextModal<NewLayerDialog>([](NewLayerDialog& dialog) {
        dialog.opacityField()->setText("101");
        EXPECT_FALSE(dialog.okButton()->isEnabled());
        dialog.reject();
    });
    window->executeCommand(kCmdNewLayer);
    EXPECT_EQ(layers.count(), 2);
}

TEST_F(FillAndLayerDialogsTest, DuplicateRenameAndDeleteTheActiveLayer) {
    DocumentFrame* frame = addBlank(16, 12);
    const LayerStack& layers = frame->document().layers();
    EXPECT_FALSE(window->isCommandEnabled(kCmdLayerProperties)) << "the background keeps its name";
    EXPECT_FALSE(window->isCommandEnabled(kCmdDeleteLayer)) << "the last layer stays";

    answerNextModal<TextPromptDialog>([](TextPromptDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "Duplicate Layer");
        EXPECT_EQ(dialog.field()->text(), "Background copy");
        dialog.field()->setText("Copy A");
        dialog.okButton()->click();
    });
    window->executeCommand(kCmdDuplicateLayer);
    EXPECT_EQ(frame->session().history().undoName(), "Duplicate Layer");
    ASSERT_EQ(layers.count(), 2);
    EXPECT_EQ(layers.active()->name(), "Copy A");

    ASSERT_TRUE(window->isCommandEnabled(kCmdLayerProperties));
    answerNextModal<TextPromptDialog>([](TextPromptDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "Layer Properties");
        EXPECT_EQ(dialog.field()->text(), "Copy A");
        dialog.field()->setText("Shadow");
        dialog.okButton()->click();
    });
    window->executeCommand(kCmdLayerProperties);
    EXPECT_EQ(frame->session().history().undoName(), "Layer Properties");
    EXPECT_EQ(layers.active()->name(), "Shadow");

    ASSERT_TRUE(window->isCommandEnabled(kCmdDeleteLayer));
    QString asked;
    answerNextModal<QMessageBox>([&](QMessageBox& box) {
        asked = box.text();
        EXPECT_EQ(box.windowTitle(), applicationTitle());
        box.button(QMessageBox::No)->click();
    });
    window->executeCommand(kCmdDeleteLayer);
    EXPECT_EQ(asked, "Delete layer \"Shadow\"?        ");
    EXPECT_EQ(layers.count(), 2) << "No keeps the layer";

    answerNextModal<QMessageBox>([](QMessageBox& box) { box.button(QMessageBox::Yes)->click(); });
    window->executeCommand(kCmdDeleteLayer);
    EXPECT_EQ(frame->session().history().undoName(), "Delete Layer");
    EXPECT_EQ(layers.count(), 1);
}

} // namespace
} // namespace pict::qt::test
