#include "app/qt/window/KeypadShortcuts.h"

#include <QAction>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QWidget>

namespace pict::qt {
namespace {

bool hasKeypadKey(const QAction* action) {
    for (const QKeySequence& keys : action->shortcuts())
        if (keys.count() == 1 && keys[0].keyboardModifiers().testFlag(Qt::KeypadModifier))
            return true;
    return false;
}

} // namespace

KeypadShortcuts::KeypadShortcuts(QWidget* window, const QList<QAction*>& actions)
    : QObject(window), window_(window) {
    for (QAction* action : actions)
        if (hasKeypadKey(action))
            actions_.append(action);
    // Key presses go to the focus widget, which may be any child (the document area, a
    // panel, a canvas): only the application sees them all before they arrive.
    if (!actions_.isEmpty())
        QCoreApplication::instance()->installEventFilter(this);
}

QAction* KeypadShortcuts::actionFor(const QKeyEvent& key) const {
    const QKeySequence pressed(key.keyCombination());
    for (QAction* action : actions_)
        if (action->shortcuts().contains(pressed))
            return action;
    return nullptr;
}

bool KeypadShortcuts::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    if (!key->modifiers().testFlag(Qt::KeypadModifier))
        return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || widget->window() != window_)
        return false;
    QAction* action = actionFor(*key);
    // A disabled action lets the key through, as a real shortcut does.
    if (!action || !action->isEnabled())
        return false;
    // A widget that wants the key for itself (a number field takes keypad digits and signs)
    // says so when asked first, exactly as the shortcut map asks it.
    QKeyEvent claim(QEvent::ShortcutOverride, key->key(), key->modifiers(), key->text(), key->isAutoRepeat(),
                    static_cast<quint16>(key->count()));
    claim.ignore();
    QCoreApplication::sendEvent(widget, &claim);
    if (claim.isAccepted())
        return false;
    action->trigger();
    return true;
}

} // namespace pict::qt
