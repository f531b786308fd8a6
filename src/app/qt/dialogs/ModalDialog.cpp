#include "app/qt/dialogs/ModalDialog.h"

#include "app/commands/CommandIds.h"

#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QPushButton>
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
