// The painting, picking and selection tools driven through the drawing area and the keys:
// one-key shortcuts (inert in a text field), the options bar, strokes, the lasso, the
// magic wand, the picker and the marquee's modes and ellipse.

#include "app/qt/widgets/ToolOptionsBar.h"
#include "app/qt/window/CommandActions.h"
#include "document/Layer.h"
#include "history/HistoryManager.h"
#include "qt/MainWindowFixture.h"
#include "selection/SelectionController.h"

#include <QCheckBox>
#include <QPointingDevice>
#include <QSpinBox>
#include <QTabletEvent>
#include <QTest>

namespace pict::qt::test {
namespace {

class PaintingToolsTest : public MainWindowTest {
protected:
    // A 64 x 48 white image in a 200 x 100 drawing area: image pixel (x, y) is drawn at
    // window (68 + x, 26 + y).
    DocumentFrame* frame() {
        DocumentFrame* f = frameWithClient(64, 48, QSize(200, 100));
        f->canvas()->setFocus();
        return f;
    }
    static QWidget* area(DocumentFrame* f) { return f->canvas()->viewport(); }
    static QPoint at(int x, int y) { return QPoint(68 + x, 26 + y); }
    static const uint8_t* pixel(DocumentFrame* f, int x, int y) {
        return f->document().layers().rasterAt(0)->colorAt(x, y);
    }
    static bool isWhite(DocumentFrame* f, int x, int y) {
        const uint8_t* p = pixel(f, x, y);
        return p[0] == 255 && p[1] == 255 && p[2] == 255;
    }
    void key(int k, Qt::KeyboardModifiers modifiers = {}) {
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : window.get(), Qt::Key(k),
                        modifiers);
    }
};

TEST_F(PaintingToolsTest, OneKeyShortcutsChooseTheTools) {
    DocumentFrame* f = frame();
    const std::pair<int, int32_t> keys[] = {
        {Qt::Key_B, kToolBrush},       {Qt::Key_N, kToolPencil},      {Qt::Key_E, kToolEraser},
        {Qt::Key_I, kToolColorPicker}, {Qt::Key_K, kToolPaintBucket}, {Qt::Key_G, kToolGradient},
        {Qt::Key_L, kToolLasso},       {Qt::Key_W, kToolMagicWand},   {Qt::Key_M, kToolMarquee},
        {Qt::Key_C, kToolCrop},        {Qt::Key_H, kToolHand},        {Qt::Key_Z, kToolZoomIn},
    };
    for (auto [k, tool] : keys) {
        key(k);
        EXPECT_EQ(window->currentTool(), tool) << k;
        EXPECT_EQ(f->canvas()->tool(), tool) << k;
    }
    const bool ellipse = window->settings().tools.ellipseMarquee;
    key(Qt::Key_M, Qt::ShiftModifier);
    EXPECT_EQ(window->currentTool(), kToolMarquee);
    EXPECT_NE(window->settings().tools.ellipseMarquee, ellipse);
    const bool polygonal = window->settings().tools.polygonalLasso;
    key(Qt::Key_L, Qt::ShiftModifier);
    EXPECT_EQ(window->currentTool(), kToolLasso);
    EXPECT_NE(window->settings().tools.polygonalLasso, polygonal);
}

TEST_F(PaintingToolsTest, XSwapsAndDResetsTheColors) {
    frame();
    window->executeCommand(kCmdSwapColors);
    EXPECT_EQ(window->context().foregroundColor.rgb(), 0xFFFFFFu);
    EXPECT_EQ(window->context().backgroundColor.rgb(), 0x000000u);
    key(Qt::Key_X);
    EXPECT_EQ(window->context().foregroundColor.rgb(), 0x000000u);
    key(Qt::Key_X);
    key(Qt::Key_D);
    EXPECT_EQ(window->context().foregroundColor.rgb(), 0x000000u);
    EXPECT_EQ(window->context().backgroundColor.rgb(), 0xFFFFFFu);
}

TEST_F(PaintingToolsTest, TheOptionsBarFollowsTheToolAndKeysAreInertInItsFields) {
    frame();
    key(Qt::Key_B);
    ToolOptionsBar* bar = window->toolOptionsBar();
    ASSERT_NE(bar, nullptr);
    auto* size = bar->findChild<QSpinBox*>(QStringLiteral("brush.size"));
    ASSERT_NE(size, nullptr);
    size->setValue(33);
    EXPECT_EQ(window->settings().tools.brush.size, 33);
    // Typing into the field: the letters do not switch tools.
    size->setFocus();
    QTest::keyClick(size, Qt::Key_E);
    QTest::keyClick(size, Qt::Key_2);
    EXPECT_EQ(window->currentTool(), kToolBrush);
    const int typed = size->value();
    EXPECT_NE(typed, 33) << "the digit went into the field";
    EXPECT_EQ(window->settings().tools.brush.size, typed);
    key(Qt::Key_W);
    processEventsFor(5);
    EXPECT_EQ(bar->findChild<QSpinBox*>(QStringLiteral("brush.size")), nullptr) << "the wand's controls now";
    EXPECT_NE(bar->findChild<QSpinBox*>(QStringLiteral("wand.tolerance")), nullptr);

    // Remembered in the settings file.
    ASSERT_TRUE(window->saveSettings());
    AppSettings reread;
    ASSERT_TRUE(reread.loadFromFile(location.file));
    EXPECT_EQ(reread.tools.brush.size, typed);
}

TEST_F(PaintingToolsTest, ABrushDragPaintsOneUndoableStroke) {
    DocumentFrame* f = frame();
    window->executeCommand(kCmdBrushTool);
    EXPECT_EQ(f->canvas()->cursorShown(), CanvasCursor::Precise);
    QTest::mousePress(area(f), Qt::LeftButton, {}, at(10, 10));
    QTest::mouseMove(area(f), at(30, 12));
    EXPECT_TRUE(f->toolInput().strokeTool().isPainting());
    EXPECT_FALSE(isWhite(f, 20, 11)) << "painted while dragging";
    QTest::mouseMove(area(f), at(40, 30));
    QTest::mouseRelease(area(f), Qt::LeftButton, {}, at(40, 30));
    EXPECT_EQ(f->session().history().count(), 1);
    EXPECT_EQ(f->session().history().undoName(), "Brush");
    EXPECT_TRUE(f->document().isModified());
    window->executeCommand(kCmdUndo);
    EXPECT_TRUE(isWhite(f, 20, 11));
    EXPECT_TRUE(isWhite(f, 10, 10));
}

// A pen on a tablet: its pressure drives the brush size when the option is on. The events go
// where the window system sends them, to the drawing area.
TEST_F(PaintingToolsTest, ATabletPenPaintsThickerWhereItPressesHarder) {
    DocumentFrame* f = frame();
    window->executeCommand(kCmdBrushTool);
    window->settings().tools.brush.size = 15;
    window->settings().tools.brush.hardness = 100;
    window->settings().tools.brush.pressureSize = true;
    const QPointingDevice pen(QStringLiteral("test pen"), 7, QInputDevice::DeviceType::Stylus,
                              QPointingDevice::PointerType::Pen,
                              QInputDevice::Capability::Position | QInputDevice::Capability::Pressure, 1, 3);
    const auto send = [&](QEvent::Type type, QPoint where, double pressure) {
        const QPointF local(where);
        QTabletEvent event(type, &pen, local, area(f)->mapToGlobal(local), pressure, 0, 0, 0, 0, 0, {},
                           Qt::LeftButton, type == QEvent::TabletRelease ? Qt::NoButton : Qt::LeftButton);
        QApplication::sendEvent(area(f), &event);
        return event.isAccepted();
    };
    EXPECT_TRUE(send(QEvent::TabletPress, at(8, 24), 0.2));
    for (int x = 10; x <= 56; x += 2)
        send(QEvent::TabletMove, at(x, 24), 0.2 + 0.8 * (x - 8) / 48.0);
    send(QEvent::TabletRelease, at(56, 24), 1.0);
    EXPECT_EQ(f->session().history().count(), 1);
    // The painted height of a column: light pressure at the left, full at the right.
    const auto paintedHeight = [&](int x) {
        int height = 0;
        for (int y = 0; y < 48; ++y)
            height += isWhite(f, x, y) ? 0 : 1;
        return height;
    };
    EXPECT_GE(paintedHeight(12), 1);
    EXPECT_LE(paintedHeight(12), 6);
    EXPECT_GE(paintedHeight(54), 13);
    EXPECT_LE(paintedHeight(54), 16);

    // Without the option the pen paints at the full size all along.
    window->executeCommand(kCmdUndo);
    window->settings().tools.brush.pressureSize = false;
    send(QEvent::TabletPress, at(8, 24), 0.2);
    send(QEvent::TabletMove, at(56, 24), 0.6);
    send(QEvent::TabletRelease, at(56, 24), 1.0);
    EXPECT_EQ(paintedHeight(12), paintedHeight(54));
    EXPECT_GE(paintedHeight(12), 13);
}

TEST_F(PaintingToolsTest, EscapeDropsTheStrokeAndShiftClickDrawsALine) {
    DocumentFrame* f = frame();
    window->executeCommand(kCmdPencilTool);
    QTest::mousePress(area(f), Qt::LeftButton, {}, at(5, 5));
    QTest::mouseMove(area(f), at(20, 5));
    EXPECT_FALSE(isWhite(f, 12, 5));
    QTest::keyClick(f->canvas(), Qt::Key_Escape);
    EXPECT_TRUE(isWhite(f, 12, 5));
    QTest::mouseRelease(area(f), Qt::LeftButton, {}, at(20, 5));
    EXPECT_EQ(f->session().history().count(), 0);

    QTest::mouseClick(area(f), Qt::LeftButton, {}, at(2, 2));
    QTest::mouseClick(area(f), Qt::LeftButton, Qt::ShiftModifier, at(12, 2));
    for (int x = 2; x <= 12; ++x)
        EXPECT_FALSE(isWhite(f, x, 2)) << x;
    EXPECT_EQ(f->session().history().count(), 2);
    EXPECT_EQ(f->session().history().undoName(), "Pencil");
}

TEST_F(PaintingToolsTest, PolygonalLassoClosesWithEnterAndBackspaceDropsACorner) {
    DocumentFrame* f = frame();
    window->settings().tools.polygonalLasso = true;
    window->executeCommand(kCmdLassoTool);
    for (QPoint p : {at(10, 10), at(30, 10), at(50, 40), at(30, 20), at(10, 30)})
        QTest::mouseClick(area(f), Qt::LeftButton, {}, p);
    QTest::keyClick(f->canvas(), Qt::Key_Backspace);
    QTest::keyClick(f->canvas(), Qt::Key_Backspace);
    EXPECT_EQ(f->toolInput().lassoTool().points().size(), 3u);
    QTest::mouseClick(area(f), Qt::LeftButton, {}, at(10, 30));
    QTest::keyClick(f->canvas(), Qt::Key_Return);
    EXPECT_EQ(f->session().history().undoName(), "Polygonal Lasso");
    const Rect bounds = f->session().selection().mask().bounds();
    EXPECT_GE(bounds.left, 10);
    EXPECT_LE(bounds.right, 51);
    EXPECT_GE(bounds.top, 10);
    EXPECT_LE(bounds.bottom, 41);
    EXPECT_TRUE(f->session().selection().mask().containsPoint({15, 15}, true));
}

TEST_F(PaintingToolsTest, FreehandLassoWandAndPicker) {
    DocumentFrame* f = frame();
    window->settings().tools.polygonalLasso = false;
    window->executeCommand(kCmdLassoTool);
    QTest::mousePress(area(f), Qt::LeftButton, {}, at(5, 5));
    for (QPoint p : {at(25, 5), at(25, 25), at(5, 25)})
        QTest::mouseMove(area(f), p);
    QTest::mouseRelease(area(f), Qt::LeftButton, {}, at(5, 25));
    EXPECT_EQ(f->session().history().undoName(), "Lasso");
    EXPECT_TRUE(f->session().selection().mask().containsPoint({15, 15}, true));

    // Paint a red block, then the wand takes it with Shift adding to the selection.
    window->executeCommand(kCmdDeselect);
    window->executeCommand(kCmdSwapColors);
    window->executeCommand(kCmdResetColors);
    f->commands().execute(kCmdSelectAll);
    window->executeCommand(kCmdWindowListFirst); // harmless: keeps the frame active
    window->executeCommand(kCmdMagicWandTool);
    QTest::mouseClick(area(f), Qt::LeftButton, {}, at(40, 40));
    EXPECT_EQ(f->session().history().undoName(), "Magic Wand");
    EXPECT_EQ(f->session().selection().mask().bounds(), (Rect{0, 0, 64, 48})) << "all white, contiguous";

    window->executeCommand(kCmdDeselect);
    window->executeCommand(kCmdPencilTool);
    QTest::mouseClick(area(f), Qt::LeftButton, {}, at(3, 3));
    window->executeCommand(kCmdColorPickerTool);
    QTest::mouseClick(area(f), Qt::RightButton, {}, at(3, 3));
    EXPECT_EQ(window->context().backgroundColor.rgb(), 0x000000u) << "the right button picks the background";
    QTest::mouseClick(area(f), Qt::LeftButton, {}, at(20, 20));
    EXPECT_EQ(window->context().foregroundColor.rgb(), 0xFFFFFFu);
}

TEST_F(PaintingToolsTest, MarqueeTakesItsShapeAndModeFromTheOptionsAndModifiers) {
    DocumentFrame* f = frame();
    window->executeCommand(kCmdMarqueeTool);
    window->settings().tools.ellipseMarquee = true;
    QTest::mousePress(area(f), Qt::LeftButton, {}, at(10, 10));
    QTest::mouseMove(area(f), at(30, 30));
    QTest::mouseRelease(area(f), Qt::LeftButton, {}, at(30, 30));
    EXPECT_EQ(f->session().history().undoName(), "Elliptical Marquee");
    EXPECT_FALSE(f->session().selection().mask().containsPoint({10, 10}, true)) << "the corner is outside";

    window->settings().tools.ellipseMarquee = false;
    QTest::mousePress(area(f), Qt::LeftButton, Qt::ShiftModifier, at(40, 5));
    QTest::mouseMove(area(f), at(50, 15), 0);
    QTest::mouseRelease(area(f), Qt::LeftButton, Qt::ShiftModifier, at(50, 15));
    EXPECT_TRUE(f->session().selection().mask().containsPoint({20, 20}, true)) << "Shift added: the ellipse stays";
    EXPECT_TRUE(f->session().selection().mask().containsPoint({45, 10}, true));
}

TEST_F(PaintingToolsTest, GradientDragAndBucketClickEachRecordOneState) {
    DocumentFrame* f = frame();
    window->executeCommand(kCmdGradientTool);
    QTest::mousePress(area(f), Qt::LeftButton, {}, at(4, 10));
    QTest::mouseMove(area(f), at(40, 10));
    EXPECT_TRUE(f->toolInput().gradientTool().isDragging());
    QTest::keyClick(f->canvas(), Qt::Key_Escape);
    QTest::mouseRelease(area(f), Qt::LeftButton, {}, at(40, 10));
    EXPECT_EQ(f->session().history().count(), 0) << "Escape dropped the drag";

    QTest::mousePress(area(f), Qt::LeftButton, {}, at(4, 10));
    QTest::mouseMove(area(f), at(40, 10));
    QTest::mouseRelease(area(f), Qt::LeftButton, {}, at(40, 10));
    EXPECT_EQ(f->session().history().undoName(), "Gradient");
    EXPECT_EQ(pixel(f, 4, 30)[0], 0) << "the start column is the foreground, black";
    EXPECT_EQ(pixel(f, 40, 30)[0], 255) << "the end column is the background, white";

    window->executeCommand(kCmdPaintBucketTool);
    window->settings().tools.bucket.tolerance = 0;
    window->executeCommand(kCmdSwapColors); // white foreground
    QTest::mouseClick(area(f), Qt::LeftButton, {}, at(2, 2));
    EXPECT_EQ(f->session().history().undoName(), "Paint Bucket");
    EXPECT_EQ(pixel(f, 2, 2)[0], 255);
    EXPECT_EQ(pixel(f, 4, 2)[0], 255) << "the black start column was refilled white";
    EXPECT_NE(pixel(f, 20, 2)[0], 255) << "the grey ramp is another colour";
    EXPECT_EQ(f->session().history().count(), 2);
}

// The wand's Anti-aliasing box: remembered, and the selection's rim comes out soft.
TEST_F(PaintingToolsTest, TheWandsAntiAliasingBoxSoftensTheSelectionsEdge) {
    DocumentFrame* f = frame();
    ASSERT_EQ(f->commands().selectMarquee(Rect{10, 10, 30, 30}, false).outcome, CommandOutcome::Done);
    window->executeCommand(kCmdFillForeground);
    window->executeCommand(kCmdDeselect);
    window->executeCommand(kCmdMagicWandTool);
    auto* box = window->toolOptionsBar()->findChild<QCheckBox*>(QStringLiteral("wand.anti_alias"));
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->text(), "Anti-aliasing");
    EXPECT_FALSE(box->isChecked());
    box->click();
    EXPECT_TRUE(window->settings().tools.wand.antiAlias);
    QTest::mouseClick(area(f), Qt::LeftButton, {}, at(20, 20));
    const SelectionMask& mask = f->session().selection().mask();
    EXPECT_EQ(mask.bounds(), (Rect{10, 10, 30, 30}));
    EXPECT_EQ(mask.coverageAt(20, 20), 255);
    EXPECT_EQ(mask.coverageAt(10, 20), 170);

    ASSERT_TRUE(window->saveSettings());
    AppSettings reread;
    ASSERT_TRUE(reread.loadFromFile(location.file));
    EXPECT_TRUE(reread.tools.wand.antiAlias);
}

} // namespace
} // namespace pict::qt::test
