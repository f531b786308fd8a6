#include "app/qt/dialogs/adjustments/AdjustmentDialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QShowEvent>
#include <QVBoxLayout>

namespace pict::qt {

AdjustmentDialog::AdjustmentDialog(AdjustmentDialogModel& model, const QString& title, QWidget* parent)
    : ModalDialog(parent), model_(model), body_(new QVBoxLayout), preview_(new QCheckBox(tr("&Preview"), this)) {
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

void AdjustmentDialog::reset() {
    model_.reset();
    showValues();
}

void AdjustmentDialog::done(int result) {
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
