#include "app/commands/CommandIds.h"
#include "app/settings/RecentFiles.h"
#include "app/qt/window/CommandActions.h"
#include "qt/QtTestApp.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

#include <gtest/gtest.h>

namespace pict::qt {
namespace {

class CommandActionsTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::testApplication();
        window = std::make_unique<QMainWindow>();
        actions = new CommandActions(window.get());
        actions->buildMenus(window->menuBar());
    }

    QMenu* topMenu(const QString& title) const {
        for (QAction* a : window->menuBar()->actions())
            if (a->text() == title)
                return a->menu();
        return nullptr;
    }

    std::unique_ptr<QMainWindow> window;
    CommandActions* actions = nullptr;
};

TEST_F(CommandActionsTest, MenuBarHasTheNineMenusInOrder) {
    QStringList titles;
    for (QAction* a : window->menuBar()->actions())
        titles << a->text();
    EXPECT_EQ(titles, QStringList({"&File", "&Edit", "&Image", "&Layer", "&Select", "Filte&r", "&View", "&Window", "&Help"}));
}

TEST_F(CommandActionsTest, ActionsCarryTheirIdsTextsAndShortcuts) {
    QAction* newAction = actions->action(kCmdNew);
    ASSERT_NE(newAction, nullptr);
    EXPECT_EQ(CommandActions::idOf(newAction), kCmdNew);
    EXPECT_EQ(newAction->text(), "New...\tCtrl+N");
    EXPECT_EQ(newAction->shortcut(), QKeySequence("Ctrl+N"));
    EXPECT_EQ(newAction->statusTip(), "Create a new image");

    // The menu shows the registry's key text; Qt gets both keys.
    QAction* zoomIn = actions->action(kCmdZoomIn);
    EXPECT_EQ(zoomIn->text(), "Zoom In\tNumpad +");
    const QList<QKeySequence> keys = zoomIn->shortcuts();
    ASSERT_EQ(keys.size(), 3);
    EXPECT_EQ(keys[0], QKeySequence(Qt::KeypadModifier | Qt::Key_Plus));
    EXPECT_EQ(keys[1], QKeySequence(Qt::CTRL | Qt::Key_Plus));
    EXPECT_EQ(keys[2], QKeySequence(Qt::CTRL | Qt::Key_Equal));
}

TEST_F(CommandActionsTest, AcceleratorsWithoutMenuItemsStillWork) {
    // Alt+Delete fills with the foreground color; it is in no menu, but on the window.
    QAction* fill = actions->action(kCmdFillForeground);
    ASSERT_NE(fill, nullptr);
    EXPECT_TRUE(window->actions().contains(fill));
    EXPECT_EQ(fill->shortcut(), QKeySequence(Qt::ALT | Qt::Key_Delete));
    // Undo answers to Alt+Backspace as well, though its menu item shows Ctrl+Z only.
    QAction* undo = actions->action(kCmdUndo);
    EXPECT_EQ(undo->text(), "Undo	Ctrl+Z");
    EXPECT_EQ(undo->shortcuts(), QList<QKeySequence>({QKeySequence(Qt::CTRL | Qt::Key_Z),
                                                      QKeySequence(Qt::ALT | Qt::Key_Backspace)}));
}

TEST_F(CommandActionsTest, TriggeringReportsTheId) {
    QList<uint16_t> seen;
    QObject::connect(actions, &CommandActions::commandTriggered, [&](uint16_t id) { seen << id; });
    actions->action(kCmdInvert)->trigger();
    actions->action(kCmdZoom10)->trigger();
    EXPECT_EQ(seen, QList<uint16_t>({kCmdInvert, kCmdZoom10}));
}

TEST_F(CommandActionsTest, SubmenusNestUnderTheirParents) {
    QMenu* image = topMenu("&Image");
    ASSERT_NE(image, nullptr);
    QMenu* adjustments = nullptr;
    for (QAction* a : image->actions())
        if (a->menu() && a->text() == "&Adjustments")
            adjustments = a->menu();
    ASSERT_NE(adjustments, nullptr);
    EXPECT_TRUE(adjustments->actions().contains(actions->action(kCmdLevels)));
    // Fit in Window is both in View and in its Canvas Zoom submenu: one action, two places.
    QMenu* view = topMenu("&View");
    EXPECT_TRUE(view->actions().contains(actions->action(kCmdFitInWindow)));
}

TEST_F(CommandActionsTest, RecentFilesMenuShowsEmptyThenEntriesThenClear) {
    ASSERT_NE(actions->recentFilesMenu(), nullptr);
    RecentFileList list;
    actions->rebuildRecentFiles(list, 8);
    QList<QAction*> items = actions->recentFilesMenu()->actions();
    ASSERT_EQ(items.size(), 1);
    EXPECT_EQ(items[0]->text(), "(Empty)");
    EXPECT_FALSE(items[0]->isEnabled());
    EXPECT_EQ(CommandActions::idOf(items[0]), kCmdRecentFileFirst);

    list.addToFront("/tmp/a.png", 8);
    list.addToFront("/tmp/b & c.png", 8);
    actions->rebuildRecentFiles(list, 8);
    items = actions->recentFilesMenu()->actions();
    ASSERT_EQ(items.size(), 4);
    EXPECT_EQ(items[0]->text(), "&1  /tmp/b && c.png");
    EXPECT_EQ(CommandActions::idOf(items[0]), kCmdRecentFileFirst);
    EXPECT_EQ(items[1]->text(), "&2  /tmp/a.png");
    EXPECT_EQ(CommandActions::idOf(items[1]), kCmdRecentFileFirst + 1);
    EXPECT_TRUE(items[2]->isSeparator());
    EXPECT_EQ(items[3], actions->action(kCmdClearRecent));

    // Rebuilding again leaves no stale items behind, and the shared Clear Recent survives.
    actions->rebuildRecentFiles(list, 1);
    items = actions->recentFilesMenu()->actions();
    ASSERT_EQ(items.size(), 3);
    EXPECT_EQ(items[0]->text(), "&1  /tmp/b && c.png");
    EXPECT_NE(actions->action(kCmdClearRecent), nullptr);
}

// Keypad presses that Qt's shortcut map let through (as on X11) still reach their action
// from any widget of the window, unless that widget takes the key for itself.
TEST_F(CommandActionsTest, KeypadKeysFireTheirActionsWhereverTheFocusIs) {
    auto* central = new QWidget(window.get());
    auto* panel = new QWidget(central);
    auto* field = new QLineEdit(central);
    window->setCentralWidget(central);
    QWidget elsewhere;
    QList<uint16_t> fired;
    QObject::connect(actions, &CommandActions::commandTriggered, [&](uint16_t id) { fired.append(id); });
    const auto press = [](QWidget* target, int key, const char* text) {
        QKeyEvent event(QEvent::KeyPress, key, Qt::KeypadModifier, QString::fromLatin1(text));
        QApplication::sendEvent(target, &event);
        return event.isAccepted();
    };

    EXPECT_TRUE(press(panel, Qt::Key_Plus, "+"));
    press(central, Qt::Key_Slash, "/");
    press(panel, Qt::Key_Asterisk, "*");
    press(panel, Qt::Key_Minus, "-");
    EXPECT_EQ(fired, QList<uint16_t>({kCmdZoomIn, kCmdActualPixels, kCmdFitOnScreen, kCmdZoomOut}));

    fired.clear();
    press(field, Qt::Key_Plus, "+");
    EXPECT_EQ(field->text(), "+") << "a text field keeps the keypad keys it types";
    press(&elsewhere, Qt::Key_Plus, "+");
    actions->action(kCmdZoomIn)->setEnabled(false);
    press(panel, Qt::Key_Plus, "+");
    QKeyEvent mainPlus(QEvent::KeyPress, Qt::Key_Plus, Qt::NoModifier, QStringLiteral("+"));
    QApplication::sendEvent(panel, &mainPlus);
    EXPECT_TRUE(fired.isEmpty()) << "another window, a disabled action and the main keyboard fire nothing";
}

} // namespace
} // namespace pict::qt
