#include "app/qt/canvas/CanvasWidget.h"
#include "app/qt/window/CommandActions.h"
#include "history/HistoryManager.h"
#include "qt/MainWindowFixture.h"
#include "selection/SelectionController.h"

#include <QAction>
#include <QTest>
#include <QToolBar>

namespace pict::qt::test {
namespace {

class MarqueeToolTest : public MainWindowTest {
protected:
    // A 64 x 48 white image in a 200 x 100 drawing area: drawn from window (68, 26).
    DocumentFrame* frameAtActualSize(int32_t width = 64, int32_t height = 48) {
        DocumentFrame* frame = addBlank(width, height);
        frame->resize(frame->size() - frame->canvas()->viewport()->size() + QSize(200, 100));
        processEventsFor(20);
        EXPECT_EQ(frame->canvas()->viewport()->size(), QSize(200, 100));
        return frame;
    }
    static QWidget* area(DocumentFrame* frame) { return frame->canvas()->viewport(); }
    static void drag(DocumentFrame* frame, QPoint from, QPoint to, Qt::KeyboardModifiers modifiers = {}) {
        QTest::mousePress(area(frame), Qt::LeftButton, modifiers, from);
        QTest::mouseMove(area(frame), to);
        QTest::mouseRelease(area(frame), Qt::LeftButton, modifiers, to);
    }
    static Rect selected(DocumentFrame* frame) { return frame->session().selection().mask().bounds(); }
    static const HistoryManager& history(DocumentFrame* frame) { return frame->session().history(); }
    // Pixels of the top row of a band from x0 to x1 that the band turned from white to black.
    static int blackOnRow(DocumentFrame* frame, int y, int x0, int x1) {
        const QImage picture = frame->canvas()->picture();
        int n = 0;
        for (int x = x0; x <= x1; ++x)
            n += (picture.pixel(x, y) & 0xFFFFFF) == 0x000000u;
        return n;
    }
};

TEST_F(MarqueeToolTest, TheToolCommandsAreOnTheToolbarAndChooseTheTool) {
    DocumentFrame* frame = frameAtActualSize();
    auto* toolbar = window->findChild<QToolBar*>(QStringLiteral("Toolbar"));
    ASSERT_NE(toolbar, nullptr);
    for (uint16_t id : {kCmdMarqueeTool, kCmdCropTool}) {
        QAction* action = window->actions().action(id);
        EXPECT_TRUE(toolbar->actions().contains(action)) << id;
        EXPECT_FALSE(action->icon().isNull()) << id;
        window->refreshCommandStates();
        EXPECT_TRUE(action->isEnabled()) << id;
        window->executeCommand(id);
        EXPECT_TRUE(action->isChecked()) << id;
    }
    EXPECT_EQ(frame->canvas()->tool(), kToolCrop);
    window->executeCommand(kCmdMarqueeTool);
    EXPECT_EQ(frame->canvas()->tool(), kToolMarquee);
    EXPECT_FALSE(window->actions().action(kCmdCropTool)->isChecked());
}

TEST_F(MarqueeToolTest, ADragShowsTheBandAndSelectsTheImagePixelsOnRelease) {
    DocumentFrame* frame = frameAtActualSize();
    window->executeCommand(kCmdMarqueeTool);
    EXPECT_EQ(frame->canvas()->cursorShown(), CanvasCursor::Marquee);
    QTest::mousePress(area(frame), Qt::LeftButton, {}, QPoint(78, 36));
    QTest::mouseMove(area(frame), QPoint(97, 55));
    ASSERT_TRUE(frame->canvas()->marqueeTool().isDragging());
    EXPECT_GT(blackOnRow(frame, 36, 78, 97), 5) << "the band inverts the white picture";
    QTest::mouseRelease(area(frame), Qt::LeftButton, {}, QPoint(97, 55));
    EXPECT_FALSE(frame->canvas()->marqueeTool().isDragging());
    EXPECT_EQ(selected(frame), (Rect{10, 10, 30, 30}));
    EXPECT_EQ(history(frame).count(), 1);
    EXPECT_EQ(history(frame).undoName(), "Rectangular Marquee");
    EXPECT_TRUE(window->actions().action(kCmdUndo)->isEnabled()) << "the window heard of the new step";

    window->executeCommand(kCmdUndo);
    EXPECT_TRUE(frame->session().selection().isEmpty());
}

TEST_F(MarqueeToolTest, AClickDeselectsOutsideTheSelectionAndKeepsItInside) {
    DocumentFrame* frame = frameAtActualSize();
    window->executeCommand(kCmdMarqueeTool);
    drag(frame, {78, 36}, {97, 55});
    ASSERT_EQ(selected(frame), (Rect{10, 10, 30, 30}));

    QTest::mouseClick(area(frame), Qt::LeftButton, {}, QPoint(88, 46));
    EXPECT_EQ(selected(frame), (Rect{10, 10, 30, 30})) << "a click on the selection changes nothing";
    EXPECT_EQ(history(frame).count(), 1);
    EXPECT_EQ(frame->canvas()->cursorShown(), CanvasCursor::OverSelection);

    QTest::mouseClick(area(frame), Qt::LeftButton, {}, QPoint(120, 60));
    EXPECT_TRUE(frame->session().selection().isEmpty());
    EXPECT_EQ(history(frame).count(), 2);
    EXPECT_EQ(history(frame).undoName(), "Deselect");

    // A new drag over an old selection records the deselection first.
    drag(frame, {78, 36}, {97, 55});
    drag(frame, {120, 40}, {129, 49});
    EXPECT_EQ(selected(frame), (Rect{52, 14, 62, 24}));
    EXPECT_EQ(history(frame).count(), 5);
    window->executeCommand(kCmdUndo);
    window->executeCommand(kCmdUndo);
    EXPECT_EQ(selected(frame), (Rect{10, 10, 30, 30}));
}

TEST_F(MarqueeToolTest, EscapeDropsTheBandAndSelectsNothing) {
    DocumentFrame* frame = frameAtActualSize();
    window->executeCommand(kCmdMarqueeTool);
    QTest::mousePress(area(frame), Qt::LeftButton, {}, QPoint(78, 36));
    QTest::mouseMove(area(frame), QPoint(97, 55));
    QTest::keyClick(frame->canvas(), Qt::Key_Escape);
    EXPECT_FALSE(frame->canvas()->marqueeTool().isDragging());
    EXPECT_EQ(blackOnRow(frame, 36, 78, 97), 0) << "the band is gone";
    QTest::mouseRelease(area(frame), Qt::LeftButton, {}, QPoint(97, 55));
    EXPECT_TRUE(frame->session().selection().isEmpty());
    EXPECT_EQ(history(frame).count(), 0);
}

// The crop frame stays after the drag; Enter crops to it ("Crop"), Escape drops it, and
// neither the frame nor dropping it is a step of the history.
TEST_F(MarqueeToolTest, TheCropToolsFrameCropsOnEnterAndGoesOnEscape) {
    DocumentFrame* frame = frameAtActualSize();
    window->executeCommand(kCmdCropTool);
    EXPECT_EQ(frame->canvas()->cursorShown(), CanvasCursor::Crop);
    drag(frame, {20, 0}, {87, 40}); // from the gray area to the left: starts at the image edge
    ASSERT_TRUE(frame->canvas()->cropTool().hasFrame());
    EXPECT_EQ(*frame->canvas()->cropTool().frame(), (Rect{0, 0, 20, 15}));
    EXPECT_TRUE(frame->session().selection().isEmpty()) << "a frame, not a selection";
    EXPECT_EQ(history(frame).count(), 0);
    EXPECT_GT(blackOnRow(frame, 26, 68, 87), 0) << "the frame is drawn";

    QTest::keyClick(frame->canvas(), Qt::Key_Escape);
    EXPECT_FALSE(frame->canvas()->cropTool().hasFrame());
    EXPECT_EQ(blackOnRow(frame, 26, 68, 87), 0) << "and gone";
    EXPECT_EQ(history(frame).count(), 0);

    drag(frame, {20, 0}, {87, 40});
    QTest::keyClick(frame->canvas(), Qt::Key_Return);
    EXPECT_EQ(frame->document().canvasSize(), (Size{20, 15}));
    EXPECT_EQ(history(frame).undoName(), "Crop");
    EXPECT_FALSE(frame->canvas()->cropTool().hasFrame());
    EXPECT_TRUE(frame->document().isModified());
    EXPECT_EQ(frame->windowTitle(), "Untitled-9* @ 100%");
    window->executeCommand(kCmdUndo);
    EXPECT_EQ(frame->document().canvasSize(), (Size{64, 48}));
    EXPECT_FALSE(frame->document().isModified());
}

TEST_F(MarqueeToolTest, TheCropFrameMovesResizesAndCropsOnADoubleClickInside) {
    DocumentFrame* frame = frameAtActualSize(); // the image at window (68, 26)
    window->executeCommand(kCmdCropTool);
    drag(frame, {68 + 10, 26 + 10}, {68 + 39, 26 + 29}); // image {10, 10, 40, 30}
    ASSERT_EQ(*frame->canvas()->cropTool().frame(), (Rect{10, 10, 40, 30}));
    // Inside it moves.
    QTest::mouseMove(area(frame), {68 + 25, 26 + 20});
    EXPECT_EQ(frame->canvas()->cursorShown(), CanvasCursor::MoveFrame);
    drag(frame, {68 + 25, 26 + 20}, {68 + 30, 26 + 18});
    EXPECT_EQ(*frame->canvas()->cropTool().frame(), (Rect{15, 8, 45, 28}));
    // Its right edge resizes.
    QTest::mouseMove(area(frame), {68 + 45, 26 + 18});
    EXPECT_EQ(frame->canvas()->cursorShown(), CanvasCursor::ResizeHorizontal);
    drag(frame, {68 + 45, 26 + 18}, {68 + 54, 26 + 18});
    EXPECT_EQ(*frame->canvas()->cropTool().frame(), (Rect{15, 8, 55, 28}));
    EXPECT_EQ(history(frame).count(), 0);
    // A double-click inside crops.
    QTest::mouseDClick(area(frame), Qt::LeftButton, {}, QPoint(68 + 30, 26 + 18));
    EXPECT_EQ(frame->document().canvasSize(), (Size{40, 20}));
    EXPECT_EQ(history(frame).undoName(), "Crop");
    // Outside, its first click drops the frame and nothing is cropped.
    drag(frame, {2, 2}, {60, 40});
    ASSERT_TRUE(frame->canvas()->cropTool().hasFrame());
    QTest::mouseDClick(area(frame), Qt::LeftButton, {}, QPoint(190, 90));
    EXPECT_FALSE(frame->canvas()->cropTool().hasFrame());
    EXPECT_EQ(frame->document().canvasSize(), (Size{40, 20}));
}

TEST_F(MarqueeToolTest, TheSpaceBarStillLendsTheHand) {
    DocumentFrame* frame = frameAtActualSize(400, 300);
    window->executeCommand(kCmdMarqueeTool);
    QTest::keyPress(frame->canvas(), Qt::Key_Space);
    EXPECT_EQ(frame->canvas()->cursorShown(), CanvasCursor::Hand);
    drag(frame, {50, 50}, {20, 40});
    QTest::keyRelease(frame->canvas(), Qt::Key_Space);
    EXPECT_EQ(frame->view().scrollPosition(), (Point{30, 10}));
    EXPECT_TRUE(frame->session().selection().isEmpty());
    EXPECT_EQ(frame->canvas()->cursorShown(), CanvasCursor::Marquee);
}

TEST_F(MarqueeToolTest, ThePanelHearsTheDraggedSize) {
    struct Sizes : MarqueeListener {
        Size last;
        bool ended = false;
        void marqueeSizeChanged(Size size) override { last = size; }
        void marqueeEnded() override { ended = true; }
    } sizes;
    DocumentFrame* frame = frameAtActualSize();
    frame->canvas()->marqueeTool().setListener(&sizes);
    window->executeCommand(kCmdMarqueeTool);
    QTest::mousePress(area(frame), Qt::LeftButton, {}, QPoint(78, 36));
    QTest::mouseMove(area(frame), QPoint(90, 40));
    EXPECT_EQ(sizes.last, (Size{13, 5}));
    QTest::mouseRelease(area(frame), Qt::LeftButton, {}, QPoint(90, 40));
    EXPECT_TRUE(sizes.ended);
    frame->canvas()->marqueeTool().setListener(nullptr);
}

} // namespace
} // namespace pict::qt::test
