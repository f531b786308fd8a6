#include "app/qt/dialogs/adjustments/ColorBalanceDialog.h"

#include "app/qt/widgets/LinkedSlider.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>
#include <QVBoxLayout>

#include <cmath>

namespace pict::qt {

namespace {

struct AxisLabels {
    const char* name; // the field's object name
    const char* left;
    const char* right;
};
constexpr AxisLabels kAxes[] = {
    {"cyanRed", "Cyan", "Red"}, {"magentaGreen", "Magenta", "Green"}, {"yellowBlue", "Yellow", "Blue"}};
constexpr const char* kToneNames[] = {"Shadows", "Midtones", "Highlights"};
constexpr ParamRange<int32_t> kSliderRange{static_cast<int32_t>(ColorBalanceSettings::kValue.min),
                                           static_cast<int32_t>(ColorBalanceSettings::kValue.max), 0};

} // namespace

ColorBalanceDialog::ColorBalanceDialog(ColorBalanceDialogModel& model, QWidget* parent)
    : AdjustmentDialog(model, tr("Color Balance"), parent), model_(model), tones_(new QButtonGroup(this)),
      preserveLuminosity_(new QCheckBox(tr("Preserve &Luminosity"), this)) {
    auto* colors = new QGroupBox(tr("Color Balance"), this);
    auto* grid = new QGridLayout(colors);
    for (int32_t axis = 0; axis < 3; ++axis) {
        LinkedSlider* value = new LinkedSlider(colors, QString::fromLatin1(kAxes[axis].name), kSliderRange);
        axes_[size_t(axis)] = value;
        grid->addWidget(new QLabel(tr(kAxes[axis].left), colors), axis, 0, Qt::AlignRight);
        grid->addWidget(value->slider(), axis, 1);
        grid->addWidget(new QLabel(tr(kAxes[axis].right), colors), axis, 2);
        grid->addWidget(value->field(), axis, 3);
        connect(value, &LinkedSlider::edited, this, [this, axis](int v) { model_.setValue(axis, v); });
    }

    auto* toneBox = new QGroupBox(tr("Tone Balance"), this);
    auto* toneRow = new QHBoxLayout(toneBox);
    for (int32_t tone = 0; tone < 3; ++tone) {
        auto* button = new QRadioButton(tr(kToneNames[tone]), toneBox);
        tones_->addButton(button, tone);
        toneRow->addWidget(button);
    }
    preserveLuminosity_->setObjectName(QStringLiteral("preserveLuminosity"));
    connect(tones_, &QButtonGroup::idClicked, this, [this](int tone) {
        model_.setTone(tone);
        showValues();
    });
    connect(preserveLuminosity_, &QCheckBox::toggled, this, [this](bool on) { model_.setPreserveLuminosity(on); });

    body()->addWidget(colors);
    body()->addWidget(toneBox);
    body()->addWidget(preserveLuminosity_);
    body()->addStretch(1);
    showValues();
}

void ColorBalanceDialog::showValues() {
    for (int32_t axis = 0; axis < 3; ++axis)
        axes_[size_t(axis)]->show(static_cast<int32_t>(std::lround(model_.value(axis))));
    tones_->button(model_.tone())->setChecked(true);
    const QSignalBlocker block(preserveLuminosity_);
    preserveLuminosity_->setChecked(model_.settings().preserveLuminosity);
}

std::optional<CommandParams> askColorBalance(QWidget* parent, DocumentSession& session) {
    ColorBalanceDialogModel model(session);
    return runAdjustmentDialog<ColorBalanceDialog>(model, parent);
}

} // namespace pict::qt
