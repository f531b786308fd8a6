#include "app/qt/dialogs/CanvasSizeDialog.h"
#include "app/qt/widgets/ColorButton.h"
#include "app/qt/dialogs/ImageSizeDialog.h"
#include "history/HistoryManager.h"
#include "qt/MainWindowFixture.h"
#include "qt/ModalAnswer.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace pict::qt::test {
namespace {

using GeometryDialogsTest = MainWindowTest;

TEST_F(GeometryDialogsTest, ImageSizeResizesOnlyWhenAValueChanged) {
    DocumentFrame* frame = addBlank(64, 48);
    EXPECT_TRUE(window->isCommandEnabled(kCmdImageSize));
    HistoryManager& history = frame->session().history();

    answerNextModal<ImageSizeDialog>([](ImageSizeDialog& dialog) { dialog.okButton()->click(); });
    window->executeCommand(kCmdImageSize);
    EXPECT_EQ(history.count(), 0) << "the same values record nothing";

    answerNextModal<ImageSizeDialog>([](ImageSizeDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "Image Size");
        dialog.field(ImageSizeField::PixelWidth)->setText("32");
        EXPECT_EQ(dialog.field(ImageSizeField::PixelHeight)->text(), "24");
        EXPECT_TRUE(dialog.pixelGroup()->title().startsWith("Pixel Dimensions: "));
        EXPECT_TRUE(dialog.pixelGroup()->title().contains("(was 9K)"));
        dialog.okButton()->click();
    });
    window->executeCommand(kCmdImageSize);
    EXPECT_EQ(history.undoName(), "Image Size");
    EXPECT_EQ(frame->document().canvasSize(), (Size{32, 24}));

    answerNextModal<ImageSizeDialog>([](ImageSizeDialog& dialog) {
        dialog.field(ImageSizeField::PixelWidth)->setText("128");
        dialog.cancelButton()->click();
    });
    window->executeCommand(kCmdImageSize);
    EXPECT_EQ(history.count(), 1);
    EXPECT_EQ(frame->document().canvasSize(), (Size{32, 24}));
}

TEST_F(GeometryDialogsTest, ImageSizeWidgetsFollowTheRules) {
    ImageSizeDialog dialog(64, 48, 72.0f, ResolutionUnit::PixelsPerInch);
    QLineEdit* width = dialog.field(ImageSizeField::PixelWidth);
    width->setText("40000");
    EXPECT_FALSE(dialog.okButton()->isEnabled());
    EXPECT_TRUE(dialog.pixelGroup()->title().endsWith("--"));
    width->setText("64");
    EXPECT_TRUE(dialog.okButton()->isEnabled());

    dialog.resampleBox()->setChecked(false);
    EXPECT_FALSE(width->isEnabled());
    EXPECT_FALSE(dialog.methodList()->isEnabled());
    EXPECT_FALSE(dialog.constrainBox()->isEnabled());
    EXPECT_TRUE(dialog.constrainBox()->isChecked());
    dialog.field(ImageSizeField::Resolution)->setText("300");
    const ImageSizeSettings s = dialog.settings();
    EXPECT_EQ(s.width, 64);
    EXPECT_FLOAT_EQ(s.resolution, 300.0f);

    dialog.resolutionUnitList()->setCurrentIndex(int(ResolutionUnit::PixelsPerCentimeter));
    EXPECT_EQ(dialog.field(ImageSizeField::Resolution)->text(), "118.11");
    EXPECT_EQ(dialog.documentUnitList()->count(), 4);
    QStringList methods;
    for (int i = 0; i < dialog.methodList()->count(); ++i)
        methods.append(dialog.methodList()->itemText(i));
    EXPECT_EQ(methods, QStringList({"Nearest Neighbor", "Bilinear", "Bicubic Smooth", "Bicubic Sharp", "BSpline",
                                    "Lanczos"}));
}

TEST_F(GeometryDialogsTest, CanvasSizeExtendsWithTheRememberedColor) {
    DocumentFrame* frame = addBlank(64, 48);
    HistoryManager& history = frame->session().history();

    // Only the anchor moved: nothing is recorded.
    answerNextModal<CanvasSizeDialog>([](CanvasSizeDialog& dialog) {
        dialog.anchors()->button(0)->click();
        dialog.okButton()->click();
    });
    window->executeCommand(kCmdCanvasSize);
    EXPECT_EQ(history.count(), 0);

    answerNextModal<CanvasSizeDialog>([](CanvasSizeDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "Canvas Size");
        EXPECT_EQ(dialog.colorList()->currentText(), "Background");
        EXPECT_TRUE(dialog.anchors()->button(4)->isChecked());
        dialog.field(CanvasAxis::Width)->setText("70");
        EXPECT_TRUE(dialog.newSizeLabel()->text().startsWith("New Size: "));
        dialog.anchors()->button(0)->click();
        dialog.colorList()->setCurrentIndex(int(FillContents::Black));
        dialog.okButton()->click();
    });
    window->executeCommand(kCmdCanvasSize);
    EXPECT_EQ(history.undoName(), "Canvas Size");
    EXPECT_EQ(frame->document().canvasSize(), (Size{70, 48}));

    QString remembered;
    answerNextModal<CanvasSizeDialog>([&](CanvasSizeDialog& dialog) {
        remembered = dialog.colorList()->currentText();
        dialog.field(CanvasAxis::Height)->setText("0");
        EXPECT_FALSE(dialog.okButton()->isEnabled());
        dialog.cancelButton()->click();
    });
    window->executeCommand(kCmdCanvasSize);
    EXPECT_EQ(remembered, "Black");
    EXPECT_EQ(history.count(), 1);
}

TEST_F(GeometryDialogsTest, CanvasSizeSwatchPicksTheCustomColor) {
    CanvasSizeDialogMemory memory;
    CanvasSizeDialog dialog(10, 10, 72.0f, ResolutionUnit::PixelsPerInch, memory, kBlack, kWhite);
    EXPECT_EQ(dialog.swatch()->color(), kWhite);
    dialog.colorList()->setCurrentIndex(int(FillContents::Foreground));
    EXPECT_EQ(dialog.swatch()->color(), kBlack);
    dialog.swatch()->setColor(Color::fromRgb(0x123456)); // what a pick in the color chooser does
    EXPECT_EQ(dialog.colorList()->currentText(), "Custom");
    EXPECT_EQ(dialog.confirm(memory).extensionColor.rgb(), 0x123456u);
    EXPECT_EQ(memory.customColor.rgb(), 0x123456u);
}

} // namespace
} // namespace pict::qt::test
