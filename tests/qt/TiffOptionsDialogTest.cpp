// "TIFF Options": the fields follow the model's corrections and gray what does not fit, and
// Save As asks for them for a TIFF file, remembers them and writes with them.
#include "app/qt/dialogs/TiffOptionsDialog.h"
#include "codecs/FileKind.h"
#include "qt/MainWindowFixture.h"
#include "qt/ModalAnswer.h"

#include <QComboBox>
#include <QLabel>
#include <QStandardItemModel>
#include <QTest>

#include <tiffio.h>

#include <filesystem>

namespace pict::qt::test {
namespace {

namespace fs = std::filesystem;

bool itemEnabled(QComboBox* box, int index) {
    auto* items = qobject_cast<QStandardItemModel*>(box->model());
    return items && items->item(index)->isEnabled();
}

TEST(TiffOptionsDialog, FieldsFollowTheCorrectionsAndGrayWhatDoesNotFit) {
    testApplication();
    TiffOptionsModel model({TiffCompression::Deflate, TiffDepth::Bits16, TiffColor::Rgb}, true);
    TiffOptionsDialog dialog(model);
    EXPECT_EQ(dialog.windowTitle(), "TIFF Options");
    auto* compression = dialog.findChild<QComboBox*>(QStringLiteral("compression"));
    auto* depth = dialog.findChild<QComboBox*>(QStringLiteral("depth"));
    auto* color = dialog.findChild<QComboBox*>(QStringLiteral("color"));
    auto* note = dialog.findChild<QLabel*>(QStringLiteral("note"));
    ASSERT_TRUE(compression && depth && color && note);
    ASSERT_EQ(compression->count(), 5);
    EXPECT_EQ(compression->itemText(4), "JPEG");
    EXPECT_EQ(depth->itemText(1), "16-bit");
    EXPECT_EQ(color->itemText(3), "Black and white");
    EXPECT_EQ(compression->currentIndex(), 2);
    EXPECT_EQ(depth->currentIndex(), 1);
    EXPECT_EQ(color->currentIndex(), 0);
    EXPECT_TRUE(note->isHidden()) << "RGB keeps the transparency";

    // JPEG brings the depth down to 8 bits and grays 16.
    compression->setCurrentIndex(4);
    EXPECT_EQ(depth->currentIndex(), 0);
    EXPECT_FALSE(itemEnabled(depth, 1));
    EXPECT_FALSE(note->isHidden()) << "JPEG keeps no transparency";
    EXPECT_FALSE(depth->itemData(1, Qt::ToolTipRole).toString().isEmpty());
    // A grayed depth cannot be chosen.
    depth->setCurrentIndex(1);
    EXPECT_EQ(model.settings().depth, TiffDepth::Bits8);
    EXPECT_EQ(depth->currentIndex(), 0);

    // Palette moves JPEG back to LZW and grays JPEG.
    color->setCurrentIndex(2);
    EXPECT_EQ(compression->currentIndex(), 1);
    EXPECT_FALSE(itemEnabled(compression, 4));
    EXPECT_TRUE(itemEnabled(compression, 0));
    EXPECT_EQ(model.settings(), (TiffSaveSettings{TiffCompression::Lzw, TiffDepth::Bits8, TiffColor::Palette}));

    // Back to grayscale: everything is offered again.
    color->setCurrentIndex(1);
    EXPECT_TRUE(itemEnabled(compression, 4));
    EXPECT_TRUE(itemEnabled(depth, 1));
    depth->setCurrentIndex(1);
    EXPECT_EQ(model.settings(), (TiffSaveSettings{TiffCompression::Lzw, TiffDepth::Bits16, TiffColor::Gray}));
    EXPECT_TRUE(note->isHidden());
}

TEST(TiffOptionsDialog, EnterKeepsTheChoicesAndEscapeCancels) {
    testApplication();
    const TiffSaveSettings chosen{TiffCompression::PackBits, TiffDepth::Bits8, TiffColor::Bilevel};
    QString focused;
    answerNextModal<QDialog>([&focused](QDialog& dialog) {
        focused = dialog.focusWidget() ? dialog.focusWidget()->objectName() : QString();
        QTest::keyClick(dialog.focusWidget() ? dialog.focusWidget() : &dialog, Qt::Key_Return);
    });
    EXPECT_EQ(askTiffSettings(nullptr, chosen, false), chosen);
    EXPECT_EQ(focused, "compression") << "the first field has the focus";
    answerNextModal<QDialog>([](QDialog& dialog) {
        QTest::keyClick(dialog.focusWidget() ? dialog.focusWidget() : &dialog, Qt::Key_Escape);
    });
    EXPECT_EQ(askTiffSettings(nullptr, chosen, false), std::nullopt);
}

uint16_t tagOf(const std::string& path, uint32_t tag) {
    TIFF* tiff = TIFFOpen(path.c_str(), "r");
    if (!tiff)
        return 0;
    uint16_t value = 0;
    TIFFGetField(tiff, tag, &value);
    TIFFClose(tiff);
    return value;
}

class TiffSaveFlowTest : public MainWindowTest {};

TEST_F(TiffSaveFlowTest, SaveAsAsksSaveReusesAndCancelWritesNothing) {
    DocumentFrame* frame = addBlank(30, 20);
    ASSERT_NE(frame, nullptr);
    const int tiffFilter = saveFilterIndexOfKind(FileKind::Tif);
    const std::string tif = (pict::test::scratchDir() / "options-flow.tif").string();
    prompts.saveAs.push_back(SaveAsAnswer{QString::fromStdString(tif), tiffFilter});
    prompts.tiffOptions.push_back(TiffSaveSettings{TiffCompression::Deflate, TiffDepth::Bits16, TiffColor::Gray});
    window->executeCommand(kCmdSaveAs);
    EXPECT_EQ(prompts.tiffOptionsAsked, 1);
    EXPECT_FALSE(prompts.tiffTransparencyTold) << "a white picture";
    EXPECT_EQ(window->settings().saving.tiff,
              (TiffSaveSettings{TiffCompression::Deflate, TiffDepth::Bits16, TiffColor::Gray}));
    EXPECT_EQ(tagOf(tif, TIFFTAG_BITSPERSAMPLE), 16);
    EXPECT_EQ(tagOf(tif, TIFFTAG_PHOTOMETRIC), PHOTOMETRIC_MINISBLACK);
    EXPECT_EQ(tagOf(tif, TIFFTAG_COMPRESSION), COMPRESSION_ADOBE_DEFLATE);

    // Save writes with the same choices without asking (a default save would be 8-bit RGB).
    frame->document().setModified(true);
    window->executeCommand(kCmdSave);
    EXPECT_EQ(prompts.tiffOptionsAsked, 1);
    EXPECT_FALSE(frame->document().isModified());
    EXPECT_EQ(tagOf(tif, TIFFTAG_BITSPERSAMPLE), 16);
    EXPECT_EQ(tagOf(tif, TIFFTAG_PHOTOMETRIC), PHOTOMETRIC_MINISBLACK);

    // Cancel writes nothing and keeps the remembered choices.
    const std::string cancelled = (pict::test::scratchDir() / "options-cancelled.tif").string();
    fs::remove(cancelled);
    prompts.saveAs.push_back(SaveAsAnswer{QString::fromStdString(cancelled), tiffFilter});
    prompts.tiffOptions.push_back(std::nullopt);
    window->executeCommand(kCmdSaveAs);
    EXPECT_FALSE(fs::exists(cancelled));
    EXPECT_EQ(window->settings().saving.tiff.depth, TiffDepth::Bits16);
}

} // namespace
} // namespace pict::qt::test
