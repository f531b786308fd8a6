// The keyboard as a user meets it: no key belongs to two actions anywhere in the window, no
// menu has two items on one mnemonic letter, and the common keys reach their commands.
#include "app/qt/canvas/CanvasWidget.h"
#include "app/qt/window/CommandActions.h"
#include "canvas/ZoomSteps.h"
#include "history/HistoryManager.h"
#include "qt/MainWindowFixture.h"
#include "selection/SelectionController.h"

#include <QAction>
#include <QApplication>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QWheelEvent>

#include <cstdlib>
#include <map>
#include <set>

namespace pict::qt::test {
namespace {

class KeyboardTest : public MainWindowTest {
protected:
    // Every action the window's widgets carry: the menus and their submenus, the toolbar,
    // the document windows' own menus, panels.
    std::set<QAction*> allActions() const {
        std::set<QAction*> out;
        for (QAction* a : window->findChildren<QAction*>())
            out.insert(a);
        for (QAction* a : window->QWidget::actions())
            out.insert(a);
        for (QWidget* w : window->findChildren<QWidget*>())
            for (QAction* a : w->actions())
                out.insert(a);
        for (DocumentFrame* frame : window->frames())
            if (QMenu* menu = frame->systemMenu())
                for (QAction* a : menu->actions())
                    out.insert(a);
        return out;
    }

    // The letter after a single '&' ("&&" is a literal ampersand), upper-cased; none without.
    static QChar mnemonic(const QString& text) {
        for (qsizetype i = 0; i + 1 < text.size(); ++i) {
            if (text[i] != '&')
                continue;
            if (text[i + 1] == '&') {
                ++i;
                continue;
            }
            return text[i + 1].toUpper();
        }
        return {};
    }

    // Fails for each letter two visible entries of one bar or menu share; walks submenus.
    static void expectUniqueMnemonics(const QList<QAction*>& entries, const QString& where) {
        std::map<QChar, QString> seen;
        for (QAction* a : entries) {
            if (a->isSeparator() || !a->isVisible())
                continue;
            const QChar letter = mnemonic(a->text());
            if (!letter.isNull()) {
                const auto [it, fresh] = seen.emplace(letter, a->text());
                EXPECT_TRUE(fresh) << where.toStdString() << ": \"" << it->second.toStdString() << "\" and \""
                                   << a->text().toStdString() << "\" share Alt+" << QString(letter).toStdString();
            }
            if (QMenu* sub = a->menu())
                expectUniqueMnemonics(sub->actions(), where + " > " + a->text());
        }
    }

    // The key as the window gets it: the shortcut map first, then the focus widget.
    void press(QWidget* target, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(target, key, modifiers);
        processEventsFor(10);
    }

    void activate() {
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }
};

TEST_F(KeyboardTest, NoKeyBelongsToTwoActions) {
    addBlank();
    addBlank(); // two document windows: their own menus must not compete with each other
    std::map<QString, std::vector<QAction*>> byKey;
    for (QAction* a : allActions())
        for (const QKeySequence& keys : a->shortcuts())
            byKey[keys.toString(QKeySequence::PortableText)].push_back(a);
    ASSERT_FALSE(byKey.empty());
    for (const auto& [keys, owners] : byKey) {
        std::string names;
        for (QAction* a : owners)
            names += " \"" + a->text().toStdString() + "\"";
        EXPECT_EQ(owners.size(), 1u) << keys.toStdString() << " is on" << names;
    }
    // The keys a user reaches for first are among them, each on its own command.
    const std::pair<const char*, uint16_t> expected[] = {
        {"Ctrl+W", kCmdClose},       {"Ctrl+Y", kCmdRedo},        {"Ctrl+Shift+Z", kCmdRedo},
        {"Ctrl++", kCmdZoomIn},      {"Ctrl+=", kCmdZoomIn},      {"Ctrl+-", kCmdZoomOut},
        {"Ctrl+0", kCmdFitOnScreen}, {"Ctrl+1", kCmdActualPixels}, {"Ctrl+Z", kCmdUndo},
    };
    for (const auto& [keys, id] : expected) {
        const auto found = byKey.find(QString::fromLatin1(keys));
        ASSERT_NE(found, byKey.end()) << keys;
        EXPECT_EQ(found->second.front(), window->actions().action(id)) << keys;
    }
}

TEST_F(KeyboardTest, EveryMenuHasUniqueMnemonics) {
    addBlank();
    window->refreshCommandStates();
    expectUniqueMnemonics(window->menuBar()->actions(), QStringLiteral("menu bar"));
    // The Filter menu opens from the keyboard with a letter of its own.
    QAction* filter = nullptr;
    for (QAction* a : window->menuBar()->actions())
        if (a->text().remove('&') == "Filter")
            filter = a;
    ASSERT_NE(filter, nullptr);
    EXPECT_EQ(mnemonic(filter->text()), QChar('R'));
}

TEST_F(KeyboardTest, CtrlWClosesTheActiveDocumentWithItsPrompt) {
    DocumentFrame* first = addBlank();
    DocumentFrame* second = addBlank();
    activate();
    press(second->canvas(), Qt::Key_W, Qt::ControlModifier);
    ASSERT_TRUE(waitUntil([&] { return window->frames().size() == 1; }));
    EXPECT_EQ(window->frames().front(), first);
    EXPECT_TRUE(prompts.askedToSave.isEmpty()) << "nothing to save";

    // A modified one asks first; Cancel keeps it.
    first->document().setModified(true);
    window->documentArea()->setActiveSubWindow(first);
    prompts.saveChanges.push_back(SaveChangesAnswer::Cancel);
    press(first->canvas(), Qt::Key_W, Qt::ControlModifier);
    EXPECT_EQ(prompts.askedToSave, QStringList({"Untitled-9"}));
    EXPECT_EQ(window->frames().size(), 1u);
}

TEST_F(KeyboardTest, RedoAnswersToCtrlYAndCtrlShiftZ) {
    DocumentFrame* frame = addBlank();
    activate();
    window->executeCommand(kCmdSelectAll);
    HistoryManager& history = frame->session().history();
    const auto applied = [&] { return history.position() + 1; }; // states applied
    ASSERT_EQ(applied(), 1);
    press(frame->canvas(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(applied(), 0);
    press(frame->canvas(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(applied(), 1);
    press(frame->canvas(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(applied(), 0);
    press(frame->canvas(), Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(applied(), 1);
}

TEST_F(KeyboardTest, ZoomKeysWithCtrl) {
    DocumentFrame* frame = addBlank(300, 300);
    activate();
    CanvasWidget* canvas = frame->canvas();
    window->refreshCommandStates();
    const float start = frame->view().zoom();
    press(canvas, Qt::Key_Equal, Qt::ControlModifier);
    EXPECT_FLOAT_EQ(frame->view().zoom(), nextZoomStepUp(start));
    // Ctrl and the plus key (where the layout shifts it, the platform offers the key without
    // Shift to the shortcut map as well).
    press(canvas, Qt::Key_Plus, Qt::ControlModifier);
    EXPECT_FLOAT_EQ(frame->view().zoom(), nextZoomStepUp(nextZoomStepUp(start)));
    press(canvas, Qt::Key_Minus, Qt::ControlModifier);
    press(canvas, Qt::Key_Minus, Qt::ControlModifier);
    press(canvas, Qt::Key_Minus, Qt::ControlModifier);
    EXPECT_FLOAT_EQ(frame->view().zoom(), nextZoomStepDown(start));
    press(canvas, Qt::Key_1, Qt::ControlModifier);
    EXPECT_FLOAT_EQ(frame->view().zoom(), 1.0f);
    window->executeCommand(kCmdZoom200);
    press(canvas, Qt::Key_0, Qt::ControlModifier | Qt::AltModifier);
    EXPECT_FLOAT_EQ(frame->view().zoom(), 1.0f);
}

class WheelTest : public KeyboardTest {
protected:
    static void wheel(CanvasWidget* canvas, QPoint at, QPoint delta, Qt::KeyboardModifiers modifiers) {
        QWheelEvent event(QPointF(at), canvas->viewport()->mapToGlobal(QPointF(at)), QPoint(), delta, Qt::NoButton,
                          modifiers, Qt::NoScrollPhase, false);
        QApplication::sendEvent(canvas->viewport(), &event);
    }
};

TEST_F(WheelTest, CtrlWheelZoomsAboutThePointer) {
    DocumentFrame* frame = frameWithClient(400, 300, QSize(100, 100));
    CanvasWidget* canvas = frame->canvas();
    CanvasView& view = frame->view();
    view.setZoom(1.0f, false);
    view.scrollTo(100, 100);
    const QPoint at(30, 70);
    const Point under = view.windowToImage({at.x(), at.y()});
    wheel(canvas, at, QPoint(0, 120), Qt::ControlModifier);
    EXPECT_FLOAT_EQ(view.zoom(), 2.0f);
    // The image point under the pointer stays there, to the pixel the scroll position allows.
    const auto near = [&](Point p) { return std::abs(p.x - under.x) <= 1 && std::abs(p.y - under.y) <= 1; };
    EXPECT_TRUE(near(view.windowToImage({at.x(), at.y()})));
    wheel(canvas, at, QPoint(0, -240), Qt::ControlModifier);
    EXPECT_FLOAT_EQ(view.zoom(), nextZoomStepDown(1.0f)) << "two notches toward the user: two steps out";
    EXPECT_TRUE(near(view.windowToImage({at.x(), at.y()})));
    // Half notches add up.
    wheel(canvas, at, QPoint(0, 60), Qt::ControlModifier);
    EXPECT_FLOAT_EQ(view.zoom(), nextZoomStepDown(1.0f));
    wheel(canvas, at, QPoint(0, 60), Qt::ControlModifier);
    EXPECT_FLOAT_EQ(view.zoom(), 1.0f);
    EXPECT_EQ(frame->windowTitle(), "Untitled-9 @ 100%");
}

TEST_F(WheelTest, ShiftWheelScrollsSidewaysAndThePlainWheelDown) {
    DocumentFrame* frame = frameWithClient(400, 300, QSize(100, 100));
    CanvasWidget* canvas = frame->canvas();
    wheel(canvas, {50, 50}, QPoint(0, -120), Qt::ShiftModifier);
    EXPECT_EQ(frame->view().scrollPosition(), (Point{10, 0}));
    // Some systems already turn a Shift wheel into a horizontal one.
    wheel(canvas, {50, 50}, QPoint(-120, 0), Qt::ShiftModifier);
    EXPECT_EQ(frame->view().scrollPosition(), (Point{20, 0}));
    wheel(canvas, {50, 50}, QPoint(0, -120), Qt::NoModifier);
    EXPECT_EQ(frame->view().scrollPosition(), (Point{20, 10}));
    EXPECT_FLOAT_EQ(frame->view().zoom(), 1.0f);
}

} // namespace
} // namespace pict::qt::test
