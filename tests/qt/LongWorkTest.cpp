// Long work runs on a worker while the window stays live: the status bar shows it with Cancel
// once it has taken the show delay, the user's input reaches only Cancel, and a cancelled
// filter leaves the document and its history as they were.
#include "app/qt/window/LongWorkRunner.h"
#include "codecs/DocumentFiles.h"
#include "history/HistoryManager.h"
#include "qt/MainWindowFixture.h"
#include "surface/PixelWorkCancellation.h"

#include <QPushButton>
#include <QTest>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <thread>

namespace pict::qt::test {
namespace {

using LongWorkTest = MainWindowTest;

std::vector<char> fileBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void waitUntilCancelled() {
    while (!pixelWorkCancelled())
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

TEST_F(LongWorkTest, QuickWorkShowsNothing) {
    LongWorkRunner* runner = window->longWork();
    ASSERT_NE(runner, nullptr);
    int shown = 0;
    QObject::connect(runner, &LongWorkRunner::shown, [&shown] { ++shown; });
    int ran = 0;
    EXPECT_TRUE(runner->run("Invert", [&ran] { ++ran; }));
    EXPECT_EQ(ran, 1);
    EXPECT_EQ(shown, 0);
    EXPECT_FALSE(runner->indicator()->isVisible());
    EXPECT_FALSE(runner->isRunning());
}

TEST_F(LongWorkTest, CancelAndEscapeStopTheWork) {
    LongWorkRunner* runner = window->longWork();
    runner->setShowDelay(20);
    bool visibleWhileRunning = false;
    QObject::connect(runner, &LongWorkRunner::shown, [&] {
        visibleWhileRunning = runner->indicator()->isVisible();
        QTest::mouseClick(runner->cancelButton(), Qt::LeftButton);
    });
    EXPECT_FALSE(runner->run("Gaussian Blur", waitUntilCancelled));
    EXPECT_TRUE(visibleWhileRunning);
    EXPECT_FALSE(runner->indicator()->isVisible()) << "gone once the work stopped";

    QObject::disconnect(runner, &LongWorkRunner::shown, nullptr, nullptr);
    QObject::connect(runner, &LongWorkRunner::shown,
                     [this] { QTest::keyClick(window.get(), Qt::Key_Escape); });
    EXPECT_FALSE(runner->run("Saving", waitUntilCancelled));
}

TEST_F(LongWorkTest, InputOtherThanCancelWaitsForTheWork) {
    DocumentFrame* frame = addBlank(80, 60);
    LongWorkRunner* runner = window->longWork();
    runner->setShowDelay(0);
    QObject::connect(runner, &LongWorkRunner::shown, [&] {
        // Ctrl+A would select all; the document must not change under the work.
        QTest::keyClick(frame->canvas(), Qt::Key_A, Qt::ControlModifier);
        QTest::mouseClick(frame->canvas()->viewport(), Qt::LeftButton, {}, QPoint(10, 10));
        runner->cancel();
    });
    EXPECT_FALSE(runner->run("Invert", waitUntilCancelled));
    EXPECT_EQ(frame->session().history().count(), 0);
}

TEST_F(LongWorkTest, ACancelledFilterLeavesTheDocumentAsItWas) {
    DocumentFrame* frame = addBlank(1400, 1100);
    LongWorkRunner* runner = window->longWork();
    runner->setShowDelay(0);
    runner->setWorkerStartHook(waitUntilCancelled);
    bool shown = false;
    QObject::connect(runner, &LongWorkRunner::shown, [&] {
        shown = true;
        runner->cancelButton()->click();
    });
    window->executeCommand(kCmdInvert);
    EXPECT_TRUE(shown);
    const RasterLayer& layer = *frame->document().layers().rasterAt(0);
    EXPECT_EQ(layer.colorAt(700, 500)[0], 0xFF) << "still white";
    EXPECT_EQ(frame->session().history().count(), 0);
    EXPECT_FALSE(frame->document().isModified());

    // Not cancelled, the same command inverts the layer as one state.
    runner->setWorkerStartHook({});
    QObject::disconnect(runner, &LongWorkRunner::shown, nullptr, nullptr);
    window->executeCommand(kCmdInvert);
    EXPECT_EQ(layer.colorAt(700, 500)[0], 0x00);
    EXPECT_EQ(frame->session().history().count(), 1);
    EXPECT_EQ(frame->session().history().undoName(), "Invert");
    EXPECT_TRUE(frame->document().isModified());
}

// A small picture file in a folder of its own, and the document opened from it.
class LongFileWorkTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        folder = pict::test::scratchDir() / "long-file-work";
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
        file = folder / "picture.png";
        std::unique_ptr<Document> document = std::make_unique<Document>();
        DocumentInfo info;
        info.width = 40;
        info.height = 30;
        info.name = "picture.png";
        info.backgroundColor = 0x336699;
        ASSERT_TRUE(document->newFromInfo(info));
        ASSERT_TRUE(pict::saveDocument(*document, file.string()));
        bytes = fileBytes(file);
    }
    // The next work waits until it is cancelled, and the indicator's Cancel is pressed as
    // soon as it shows.
    void cancelNextWork() {
        LongWorkRunner* runner = window->longWork();
        runner->setShowDelay(0);
        runner->setWorkerStartHook(waitUntilCancelled);
        QObject::connect(runner, &LongWorkRunner::shown, runner, [runner] { runner->cancelButton()->click(); });
    }
    void stopCancelling() {
        window->longWork()->setWorkerStartHook({});
        QObject::disconnect(window->longWork(), &LongWorkRunner::shown, nullptr, nullptr);
    }

    std::filesystem::path folder;
    std::filesystem::path file;
    std::vector<char> bytes;
};

TEST_F(LongFileWorkTest, ACancelledOpenOpensNothing) {
    cancelNextWork();
    EXPECT_EQ(window->openFile(QString::fromStdString(file.string())), nullptr);
    EXPECT_TRUE(window->frames().empty());
    EXPECT_TRUE(prompts.errors.isEmpty()) << "a cancel is no failure";
    stopCancelling();
    EXPECT_NE(window->openFile(QString::fromStdString(file.string())), nullptr);
}

TEST_F(LongFileWorkTest, ACancelledSaveKeepsTheFileAndTheUnsavedChanges) {
    DocumentFrame* frame = window->openFile(QString::fromStdString(file.string()));
    ASSERT_NE(frame, nullptr);
    window->executeCommand(kCmdInvert);
    ASSERT_TRUE(frame->document().isModified());
    cancelNextWork();
    EXPECT_FALSE(window->saveDocument(frame));
    EXPECT_EQ(fileBytes(file), bytes);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), std::filesystem::directory_iterator()), 1)
        << "no temporary file is left";
    EXPECT_TRUE(frame->document().isModified());
    EXPECT_TRUE(prompts.errors.isEmpty());

    stopCancelling();
    EXPECT_TRUE(window->saveDocument(frame));
    EXPECT_NE(fileBytes(file), bytes);
    EXPECT_FALSE(frame->document().isModified());
}

} // namespace
} // namespace pict::qt::test
