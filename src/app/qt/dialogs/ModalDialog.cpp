#include "app/qt/dialogs/ModalDialog.h"

#include "app/commands/CommandIds.h"

#include <QAbstractSpinBox>
#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QTimerEvent>

namespace pict::qt {

ModalDialog::ModalDialog(QWidget* parent)
    : QDialog(parent), buttons_(new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this)) {
    setModal(true);
    connect(buttons_, &QDialogButtonBox::accepted, this, &QDialog::accept);
    // Cancel is wired by hand: it may mean Reset.
    disconnect(buttons_, &QDialogButtonBox::rejected, nullptr, nullptr);
    connect(cancelButton(), &QPushButton::clicked, this, &ModalDialog::cancelPressed);
    pollTimer_ = startTimer(kTimerIntervalMs);
    // Enter presses OK wherever the focus is, a text field included.
    okButton()->setDefault(true);
}

void ModalDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // Each opening, not a window system's re-show after minimizing.
    if (!event->spontaneous())
        focusFirstField();
}

namespace {

// A field the user types a value into: a number box, or a line of text that is not part of
// one (a number box's own line comes after the box in the focus chain).
bool isTextField(const QWidget* w) {
    if (qobject_cast<const QAbstractSpinBox*>(w))
        return true;
    const auto* line = qobject_cast<const QLineEdit*>(w);
    return line && !line->isReadOnly() && !qobject_cast<const QAbstractSpinBox*>(line->parentWidget());
}

void selectAllOf(QWidget* w) {
    if (auto* box = qobject_cast<QAbstractSpinBox*>(w))
        box->selectAll();
    else if (auto* line = qobject_cast<QLineEdit*>(w))
        line->selectAll();
}

} // namespace

void ModalDialog::focusFirstField() {
    // The first field in tab order that can take the focus; a dialog without one keeps Qt's
    // choice (its first control or OK).
    for (QWidget* w = nextInFocusChain(); w && w != this; w = w->nextInFocusChain()) {
        if (!isTextField(w) || !w->isVisibleTo(this) || !w->isEnabled() || !(w->focusPolicy() & Qt::TabFocus))
            continue;
        w->setFocus(Qt::TabFocusReason);
        selectAllOf(w);
        return;
    }
}

QPushButton* ModalDialog::okButton() const { return buttons_->button(QDialogButtonBox::Ok); }
QPushButton* ModalDialog::cancelButton() const { return buttons_->button(QDialogButtonBox::Cancel); }

void ModalDialog::timerEvent(QTimerEvent* event) {
    if (event->timerId() == pollTimer_)
        pollAltKey();
    else
        QDialog::timerEvent(event);
}

void ModalDialog::pollAltKey() {
    const bool altDown = (QGuiApplication::queryKeyboardModifiers() & Qt::AltModifier) && isActiveWindow();
    if (altDown == resetMode_)
        return;
    resetMode_ = altDown;
    cancelButton()->setText(resetMode_ ? tr("Reset") : tr("Cancel"));
}

void ModalDialog::cancelPressed() {
    if (resetMode_)
        reset();
    else
        reject();
}

} // namespace pict::qt
