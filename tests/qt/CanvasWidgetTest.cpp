#include "app/qt/CanvasWidget.h"
#include "qt/MainWindowFixture.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <QWheelEvent>

namespace pict::qt::test {
namespace {

class CanvasWidgetTest : public MainWindowTest {
protected:
    // A document window with a client area of exactly `client` pixels.
    DocumentFrame* frameWithClient(int32_t width, int32_t height, QSize client) {
        DocumentFrame* frame = addBlank(width, height);
        frame->resize(frame->size() - frame->canvas()->viewport()->size() + client);
        processEventsFor(20);
        EXPECT_EQ(frame->canvas()->viewport()->size(), client);
        return frame;
    }
    static void mouse(CanvasWidget* canvas, QEvent::Type type, QPoint at, Qt::KeyboardModifiers modifiers = {}) {
        const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
        const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent event(type, QPointF(at), canvas->viewport()->mapToGlobal(QPointF(at)), button, held, modifiers);
        QApplication::sendEvent(canvas->viewport(), &event);
    }
    static void click(CanvasWidget* canvas, QPoint at, Qt::KeyboardModifiers modifiers = {}) {
        mouse(canvas, QEvent::MouseButtonPress, at, modifiers);
        mouse(canvas, QEvent::MouseButtonRelease, at, modifiers);
    }
    static void key(CanvasWidget* canvas, QEvent::Type type, int k) {
        QKeyEvent event(type, k, Qt::NoModifier);
        QApplication::sendEvent(canvas, &event);
    }
};

TEST_F(CanvasWidgetTest, ThePictureIsCentredWithItsBorderOverTheWindowColor) {
    DocumentFrame* frame = frameWithClient(64, 48, QSize(200, 100));
    const QImage picture = frame->canvas()->picture();
    ASSERT_EQ(picture.size(), QSize(200, 100));
    // (200 - 64) / 2 = 68, (100 - 48) / 2 = 26.
    EXPECT_EQ(picture.pixel(68, 26) & 0xFFFFFF, 0xFFFFFFu);
    EXPECT_EQ(picture.pixel(131, 73) & 0xFFFFFF, 0xFFFFFFu);
    EXPECT_EQ(picture.pixel(67, 26) & 0xFFFFFF, 0x000000u) << "the one-pixel border";
    EXPECT_EQ(picture.pixel(132, 73) & 0xFFFFFF, 0x000000u);
    EXPECT_EQ(picture.pixel(66, 26) & 0xFFFFFF, 0xAAAAAAu) << "the window background";
    EXPECT_EQ(picture.pixel(0, 0) & 0xFFFFFF, 0xAAAAAAu);
    EXPECT_FALSE(frame->canvas()->horizontalScrollBar()->isEnabled()) << "the page covers the content";
}

TEST_F(CanvasWidgetTest, TheHandDragsTheContentAndTheWheelScrolls) {
    DocumentFrame* frame = frameWithClient(400, 300, QSize(100, 100));
    CanvasWidget* canvas = frame->canvas();
    EXPECT_TRUE(canvas->horizontalScrollBar()->isEnabled());
    mouse(canvas, QEvent::MouseButtonPress, {50, 50});
    mouse(canvas, QEvent::MouseMove, {20, 40});
    mouse(canvas, QEvent::MouseButtonRelease, {20, 40});
    EXPECT_EQ(frame->view().scrollPosition(), (Point{30, 10}));
    EXPECT_EQ(canvas->horizontalScrollBar()->value(), 30);
    EXPECT_EQ(canvas->verticalScrollBar()->value(), 10);

    QWheelEvent wheel(QPointF(50, 50), canvas->viewport()->mapToGlobal(QPointF(50, 50)), QPoint(), QPoint(0, -120),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(canvas->viewport(), &wheel);
    EXPECT_EQ(frame->view().scrollPosition(), (Point{30, 20})) << "one notch toward the user: a tenth of the page down";

    canvas->verticalScrollBar()->setValue(0);
    EXPECT_EQ(frame->view().scrollPosition(), (Point{30, 0})) << "the bars scroll the view";
}

TEST_F(CanvasWidgetTest, ZoomToolClicksAndAltSwapsDirection) {
    DocumentFrame* frame = frameWithClient(64, 48, QSize(200, 100));
    window->executeCommand(kCmdZoomInTool);
    CanvasWidget* canvas = frame->canvas();
    click(canvas, {100, 50});
    EXPECT_FLOAT_EQ(frame->view().zoom(), 2.0f);
    EXPECT_EQ(frame->windowTitle(), "Untitled-9 @ 200%");
    click(canvas, {100, 50}, Qt::AltModifier);
    EXPECT_FLOAT_EQ(frame->view().zoom(), 1.0f);
    window->executeCommand(kCmdZoomOutTool);
    click(canvas, {100, 50});
    EXPECT_FLOAT_EQ(frame->view().zoom(), 2.0f / 3);
}

TEST_F(CanvasWidgetTest, ADraggedBandZoomsAndEscapeCancelsIt) {
    DocumentFrame* frame = frameWithClient(64, 48, QSize(200, 100));
    window->executeCommand(kCmdZoomInTool);
    CanvasWidget* canvas = frame->canvas();
    mouse(canvas, QEvent::MouseButtonPress, {70, 30});
    mouse(canvas, QEvent::MouseMove, {90, 50});
    ASSERT_TRUE(canvas->zoomTool().isDragging());
    const auto invertedOnTopEdge = [&] {
        const QImage picture = canvas->picture();
        int n = 0;
        for (int x = 70; x <= 90; ++x)
            n += (picture.pixel(x, 30) & 0xFFFFFF) == 0x000000u;
        return n;
    };
    EXPECT_GT(invertedOnTopEdge(), 5) << "the band inverts the frame's white pixels to black";
    key(canvas, QEvent::KeyPress, Qt::Key_Escape);
    EXPECT_FALSE(canvas->zoomTool().isDragging());
    mouse(canvas, QEvent::MouseButtonRelease, {90, 50});
    EXPECT_FLOAT_EQ(frame->view().zoom(), 1.0f) << "cancelled: nothing zoomed";
    EXPECT_EQ(invertedOnTopEdge(), 0) << "and the band is gone";

    mouse(canvas, QEvent::MouseButtonPress, {70, 30});
    mouse(canvas, QEvent::MouseMove, {90, 50});
    mouse(canvas, QEvent::MouseButtonRelease, {90, 50});
    EXPECT_GT(frame->view().zoom(), 4.0f);
}

TEST_F(CanvasWidgetTest, TheSpaceBarLendsTheHandToAnyTool) {
    DocumentFrame* frame = frameWithClient(400, 300, QSize(100, 100));
    window->executeCommand(kCmdZoomInTool);
    CanvasWidget* canvas = frame->canvas();
    key(canvas, QEvent::KeyPress, Qt::Key_Space);
    mouse(canvas, QEvent::MouseButtonPress, {50, 50});
    mouse(canvas, QEvent::MouseMove, {40, 40});
    key(canvas, QEvent::KeyRelease, Qt::Key_Space); // the drag keeps its tool until release
    mouse(canvas, QEvent::MouseMove, {30, 30});
    mouse(canvas, QEvent::MouseButtonRelease, {30, 30});
    EXPECT_FLOAT_EQ(frame->view().zoom(), 1.0f);
    EXPECT_EQ(frame->view().scrollPosition(), (Point{20, 20}));
}

TEST_F(CanvasWidgetTest, TheSelectionOutlineShowsAfterSelectAll) {
    DocumentFrame* frame = frameWithClient(64, 48, QSize(200, 100));
    const QImage before = frame->canvas()->picture();
    window->executeCommand(kCmdSelectAll);
    const QImage after = frame->canvas()->picture();
    EXPECT_EQ(before.pixel(100, 50), after.pixel(100, 50)) << "inside stays as it was";
    int outline = 0;
    for (int x = 68; x < 132; ++x)
        outline += (after.pixel(x, 26) & 0xFFFFFF) != 0xFFFFFFu;
    EXPECT_GT(outline, 10) << "black stripes along the top edge";
    window->executeCommand(kCmdToggleSelection);
    EXPECT_EQ(frame->canvas()->picture(), before);
}

} // namespace
} // namespace pict::qt::test
