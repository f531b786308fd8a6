#include "app/qt/panels/HistoryPanel.h"
#include "app/qt/panels/LayersPanel.h"
#include "app/qt/window/CommandActions.h"
#include "document/Document.h"
#include "history/HistoryManager.h"
#include "qt/MainWindowFixture.h"

#include <QAction>
#include <QListWidget>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QSpinBox>
#include <QTest>

namespace pict::qt::test {
namespace {

class HistoryPanelTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        panel = window->findChild<HistoryPanel*>();
        ASSERT_NE(panel, nullptr);
    }

    QListWidget* list() const { return panel->list(); }
    QStringList rowTexts() const {
        QStringList out;
        for (int i = 0; i < list()->count(); ++i)
            out << list()->item(i)->text();
        return out;
    }
    void clickRow(int row) {
        QListWidgetItem* item = list()->item(row);
        ASSERT_NE(item, nullptr);
        QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, list()->visualItemRect(item).center());
    }
    bool grayed(int row) const {
        return list()->item(row)->foreground().color() == list()->palette().color(QPalette::Disabled, QPalette::Text);
    }
    QString menuText(uint16_t id) const { return window->actions().action(id)->text(); }

    HistoryPanel* panel = nullptr;
};

TEST_F(HistoryPanelTest, IsADockToggledFromTheViewMenu) {
    EXPECT_EQ(panel->windowTitle(), "History");
    EXPECT_EQ(window->dockWidgetArea(panel), Qt::RightDockWidgetArea);
    QMenu* view = nullptr;
    for (QAction* action : window->menuBar()->actions())
        if (action->text() == "&View")
            view = action->menu();
    ASSERT_NE(view, nullptr);
    EXPECT_TRUE(view->actions().contains(panel->toggleViewAction()));
    EXPECT_EQ(list()->count(), 0) << "no document";
}

TEST_F(HistoryPanelTest, FollowsCommandsAndClicksWalkTheHistory) {
    DocumentFrame* frame = addBlank(20, 10);
    EXPECT_EQ(rowTexts(), QStringList{"New"});
    EXPECT_EQ(list()->currentRow(), 0);
    EXPECT_EQ(menuText(kCmdUndo), "Undo\tCtrl+Z");
    EXPECT_EQ(menuText(kCmdRedo), "Redo\tCtrl+Y");

    window->executeCommand(kCmdInvert);
    window->executeCommand(kCmdSelectAll);
    window->executeCommand(kCmdDesaturate);
    const HistoryManager& history = frame->session().history();
    ASSERT_EQ(history.count(), 3);
    ASSERT_EQ(list()->count(), 4);
    EXPECT_EQ(list()->item(2)->text(), QString::fromStdString(history.stateAt(1)->name()));
    EXPECT_EQ(list()->currentRow(), 3);
    EXPECT_EQ(menuText(kCmdUndo), QString::fromStdString("Undo " + history.stateAt(2)->name() + "\tCtrl+Z"));

    clickRow(1);
    EXPECT_EQ(history.position(), 0);
    EXPECT_EQ(list()->currentRow(), 1);
    EXPECT_FALSE(grayed(0));
    EXPECT_FALSE(grayed(1));
    EXPECT_TRUE(grayed(2));
    EXPECT_TRUE(grayed(3));
    EXPECT_EQ(menuText(kCmdRedo), QString::fromStdString("Redo " + history.stateAt(1)->name() + "\tCtrl+Y"));

    clickRow(0);
    EXPECT_EQ(history.position(), -1);
    EXPECT_FALSE(frame->document().isModified()) << "back to the new picture";
    EXPECT_EQ(menuText(kCmdUndo), "Undo\tCtrl+Z");

    clickRow(3);
    EXPECT_EQ(history.position(), 2);
    EXPECT_FALSE(grayed(3));

    // Undo from the menu moves the highlight; Purge leaves the origin alone.
    window->executeCommand(kCmdUndo);
    EXPECT_EQ(list()->currentRow(), 2);
    EXPECT_TRUE(grayed(3));
    window->executeCommand(kCmdPurgeUndo);
    EXPECT_EQ(rowTexts(), QStringList{"New"});
}

TEST_F(HistoryPanelTest, ShowsTheActiveWindowsHistory) {
    DocumentFrame* first = addBlank(20, 10, "One");
    window->executeCommand(kCmdInvert);
    addBlank(20, 10, "Two");
    EXPECT_EQ(list()->count(), 1);
    window->documentArea()->setActiveSubWindow(first);
    EXPECT_EQ(list()->count(), 2);
    EXPECT_EQ(panel->frame(), first);
}

// Typed into the Layers panel key by key, "50" is one step.
TEST_F(HistoryPanelTest, TypingFiftyIntoTheOpacityFieldIsOneStep) {
    DocumentFrame* frame = addBlank(20, 10);
    auto* layers = window->findChild<LayersPanel*>();
    ASSERT_NE(layers, nullptr);
    layers->createAction()->trigger();
    QSpinBox* opacity = layers->opacityEdit();
    ASSERT_TRUE(opacity->isEnabled());
    opacity->setFocus();
    opacity->selectAll();
    QTest::keyClicks(opacity, QStringLiteral("50"));
    const HistoryManager& history = frame->session().history();
    EXPECT_EQ(frame->document().layers().active()->opacity(), 128);
    ASSERT_EQ(history.count(), 2);
    EXPECT_EQ(history.undoName(), "Master Opacity Change");
    EXPECT_EQ(rowTexts(), (QStringList{"New", "New Layer", "Master Opacity Change"}));
    window->executeCommand(kCmdUndo);
    EXPECT_EQ(frame->document().layers().active()->opacity(), 255);
}

} // namespace
} // namespace pict::qt::test
