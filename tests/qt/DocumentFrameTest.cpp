#include "app/qt/canvas/CanvasWidget.h"
#include "canvas/ZoomSteps.h"
#include "qt/MainWindowFixture.h"

#include <QMdiArea>
#include <QScrollBar>

namespace pict::qt::test {
namespace {

using DocumentFrameTest = MainWindowTest;

TEST_F(DocumentFrameTest, ALargeImageOpensWhollyInsideTheWorkspace) {
    addBlank(64, 48, "small");
    addBlank(64, 48, "second");
    DocumentFrame* big = addBlank(3000, 2000, "big");
    processEventsFor(20);
    const QRect workspace(QPoint(0, 0), window->documentArea()->viewport()->size());
    EXPECT_TRUE(workspace.contains(big->geometry())) << "its scroll bars stay reachable";
    EXPECT_LT(big->view().zoom(), 1.0f);
    EXPECT_TRUE(big->canvas()->horizontalScrollBar()->isVisible());
    EXPECT_EQ(big->windowTitle().toStdString(), canvasCaption("big", big->view().zoom()));
}

TEST_F(DocumentFrameTest, ASmallImageOpensAtActualPixelsWhereTheAreaPutsIt) {
    DocumentFrame* first = addBlank(64, 48, "first");
    DocumentFrame* second = addBlank(64, 48, "second");
    processEventsFor(20);
    EXPECT_FLOAT_EQ(second->view().zoom(), 1.0f);
    EXPECT_EQ(second->windowTitle(), "second @ 100%");
    EXPECT_NE(first->pos(), second->pos()) << "a window that fits is left where the area placed it";
}

TEST_F(DocumentFrameTest, NewWindowsTakeTheBorderAndBackgroundColorsOfTheOptions) {
    ApplicationOptions options = window->settings().options;
    options.documentWindowBackground = Color::fromRgb(0x2040C0);
    options.imageBorder = Color::fromRgb(0x00FF00);
    prompts.options.push_back(options);
    window->executeCommand(kCmdOptions);
    DocumentFrame* frame = addBlank(64, 48);
    frame->resize(frame->size() - frame->canvas()->viewport()->size() + QSize(200, 100));
    processEventsFor(20);
    const QImage picture = frame->canvas()->picture();
    ASSERT_EQ(picture.size(), QSize(200, 100));
    EXPECT_EQ(picture.pixel(0, 0) & 0xFFFFFF, 0x2040C0u);
    EXPECT_EQ(picture.pixel(67, 50) & 0xFFFFFF, 0x00FF00u) << "the frame just left of the image";
    EXPECT_EQ(picture.pixel(100, 25) & 0xFFFFFF, 0x00FF00u) << "and just above it";
    EXPECT_EQ(picture.pixel(100, 50) & 0xFFFFFF, 0xFFFFFFu);
}

TEST_F(DocumentFrameTest, TheCaptionFollowsTheZoom) {
    DocumentFrame* frame = addBlank(300, 300, "photo.png");
    window->executeCommand(kCmdZoom1600);
    EXPECT_EQ(frame->windowTitle(), "photo.png @ 1600%");
    window->executeCommand(kCmdZoomOut);
    EXPECT_EQ(frame->windowTitle(), "photo.png @ 1200%");
    window->executeCommand(kCmdActualPixels);
    window->executeCommand(kCmdZoomOut);
    EXPECT_EQ(frame->windowTitle(), "photo.png @ 66.67%");
}

} // namespace
} // namespace pict::qt::test
