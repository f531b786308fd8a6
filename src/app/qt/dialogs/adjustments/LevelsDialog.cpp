#include "app/qt/dialogs/adjustments/LevelsDialog.h"

#include "app/session/DocumentSession.h"
#include "app/qt/widgets/LevelsWidgets.h"
#include "document/Document.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

namespace pict::qt {

namespace {

enum InputHandle { kBlackHandle = 0, kGammaHandle = 1, kWhiteHandle = 2 };

QSpinBox* levelField(QWidget* parent, const char* name) {
    auto* field = new QSpinBox(parent);
    field->setObjectName(QString::fromLatin1(name));
    field->setRange(LevelsChannel::kLevel.min, LevelsChannel::kLevel.max);
    // The model may limit a value against the other fields; a half-typed number must not
    // be limited before the user finished it.
    field->setKeyboardTracking(false);
    return field;
}

void showNumber(QSpinBox* field, int value) {
    const QSignalBlocker block(field);
    field->setValue(value);
}

QHBoxLayout* fieldRow(std::initializer_list<QWidget*> fields) {
    auto* row = new QHBoxLayout;
    for (QWidget* field : fields)
        row->addWidget(field);
    row->addStretch(1);
    return row;
}

} // namespace

LevelsDialog::LevelsDialog(LevelsDialogModel& model, QWidget* parent)
    : AdjustmentDialog(model, tr("Levels"), parent), model_(model), channel_(new QComboBox(this)),
      inputBlack_(levelField(this, "inputBlack")), gamma_(new QDoubleSpinBox(this)),
      inputWhite_(levelField(this, "inputWhite")), outputBlack_(levelField(this, "outputBlack")),
      outputWhite_(levelField(this, "outputWhite")), histogram_(new HistogramView(this)),
      inputBar_(new LevelBar(3, this)), outputBar_(new LevelBar(2, this)) {
    channel_->setObjectName(QStringLiteral("channel"));
    for (const char* name : kToneChannelNames)
        channel_->addItem(tr(name));
    gamma_->setObjectName(QStringLiteral("gamma"));
    gamma_->setDecimals(2);
    gamma_->setKeyboardTracking(false);
    gamma_->setSingleStep(0.01);
    gamma_->setRange(LevelsChannel::kGamma.min, LevelsChannel::kGamma.max);
    histogram_->setObjectName(QStringLiteral("histogram"));
    inputBar_->setObjectName(QStringLiteral("inputBar"));
    outputBar_->setObjectName(QStringLiteral("outputBar"));

    auto* channelLabel = new QLabel(tr("&Channel:"), this);
    channelLabel->setBuddy(channel_);
    auto* inputLabel = new QLabel(tr("&Input Levels:"), this);
    inputLabel->setBuddy(inputBlack_);
    auto* outputLabel = new QLabel(tr("&Output Levels:"), this);
    outputLabel->setBuddy(outputBlack_);

    auto* grid = new QGridLayout;
    grid->addWidget(channelLabel, 0, 0);
    grid->addWidget(channel_, 0, 1, Qt::AlignLeft);
    grid->addWidget(inputLabel, 1, 0);
    grid->addLayout(fieldRow({inputBlack_, gamma_, inputWhite_}), 1, 1);
    body()->addLayout(grid);
    body()->addWidget(histogram_);
    body()->addWidget(inputBar_);
    auto* outputRow = new QHBoxLayout;
    outputRow->addWidget(outputLabel);
    outputRow->addLayout(fieldRow({outputBlack_, outputWhite_}), 1);
    body()->addLayout(outputRow);
    body()->addWidget(outputBar_);
    body()->addStretch(1);

    connect(channel_, &QComboBox::activated, this, [this](int channel) {
        model_.setChannel(channel);
        showValues();
    });
    // Each edit goes to the model, which may limit it; the fields then show what it kept.
    const auto edited = [this](auto set) {
        return [this, set](auto value) {
            (model_.*set)(value);
            showValues();
        };
    };
    connect(inputBlack_, &QSpinBox::valueChanged, this, edited(&LevelsDialogModel::setInputBlack));
    connect(inputWhite_, &QSpinBox::valueChanged, this, edited(&LevelsDialogModel::setInputWhite));
    connect(gamma_, &QDoubleSpinBox::valueChanged, this, edited(&LevelsDialogModel::setGamma));
    connect(outputBlack_, &QSpinBox::valueChanged, this, edited(&LevelsDialogModel::setOutputBlack));
    connect(outputWhite_, &QSpinBox::valueChanged, this, edited(&LevelsDialogModel::setOutputWhite));
    connect(inputBar_, &LevelBar::handleDragged, this, &LevelsDialog::inputHandleDragged);
    connect(outputBar_, &LevelBar::handleDragged, this, &LevelsDialog::outputHandleDragged);
    showValues();
}

void LevelsDialog::inputHandleDragged(int handle, int level) {
    switch (handle) {
    case kBlackHandle: model_.setInputBlack(level); break;
    case kGammaHandle: model_.setGammaFromSlider(level); break;
    case kWhiteHandle: model_.setInputWhite(level); break;
    default: return;
    }
    showValues();
}

void LevelsDialog::outputHandleDragged(int handle, int level) {
    if (handle == 0)
        model_.setOutputBlack(level);
    else
        model_.setOutputWhite(level);
    showValues();
}

void LevelsDialog::showValues() {
    const LevelsChannel& values = model_.values();
    channel_->setCurrentIndex(model_.channel());
    showNumber(inputBlack_, values.inputBlack);
    showNumber(inputWhite_, values.inputWhite);
    showNumber(outputBlack_, values.outputBlack);
    showNumber(outputWhite_, values.outputWhite);
    {
        const QSignalBlocker block(gamma_);
        gamma_->setValue(values.gamma);
    }
    histogram_->setCounts(model_.displayedCounts());
    inputBar_->setLevels({values.inputBlack, model_.gammaSliderPosition(), values.inputWhite});
    outputBar_->setLevels({values.outputBlack, values.outputWhite});
}

std::optional<CommandParams> askLevels(QWidget* parent, DocumentSession& session) {
    const LayerStack& layers = session.document().layers();
    const RasterLayer* layer = layers.rasterAt(layers.activeIndex());
    Histogram histogram;
    if (!layer || !histogram.countLayer(*layer, session.selectionArea()))
        return std::nullopt;
    LevelsDialogModel model(session, histogram);
    return runAdjustmentDialog<LevelsDialog>(model, parent);
}

} // namespace pict::qt
