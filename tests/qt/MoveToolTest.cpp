// The Move tool driven through the drawing area: a drag moves the active layer by exactly
// the pointer's way, a selection's pixels float with their outline and land where dropped,
// Escape puts them back, Alt moves the outline alone and the arrow keys nudge.

#include "document/Layer.h"
#include "history/HistoryManager.h"
#include "qt/MainWindowFixture.h"
#include "selection/SelectionController.h"

#include <QTest>

namespace pict::qt::test {
namespace {

class MoveToolTest : public MainWindowTest {
protected:
    // A 64 x 48 white image in a 200 x 100 drawing area: image pixel (x, y) is drawn at
    // window (68 + x, 26 + y).
    DocumentFrame* frame() {
        DocumentFrame* f = frameWithClient(64, 48, QSize(200, 100));
        f->canvas()->setFocus();
        window->executeCommand(kCmdMoveTool);
        return f;
    }
    static QWidget* area(DocumentFrame* f) { return f->canvas()->viewport(); }
    static QPoint at(int x, int y) { return QPoint(68 + x, 26 + y); }
    static void drag(DocumentFrame* f, QPoint from, QPoint to, Qt::KeyboardModifiers modifiers = {}) {
        QTest::mousePress(area(f), Qt::LeftButton, modifiers, from);
        QTest::mouseMove(area(f), (from + to) / 2);
        QTest::mouseMove(area(f), to);
        QTest::mouseRelease(area(f), Qt::LeftButton, modifiers, to);
    }
    static uint8_t blueAt(DocumentFrame* f, int x, int y) {
        return f->document().layers().rasterAt(0)->colorAt(x, y)[0];
    }
    // A black 4 x 4 square at (2, 2) on the white background, selected.
    static void selectBlackSquare(DocumentFrame* f) {
        RasterLayer* background = f->document().layers().rasterAt(0);
        for (int y = 2; y < 6; ++y)
            for (int x = 2; x < 6; ++x) {
                uint8_t* p = background->color().row(y) + 3 * x;
                p[0] = p[1] = p[2] = 0;
            }
        ASSERT_EQ(f->commands().selectMarquee(Rect{2, 2, 6, 6}, false).outcome, CommandOutcome::Done);
    }
    void key(int k, Qt::KeyboardModifiers modifiers = {}) { QTest::keyClick(QApplication::focusWidget(), Qt::Key(k), modifiers); }
};

TEST_F(MoveToolTest, VChoosesTheToolAndADragMovesTheLayerByExactlyTheWay) {
    DocumentFrame* f = frame();
    EXPECT_EQ(f->canvas()->tool(), kToolMove);
    ASSERT_TRUE(f->commands().execute(kCmdNewLayer, LayerParams{}));
    ASSERT_TRUE(f->commands().execute(kCmdFillForeground));
    const Layer* moved = f->document().layers().active();
    const int32_t states = f->session().history().count();
    drag(f, at(10, 20), at(40, 8));
    EXPECT_EQ(moved->position(), (Point{30, -12}));
    EXPECT_EQ(f->session().history().count(), states + 1) << "one state for the drag";
    EXPECT_EQ(f->session().history().undoName(), "Move Layer");
    drag(f, at(40, 8), at(41, 9));
    EXPECT_EQ(f->session().history().count(), states + 2) << "the next drag is a state of its own";
    window->executeCommand(kCmdUndo);
    window->executeCommand(kCmdUndo);
    EXPECT_EQ(moved->position(), (Point{0, 0}));
}

TEST_F(MoveToolTest, AMovedSelectionLandsWhereDroppedAndUndoRestoresBothPlaces) {
    DocumentFrame* f = frame();
    selectBlackSquare(f);
    drag(f, at(3, 3), at(13, 8));
    EXPECT_TRUE(f->toolInput().moveTool().isFloating());
    drag(f, at(13, 8), at(23, 13)); // the float goes on: (20, 10) in all
    EXPECT_EQ(f->session().history().count(), 2) << "the marquee and one Move Selection";
    key(Qt::Key_Return);
    EXPECT_FALSE(f->toolInput().moveTool().isFloating());
    EXPECT_EQ(f->session().history().undoName(), "Move Selection");
    EXPECT_EQ(f->session().selection().mask().bounds(), (Rect{22, 12, 26, 16}));
    EXPECT_EQ(blueAt(f, 22, 12), 0);
    EXPECT_EQ(blueAt(f, 25, 15), 0);
    EXPECT_EQ(blueAt(f, 26, 15), 255);
    EXPECT_EQ(blueAt(f, 3, 3), 255) << "the hole takes the background color, white";
    window->executeCommand(kCmdUndo);
    EXPECT_EQ(blueAt(f, 3, 3), 0);
    EXPECT_EQ(blueAt(f, 22, 12), 255);
    EXPECT_EQ(f->session().selection().mask().bounds(), (Rect{2, 2, 6, 6}));
}

TEST_F(MoveToolTest, EscapePutsTheFloatBack) {
    DocumentFrame* f = frame();
    selectBlackSquare(f);
    drag(f, at(3, 3), at(13, 8));
    key(Qt::Key_Right, Qt::ShiftModifier);
    key(Qt::Key_Escape);
    EXPECT_EQ(f->session().history().count(), 1) << "only the marquee";
    EXPECT_FALSE(f->session().history().canRedo()) << "nothing left to redo either";
    EXPECT_EQ(blueAt(f, 3, 3), 0);
    EXPECT_EQ(blueAt(f, 13, 8), 255);
    EXPECT_EQ(f->session().selection().mask().bounds(), (Rect{2, 2, 6, 6}));
}

TEST_F(MoveToolTest, AltMovesTheOutlineAloneAndArrowsNudge) {
    DocumentFrame* f = frame();
    selectBlackSquare(f);
    drag(f, at(3, 3), at(8, 3), Qt::AltModifier);
    EXPECT_EQ(f->session().selection().mask().bounds(), (Rect{7, 2, 11, 6}));
    EXPECT_EQ(blueAt(f, 3, 3), 0) << "the pixels stay";
    EXPECT_EQ(f->session().history().undoName(), "Move Selection Outline");
    key(Qt::Key_Right);
    key(Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(f->session().history().count(), 3) << "marquee, outline, one state for the nudges";
    EXPECT_EQ(f->session().selection().mask().bounds(), (Rect{8, 12, 12, 16}));
    window->executeCommand(kCmdDeselect);
    EXPECT_EQ(f->session().history().undoName(), "Deselect") << "Deselect ends the float after it";
    window->executeCommand(kCmdUndo);
    window->executeCommand(kCmdUndo);
    EXPECT_EQ(f->session().selection().mask().bounds(), (Rect{7, 2, 11, 6}));
    EXPECT_EQ(f->session().history().redoName(), "Move Selection") << "the nudges moved the selected pixels";
}

} // namespace
} // namespace pict::qt::test
