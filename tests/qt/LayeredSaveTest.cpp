// Saving a document with layers: OpenRaster offered first, a question before a flat file
// merges the layers, and a flat save that leaves the document counting as unsaved. Layered
// files come in through every door a picture does.
#include "app/settings/FileListBlock.h"
#include "app/qt/window/CommandActions.h"
#include "codecs/DocumentFiles.h"
#include "qt/MainWindowFixture.h"
#include "support/DocumentFixtures.h"

#include <QAction>
#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMdiArea>
#include <QMenu>
#include <QMimeData>
#include <QUrl>

#include <filesystem>

namespace pict::qt::test {
namespace {

namespace fs = std::filesystem;

const int kOraEntry = saveFilterIndexOfKind(FileKind::Ora);
const int kPngEntry = saveFilterIndexOfKind(FileKind::Png);

class LayeredSaveTest : public MainWindowTest {
protected:
    // A modified white document with a red layer over part of it.
    DocumentFrame* addLayered(const std::string& name) {
        DocumentFrame* frame = addBlank(32, 24, name);
        pict::test::addColorLayer(frame->document(), "Red", Rect{4, 4, 20, 16}, 0, 0, 255);
        frame->document().setModified(true);
        return frame;
    }
    fs::path folder() {
        const fs::path dir = pict::test::scratchDir() / "layered-save";
        fs::create_directories(dir);
        return dir;
    }
    std::string target(const std::string& name) {
        const fs::path path = folder() / name;
        fs::remove(path);
        return path.string();
    }
    // An OpenRaster file of two layers, written outside the window.
    std::string layeredFile(const std::string& name) {
        auto document = pict::test::whiteDocument(16, 12);
        pict::test::addColorLayer(*document, "Top", Rect{2, 2, 8, 8}, 255, 0, 0);
        const std::string path = target(name);
        EXPECT_TRUE(pict::saveDocument(*document, path));
        return path;
    }
    static int32_t liveLayers(DocumentFrame* frame) { return frame->document().layers().count(); }
};

TEST_F(LayeredSaveTest, SaveAsOffersOpenRasterOnlyForWhatAFlatFileWouldLose) {
    DocumentFrame* flat = addBlank(16, 16, "flat.png");
    window->executeCommand(kCmdSaveAs); // cancelled
    DocumentFrame* layered = addLayered("photo.png");
    window->executeCommand(kCmdSaveAs);
    ASSERT_EQ(prompts.saveAsRequests.size(), 2u);
    EXPECT_EQ(prompts.saveAsRequests[0].filterEntry, kPngEntry);
    EXPECT_EQ(prompts.saveAsRequests[0].proposedName, "flat.png");
    EXPECT_EQ(prompts.saveAsRequests[1].filterEntry, kOraEntry);
    EXPECT_EQ(prompts.saveAsRequests[1].proposedName, "photo.ora");

    // A hidden single layer is also more than a flat file holds.
    layered->document().layers().removeAt(1);
    window->executeCommand(kCmdSaveAs);
    EXPECT_EQ(prompts.saveAsRequests.back().filterEntry, kPngEntry);
    flat->document().layers().setVisible(flat->document().layers().layerAt(0), false);
    window->documentArea()->setActiveSubWindow(flat);
    window->executeCommand(kCmdSaveAs);
    EXPECT_EQ(prompts.saveAsRequests.back().filterEntry, kOraEntry);
    EXPECT_TRUE(prompts.flatSaveTexts.isEmpty());
}

TEST_F(LayeredSaveTest, AFlatSaveAsksAndCancelWritesNothing) {
    DocumentFrame* frame = addLayered("Untitled-2");
    const std::string png = target("cancelled.png");
    prompts.saveAs.push_back(SaveAsAnswer{QString::fromStdString(png), kPngEntry});
    prompts.flatSaves.push_back(FlatSaveAnswer::Cancel);
    window->executeCommand(kCmdSaveAs);
    EXPECT_EQ(prompts.flatSaveTexts, QStringList({"Saving as PNG merges all layers into one picture. The layers "
                                                  "stay open here but are not in the file."}));
    EXPECT_FALSE(fs::exists(png));
    EXPECT_TRUE(frame->path().empty());
    EXPECT_TRUE(frame->document().isModified());
    EXPECT_TRUE(prompts.errors.isEmpty());
}

TEST_F(LayeredSaveTest, AfterAFlatSaveTheLayersStillCountAsUnsaved) {
    DocumentFrame* frame = addLayered("Untitled-3");
    const std::string jpg = target("merged.jpg");
    prompts.saveAs.push_back(SaveAsAnswer{QString::fromStdString(jpg), 2});
    prompts.flatSaves.push_back(FlatSaveAnswer::Save);
    window->executeCommand(kCmdSaveAs);
    ASSERT_EQ(prompts.flatSaveTexts.size(), 1);
    EXPECT_TRUE(prompts.flatSaveTexts[0].startsWith("Saving as JPEG merges"));
    ASSERT_TRUE(fs::exists(jpg));
    EXPECT_EQ(frame->path(), jpg);
    EXPECT_EQ(liveLayers(frame), 2) << "the layers stay open here";
    EXPECT_TRUE(frame->document().isModified());
    EXPECT_TRUE(window->isCommandEnabled(kCmdSave));

    // Closing asks; No closes without writing anything more.
    prompts.saveChanges = {SaveChangesAnswer::Cancel, SaveChangesAnswer::No};
    EXPECT_FALSE(window->closeDocument(frame));
    EXPECT_EQ(prompts.askedToSave, QStringList({"merged.jpg"}));
    EXPECT_TRUE(window->closeDocument(frame));
}

TEST_F(LayeredSaveTest, SaveAsOpenRasterFromTheQuestionKeepsTheLayers) {
    DocumentFrame* frame = addLayered("Untitled-4");
    const std::string png = target("wanted.png");
    const std::string ora = target("wanted.ora");
    prompts.saveAs.push_back(SaveAsAnswer{QString::fromStdString(png), kPngEntry});
    prompts.flatSaves.push_back(FlatSaveAnswer::SaveAsLayered);
    prompts.saveAs.push_back(SaveAsAnswer{QString::fromStdString(ora), kOraEntry});
    window->executeCommand(kCmdSaveAs);
    ASSERT_EQ(prompts.saveAsRequests.size(), 2u);
    EXPECT_EQ(prompts.saveAsRequests[1].filterEntry, kOraEntry);
    EXPECT_EQ(prompts.saveAsRequests[1].proposedName, "Untitled-4.ora");
    EXPECT_FALSE(fs::exists(png));
    ASSERT_TRUE(fs::exists(ora));
    EXPECT_EQ(frame->path(), ora);
    EXPECT_FALSE(frame->document().isModified());
    EXPECT_EQ(prompts.flatSaveTexts.size(), 1);

    // Save of a layered file writes it again in place, without asking.
    frame->document().setModified(true);
    window->executeCommand(kCmdSave);
    EXPECT_EQ(prompts.saveAsRequests.size(), 2u);
    EXPECT_EQ(prompts.flatSaveTexts.size(), 1);
    EXPECT_FALSE(frame->document().isModified());
    std::unique_ptr<Document> reread = openDocument(ora);
    ASSERT_TRUE(reread);
    EXPECT_EQ(reread->layers().count(), 2);
}

TEST_F(LayeredSaveTest, YesInTheClosePromptOfAFlatFileAsksAboutTheLayersToo) {
    DocumentFrame* frame = addLayered("Untitled-5");
    const std::string png = target("close.png");
    prompts.saveAs.push_back(SaveAsAnswer{QString::fromStdString(png), kPngEntry});
    prompts.flatSaves.push_back(FlatSaveAnswer::Save);
    window->executeCommand(kCmdSaveAs);
    ASSERT_TRUE(fs::exists(png));
    // Yes, then Cancel in the layer question: the window stays.
    prompts.saveChanges = {SaveChangesAnswer::Yes, SaveChangesAnswer::Yes};
    prompts.flatSaves.push_back(FlatSaveAnswer::Cancel);
    EXPECT_FALSE(window->closeDocument(frame));
    EXPECT_EQ(window->frames().size(), 1u);
    // Yes, then Save as OpenRaster: the layered file is written and the window closes.
    const std::string ora = target("close.ora");
    prompts.flatSaves.push_back(FlatSaveAnswer::SaveAsLayered);
    prompts.saveAs.push_back(SaveAsAnswer{QString::fromStdString(ora), kOraEntry});
    EXPECT_TRUE(window->closeDocument(frame));
    EXPECT_TRUE(window->frames().empty());
    EXPECT_TRUE(fs::exists(ora));
}

TEST_F(LayeredSaveTest, LayeredFilesOpenThroughEveryDoor) {
    const std::string opened = layeredFile("open.ora");
    const std::string dropped = layeredFile("dropped.ora");
    const std::string handed = layeredFile("handed.ora");

    prompts.openFiles.push_back({QString::fromStdString(opened)});
    window->executeCommand(kCmdOpen);
    ASSERT_EQ(window->frames().size(), 1u);
    EXPECT_EQ(liveLayers(window->frames()[0]), 2);
    EXPECT_FALSE(window->frames()[0]->document().isModified());

    QMimeData files;
    files.setUrls({QUrl::fromLocalFile(QString::fromStdString(dropped))});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &files, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window.get(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &files, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window.get(), &drop);
    ASSERT_EQ(window->frames().size(), 2u);
    EXPECT_EQ(window->frames()[1]->path(), dropped);

    const FileListBlock block = buildFileListBlock({handed});
    window->receiveFileList(
        QByteArray(reinterpret_cast<const char*>(block.bytes.data()), static_cast<qsizetype>(block.bytes.size())));
    ASSERT_EQ(window->frames().size(), 3u);
    EXPECT_EQ(window->frames()[2]->path(), handed);

    // From the recent list once its window has closed.
    ASSERT_TRUE(window->closeDocument(window->frames()[0]));
    const QList<QAction*> recent = window->actions().recentFilesMenu()->actions();
    ASSERT_GE(recent.size(), 3);
    EXPECT_EQ(recent[2]->text(), QString::fromStdString("&3  " + opened));
    window->executeCommand(kCmdRecentFileFirst + 2);
    ASSERT_EQ(window->frames().size(), 3u);
    EXPECT_EQ(window->frames()[2]->path(), opened);
    EXPECT_EQ(liveLayers(window->frames()[2]), 2);
    EXPECT_TRUE(prompts.errors.isEmpty());
}

} // namespace
} // namespace pict::qt::test
