// The JPEG and PNG options: the dialog's live size and preview, and Save As asking for them
// and remembering the answer.
#include "app/qt/dialogs/SaveOptionsDialogs.h"
#include "app/qt/widgets/PreviewPane.h"
#include "codecs/DocumentFiles.h"
#include "codecs/MetadataBlocks.h"
#include "qt/MainWindowFixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QSpinBox>

#include <filesystem>

namespace pict::qt::test {
namespace {

namespace fs = std::filesystem;

fs::path camera() { return fs::path(PICT_SOURCE_DIR) / "tests/codecs/metadata/camera.jpg"; }

TEST(JpegOptionsDialog, ShowsTheChoicesTheSizeAndThePictureAt100Percent) {
    testApplication();
    ImageMetadata carried;
    std::unique_ptr<Document> document = openDocument(camera().string(), nullptr, &carried);
    ASSERT_TRUE(document);
    JpegOptionsModel model(SaveOptions{}, carried);
    JpegOptionsDialog dialog(model, *document->composite());
    EXPECT_EQ(dialog.windowTitle(), "JPEG Options");
    auto* quality = dialog.findChild<QSpinBox*>(QStringLiteral("quality"));
    auto* subsampling = dialog.findChild<QComboBox*>(QStringLiteral("subsampling"));
    auto* keep = dialog.findChild<QCheckBox*>(QStringLiteral("keepMetadata"));
    auto* location = dialog.findChild<QCheckBox*>(QStringLiteral("removeLocation"));
    ASSERT_TRUE(quality && subsampling && keep && location);
    EXPECT_EQ(quality->value(), 95);
    EXPECT_EQ(subsampling->currentIndex(), 0);
    EXPECT_TRUE(keep->isEnabled());
    EXPECT_TRUE(location->isEnabled());
    ASSERT_NE(dialog.preview(), nullptr);
    EXPECT_FLOAT_EQ(dialog.preview()->view().zoom(), 1.0f);
    const QString first = dialog.sizeText();
    EXPECT_TRUE(first.startsWith("File size: ")) << first.toStdString();

    quality->setValue(5);
    keep->setChecked(false);
    EXPECT_FALSE(location->isEnabled());
    dialog.compressNow();
    EXPECT_NE(dialog.sizeText(), first);
    EXPECT_EQ(model.quality(), 5);
    EXPECT_FALSE(model.keepMetadata());
}

class SaveOptionsFlowTest : public MainWindowTest {};

TEST_F(SaveOptionsFlowTest, SaveAsAsksForTheOptionsAndRemembersThem) {
    DocumentFrame* frame = window->openFile(QString::fromStdString(camera().string()));
    ASSERT_NE(frame, nullptr);
    const std::string jpg = (pict::test::scratchDir() / "options-flow.jpg").string();
    prompts.saveAs.push_back(SaveAsAnswer{QString::fromStdString(jpg), 2});
    prompts.jpegOptions.push_back([](JpegOptionsModel& model) {
        model.setQuality(30);
        model.setRemoveLocation(true);
        return true;
    });
    window->executeCommand(kCmdSaveAs);
    EXPECT_EQ(prompts.jpegOptionsAsked, 1);
    EXPECT_EQ(window->settings().saving.jpeg.quality, 30);
    EXPECT_TRUE(window->settings().saving.removeLocation);
    ImageMetadata written;
    ASSERT_TRUE(openDocument(jpg, nullptr, &written));
    EXPECT_FALSE(written.exif.empty());
    EXPECT_FALSE(metadataHasLocation(written));

    // Save of the same file uses the remembered options without asking.
    frame->document().setModified(true);
    window->executeCommand(kCmdSave);
    EXPECT_EQ(prompts.jpegOptionsAsked, 1);
    EXPECT_FALSE(frame->document().isModified());

    // Cancel in the options writes nothing.
    const std::string cancelled = (pict::test::scratchDir() / "options-cancelled.jpg").string();
    fs::remove(cancelled);
    prompts.saveAs.push_back(SaveAsAnswer{QString::fromStdString(cancelled), 2});
    prompts.jpegOptions.push_back([](JpegOptionsModel&) { return false; });
    window->executeCommand(kCmdSaveAs);
    EXPECT_FALSE(fs::exists(cancelled));

    // PNG asks for its compression.
    const std::string png = (pict::test::scratchDir() / "options-flow.png").string();
    prompts.saveAs.push_back(SaveAsAnswer{QString::fromStdString(png), 3});
    prompts.pngOptions.push_back(PngCompression::Best);
    window->executeCommand(kCmdSaveAs);
    EXPECT_EQ(prompts.pngOptionsAsked, 1);
    EXPECT_EQ(window->settings().saving.pngCompression, PngCompression::Best);
    EXPECT_TRUE(fs::exists(png));
}

} // namespace
} // namespace pict::qt::test
