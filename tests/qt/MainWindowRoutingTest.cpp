#include "app/qt/canvas/CanvasWidget.h"
#include "app/qt/window/CommandActions.h"
#include "app/qt/dialogs/CommandDialogs.h"
#include "app/commands/CommandTable.h"
#include "history/HistoryManager.h"
#include "history/HistoryState.h"
#include "qt/MainWindowFixture.h"
#include "selection/SelectionController.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>

namespace pict::qt::test {
namespace {

using RoutingTest = MainWindowTest;

TEST_F(RoutingTest, EveryMenuCommandIsPresentWithItsText) {
    QStringList titles;
    for (QAction* action : window->menuBar()->actions())
        titles.append(action->text());
    EXPECT_EQ(titles, QStringList({"&File", "&Edit", "&Image", "&Layer", "&Select", "Filte&r", "&View", "&Window",
                                   "&Help"}));
    for (const MenuEntry& entry : menuLayout()) {
        if (entry.id == 0 || entry.id == kCmdRecentFileFirst)
            continue;
        QAction* action = window->actions().action(entry.id);
        ASSERT_NE(action, nullptr) << entry.id;
        EXPECT_EQ(action->text().toStdString(), menuLabel(*findCommand(entry.id)));
        EXPECT_EQ(CommandActions::idOf(action), entry.id);
    }
}

TEST_F(RoutingTest, ApplicationIdsReachTheMainWindow) {
    DocumentFrame* frame = addBlank();
    EXPECT_EQ(window->currentTool(), kToolHand);
    window->executeCommand(kCmdZoomInTool);
    EXPECT_EQ(window->currentTool(), kToolZoomIn);
    EXPECT_EQ(frame->canvas()->tool(), kToolZoomIn) << "open windows follow the tool";
    EXPECT_TRUE(window->actions().action(kCmdZoomInTool)->isChecked());
    EXPECT_FALSE(window->actions().action(kCmdHandTool)->isChecked());
    // A window opened later starts with the current tool too.
    EXPECT_EQ(addBlank()->canvas()->tool(), kToolZoomIn);
    window->executeCommand(kCmdHandTool);
    EXPECT_EQ(frame->canvas()->tool(), kToolHand);
}

TEST_F(RoutingTest, ZoomIdsReachTheActiveFrameOnly) {
    DocumentFrame* first = addBlank();
    DocumentFrame* second = addBlank();
    ASSERT_EQ(window->activeFrame(), second);
    window->executeCommand(kCmdZoom200);
    EXPECT_FLOAT_EQ(second->view().zoom(), 2.0f);
    EXPECT_FLOAT_EQ(first->view().zoom(), 1.0f);
    EXPECT_EQ(second->windowTitle(), "Untitled-9 @ 200%");
    window->executeCommand(kCmdZoomOut);
    EXPECT_FLOAT_EQ(second->view().zoom(), 1.0f);
    window->executeCommand(kCmdZoomOut);
    EXPECT_EQ(second->windowTitle(), "Untitled-9 @ 66.67%");
    window->documentArea()->setActiveSubWindow(first);
    window->executeCommand(kCmdZoom10);
    EXPECT_FLOAT_EQ(first->view().zoom(), 0.1f);
    EXPECT_EQ(first->windowTitle(), "Untitled-9 @ 10%");
}

// The keypad zoom keys work whether the focus is on the canvas or elsewhere in the window,
// and a press zooms once, never twice, however many widgets could have taken it.
TEST_F(RoutingTest, KeypadZoomKeysZoomOnceFromAnyFocus) {
    DocumentFrame* frame = addBlank(300, 300);
    window->refreshCommandStates();
    const auto keypadPlus = [](QWidget* target) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Plus, Qt::KeypadModifier, QStringLiteral("+"));
        QApplication::sendEvent(target, &press);
    };
    keypadPlus(frame->canvas());
    EXPECT_FLOAT_EQ(frame->view().zoom(), 2.0f);
    keypadPlus(window->documentArea());
    EXPECT_FLOAT_EQ(frame->view().zoom(), 3.0f);
    QKeyEvent slash(QEvent::KeyPress, Qt::Key_Slash, Qt::KeypadModifier, QStringLiteral("/"));
    QApplication::sendEvent(window->documentArea()->viewport(), &slash);
    EXPECT_FLOAT_EQ(frame->view().zoom(), 1.0f);
}

// Applies; its undo always fails, as a state's may when memory runs out.
class UndoFails : public HistoryState {
public:
    std::string name() const override { return "Stuck"; }
    bool apply() override { return true; }
    bool undo() override { return false; }
};

TEST_F(RoutingTest, AFailedUndoShowsAnErrorAndKeepsTheHistory) {
    DocumentFrame* frame = addBlank();
    ASSERT_TRUE(frame->session().history().add(std::make_unique<UndoFails>(), false));
    window->executeCommand(kCmdUndo);
    EXPECT_EQ(prompts.errors, QStringList({"Cannot undo \"Stuck\"! The image is unchanged."}));
    EXPECT_EQ(frame->session().history().position(), 0);
    EXPECT_TRUE(window->actions().action(kCmdUndo)->isEnabled());
}

TEST_F(RoutingTest, DocumentIdsReachTheCommandLayerAndTheHistory) {
    DocumentFrame* frame = addBlank();
    EXPECT_FALSE(window->isCommandEnabled(kCmdUndo));
    EXPECT_FALSE(window->actions().action(kCmdUndo)->isEnabled());
    window->executeCommand(kCmdSelectAll);
    EXPECT_FALSE(frame->session().selection().mask().isEmpty());
    EXPECT_TRUE(window->actions().action(kCmdUndo)->isEnabled()) << "refreshed after the command";
    EXPECT_FALSE(window->actions().action(kCmdRedo)->isEnabled());
    window->executeCommand(kCmdUndo);
    EXPECT_TRUE(frame->session().selection().mask().isEmpty());
    EXPECT_TRUE(window->actions().action(kCmdRedo)->isEnabled());
    window->executeCommand(kCmdRedo);
    EXPECT_FALSE(frame->session().selection().mask().isEmpty());
    window->executeCommand(kCmdPurgeUndo);
    EXPECT_FALSE(frame->session().history().canUndo());
    EXPECT_FALSE(frame->session().history().canRedo());
    EXPECT_FALSE(frame->session().selection().mask().isEmpty()) << "purging keeps the document as it is";
}

TEST_F(RoutingTest, PurgeCommandsEmptyTheClipboardAndTheHistory) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    DocumentFrame* frame = addBlank();
    for (uint16_t id : {kCmdPurgeUndo, kCmdPurgeClipboard, kCmdPurgeAll})
        EXPECT_FALSE(window->isCommandEnabled(id)) << id;
    EXPECT_FALSE(window->actions().action(kCmdPurgeUndo)->isEnabled());

    QImage picture(4, 3, QImage::Format_RGB32);
    picture.fill(Qt::red);
    clipboard->setImage(picture);
    EXPECT_TRUE(window->isCommandEnabled(kCmdPurgeClipboard));
    EXPECT_TRUE(window->isCommandEnabled(kCmdPurgeAll));
    EXPECT_FALSE(window->isCommandEnabled(kCmdPurgeUndo)) << "the history is still empty";
    window->executeCommand(kCmdSelectAll);
    EXPECT_TRUE(window->actions().action(kCmdPurgeUndo)->isEnabled());

    window->executeCommand(kCmdPurgeClipboard);
    EXPECT_FALSE(clipboard->mimeData() && clipboard->mimeData()->hasImage());
    EXPECT_FALSE(window->actions().action(kCmdNewFromClipboard)->isEnabled());
    EXPECT_FALSE(window->isCommandEnabled(kCmdPurgeClipboard));
    EXPECT_TRUE(frame->session().history().canUndo()) << "the clipboard purge leaves the history";

    clipboard->setImage(picture);
    window->executeCommand(kCmdPurgeAll);
    EXPECT_FALSE(clipboard->mimeData() && clipboard->mimeData()->hasImage());
    EXPECT_FALSE(frame->session().history().canUndo());
    for (uint16_t id : {kCmdPurgeUndo, kCmdPurgeClipboard, kCmdPurgeAll})
        EXPECT_FALSE(window->actions().action(id)->isEnabled()) << id;
}

// The items after the separator that follows the arrangement commands.
QList<QAction*> windowListItems(MainWindow& window) {
    QList<QAction*> items;
    for (QAction* action : window.actions().windowMenu()->actions())
        if (isWindowListCommand(CommandActions::idOf(action)))
            items.append(action);
    return items;
}

TEST_F(RoutingTest, WindowMenuListsTheOpenWindowsAndActivatesTheChosenOne) {
    QMenu* menu = window->actions().windowMenu();
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->title(), "&Window");
    EXPECT_TRUE(windowListItems(*window).isEmpty());
    EXPECT_EQ(menu->actions().size(), 3) << "no separator without windows";

    DocumentFrame* first = addBlank(64, 48, "First");
    addBlank(64, 48, "Second");
    DocumentFrame* third = addBlank(64, 48, "R&D");
    emit menu->aboutToShow();
    QList<QAction*> items = windowListItems(*window);
    ASSERT_EQ(items.size(), 3);
    EXPECT_TRUE(menu->actions().at(3)->isSeparator());
    EXPECT_EQ(items[0]->text(), "&1 First @ 100%");
    EXPECT_EQ(items[2]->text(), "&3 R&&D @ 100%");
    EXPECT_TRUE(items[2]->isChecked()) << "the active window";
    EXPECT_FALSE(items[0]->isChecked());
    EXPECT_TRUE(items[0]->isEnabled());

    items[0]->trigger();
    processEventsFor(10);
    EXPECT_EQ(window->activeFrame(), first);
    items = windowListItems(*window);
    EXPECT_TRUE(items[0]->isChecked());
    EXPECT_FALSE(items[2]->isChecked());

    // The captions follow the zoom, and a closed window leaves the list.
    window->executeCommand(kCmdZoom200);
    EXPECT_EQ(windowListItems(*window)[0]->text(), "&1 First @ 200%");
    third->close();
    processEventsFor(10);
    EXPECT_EQ(windowListItems(*window).size(), 2);
}

TEST_F(RoutingTest, ChoosingAMinimizedWindowFromTheListRestoresIt) {
    DocumentFrame* first = addBlank(64, 48, "First");
    addBlank(64, 48, "Second");
    first->showMinimized();
    processEventsFor(10);
    window->executeCommand(kCmdWindowListFirst);
    EXPECT_FALSE(first->isMinimized());
    EXPECT_EQ(window->activeFrame(), first);
    // A position with no window is ignored.
    EXPECT_FALSE(window->isCommandEnabled(kCmdWindowListFirst + 2));
    window->executeCommand(kCmdWindowListFirst + 2);
    EXPECT_EQ(window->activeFrame(), first);
}

TEST_F(RoutingTest, FitOnScreenSizesTheWindowToTheWorkspace) {
    DocumentFrame* frame = addBlank(200, 100);
    frame->move(50, 40);
    window->executeCommand(kCmdFitOnScreen);
    processEventsFor(20);
    const QSize room = window->documentArea()->viewport()->size();
    EXPECT_EQ(frame->pos(), QPoint(0, 0));
    EXPECT_GT(frame->view().zoom(), 1.0f);
    EXPECT_LE(frame->size().width(), room.width());
    EXPECT_LE(frame->size().height(), room.height());
    // The drawing area holds the whole image at the new zoom.
    const QSize client = frame->canvas()->viewport()->size();
    EXPECT_EQ(frame->view().clientSize(), (Size{client.width(), client.height()}));
    EXPECT_LE(frame->view().contentSize().width, client.width());
    EXPECT_LE(frame->view().contentSize().height, client.height());
}

TEST_F(RoutingTest, IdsNobodyHandlesAreIgnored) {
    window->executeCommand(kCmdUndo); // no document at all
    window->executeCommand(kCmdZoomIn);
    DocumentFrame* frame = addBlank();
    for (uint16_t id : {uint16_t(1), uint16_t(12345), uint16_t(65535), uint16_t(kMsgMenuChanged)})
        window->executeCommand(id);
    EXPECT_EQ(window->frames().size(), 1u);
    EXPECT_FLOAT_EQ(frame->view().zoom(), 1.0f);
    EXPECT_FALSE(frame->session().history().canUndo());
}

TEST_F(RoutingTest, CommandsWithADialogWaitForTheDialog) {
    DocumentFrame* frame = addBlank();
    window->executeCommand(kCmdSelectAll);
    // Feather asks for a radius; without its dialog it neither runs with a default nor lights up.
    window->dialogs().remove(kCmdFeather);
    EXPECT_FALSE(window->isCommandEnabled(kCmdFeather));
    const int32_t before = frame->session().history().count();
    window->executeCommand(kCmdFeather);
    EXPECT_EQ(frame->session().history().count(), before);

    int asked = 0;
    bool cancel = true;
    window->dialogs().add(kCmdFeather, [&](QWidget*, DocumentSession&) -> std::optional<CommandParams> {
        ++asked;
        if (cancel)
            return std::nullopt;
        return CommandParams{FeatherParams{2.0}};
    });
    EXPECT_TRUE(window->isCommandEnabled(kCmdFeather));
    window->executeCommand(kCmdFeather);
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(frame->session().history().count(), before) << "a cancelled dialog changes nothing";
    cancel = false;
    window->executeCommand(kCmdFeather);
    EXPECT_EQ(asked, 2);
    EXPECT_EQ(frame->session().history().count(), before + 1);
}

TEST_F(RoutingTest, EnabledStatesFollowTheActiveDocument) {
    for (uint16_t id : {kCmdClose, kCmdSaveAs, kCmdDuplicateImage, kCmdZoomIn, kCmdZoom100, kCmdSelectAll, kCmdUndo})
        EXPECT_FALSE(window->actions().action(id)->isEnabled()) << id;
    EXPECT_TRUE(window->actions().action(kCmdNew)->isEnabled());
    EXPECT_TRUE(window->actions().action(kCmdOpen)->isEnabled());
    EXPECT_FALSE(window->actions().action(kCmdPrint)->isEnabled()) << "nothing to print";
    EXPECT_TRUE(window->actions().action(kCmdPageSetup)->isEnabled());

    DocumentFrame* frame = addBlank(10, 8); // minimum zoom 1/8
    for (uint16_t id : {kCmdClose, kCmdSaveAs, kCmdDuplicateImage, kCmdZoomIn, kCmdZoom100, kCmdSelectAll, kCmdPrint,
                        kCmdPrintPreview})
        EXPECT_TRUE(window->actions().action(id)->isEnabled()) << id;
    EXPECT_FALSE(window->actions().action(kCmdSave)->isEnabled()) << "nothing unsaved yet";
    EXPECT_FALSE(window->actions().action(kCmdZoom10)->isEnabled()) << "below the minimum zoom";
    EXPECT_FALSE(window->actions().action(kCmdZoom5)->isEnabled());
    EXPECT_TRUE(window->actions().action(kCmdZoom25)->isEnabled());
    frame->document().setModified(true);
    window->refreshCommandStates();
    EXPECT_TRUE(window->actions().action(kCmdSave)->isEnabled());

    window->executeCommand(kCmdZoom1600);
    EXPECT_FALSE(window->actions().action(kCmdZoomIn)->isEnabled());
    EXPECT_TRUE(window->actions().action(kCmdZoomOut)->isEnabled());
    window->executeCommand(kCmdZoom25);
    window->executeCommand(kCmdZoomOut); // 1/6
    EXPECT_TRUE(window->actions().action(kCmdZoomOut)->isEnabled());
    window->executeCommand(kCmdZoomOut); // 1/8
    EXPECT_FALSE(window->actions().action(kCmdZoomOut)->isEnabled()) << "at the minimum";
}

TEST_F(RoutingTest, OpeningAMenuRefreshesItsStates) {
    DocumentFrame* frame = addBlank();
    QAction* save = window->actions().action(kCmdSave);
    EXPECT_FALSE(save->isEnabled());
    frame->document().setModified(true); // a change nobody announced
    QMenu* file = window->menuBar()->actions().front()->menu();
    ASSERT_NE(file, nullptr);
    emit file->aboutToShow();
    EXPECT_TRUE(save->isEnabled());
}

TEST_F(RoutingTest, LastFilterShowsItsTextAndStaysOffWhenEmpty) {
    addBlank();
    QAction* last = window->actions().action(kCmdLastFilter);
    EXPECT_EQ(last->text(), "Last Filter\tCtrl+F");
    EXPECT_FALSE(last->isEnabled());
}

} // namespace
} // namespace pict::qt::test
