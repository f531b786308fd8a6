#include "app/qt/canvas/CanvasWidget.h"
#include "app/qt/window/CommandActions.h"
#include "app/qt/panels/InfoPanel.h"
#include "app/qt/panels/SwatchesInfoDocks.h"
#include "app/qt/panels/SwatchesPanel.h"
#include "qt/MainWindowFixture.h"
#include "selection/SelectionController.h"

#include <QAction>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QTest>

namespace pict::qt::test {
namespace {

class SwatchesInfoPanelsTest : public MainWindowTest {
protected:
    SwatchesPanel* swatches() const { return SwatchesInfoDocks::of(*window)->swatches(); }
    InfoPanel* info() const { return SwatchesInfoDocks::of(*window)->info(); }

    static void moveOver(QWidget* target, QPoint at, Qt::KeyboardModifiers modifiers = {}) {
        QMouseEvent event(QEvent::MouseMove, QPointF(at), target->mapToGlobal(QPointF(at)), Qt::NoButton,
                          Qt::NoButton, modifiers);
        QApplication::sendEvent(target, &event);
    }
    std::vector<QString> fields() const {
        std::vector<QString> out;
        for (int32_t i = 0; i < kInfoFieldCount; ++i)
            out.push_back(info()->fieldText(static_cast<InfoField>(i)));
        return out;
    }
    // The grid point in the middle of swatch cell `index`, with the grid scrolled to the top.
    QPoint cellCentre(size_t index) const {
        const int32_t columns = swatches()->model().layout().columns;
        return QPoint(static_cast<int>(index % columns) * 12 + 5, static_cast<int>(index / columns) * 12 + 5);
    }
};

TEST_F(SwatchesInfoPanelsTest, BothDocksShowWithTogglesInTheViewMenu) {
    ASSERT_NE(SwatchesInfoDocks::of(*window), nullptr);
    EXPECT_EQ(swatches()->windowTitle(), "Swatches");
    EXPECT_EQ(info()->windowTitle(), "Info");
    EXPECT_TRUE(swatches()->isVisible());
    EXPECT_TRUE(info()->isVisible());
    EXPECT_TRUE(swatches()->features().testFlag(QDockWidget::DockWidgetFloatable));
    QMenu* view = nullptr;
    for (QAction* entry : window->menuBar()->actions())
        if (entry->menu() && entry->menu()->title() == "&View")
            view = entry->menu();
    ASSERT_NE(view, nullptr);
    EXPECT_TRUE(view->actions().contains(swatches()->toggleViewAction()));
    const QList<QAction*> entries = view->actions();
    const qsizetype at = entries.indexOf(swatches()->toggleViewAction());
    ASSERT_GT(at, 0);
    EXPECT_TRUE(entries[at - 1]->isSeparator()) << "one separator before the panels' toggles";
    ASSERT_GT(entries.size(), at + 1);
    EXPECT_EQ(entries[at + 1], info()->toggleViewAction());
    for (qsizetype i = at; i < entries.size(); ++i)
        EXPECT_FALSE(entries[i]->isSeparator()) << "the other panels' toggles join without another";
    swatches()->toggleViewAction()->trigger();
    EXPECT_FALSE(swatches()->isVisible());
    EXPECT_EQ(swatches()->buttonAction(kCmdNewSwatch)->toolTip(), "Create a new swatch");
    EXPECT_EQ(swatches()->buttonAction(kCmdDeleteSwatch)->toolTip(), "Delete swatch");
}

TEST_F(SwatchesInfoPanelsTest, TheGridShowsTheModelsPixels) {
    QWidget* grid = swatches()->gridArea();
    const QImage shown = grid->grab().toImage();
    ASSERT_GE(shown.width(), 24);
    EXPECT_EQ(shown.pixel(5, 5) & 0xFFFFFF, 0xFF0000u) << "red first";
    EXPECT_EQ(shown.pixel(11, 5) & 0xFFFFFF, 0x000000u) << "its grid line";
    EXPECT_EQ(shown.pixel(17, 5) & 0xFFFFFF, 0xFFFF00u) << "then yellow";
}

TEST_F(SwatchesInfoPanelsTest, APickedSwatchIsWhatAltDeleteFillsWith) {
    DocumentFrame* frame = frameWithClient(20, 10, QSize(100, 60));
    QWidget* grid = swatches()->gridArea();
    QTest::mouseClick(grid, Qt::LeftButton, {}, cellCentre(4)); // 0000FF
    EXPECT_EQ(window->context().foregroundColor.rgb(), 0x0000FFu);
    EXPECT_TRUE(grid->hasFocus()) << "the panel takes the keyboard focus";
    QTest::mouseClick(grid, Qt::LeftButton, Qt::ControlModifier, cellCentre(2)); // 00FF00
    EXPECT_EQ(window->context().backgroundColor.rgb(), 0x00FF00u);
    EXPECT_EQ(window->context().foregroundColor.rgb(), 0x0000FFu);

    window->actions().action(kCmdFillForeground)->trigger(); // Alt+Delete
    processEventsFor(10);
    // (100 - 20) / 2 = 40, (60 - 10) / 2 = 25: the image's top-left in the drawing area.
    EXPECT_EQ(frame->canvas()->picture().pixel(45, 30) & 0xFFFFFF, 0x0000FFu);
    window->actions().action(kCmdFillBackground)->trigger(); // Ctrl+Delete
    EXPECT_EQ(frame->canvas()->picture().pixel(45, 30) & 0xFFFFFF, 0x00FF00u);
}

TEST_F(SwatchesInfoPanelsTest, ButtonsAddTheCurrentColorAndDeleteTheLast) {
    SwatchesPanelModel& model = swatches()->model();
    QTest::mouseClick(swatches()->gridArea(), Qt::LeftButton, {}, cellCentre(21)); // ED008C
    ASSERT_EQ(window->context().foregroundColor.rgb(), 0xED008Cu);
    swatches()->buttonAction(kCmdNewSwatch)->trigger();
    ASSERT_EQ(model.swatches().count(), 123u);
    EXPECT_EQ(model.swatches().at(122)->rgb(), 0xED008Cu);
    for (int i = 0; i < 200; ++i)
        swatches()->buttonAction(kCmdDeleteSwatch)->trigger();
    EXPECT_TRUE(model.swatches().isEmpty());
    const QImage empty = swatches()->gridArea()->grab().toImage();
    EXPECT_EQ(empty.pixel(5, 5) & 0xFFFFFF, swatches()->palette().color(QPalette::Window).rgb() & 0xFFFFFF)
        << "nothing but the face color";
}

TEST_F(SwatchesInfoPanelsTest, PointerOverTheCanvasFeedsTheInfoPanel) {
    DocumentFrame* frame = frameWithClient(20, 10, QSize(100, 60));
    QWidget* area = frame->canvas()->viewport();
    moveOver(area, QPoint(43, 27));
    EXPECT_EQ(fields(), (std::vector<QString>{"255", "255", "255", "3", "2", "", ""}));
    moveOver(area, QPoint(10, 10)); // the gray around the image
    EXPECT_EQ(fields(), (std::vector<QString>(7, "")));
    info()->model().setSelectionSize(12, 5);
    EXPECT_EQ(info()->fieldText(InfoField::Width), "12");
    EXPECT_EQ(info()->fieldText(InfoField::Height), "5");

    // A second document window reports as well.
    DocumentFrame* second = frameWithClient(4, 4, QSize(40, 40));
    moveOver(second->canvas()->viewport(), QPoint(21, 18));
    EXPECT_EQ(info()->fieldText(InfoField::X), "3");
    EXPECT_EQ(info()->fieldText(InfoField::Y), "0");
}

TEST_F(SwatchesInfoPanelsTest, TheMarqueeDragShowsItsSizeAndKeepsItAfterRelease) {
    DocumentFrame* frame = frameWithClient(20, 10, QSize(100, 60));
    window->executeCommand(kCmdMarqueeTool);
    QWidget* area = frame->canvas()->viewport();
    // The image sits at (40, 25) in the window at 100 %.
    QTest::mousePress(area, Qt::LeftButton, {}, QPoint(42, 26));
    QTest::mouseMove(area, QPoint(49, 30));
    const QString width = info()->fieldText(InfoField::Width);
    const QString height = info()->fieldText(InfoField::Height);
    EXPECT_FALSE(width.isEmpty());
    EXPECT_FALSE(height.isEmpty());
    QTest::mouseRelease(area, Qt::LeftButton, {}, QPoint(49, 30));
    EXPECT_EQ(info()->fieldText(InfoField::Width), width);
    EXPECT_EQ(info()->fieldText(InfoField::Height), height);
    const Rect selected = frame->session().selection().mask().bounds();
    EXPECT_EQ(width.toInt(), selected.width());
    EXPECT_EQ(height.toInt(), selected.height());
}

// W and H show the selection's size only while there is a selection, whatever made or
// removed it, and follow the active window.
TEST_F(SwatchesInfoPanelsTest, TheSizeFieldsFollowTheSelection) {
    DocumentFrame* frame = frameWithClient(20, 10, QSize(100, 60));
    window->executeCommand(kCmdMarqueeTool);
    QWidget* area = frame->canvas()->viewport();
    QTest::mousePress(area, Qt::LeftButton, {}, QPoint(42, 26));
    QTest::mouseMove(area, QPoint(49, 30));
    QTest::mouseRelease(area, Qt::LeftButton, {}, QPoint(49, 30));
    const QString dragged = info()->fieldText(InfoField::Width);
    ASSERT_FALSE(dragged.isEmpty());
    window->executeCommand(kCmdDeselect);
    EXPECT_EQ(info()->fieldText(InfoField::Width), "");
    EXPECT_EQ(info()->fieldText(InfoField::Height), "");
    window->executeCommand(kCmdUndo);
    EXPECT_EQ(info()->fieldText(InfoField::Width), dragged) << "the selection is back, and its size";
    window->executeCommand(kCmdSelectAll);
    EXPECT_EQ(info()->fieldText(InfoField::Width), "20");
    EXPECT_EQ(info()->fieldText(InfoField::Height), "10");

    DocumentFrame* other = frameWithClient(8, 8, QSize(40, 40));
    EXPECT_EQ(info()->fieldText(InfoField::Width), "") << "the new window has no selection";
    window->documentArea()->setActiveSubWindow(frame);
    EXPECT_EQ(info()->fieldText(InfoField::Width), "20");
    window->documentArea()->setActiveSubWindow(other);
    window->executeCommand(kCmdSelectAll);
    EXPECT_EQ(info()->fieldText(InfoField::Width), "8");
}

TEST_F(SwatchesInfoPanelsTest, PointerOverASwatchShowsItsColor) {
    moveOver(swatches()->gridArea(), cellCentre(16)); // EE1D24
    EXPECT_EQ(info()->fieldText(InfoField::Red), "238");
    EXPECT_EQ(info()->fieldText(InfoField::Green), "29");
    EXPECT_EQ(info()->fieldText(InfoField::Blue), "36");
}

} // namespace
} // namespace pict::qt::test
