#include "app/qt/panels/LayerListWidget.h"
#include "app/qt/panels/LayersPanel.h"
#include "history/HistoryManager.h"
#include "qt/MainWindowFixture.h"
#include "qt/ModalAnswer.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>

namespace pict::qt::test {
namespace {

class LayersPanelTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        panel = window->findChild<LayersPanel*>();
        ASSERT_NE(panel, nullptr);
    }

    // A document with Background, Layer 1 and Layer 2 (active), made with the panel's button.
    DocumentFrame* threeLayers() {
        DocumentFrame* frame = addBlank(40, 30);
        panel->createAction()->trigger();
        panel->createAction()->trigger();
        return frame;
    }
    QWidget* viewport() const { return panel->list()->viewport(); }
    static QPoint onName(int row) { return {90, row * LayerRowGeometry::kRowHeight + 18}; }
    static QPoint onVisibility(int row) { return {8, row * LayerRowGeometry::kRowHeight + 18}; }
    void click(int row, Qt::KeyboardModifiers modifiers = {}) {
        QTest::mouseClick(viewport(), Qt::LeftButton, modifiers, onName(row));
    }
    static std::string undoName(DocumentFrame* frame) { return frame->session().history().undoName(); }

    LayersPanel* panel = nullptr;
};

TEST_F(LayersPanelTest, IsADockToggledFromTheViewMenu) {
    EXPECT_EQ(panel->windowTitle(), "Layers");
    EXPECT_EQ(window->dockWidgetArea(panel), Qt::RightDockWidgetArea);
    QMenu* view = nullptr;
    for (QAction* action : window->menuBar()->actions())
        if (action->text() == "&View")
            view = action->menu();
    ASSERT_NE(view, nullptr);
    EXPECT_TRUE(view->actions().contains(panel->toggleViewAction()));
    EXPECT_EQ(panel->modeList()->count(), 19);
    EXPECT_EQ(panel->modeList()->itemText(0), "Normal");
    EXPECT_EQ(panel->opacityEdit()->suffix(), "%");
    EXPECT_EQ(panel->createAction()->text(), "Create a new layer");
    EXPECT_EQ(panel->deleteAction()->text(), "Delete layer");
}

TEST_F(LayersPanelTest, WithoutDocumentEverythingIsOff) {
    EXPECT_EQ(panel->frame(), nullptr);
    EXPECT_EQ(panel->model().rowCount(), 0);
    EXPECT_FALSE(panel->createAction()->isEnabled());
    EXPECT_FALSE(panel->deleteAction()->isEnabled());
    EXPECT_FALSE(panel->modeList()->isEnabled());
    EXPECT_FALSE(panel->opacityEdit()->isEnabled());
}

TEST_F(LayersPanelTest, CreateButtonAddsLayersListedTopFirst) {
    DocumentFrame* frame = threeLayers();
    EXPECT_EQ(undoName(frame), "New Layer");
    ASSERT_EQ(panel->model().rowCount(), 3);
    EXPECT_EQ(panel->model().row(0).name, "Layer 2");
    EXPECT_EQ(panel->model().row(2).name, "Background");
    EXPECT_EQ(panel->model().selectedRows(), (std::vector<int32_t>{0}));
    EXPECT_TRUE(panel->deleteAction()->isEnabled());
    EXPECT_TRUE(panel->modeList()->isEnabled());
}

TEST_F(LayersPanelTest, ClickingARowMakesItsLayerActive) {
    DocumentFrame* frame = threeLayers();
    click(1);
    EXPECT_EQ(frame->document().layers().active()->name(), "Layer 1");
    click(2);
    EXPECT_EQ(frame->document().layers().activeIndex(), 0);
    EXPECT_FALSE(panel->modeList()->isEnabled()) << "the background";
    EXPECT_EQ(panel->modeList()->currentIndex(), 0);
    EXPECT_EQ(panel->opacityEdit()->value(), 100);
    EXPECT_FALSE(window->isCommandEnabled(kCmdLayerProperties));
}

TEST_F(LayersPanelTest, TwoSelectedRowsEnableMergeLayers) {
    DocumentFrame* frame = threeLayers();
    EXPECT_FALSE(window->isCommandEnabled(kCmdMergeLayers));
    EXPECT_TRUE(window->isCommandEnabled(kCmdMergeDown));
    // The new layers hold no pixels yet: the merge takes the background with one of them.
    click(2, Qt::ControlModifier);
    EXPECT_EQ(panel->model().selectedRows(), (std::vector<int32_t>{0, 2}));
    EXPECT_TRUE(window->isCommandEnabled(kCmdMergeLayers));
    EXPECT_FALSE(window->isCommandEnabled(kCmdMergeDown));
    EXPECT_FALSE(window->isCommandEnabled(kCmdToggleLayerVisibility));
    EXPECT_FALSE(panel->opacityEdit()->isEnabled());
    window->executeCommand(kCmdMergeLayers);
    EXPECT_EQ(undoName(frame), "Merge Layers");
    EXPECT_EQ(panel->model().rowCount(), 2) << "the merge rebuilt the rows";
}

TEST_F(LayersPanelTest, VisibilityColumnFlipsWithoutHistory) {
    DocumentFrame* frame = threeLayers();
    const int32_t states = frame->session().history().count();
    QTest::mouseClick(viewport(), Qt::LeftButton, {}, onVisibility(1));
    EXPECT_FALSE(frame->document().layers().layerAt(1)->isVisible());
    EXPECT_EQ(frame->session().history().count(), states);
    EXPECT_EQ(panel->model().selectedRows(), (std::vector<int32_t>{0}));
    QTest::mouseClick(viewport(), Qt::LeftButton, {}, onVisibility(0));
    EXPECT_FALSE(panel->modeList()->isEnabled()) << "the selected layer is hidden";
    QTest::mouseClick(viewport(), Qt::LeftButton, {}, onVisibility(0));
    EXPECT_TRUE(panel->modeList()->isEnabled());
}

TEST_F(LayersPanelTest, RenameInPlace) {
    DocumentFrame* frame = threeLayers();
    QTest::mouseDClick(viewport(), Qt::LeftButton, {}, onName(1));
    QLineEdit* editor = panel->list()->nameEditor();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->text(), "Layer 1");
    editor->setText("Shadow");
    QTest::keyClick(editor, Qt::Key_Return);
    EXPECT_EQ(panel->list()->nameEditor(), nullptr);
    EXPECT_EQ(frame->document().layers().layerAt(1)->name(), "Shadow");
    EXPECT_EQ(undoName(frame), "Layer Properties");
    EXPECT_EQ(panel->model().row(1).name, "Shadow");

    QTest::mouseDClick(viewport(), Qt::LeftButton, {}, onName(1));
    ASSERT_NE(panel->list()->nameEditor(), nullptr);
    panel->list()->nameEditor()->setText("Dropped");
    QTest::keyClick(panel->list()->nameEditor(), Qt::Key_Escape);
    EXPECT_EQ(frame->document().layers().layerAt(1)->name(), "Shadow") << "Escape cancels";

    QTest::mouseDClick(viewport(), Qt::LeftButton, {}, onName(2));
    EXPECT_EQ(panel->list()->nameEditor(), nullptr) << "the background keeps its name";
}

TEST_F(LayersPanelTest, ModeAndOpacityGoToTheSelectedLayer) {
    DocumentFrame* frame = threeLayers();
    click(1);
    panel->modeList()->setCurrentIndex(kBlendScreen);
    EXPECT_EQ(frame->document().layers().layerAt(1)->blendMode(), kBlendScreen);
    EXPECT_EQ(undoName(frame), "Blending Change");
    panel->opacityEdit()->setValue(50);
    EXPECT_EQ(frame->document().layers().layerAt(1)->opacity(), 128);
    EXPECT_EQ(undoName(frame), "Master Opacity Change");

    click(0);
    EXPECT_EQ(panel->modeList()->currentIndex(), kBlendNormal);
    EXPECT_EQ(panel->opacityEdit()->value(), 100);
    click(1);
    EXPECT_EQ(panel->modeList()->currentIndex(), kBlendScreen);
    EXPECT_EQ(panel->opacityEdit()->value(), 50);

    window->executeCommand(kCmdUndo);
    EXPECT_EQ(panel->opacityEdit()->value(), 100) << "undo shows in the panel";
}

TEST_F(LayersPanelTest, ArrowKeysAndUndoMoveTheActiveLayer) {
    DocumentFrame* frame = threeLayers();
    QTest::keyClick(panel->list(), Qt::Key_Down);
    EXPECT_EQ(frame->document().layers().active()->name(), "Layer 1");
    QTest::keyClick(panel->list(), Qt::Key_Down);
    EXPECT_FALSE(panel->modeList()->isEnabled()) << "the background";
    EXPECT_FALSE(window->isCommandEnabled(kCmdMergeDown));

    window->executeCommand(kCmdFlattenImage);
    EXPECT_EQ(panel->model().rowCount(), 1);
    window->executeCommand(kCmdUndo);
    ASSERT_EQ(panel->model().rowCount(), 3) << "the undone flatten brings the rows back";
    EXPECT_EQ(panel->model().row(panel->model().focusedRow()).layer, frame->document().layers().active());
}

TEST_F(LayersPanelTest, DeleteButtonAsksFirst) {
    DocumentFrame* frame = threeLayers();
    click(1);
    QString asked;
    answerNextModal<QMessageBox>([&](QMessageBox& box) {
        asked = box.text();
        box.button(QMessageBox::No)->click();
    });
    panel->deleteAction()->trigger();
    EXPECT_EQ(asked, "Delete layer \"Layer 1\"?        ");
    EXPECT_EQ(panel->model().rowCount(), 3);

    answerNextModal<QMessageBox>([](QMessageBox& box) { box.button(QMessageBox::Yes)->click(); });
    panel->deleteAction()->trigger();
    EXPECT_EQ(undoName(frame), "Delete Layer");
    ASSERT_EQ(panel->model().rowCount(), 2);
    EXPECT_EQ(panel->model().row(0).name, "Layer 2");
}

TEST_F(LayersPanelTest, FollowsTheActiveDocument) {
    DocumentFrame* first = threeLayers();
    DocumentFrame* second = addBlank(20, 20, "Untitled-10");
    EXPECT_EQ(panel->frame(), second);
    EXPECT_EQ(panel->model().rowCount(), 1);
    EXPECT_FALSE(panel->deleteAction()->isEnabled());

    window->documentArea()->setActiveSubWindow(first);
    EXPECT_EQ(panel->frame(), first);
    EXPECT_EQ(panel->model().rowCount(), 3);
    panel->createAction()->trigger();
    EXPECT_EQ(first->document().layers().count(), 4);
    EXPECT_EQ(second->document().layers().count(), 1) << "the change went to the shown document";

    // A change made in the menus shows too.
    window->executeCommand(kCmdFlattenImage);
    EXPECT_EQ(panel->model().rowCount(), 1);

    first->document().setModified(false);
    second->document().setModified(false);
    window->closeAllDocuments();
    EXPECT_EQ(panel->frame(), nullptr);
    EXPECT_EQ(panel->model().rowCount(), 0);
}

} // namespace
} // namespace pict::qt::test
