#include "app/qt/window/TextFieldKeys.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>

namespace pict::qt {

TextFieldKeys::TextFieldKeys(QObject* parent) : QObject(parent) { qApp->installEventFilter(this); }

bool TextFieldKeys::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::ShortcutOverride)
        return false;
    QWidget* focus = QApplication::focusWidget();
    const bool textField = qobject_cast<QLineEdit*>(focus) || qobject_cast<QAbstractSpinBox*>(focus) ||
                           qobject_cast<QTextEdit*>(focus) || qobject_cast<QPlainTextEdit*>(focus);
    if (!textField || watched != focus)
        return false;
    auto* key = static_cast<QKeyEvent*>(event);
    const Qt::KeyboardModifiers chord = key->modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier);
    // Accepting the override hands the key to the field; chords with Ctrl or Alt stay shortcuts.
    if (chord == Qt::NoModifier && !key->text().isEmpty() && key->text().at(0).isPrint())
        event->accept();
    return false;
}

} // namespace pict::qt
