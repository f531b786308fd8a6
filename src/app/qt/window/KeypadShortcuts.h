#pragma once
// Keypad shortcuts that Qt's own matching misses. On X11, Qt 6.4 drops the keypad flag when
// it looks a key press up in the shortcut map, so an action bound to "Num++" never fires and
// the press goes to the focus widget instead. This filter sees those presses first, for one
// window, and triggers the action itself, as the shortcut map would have.

#include <QList>
#include <QObject>

class QAction;
class QKeyEvent;
class QWidget;

namespace pict::qt {

class KeypadShortcuts : public QObject {
    Q_OBJECT
public:
    // Watches the key presses of window's widgets (dialogs are windows of their own and are
    // left alone) for the keypad shortcuts of these actions.
    KeypadShortcuts(QWidget* window, const QList<QAction*>& actions);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QAction* actionFor(const QKeyEvent& key) const;

    QWidget* window_;
    QList<QAction*> actions_; // only those with a keypad key among their shortcuts
};

} // namespace pict::qt
