#include "app/qt/dialogs/adjustments/AdjustmentDialog.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QTimer>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QShowEvent>
#include <QVBoxLayout>

namespace pict::qt {

AdjustmentDialog::AdjustmentDialog(AdjustmentDialogModel& model, const QString& title, QWidget* parent)
    : ModalDialog(parent), model_(model), body_(new QVBoxLayout), preview_(new QCheckBox(tr("&Preview"), this)),
      typingPause_(new QTimer(this)) {
    // How long typing must pause before a typed value is previewed.
    constexpr int kTypingPauseMs = 250;
    typingPause_->setSingleShot(true);
    typingPause_->setInterval(kTypingPauseMs);
    connect(typingPause_, &QTimer::timeout, this, [this] { model_.pushPreview(false); });
    if (model_.wantsBackgroundPreview()) {
        // The worker's thread only posts; the pixels reach the document on this thread.
        model_.runPreviewInBackground([this] {
            QMetaObject::invokeMethod(this, [this] { model_.collectPreview(); }, Qt::QueuedConnection);
        });
        model_.setChangeListener([this] { valuesChanged(); });
    }
    setWindowTitle(title);
    preview_->setObjectName(QStringLiteral("preview"));
    preview_->setChecked(model_.isPreviewOn());
    connect(preview_, &QCheckBox::toggled, this, [this](bool on) { model_.setPreview(on); });

    buttons()->setOrientation(Qt::Vertical);
    auto* side = new QVBoxLayout;
    side->addWidget(buttons());
    side->addWidget(preview_);
    side->addStretch(1);
    auto* top = new QHBoxLayout(this);
    top->addLayout(body_, 1);
    top->addLayout(side);
}

AdjustmentDialog::~AdjustmentDialog() {
    model_.setChangeListener(nullptr);
    model_.stopBackgroundPreview();
}

void AdjustmentDialog::valuesChanged() {
    if (QApplication::mouseButtons() != Qt::NoButton) {
        typingPause_->stop();
        model_.pushPreview(true);
        return;
    }
    QWidget* focus = QApplication::focusWidget();
    if (qobject_cast<QAbstractSpinBox*>(focus) || qobject_cast<QLineEdit*>(focus)) {
        typingPause_->start();
        return;
    }
    model_.pushPreview(false);
}

void AdjustmentDialog::reset() {
    model_.reset();
    showValues();
}

void AdjustmentDialog::done(int result) {
    typingPause_->stop();
    if (result == QDialog::Accepted)
        answer_ = CommandParams{model_.accept()};
    else {
        model_.cancel();
        answer_.reset();
    }
    if (placement_)
        *placement_ = geometry();
    ModalDialog::done(result);
}

void AdjustmentDialog::keepPlacement(std::optional<QRect>* memory) { placement_ = memory; }

void AdjustmentDialog::showEvent(QShowEvent* event) {
    ModalDialog::showEvent(event);
    if (placement_ && *placement_ && !event->spontaneous())
        setGeometry(**placement_);
}

} // namespace pict::qt
