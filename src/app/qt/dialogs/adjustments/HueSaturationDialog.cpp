#include "app/qt/dialogs/adjustments/HueSaturationDialog.h"

#include "app/qt/widgets/LinkedSlider.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QSlider>
#include <QSpinBox>
#include <QVBoxLayout>

namespace pict::qt {

namespace {

using Field = HueSaturationDialogModel::Field;

struct FieldLabel {
    Field field;
    const char* name; // the number field's object name
    const char* text;
};
constexpr FieldLabel kFields[] = {{HueSaturationDialogModel::kHue, "hue", "&Hue:"},
                                  {HueSaturationDialogModel::kSaturation, "saturation", "S&aturation:"},
                                  {HueSaturationDialogModel::kLightness, "lightness", "L&ightness:"}};

} // namespace

HueSaturationDialog::HueSaturationDialog(HueSaturationDialogModel& model, QWidget* parent)
    : AdjustmentDialog(model, tr("Hue/Saturation"), parent), model_(model), edit_(new QComboBox(this)),
      colorize_(new QCheckBox(tr("C&olorize"), this)) {
    edit_->setObjectName(QStringLiteral("edit"));
    for (const char* range : kHueRangeNames)
        edit_->addItem(tr(range));
    colorize_->setObjectName(QStringLiteral("colorize"));

    auto* grid = new QGridLayout;
    auto* editLabel = new QLabel(tr("&Edit:"), this);
    editLabel->setBuddy(edit_);
    grid->addWidget(editLabel, 0, 0);
    grid->addWidget(edit_, 0, 1, 1, 2, Qt::AlignLeft);
    int row = 1;
    for (const FieldLabel& entry : kFields) {
        auto* value = new LinkedSlider(this, QString::fromLatin1(entry.name), model_.range(entry.field));
        fields_[size_t(entry.field)] = value;
        auto* label = new QLabel(tr(entry.text), this);
        label->setBuddy(value->field());
        grid->addWidget(label, row, 0);
        grid->addWidget(value->slider(), row, 1);
        grid->addWidget(value->field(), row, 2);
        const Field field = entry.field;
        connect(value, &LinkedSlider::edited, this, [this, field](int v) { model_.setValue(field, v); });
        ++row;
    }
    grid->addWidget(colorize_, row, 0, 1, 3);
    body()->addLayout(grid);
    body()->addStretch(1);

    connect(edit_, &QComboBox::activated, this, [this](int range) {
        model_.setEditRange(range);
        showValues();
    });
    connect(colorize_, &QCheckBox::toggled, this, [this](bool on) {
        model_.setColorize(on);
        showValues();
    });
    showValues();
}

void HueSaturationDialog::showValues() {
    {
        const QSignalBlocker block(colorize_);
        colorize_->setChecked(model_.isColorize());
    }
    edit_->setCurrentIndex(model_.editRange());
    edit_->setEnabled(model_.canChooseRange());
    for (const FieldLabel& entry : kFields) {
        LinkedSlider* value = fields_[size_t(entry.field)];
        value->setRange(model_.range(entry.field));
        value->show(model_.value(entry.field));
    }
}

std::optional<CommandParams> askHueSaturation(QWidget* parent, DocumentSession& session) {
    HueSaturationDialogModel model(session);
    return runAdjustmentDialog<HueSaturationDialog>(model, parent);
}

} // namespace pict::qt
