#include "app/settings/FileListBlock.h"
#include "app/qt/canvas/CanvasWidget.h"
#include "app/qt/window/CommandActions.h"
#include "history/HistoryManager.h"
#include "qt/MainWindowFixture.h"
#include "support/ClaimingBitmap.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QImage>
#include <QMdiArea>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QUrl>

#include <filesystem>

namespace pict::qt::test {
namespace {

class FilesTest : public MainWindowTest {
protected:
    // A copy of a test picture in the scratch folder, to be written over freely.
    std::string scratchCopy(const char* suiteName, const std::string& as) {
        const std::filesystem::path target = pict::test::scratchDir() / as;
        std::filesystem::copy_file(pngSuite(suiteName), target, std::filesystem::copy_options::overwrite_existing);
        return target.string();
    }
    QStringList recentMenuTexts() {
        QStringList texts;
        for (QAction* action : window->actions().recentFilesMenu()->actions())
            texts.append(action->text());
        return texts;
    }
};

TEST_F(FilesTest, OpeningTheSamePathTwiceActivatesTheFirstWindow) {
    const std::string path = pngSuite("basn2c08.png");
    DocumentFrame* first = window->openFile(QString::fromStdString(path));
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->windowTitle(), "basn2c08.png @ 100%");
    EXPECT_FALSE(first->document().isModified());
    addBlank();
    EXPECT_EQ(window->openFile(QString::fromStdString(path)), first);
    EXPECT_EQ(window->frames().size(), 2u);
    EXPECT_EQ(window->activeFrame(), first);
    // Another spelling of the same file is another path.
    const std::string other = (pict::test::sharedTestData() / "pngsuite" / "png" / "." / "basn2c08.png").string();
    EXPECT_NE(window->openFile(QString::fromStdString(other)), first);
    EXPECT_EQ(window->frames().size(), 3u);
    EXPECT_TRUE(prompts.errors.isEmpty());
}

TEST_F(FilesTest, AFileThatCannotBeReadIsReportedAndOpensNothing) {
    const QString missing = QString::fromStdString((pict::test::scratchDir() / "nothing-here.png").string());
    EXPECT_EQ(window->openFile(missing), nullptr);
    const QString corrupt = QString::fromStdString(pngSuite("xcrn0g04.png"));
    EXPECT_EQ(window->openFile(corrupt), nullptr);
    EXPECT_TRUE(window->frames().empty());
    // The reader's reason is the second line.
    EXPECT_EQ(prompts.errors, QStringList({"Cannot open file \"" + missing + "\"!\nThe file does not exist.",
                                           "Cannot open file \"" + corrupt + "\"!\nThe file is not a PNG file."}));
    EXPECT_EQ(recentMenuTexts(), QStringList({"(Empty)"}));
}

TEST_F(FilesTest, AFileThatEndsEarlyOpensAndSaysSo) {
    const std::string whole = pngSuite("basn2c08.png");
    QFile source(QString::fromStdString(whole));
    ASSERT_TRUE(source.open(QIODevice::ReadOnly));
    const QByteArray bytes = source.readAll();
    const QString half = QString::fromStdString((pict::test::scratchDir() / "half.png").string());
    QFile cut(half);
    ASSERT_TRUE(cut.open(QIODevice::WriteOnly));
    cut.write(bytes.left(bytes.size() / 2));
    cut.close();
    DocumentFrame* frame = window->openFile(half);
    ASSERT_NE(frame, nullptr);
    EXPECT_TRUE(prompts.errors.isEmpty());
    EXPECT_EQ(prompts.informations,
              QStringList({"\"" + half + "\"\nThe file ends early; the missing part is shown gray."}));
}

TEST_F(FilesTest, OpenedFilesGoToTheFrontOfTheRecentMenu) {
    const std::string a = pngSuite("basn2c08.png");
    const std::string b = pngSuite("basn6a08.png");
    prompts.openFiles.push_back({QString::fromStdString(a), QString::fromStdString(b)});
    window->executeCommand(kCmdOpen);
    ASSERT_EQ(window->frames().size(), 2u);
    QStringList texts = recentMenuTexts();
    ASSERT_EQ(texts.size(), 4);
    EXPECT_EQ(texts[0], QString::fromStdString("&1  " + b));
    EXPECT_EQ(texts[1], QString::fromStdString("&2  " + a));
    EXPECT_EQ(texts[3], "Clear Recent");

    // Choosing an entry moves it to the front (its window is already open).
    window->executeCommand(kCmdRecentFileFirst + 1);
    EXPECT_EQ(recentMenuTexts()[0], QString::fromStdString("&1  " + a));
    EXPECT_EQ(window->frames().size(), 2u);
    window->executeCommand(kCmdClearRecent);
    EXPECT_EQ(recentMenuTexts(), QStringList({"(Empty)"}));
    EXPECT_FALSE(window->actions().action(kCmdClearRecent)->isEnabled());
}

TEST_F(FilesTest, AFileListFromAnotherInstanceOpensItsPaths) {
    const std::string a = pngSuite("basn2c08.png");
    const std::string b = pngSuite("basn6a08.png");
    const FileListBlock block = buildFileListBlock({a, b});
    QByteArray bytes(reinterpret_cast<const char*>(block.bytes.data()), static_cast<qsizetype>(block.bytes.size()));
    window->receiveFileList(bytes);
    ASSERT_EQ(window->frames().size(), 2u);
    EXPECT_EQ(window->frames()[0]->path(), a);
    EXPECT_EQ(window->frames()[1]->path(), b);

    // A block whose size field lies, or an empty one (just come forward), opens nothing.
    bytes[4] = static_cast<char>(bytes[4] + 1);
    window->receiveFileList(bytes);
    window->receiveFileList(QByteArray("VFPP"));
    window->receiveFileList(QByteArray());
    EXPECT_EQ(window->frames().size(), 2u);
    EXPECT_TRUE(prompts.errors.isEmpty());
}

TEST_F(FilesTest, SaveWritesAModifiedFileInPlace) {
    const std::string path = scratchCopy("basn2c08.png", "in-place.png");
    DocumentFrame* frame = window->openFile(QString::fromStdString(path));
    ASSERT_NE(frame, nullptr);
    const auto written = [&] { return std::filesystem::last_write_time(path); };
    std::filesystem::last_write_time(path, written() - std::chrono::hours(1));
    const auto before = written();
    window->executeCommand(kCmdSave); // nothing unsaved: nothing written
    EXPECT_EQ(written(), before);
    frame->document().setModified(true);
    window->executeCommand(kCmdSave);
    EXPECT_TRUE(prompts.saveAsRequests.empty());
    EXPECT_FALSE(frame->document().isModified());
    EXPECT_NE(written(), before);
    EXPECT_NE(window->openFile(QString::fromStdString(path)), nullptr) << "what was written reads back";
}

TEST_F(FilesTest, SaveOfAGifOrAMissingFileGoesToSaveAsWithPngChosen) {
    const std::string path = scratchCopy("basn2c08.png", "gone.png");
    DocumentFrame* frame = window->openFile(QString::fromStdString(path));
    ASSERT_NE(frame, nullptr);
    frame->document().setModified(true);
    std::filesystem::remove(path);
    window->executeCommand(kCmdSave); // Save As, cancelled
    ASSERT_EQ(prompts.saveAsRequests.size(), 1u);
    EXPECT_EQ(prompts.saveAsRequests[0].filterEntry, 3);
    EXPECT_EQ(prompts.saveAsRequests[0].proposedName, "gone.png");
    EXPECT_TRUE(frame->document().isModified());
    EXPECT_FALSE(std::filesystem::exists(path)) << "a cancelled Save As writes nothing";

    // A GIF document is not written back as GIF: Save As with PNG.
    frame->document().setName("anim.gif");
    window->executeCommand(kCmdSave);
    ASSERT_EQ(prompts.saveAsRequests.size(), 2u);
    EXPECT_EQ(prompts.saveAsRequests[1].filterEntry, 3);
    EXPECT_EQ(prompts.saveAsRequests[1].proposedName, "anim.png");
}

TEST_F(FilesTest, SaveAsAddsTheChosenKindsExtensionAndRenamesTheWindow) {
    DocumentFrame* frame = addBlank(20, 10, "Untitled-4");
    const std::filesystem::path target = pict::test::scratchDir() / "picked";
    prompts.saveAs.push_back(SaveAsAnswer{QString::fromStdString(target.string()), 1});
    window->executeCommand(kCmdSaveAs);
    ASSERT_EQ(prompts.saveAsRequests.size(), 1u);
    EXPECT_EQ(prompts.saveAsRequests[0].proposedName, "Untitled-4.png");
    EXPECT_FALSE(prompts.saveAsRequests[0].folder.isEmpty()) << "an untitled document starts somewhere too";
    EXPECT_TRUE(std::filesystem::exists(target.string() + ".bmp"));
    EXPECT_EQ(frame->path(), target.string() + ".bmp");
    EXPECT_EQ(frame->windowTitle(), "picked.bmp @ 100%");
    EXPECT_EQ(recentMenuTexts()[0], QString::fromStdString("&1  " + target.string() + ".bmp"));
}

// The typed extension is the user's choice of format; the filter only fills in a missing one.
TEST_F(FilesTest, SaveAsWritesTheFormatOfATypedExtension) {
    DocumentFrame* frame = addBlank(20, 10, "Untitled-6");
    const std::filesystem::path dir = pict::test::scratchDir() / "typed-extension";
    std::filesystem::create_directories(dir);
    const auto firstBytes = [](const std::filesystem::path& file) {
        QFile in(QString::fromStdString(file.string()));
        return in.open(QIODevice::ReadOnly) ? in.read(4) : QByteArray();
    };
    prompts.saveAs.push_back(SaveAsAnswer{QString::fromStdString((dir / "out1.jpg").string()), 3}); // PNG chosen
    window->executeCommand(kCmdSaveAs);
    EXPECT_FALSE(std::filesystem::exists(dir / "out1.jpg.png"));
    EXPECT_EQ(firstBytes(dir / "out1.jpg").left(2), QByteArray("\xFF\xD8")) << "JPEG data";
    EXPECT_EQ(frame->path(), (dir / "out1.jpg").string());

    frame->document().setModified(true);
    prompts.saveAs.push_back(SaveAsAnswer{QString::fromStdString((dir / "big-out.png").string()), 2}); // JPG chosen
    window->executeCommand(kCmdSaveAs);
    EXPECT_FALSE(std::filesystem::exists(dir / "big-out.png.jpg"));
    EXPECT_EQ(firstBytes(dir / "big-out.png"), QByteArray("\x89PNG"));
    EXPECT_EQ(frame->windowTitle(), "big-out.png @ 100%");

    prompts.saveAs.push_back(SaveAsAnswer{QString::fromStdString((dir / "plain").string()), 1}); // BMP chosen
    window->executeCommand(kCmdSaveAs);
    EXPECT_EQ(firstBytes(dir / "plain.bmp").left(2), QByteArray("BM"));
}

// Open and Save As start in the active document's folder, else the last folder a file was
// opened from or saved to (kept in the settings file), else Pictures or home.
TEST_F(FilesTest, FileDialogsStartInTheDocumentsFolderElseTheLastOneUsed) {
    const std::filesystem::path dir = pict::test::scratchDir() / "dialog-start";
    std::filesystem::create_directories(dir / "a");
    std::filesystem::create_directories(dir / "b");
    window->settings().lastFolder.clear();
    window->executeCommand(kCmdOpen);
    ASSERT_EQ(prompts.openFolders.size(), 1u);
    EXPECT_FALSE(prompts.openFolders[0].isEmpty()) << "Pictures or home, never the working folder";

    const std::string opened = (dir / "a" / "pic.png").string();
    std::filesystem::copy_file(pngSuite("basn2c08.png"), opened, std::filesystem::copy_options::overwrite_existing);
    ASSERT_NE(window->openFile(QString::fromStdString(opened)), nullptr);
    DocumentFrame* untitled = addBlank(8, 8, "Untitled-7");
    window->executeCommand(kCmdOpen);
    EXPECT_EQ(prompts.openFolders.back(), QString::fromStdString((dir / "a").string()))
        << "the untitled window has no folder: the last one used";
    prompts.saveAs.push_back(SaveAsAnswer{QString::fromStdString((dir / "b" / "new.png").string()), 3});
    window->executeCommand(kCmdSaveAs);
    EXPECT_EQ(prompts.saveAsRequests.back().folder, QString::fromStdString((dir / "a").string()));
    ASSERT_EQ(untitled->path(), (dir / "b" / "new.png").string());
    window->executeCommand(kCmdOpen);
    EXPECT_EQ(prompts.openFolders.back(), QString::fromStdString((dir / "b").string())) << "the active document's";

    // The last folder outlives the run.
    ASSERT_TRUE(window->saveSettings());
    AppSettings reloaded;
    ASSERT_TRUE(reloaded.loadFromFile(location.file));
    EXPECT_EQ(reloaded.lastFolder, (dir / "b").string());
}

// A picture whose document would need more memory than the option allows is asked about
// before anything is read beyond its header; No opens nothing and says nothing more.
TEST_F(FilesTest, BigPicturesAskFirst) {
    const std::string claim =
        pict::test::writeClaimingBitmap((pict::test::scratchDir() / "claims.bmp").string(), 20000, 20000);
    EXPECT_EQ(window->openFile(QString::fromStdString(claim)), nullptr);
    EXPECT_EQ(prompts.largePictureQuestions,
              QStringList({"claims.bmp is 20000 \u00D7 20000 pixels and needs about 3.0 GiB of memory. Open it anyway?"}));
    EXPECT_TRUE(window->frames().empty());
    EXPECT_TRUE(prompts.errors.isEmpty()) << "the user said no; that is no error";

    // Under a lower limit an ordinary picture asks too, and Yes opens it.
    ApplicationOptions options = window->settings().options;
    options.largePictureMiB = 1;
    prompts.options.push_back(options);
    window->executeCommand(kCmdOptions);
    ASSERT_EQ(window->settings().options.largePictureMiB, 1);
    prompts.largePictures.push_back(true);
    const std::string photo = pngSuite("basn2c08.png"); // 32 x 32: far below
    ASSERT_NE(window->openFile(QString::fromStdString(photo)), nullptr);
    EXPECT_EQ(prompts.largePictureQuestions.size(), 1);
    const std::string wide = (pict::test::scratchDir() / "wide.png").string();
    QImage(400, 400, QImage::Format_RGB32).save(QString::fromStdString(wide));
    ASSERT_NE(window->openFile(QString::fromStdString(wide)), nullptr);
    ASSERT_EQ(prompts.largePictureQuestions.size(), 2);
    EXPECT_TRUE(prompts.largePictureQuestions[1].startsWith("wide.png is 400 \u00D7 400 pixels"));

    // New asks the same way before it makes the picture.
    NewImageSpec spec;
    spec.name = "Untitled-40";
    spec.width = 1000;
    spec.height = 1000;
    prompts.newImages.push_back(spec);
    const size_t before = window->frames().size();
    window->executeCommand(kCmdNew);
    ASSERT_EQ(prompts.largePictureQuestions.size(), 3);
    EXPECT_EQ(prompts.largePictureQuestions[2],
              "Untitled-40 is 1000 \u00D7 1000 pixels and needs about 8 MiB of memory. Open it anyway?");
    EXPECT_EQ(window->frames().size(), before) << "No: nothing made";
}

TEST_F(FilesTest, AFailedWriteIsReportedAndChangesNothing) {
    DocumentFrame* frame = addBlank(20, 10, "Untitled-5");
    frame->document().setModified(true);
    const std::string target = (pict::test::scratchDir() / "no-such-folder" / "x.png").string();
    prompts.saveAs.push_back(SaveAsAnswer{QString::fromStdString(target), 3});
    window->executeCommand(kCmdSaveAs);
    EXPECT_EQ(prompts.errors, QStringList({QString::fromStdString("Error saving file \"" + target + "\"!")}));
    EXPECT_TRUE(frame->document().isModified());
    EXPECT_EQ(frame->windowTitle(), "Untitled-5* @ 100%") << "still unsaved";
    EXPECT_TRUE(frame->path().empty());
}

TEST_F(FilesTest, NewAndDuplicateMakeUntitledWindows) {
    NewImageSpec spec;
    spec.width = 30;
    spec.height = 20;
    spec.fillColor = Color::fromRgb(0x102030);
    prompts.newImages.push_back(spec);
    prompts.newImages.push_back(std::nullopt); // cancelled
    window->executeCommand(kCmdNew);
    window->executeCommand(kCmdNew);
    ASSERT_EQ(window->frames().size(), 1u);
    DocumentFrame* made = window->frames()[0];
    EXPECT_EQ(made->windowTitle(), "Untitled-1 @ 100%");
    EXPECT_EQ(made->document().canvasSize(), (Size{30, 20}));
    EXPECT_TRUE(made->path().empty());
    EXPECT_EQ(made->document().composite()->color().getColor(29, 19) & 0xFFFFFF, 0x102030u)
        << "the chosen fill, red and blue where the dialog had them";

    prompts.duplicateNames.push_back(QStringLiteral("copy of it"));
    window->executeCommand(kCmdDuplicateImage);
    ASSERT_EQ(window->frames().size(), 2u);
    DocumentFrame* copy = window->frames()[1];
    EXPECT_EQ(window->activeFrame(), copy);
    EXPECT_EQ(copy->windowTitle(), "copy of it* @ 100%") << "a copy is not on disk yet";
    EXPECT_EQ(copy->document().canvasSize(), (Size{30, 20}));
    EXPECT_TRUE(copy->path().empty());
}

// ---- close prompts ----

TEST_F(FilesTest, CancelInTheSecondOfThreePromptsStopsTheExit) {
    DocumentFrame* first = addBlank(16, 16, "one");
    DocumentFrame* second = addBlank(16, 16, "two");
    DocumentFrame* third = addBlank(16, 16, "three");
    for (DocumentFrame* frame : {first, second, third})
        frame->document().setModified(true);
    prompts.saveChanges = {SaveChangesAnswer::No, SaveChangesAnswer::Cancel};
    EXPECT_FALSE(window->close());
    EXPECT_EQ(prompts.askedToSave, QStringList({"one", "two"}));
    EXPECT_EQ(window->frames(), (std::vector<DocumentFrame*>{second, third}));
    EXPECT_TRUE(window->isVisible());
}

TEST_F(FilesTest, UnmodifiedWindowsCloseWithoutAsking) {
    addBlank();
    addBlank();
    EXPECT_TRUE(window->closeAllDocuments());
    EXPECT_TRUE(prompts.askedToSave.isEmpty());
    EXPECT_TRUE(window->frames().empty());
}

TEST_F(FilesTest, YesOnAnUntitledDocumentSavesAsAndClosesOnlyWhenThatWorked) {
    DocumentFrame* frame = addBlank(16, 16, "Untitled-7");
    frame->document().setModified(true);
    prompts.saveChanges = {SaveChangesAnswer::Yes, SaveChangesAnswer::Yes};
    prompts.saveAs.push_back(std::nullopt); // the user cancels the save dialog
    EXPECT_FALSE(window->closeDocument(frame));
    EXPECT_EQ(window->frames().size(), 1u);
    EXPECT_EQ(prompts.saveAsRequests.size(), 1u);

    const std::string target = (pict::test::scratchDir() / "kept.png").string();
    prompts.saveAs.push_back(SaveAsAnswer{QString::fromStdString(target), 3});
    EXPECT_TRUE(window->closeDocument(frame));
    EXPECT_TRUE(window->frames().empty());
    EXPECT_TRUE(std::filesystem::exists(target));
}

TEST_F(FilesTest, YesOnADocumentWithAFileWritesItThere) {
    const std::string path = scratchCopy("basn2c08.png", "close-yes.png");
    DocumentFrame* frame = window->openFile(QString::fromStdString(path));
    ASSERT_NE(frame, nullptr);
    frame->document().setModified(true);
    std::filesystem::remove(path);
    prompts.saveChanges = {SaveChangesAnswer::Yes};
    EXPECT_TRUE(window->closeDocument(frame));
    EXPECT_TRUE(prompts.saveAsRequests.empty());
    EXPECT_TRUE(std::filesystem::exists(path));
}

TEST_F(FilesTest, NoClosesWithoutWritingAndCancelKeepsTheWindow) {
    const std::string path = scratchCopy("basn2c08.png", "close-no.png");
    DocumentFrame* frame = window->openFile(QString::fromStdString(path));
    ASSERT_NE(frame, nullptr);
    frame->document().setModified(true);
    std::filesystem::remove(path);
    prompts.saveChanges = {SaveChangesAnswer::Cancel, SaveChangesAnswer::No};
    window->executeCommand(kCmdClose);
    EXPECT_EQ(window->frames().size(), 1u);
    window->executeCommand(kCmdClose);
    EXPECT_TRUE(window->frames().empty());
    EXPECT_FALSE(std::filesystem::exists(path));
}

TEST_F(FilesTest, SettingsAreWrittenWhenTheWindowCloses) {
    window->openFile(QString::fromStdString(pngSuite("basn2c08.png")));
    ASSERT_TRUE(window->close());
    AppSettings reread;
    ASSERT_TRUE(reread.loadFromFile(location.file));
    ASSERT_EQ(reread.recentFiles.count(), 1u);
    EXPECT_EQ(reread.recentFiles.at(0), pngSuite("basn2c08.png"));
    EXPECT_FALSE(reread.mainWindow.rect.isEmpty());
}

TEST_F(FilesTest, OptionsReachOpenWindowsAndTheSettings) {
    DocumentFrame* frame = addBlank();
    ApplicationOptions options;
    options.historyStates = 3;
    options.documentWindowBackground = Color::fromRgb(0x102030);
    options.maxRecentFiles = 1;
    prompts.options.push_back(options);
    window->executeCommand(kCmdOptions);
    EXPECT_EQ(window->settings().options, options);
    EXPECT_EQ(frame->session().history().limit(), 3);
    EXPECT_EQ(window->context().historyLimit, 3);
    EXPECT_EQ(frame->canvas()->renderer().colors().background.rgb(), 0x102030u);
    prompts.options.push_back(std::nullopt); // cancelled: nothing changes
    window->executeCommand(kCmdOptions);
    EXPECT_EQ(window->settings().options, options);
}

TEST_F(FilesTest, DroppedFilesOpenAndOtherDropsAreRefused) {
    const std::string path = pngSuite("basn2c08.png");
    QMimeData files;
    files.setUrls({QUrl::fromLocalFile(QString::fromStdString(path))});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &files, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window.get(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &files, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window.get(), &drop);
    ASSERT_EQ(window->frames().size(), 1u);
    EXPECT_EQ(window->frames()[0]->path(), path);

    QMimeData text;
    text.setText(QStringLiteral("not a file"));
    QDragEnterEvent refused(QPoint(10, 10), Qt::CopyAction, &text, Qt::LeftButton, Qt::NoModifier);
    refused.setAccepted(false);
    QApplication::sendEvent(window.get(), &refused);
    EXPECT_FALSE(refused.isAccepted());
}

TEST_F(FilesTest, NewFromClipboardNamesItsDocumentsInTurn) {
    QImage picture(12, 7, QImage::Format_RGB32);
    picture.fill(QColor(10, 20, 30));
    QGuiApplication::clipboard()->setImage(picture);
    processEventsFor(10);
    EXPECT_TRUE(window->isCommandEnabled(kCmdNewFromClipboard));
    window->executeCommand(kCmdNewFromClipboard);
    window->executeCommand(kCmdNewFromClipboard);
    ASSERT_EQ(window->frames().size(), 2u);
    EXPECT_EQ(window->frames()[0]->windowTitle(), "Clipboard-1* @ 100%");
    EXPECT_EQ(window->frames()[1]->windowTitle(), "Clipboard-2* @ 100%");
    EXPECT_EQ(window->frames()[1]->document().canvasSize(), (Size{12, 7}));
    QGuiApplication::clipboard()->clear();
    processEventsFor(10);
    EXPECT_FALSE(window->isCommandEnabled(kCmdNewFromClipboard));
    window->executeCommand(kCmdNewFromClipboard);
    EXPECT_EQ(window->frames().size(), 2u) << "without a picture nothing happens";
}

TEST_F(FilesTest, ADoubleClickOnTheEmptyAreaRunsOpen) {
    prompts.openFiles.push_back({QString::fromStdString(pngSuite("basn2c08.png"))});
    QWidget* area = window->documentArea()->viewport();
    QMouseEvent click(QEvent::MouseButtonDblClick, QPointF(300, 300), area->mapToGlobal(QPointF(300, 300)),
                      Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(area, &click);
    EXPECT_EQ(window->frames().size(), 1u);
}

} // namespace
} // namespace pict::qt::test
