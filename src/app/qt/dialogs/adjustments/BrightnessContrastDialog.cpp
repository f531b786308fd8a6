#include "app/qt/dialogs/adjustments/BrightnessContrastDialog.h"

#include "app/qt/widgets/LinkedSlider.h"

#include <QGridLayout>
#include <QLabel>
#include <QSlider>
#include <QSpinBox>
#include <QVBoxLayout>

namespace pict::qt {

namespace {

// A label and its field on one line, the slider on the next.
void addLabelledSlider(QGridLayout* grid, int row, const QString& text, LinkedSlider* value) {
    auto* label = new QLabel(text, grid->parentWidget());
    label->setBuddy(value->field());
    grid->addWidget(label, row, 0);
    grid->addWidget(value->field(), row, 1, Qt::AlignRight);
    grid->addWidget(value->slider(), row + 1, 0, 1, 2);
}

} // namespace

BrightnessContrastDialog::BrightnessContrastDialog(BrightnessContrastDialogModel& model, QWidget* parent)
    : AdjustmentDialog(model, tr("Brightness/Contrast"), parent), model_(model),
      brightness_(new LinkedSlider(this, QStringLiteral("brightness"), BrightnessContrastSettings::kBrightness)),
      contrast_(new LinkedSlider(this, QStringLiteral("contrast"), BrightnessContrastSettings::kContrast)) {
    auto* grid = new QGridLayout;
    body()->addLayout(grid);
    body()->addStretch(1);
    addLabelledSlider(grid, 0, tr("&Brightness:"), brightness_);
    addLabelledSlider(grid, 2, tr("&Contrast:"), contrast_);
    connect(brightness_, &LinkedSlider::edited, this, [this](int value) { model_.setBrightness(value); });
    connect(contrast_, &LinkedSlider::edited, this, [this](int value) { model_.setContrast(value); });
    showValues();
}

void BrightnessContrastDialog::showValues() {
    brightness_->show(model_.settings().brightness);
    contrast_->show(model_.settings().contrast);
}

std::optional<CommandParams> askBrightnessContrast(QWidget* parent, DocumentSession& session) {
    BrightnessContrastDialogModel model(session);
    return runAdjustmentDialog<BrightnessContrastDialog>(model, parent);
}

} // namespace pict::qt
