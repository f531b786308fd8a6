#include "app/qt/canvas/CanvasWidget.h"
#include "qt/MainWindowFixture.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>

namespace pict::qt::test {
namespace {

class CanvasWidgetTest : public MainWindowTest {
protected:
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
    // One wheel event of `notches` notches away from the user (negative: toward), sent to
    // whatever widget is under the cursor.
    static void wheel(QWidget* target, int notches) {
        const QPointF at(target->width() / 2.0, target->height() / 2.0);
        QWheelEvent event(at, target->mapToGlobal(at), QPoint(), QPoint(0, 120 * notches), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(target, &event);
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

TEST_F(CanvasWidgetTest, AClickKeepsThePointUnderTheCursorAndShiftClickCentresIt) {
    DocumentFrame* frame = frameWithClient(400, 300, QSize(200, 100));
    CanvasWidget* canvas = frame->canvas();
    window->executeCommand(kCmdZoomInTool);
    QTest::mouseClick(canvas->viewport(), Qt::LeftButton, {}, QPoint(40, 30));
    EXPECT_FLOAT_EQ(frame->view().zoom(), 2.0f);
    EXPECT_EQ(frame->view().windowToImage({40, 30}), (Point{40, 30}));
    QTest::mouseClick(canvas->viewport(), Qt::LeftButton, Qt::ShiftModifier, QPoint(40, 30));
    EXPECT_FLOAT_EQ(frame->view().zoom(), 3.0f);
    EXPECT_EQ(frame->view().windowToImage({100, 50}), (Point{40, 30}));
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

TEST_F(CanvasWidgetTest, TheHandGrabsWhileTheButtonIsDown) {
    DocumentFrame* frame = frameWithClient(400, 300, QSize(100, 100));
    CanvasWidget* canvas = frame->canvas();
    QWidget* area = canvas->viewport();
    EXPECT_EQ(canvas->cursorShown(), CanvasCursor::Hand);
    QTest::mousePress(area, Qt::LeftButton, {}, QPoint(60, 60));
    EXPECT_EQ(canvas->cursorShown(), CanvasCursor::Grabbing);
    QTest::mouseMove(area, QPoint(50, 45));
    QTest::mouseMove(area, QPoint(40, 40));
    QTest::mouseRelease(area, Qt::LeftButton, {}, QPoint(40, 40));
    EXPECT_EQ(frame->view().scrollPosition(), (Point{20, 20})) << "the content followed the cursor";
    EXPECT_EQ(canvas->cursorShown(), CanvasCursor::Hand);
    QTest::mouseMove(area, QPoint(10, 10));
    EXPECT_EQ(frame->view().scrollPosition(), (Point{20, 20})) << "no button, no scrolling";
}

TEST_F(CanvasWidgetTest, TheWheelOverTheHorizontalBarScrollsSidewaysOneLinePerNotch) {
    // Desktops commonly ask for three lines a notch, which a plain scroll bar would follow.
    const int desktopLines = QApplication::wheelScrollLines();
    QApplication::setWheelScrollLines(3);
    DocumentFrame* frame = frameWithClient(400, 300, QSize(100, 100));
    CanvasWidget* canvas = frame->canvas();
    wheel(canvas->horizontalScrollBar(), -1);
    EXPECT_EQ(frame->view().scrollPosition(), (Point{10, 0})) << "toward the user: one line to the right";
    wheel(canvas->horizontalScrollBar(), -3);
    EXPECT_EQ(frame->view().scrollPosition(), (Point{40, 0}));
    wheel(canvas->horizontalScrollBar(), 1);
    EXPECT_EQ(frame->view().scrollPosition(), (Point{30, 0}));
    EXPECT_EQ(canvas->horizontalScrollBar()->value(), 30);

    wheel(canvas->verticalScrollBar(), -2);
    EXPECT_EQ(frame->view().scrollPosition(), (Point{30, 20})) << "over the vertical bar: vertical, a line a notch";
    wheel(canvas->viewport(), -1);
    EXPECT_EQ(frame->view().scrollPosition(), (Point{30, 30}));
    wheel(canvas->viewport(), 100);
    EXPECT_EQ(frame->view().scrollPosition(), (Point{30, 0})) << "stops at the top";
    QApplication::setWheelScrollLines(desktopLines);
}

TEST_F(CanvasWidgetTest, ArrowAndPageKeysScrollByLinesAndPages) {
    DocumentFrame* frame = frameWithClient(400, 300, QSize(100, 100));
    CanvasWidget* canvas = frame->canvas();
    QTest::keyClick(canvas, Qt::Key_Down);
    QTest::keyClick(canvas, Qt::Key_Right);
    QTest::keyClick(canvas, Qt::Key_Right);
    EXPECT_EQ(frame->view().scrollPosition(), (Point{20, 10}));
    QTest::keyClick(canvas, Qt::Key_PageDown);
    EXPECT_EQ(frame->view().scrollPosition(), (Point{20, 110}));
    QTest::keyClick(canvas, Qt::Key_Up);
    EXPECT_EQ(frame->view().scrollPosition(), (Point{20, 100}));
    for (int i = 0; i < 5; ++i)
        QTest::keyClick(canvas, Qt::Key_PageDown);
    EXPECT_EQ(frame->view().scrollPosition(), (Point{20, 200})) << "content 300 - page 100";
}

TEST_F(CanvasWidgetTest, HalfNotchesAddUpToWholeLines) {
    DocumentFrame* frame = frameWithClient(400, 300, QSize(100, 100));
    CanvasWidget* canvas = frame->canvas();
    const auto send = [&](int delta) {
        QWheelEvent event(QPointF(50, 50), canvas->viewport()->mapToGlobal(QPointF(50, 50)), QPoint(),
                          QPoint(0, delta), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(canvas->viewport(), &event);
    };
    send(-60);
    EXPECT_EQ(frame->view().scrollPosition(), (Point{0, 0}));
    send(-60);
    EXPECT_EQ(frame->view().scrollPosition(), (Point{0, 10}));
}

TEST_F(CanvasWidgetTest, AltSwapsTheZoomCursorAndLimitsShowTheLimitCursor) {
    DocumentFrame* frame = frameWithClient(64, 48, QSize(200, 100));
    CanvasWidget* canvas = frame->canvas();
    window->executeCommand(kCmdZoomInTool);
    EXPECT_EQ(canvas->cursorShown(), CanvasCursor::ZoomIn);
    QTest::keyPress(canvas, Qt::Key_Alt, Qt::AltModifier);
    EXPECT_EQ(canvas->cursorShown(), CanvasCursor::ZoomOut);
    QTest::keyRelease(canvas, Qt::Key_Alt);
    EXPECT_EQ(canvas->cursorShown(), CanvasCursor::ZoomIn);

    window->executeCommand(kCmdZoom1600);
    EXPECT_EQ(canvas->cursorShown(), CanvasCursor::ZoomLimit) << "cannot zoom in beyond 16";
    QTest::mouseClick(canvas->viewport(), Qt::LeftButton, {}, QPoint(100, 50));
    EXPECT_FLOAT_EQ(frame->view().zoom(), 16.0f);
    QTest::keyPress(canvas, Qt::Key_Alt, Qt::AltModifier);
    EXPECT_EQ(canvas->cursorShown(), CanvasCursor::ZoomOut);
    QTest::mouseClick(canvas->viewport(), Qt::LeftButton, Qt::AltModifier, QPoint(100, 50));
    EXPECT_FLOAT_EQ(frame->view().zoom(), 12.0f) << "Alt-click zooms out with the Zoom In tool";
    QTest::keyRelease(canvas, Qt::Key_Alt);
    EXPECT_EQ(canvas->cursorShown(), CanvasCursor::ZoomIn);

    window->executeCommand(kCmdZoomOutTool);
    EXPECT_EQ(canvas->cursorShown(), CanvasCursor::ZoomOut);
    frame->view().setZoom(frame->view().minimumZoom(), true);
    EXPECT_EQ(canvas->cursorShown(), CanvasCursor::ZoomLimit) << "cannot zoom out below the minimum";

    // Alt that went down while the focus was elsewhere shows with the next mouse move.
    window->executeCommand(kCmdZoom100);
    window->executeCommand(kCmdZoomInTool);
    mouse(canvas, QEvent::MouseMove, {100, 50}, Qt::AltModifier);
    EXPECT_EQ(canvas->cursorShown(), CanvasCursor::ZoomOut);
    mouse(canvas, QEvent::MouseMove, {101, 50});
    EXPECT_EQ(canvas->cursorShown(), CanvasCursor::ZoomIn);
}

TEST_F(CanvasWidgetTest, TheBandMarchesWhileTheDragStandsStill) {
    DocumentFrame* frame = frameWithClient(64, 48, QSize(200, 100));
    CanvasWidget* canvas = frame->canvas();
    window->executeCommand(kCmdZoomInTool);
    QTest::mousePress(canvas->viewport(), Qt::LeftButton, {}, QPoint(70, 30));
    QTest::mouseMove(canvas->viewport(), QPoint(110, 60));
    ASSERT_TRUE(canvas->zoomTool().isDragging());
    const QImage before = canvas->picture();
    ASSERT_TRUE(waitUntil([&] { return canvas->zoomTool().band().phase() >= 2; }, 2000)) << "timer ticks";
    const QImage later = canvas->picture();
    EXPECT_NE(before, later) << "the stripes moved";
    for (int x = 69; x <= 111; ++x)
        for (int y : {29, 61})
            ASSERT_EQ(before.pixel(x, y), later.pixel(x, y)) << "outside the frame nothing changes";
    QTest::mouseRelease(canvas->viewport(), Qt::LeftButton, {}, QPoint(110, 60));
    EXPECT_FALSE(canvas->zoomTool().isDragging());
    const int32_t phase = canvas->zoomTool().band().phase();
    processEventsFor(250);
    EXPECT_EQ(canvas->zoomTool().band().phase(), phase) << "the timer stopped with the drag";
}

TEST_F(CanvasWidgetTest, EscapeFromTheKeyboardCancelsAZoomDrag) {
    DocumentFrame* frame = frameWithClient(64, 48, QSize(200, 100));
    CanvasWidget* canvas = frame->canvas();
    window->executeCommand(kCmdZoomInTool);
    const QImage clean = canvas->picture();
    QTest::mousePress(canvas->viewport(), Qt::LeftButton, {}, QPoint(70, 30));
    QTest::mouseMove(canvas->viewport(), QPoint(90, 50));
    QTest::keyClick(canvas, Qt::Key_Escape);
    QTest::mouseRelease(canvas->viewport(), Qt::LeftButton, {}, QPoint(90, 50));
    EXPECT_FLOAT_EQ(frame->view().zoom(), 1.0f);
    EXPECT_EQ(canvas->picture(), clean);
    EXPECT_EQ(canvas->cursorShown(), CanvasCursor::ZoomIn);
}

TEST_F(CanvasWidgetTest, LosingTheFocusEndsADragAndForgetsHeldKeys) {
    DocumentFrame* frame = frameWithClient(64, 48, QSize(200, 100));
    CanvasWidget* canvas = frame->canvas();
    window->executeCommand(kCmdZoomInTool);
    QTest::keyPress(canvas, Qt::Key_Alt, Qt::AltModifier);
    QTest::keyRelease(canvas, Qt::Key_Alt); // Alt is up again before the drag
    QTest::keyPress(canvas, Qt::Key_Space);
    QTest::keyRelease(canvas, Qt::Key_Space);
    QTest::mousePress(canvas->viewport(), Qt::LeftButton, {}, QPoint(70, 30));
    QTest::mouseMove(canvas->viewport(), QPoint(90, 50));
    ASSERT_TRUE(canvas->zoomTool().isDragging());
    QTest::keyPress(canvas, Qt::Key_Space);
    QFocusEvent focusOut(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
    QApplication::sendEvent(canvas, &focusOut);
    EXPECT_FALSE(canvas->zoomTool().isDragging());
    EXPECT_EQ(canvas->cursorShown(), CanvasCursor::ZoomIn) << "the space bar's release never came";
    QTest::mouseRelease(canvas->viewport(), Qt::LeftButton, {}, QPoint(90, 50));
    EXPECT_FLOAT_EQ(frame->view().zoom(), 1.0f) << "the lost drag zooms nothing";
    QTest::mouseClick(canvas->viewport(), Qt::LeftButton, {}, QPoint(100, 50));
    EXPECT_FLOAT_EQ(frame->view().zoom(), 2.0f) << "and the next click works as usual";
}

TEST_F(CanvasWidgetTest, TheSpaceBarShowsTheHandAndGivesTheZoomToolBack) {
    DocumentFrame* frame = frameWithClient(400, 300, QSize(100, 100));
    CanvasWidget* canvas = frame->canvas();
    window->executeCommand(kCmdZoomOutTool);
    QTest::keyPress(canvas, Qt::Key_Space);
    EXPECT_EQ(canvas->cursorShown(), CanvasCursor::Hand);
    QTest::mousePress(canvas->viewport(), Qt::LeftButton, {}, QPoint(50, 50));
    EXPECT_EQ(canvas->cursorShown(), CanvasCursor::Grabbing);
    QTest::mouseMove(canvas->viewport(), QPoint(45, 35));
    QTest::mouseRelease(canvas->viewport(), Qt::LeftButton, {}, QPoint(45, 35));
    EXPECT_EQ(frame->view().scrollPosition(), (Point{5, 15}));
    EXPECT_FLOAT_EQ(frame->view().zoom(), 1.0f) << "the press went to the hand, not the zoom tool";
    QTest::keyRelease(canvas, Qt::Key_Space);
    EXPECT_EQ(canvas->cursorShown(), CanvasCursor::ZoomOut);
    QTest::mouseClick(canvas->viewport(), Qt::LeftButton, {}, QPoint(50, 50));
    EXPECT_FLOAT_EQ(frame->view().zoom(), 2.0f / 3);
}

TEST_F(CanvasWidgetTest, KeypadZoomKeysThatMissTheirMenuItemsStillZoom) {
    DocumentFrame* frame = frameWithClient(300, 300, QSize(200, 100));
    CanvasWidget* canvas = frame->canvas();
    // Delivered straight to the drawing area, as on X11 where the shortcut map drops the
    // keypad flag and the press falls through.
    const auto keypad = [&](int key, const char* text) {
        QKeyEvent press(QEvent::KeyPress, key, Qt::KeypadModifier, QString::fromLatin1(text));
        QApplication::sendEvent(canvas, &press);
        return press.isAccepted();
    };
    EXPECT_TRUE(keypad(Qt::Key_Plus, "+"));
    EXPECT_FLOAT_EQ(frame->view().zoom(), 2.0f);
    keypad(Qt::Key_Minus, "-");
    keypad(Qt::Key_Minus, "-");
    EXPECT_FLOAT_EQ(frame->view().zoom(), 2.0f / 3);
    keypad(Qt::Key_Slash, "/");
    EXPECT_FLOAT_EQ(frame->view().zoom(), 1.0f) << "Actual Pixels";
    window->executeCommand(kCmdZoom1600);
    keypad(Qt::Key_Plus, "+");
    EXPECT_FLOAT_EQ(frame->view().zoom(), 16.0f);
    keypad(Qt::Key_Asterisk, "*");
    EXPECT_LT(frame->view().zoom(), 16.0f) << "Fit on Screen";

    QKeyEvent plain(QEvent::KeyPress, Qt::Key_Minus, Qt::NoModifier, QStringLiteral("-"));
    const float zoom = frame->view().zoom();
    QApplication::sendEvent(canvas, &plain);
    EXPECT_FLOAT_EQ(frame->view().zoom(), zoom) << "the main keyboard's minus is no zoom key";
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
