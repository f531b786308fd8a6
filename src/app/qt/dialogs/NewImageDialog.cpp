#include "app/qt/dialogs/NewImageDialog.h"

#include "app/qt/window/MessageBoxes.h"
#include "app/qt/dialogs/TextPrompt.h"

#include <QClipboard>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace pict::qt {
namespace {

constexpr int kSavePresetButtonId = 801;
constexpr int kDeletePresetButtonId = 800;

QDoubleSpinBox* numberField(QWidget* parent) {
    auto* field = new QDoubleSpinBox(parent);
    field->setDecimals(3);
    // Wide enough for 30000 pixels in any unit and for an out-of-range entry that then
    // disables OK instead of being silently clamped.
    field->setRange(0.0, 1000000.0);
    field->setKeyboardTracking(true);
    return field;
}

template <typename Enum, size_t N>
QComboBox* enumList(const Enum (&values)[N], const char* (*text)(Enum), QWidget* parent) {
    auto* box = new QComboBox(parent);
    for (Enum value : values)
        box->addItem(QString::fromUtf8(text(value)), static_cast<int>(value));
    return box;
}

constexpr SizeUnit kSizeUnits[] = {SizeUnit::Pixels, SizeUnit::Inches, SizeUnit::Centimeters, SizeUnit::Millimeters};
constexpr ResolutionUnit kResolutionUnits[] = {ResolutionUnit::PixelsPerInch, ResolutionUnit::PixelsPerCentimeter};
constexpr NewImageBackground kBackgrounds[] = {NewImageBackground::White, NewImageBackground::BackgroundColor,
                                               NewImageBackground::Transparent};

} // namespace

NewImageDialog::NewImageDialog(AppSettings& settings, const BuiltInPresetInputs& builtIns,
                               const std::string& proposedName, QWidget* parent)
    : ModalDialog(parent), settings_(settings), builtInInputs_(builtIns), name_(new QLineEdit(this)),
      presetBox_(new QComboBox(this)), savePreset_(new QToolButton(this)), deletePreset_(new QToolButton(this)),
      width_(numberField(this)), widthUnit_(enumList(kSizeUnits, sizeUnitListText, this)), height_(numberField(this)),
      heightUnit_(enumList(kSizeUnits, sizeUnitListText, this)), resolution_(numberField(this)),
      resolutionUnit_(enumList(kResolutionUnits, resolutionUnitListText, this)),
      background_(enumList(kBackgrounds, backgroundListText, this)), orientation_(new QComboBox(this)),
      swap_(new QToolButton(this)), sizeLabel_(new QLabel(this)) {
    setWindowTitle(QStringLiteral("New"));
    savePreset_->setText(QStringLiteral("Save Preset..."));
    savePreset_->setProperty("controlId", kSavePresetButtonId);
    deletePreset_->setText(QStringLiteral("Delete Preset"));
    deletePreset_->setProperty("controlId", kDeletePresetButtonId);
    orientation_->addItems({QStringLiteral("Landscape"), QStringLiteral("Portrait")});
    swap_->setText(QStringLiteral("Swap"));

    auto row = [this](std::initializer_list<QWidget*> widgets) {
        auto* box = new QWidget(this);
        auto* layout = new QHBoxLayout(box);
        layout->setContentsMargins(0, 0, 0, 0);
        for (QWidget* w : widgets)
            layout->addWidget(w);
        return box;
    };
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Name:"), name_);
    form->addRow(QStringLiteral("Preset:"), row({presetBox_, savePreset_, deletePreset_}));
    form->addRow(QStringLiteral("Width:"), row({width_, widthUnit_}));
    form->addRow(QStringLiteral("Height:"), row({height_, heightUnit_}));
    form->addRow(QStringLiteral("Resolution:"), row({resolution_, resolutionUnit_}));
    form->addRow(QStringLiteral("Background:"), background_);
    form->addRow(QStringLiteral("Orientation:"), row({orientation_, swap_}));
    form->addRow(QStringLiteral("Image size:"), sizeLabel_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons());

    fields_.documentName = proposedName;
    fields_.values = builtInInputs_.lastConfirmed;
    fields_.selectedPresetId = 0;
    rebuildPresetBox(0);
    name_->setText(QString::fromStdString(proposedName));
    showFields();

    connect(name_, &QLineEdit::textChanged, this, [this](const QString& text) {
        fields_.documentName = text.toStdString();
        updateStates();
    });
    connect(presetBox_, &QComboBox::currentIndexChanged, this, &NewImageDialog::presetChosen);
    for (QDoubleSpinBox* field : {width_, height_, resolution_})
        connect(field, &QDoubleSpinBox::valueChanged, this, &NewImageDialog::fieldsEdited);
    connect(background_, &QComboBox::currentIndexChanged, this, &NewImageDialog::fieldsEdited);
    connect(widthUnit_, &QComboBox::currentIndexChanged, this, &NewImageDialog::sizeUnitChosen);
    connect(heightUnit_, &QComboBox::currentIndexChanged, this, &NewImageDialog::sizeUnitChosen);
    connect(resolutionUnit_, &QComboBox::currentIndexChanged, this, &NewImageDialog::resolutionUnitChanged);
    connect(orientation_, &QComboBox::activated, this, &NewImageDialog::orientationChosen);
    connect(swap_, &QToolButton::clicked, this, &NewImageDialog::swapClicked);
    connect(savePreset_, &QToolButton::clicked, this, &NewImageDialog::savePresetClicked);
    connect(deletePreset_, &QToolButton::clicked, this, &NewImageDialog::deletePresetClicked);
}

void NewImageDialog::rebuildPresetBox(int32_t selectId) {
    presets_ = newDialogPresetList(builtInInputs_, settings_.presets);
    updating_ = true;
    presetBox_->clear();
    int selectIndex = 0;
    for (size_t i = 0; i < presets_.size(); ++i) {
        presetBox_->addItem(QString::fromStdString(presets_[i].name), presets_[i].id);
        if (presets_[i].id == selectId)
            selectIndex = static_cast<int>(i);
    }
    presetBox_->setCurrentIndex(selectIndex);
    fields_.selectedPresetId = presets_.empty() ? -1 : presets_[static_cast<size_t>(selectIndex)].id;
    updating_ = false;
}

void NewImageDialog::presetChosen(int index) {
    if (updating_ || index < 0 || static_cast<size_t>(index) >= presets_.size())
        return;
    const ImagePreset& preset = presets_[static_cast<size_t>(index)];
    fields_.values = preset;
    fields_.selectedPresetId = preset.id;
    showFields();
}

void NewImageDialog::fieldsEdited() {
    if (updating_)
        return;
    fields_.values.width = static_cast<float>(width_->value());
    fields_.values.height = static_cast<float>(height_->value());
    fields_.values.resolution = static_cast<float>(resolution_->value());
    fields_.values.background = static_cast<NewImageBackground>(background_->currentData().toInt());
    // An entry with exactly these values becomes the selected one; otherwise the selection
    // stays where it was, so that edited Custom values can still be saved as a preset.
    if (std::optional<size_t> match = matchingPresetIndex(presets_, fields_.values)) {
        updating_ = true;
        presetBox_->setCurrentIndex(static_cast<int>(*match));
        updating_ = false;
        fields_.selectedPresetId = presets_[*match].id;
    }
    updateStates();
}

void NewImageDialog::sizeUnitChosen(int index) {
    if (updating_ || index < 0)
        return;
    const auto to = static_cast<SizeUnit>(widthUnit_->itemData(index).toInt());
    const SizeUnit from = fields_.values.sizeUnit;
    if (to == from)
        return;
    ImagePreset& v = fields_.values;
    v.width = static_cast<float>(convertSizeValue(v.width, from, to, v.resolution, v.resolutionUnit));
    v.height = static_cast<float>(convertSizeValue(v.height, from, to, v.resolution, v.resolutionUnit));
    v.sizeUnit = to;
    showFields();
    fieldsEdited();
}

void NewImageDialog::resolutionUnitChanged() {
    if (updating_)
        return;
    const auto to = static_cast<ResolutionUnit>(resolutionUnit_->currentData().toInt());
    ImagePreset& v = fields_.values;
    if (to == v.resolutionUnit)
        return;
    v.resolution = static_cast<float>(convertResolution(v.resolution, v.resolutionUnit, to));
    v.resolutionUnit = to;
    showFields();
    fieldsEdited();
}

void NewImageDialog::orientationChosen(int index) {
    const bool wantPortrait = index == 1;
    if (wantPortrait != isPortrait(fields_) && canSwapSides(fields_))
        swapClicked();
    else
        updateStates();
}

void NewImageDialog::swapClicked() {
    if (!canSwapSides(fields_))
        return;
    swapSides(fields_);
    showFields();
    fieldsEdited();
}

SavePresetResult NewImageDialog::savePresetNamed(const std::string& name) {
    std::vector<ImagePreset> builtIns = builtInPresets(builtInInputs_);
    int32_t id = 0;
    const SavePresetResult result = savePreset(settings_.presets, builtIns, name, fields_.values, &id);
    if (result == SavePresetResult::Added) {
        rebuildPresetBox(id);
        updateStates();
    }
    return result;
}

bool NewImageDialog::deleteSelectedPreset() {
    if (!canDeletePreset(fields_.selectedPresetId) || !settings_.presets.removeById(fields_.selectedPresetId))
        return false;
    rebuildPresetBox(0);
    presetChosen(presetBox_->currentIndex());
    return true;
}

void NewImageDialog::savePresetClicked() {
    if (!canSavePreset(fields_))
        return;
    std::optional<QString> name = askText(this, QString::fromUtf8(kSavePresetTitle), QString::fromUtf8(kSavePresetLabel),
                                          QString::fromStdString(presetNameProposal(fields_.values)));
    if (!name)
        return;
    if (savePresetNamed(name->toStdString()) == SavePresetResult::DuplicateName)
        showMessageBox(this, QMessageBox::Critical, QString::fromUtf8(kDuplicatePresetCaption),
                       QString::fromStdString(duplicatePresetMessage(name->toStdString())));
}

void NewImageDialog::deletePresetClicked() {
    const int index = presetBox_->currentIndex();
    if (!canDeletePreset(fields_.selectedPresetId) || index < 0)
        return;
    const std::string name = presets_[static_cast<size_t>(index)].name;
    const auto answer = showMessageBox(this, QMessageBox::Question, QString::fromUtf8(kDeletePresetCaption),
                                       QString::fromStdString(deletePresetQuestion(name)),
                                       QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
    if (answer == QMessageBox::Yes)
        deleteSelectedPreset();
}

void NewImageDialog::showFields() {
    updating_ = true;
    const ImagePreset& v = fields_.values;
    width_->setValue(v.width);
    height_->setValue(v.height);
    // Whole pixels need no decimals; the physical units do.
    const int decimals = v.sizeUnit == SizeUnit::Pixels ? 0 : 3;
    width_->setDecimals(decimals);
    height_->setDecimals(decimals);
    width_->setValue(v.width);
    height_->setValue(v.height);
    widthUnit_->setCurrentIndex(widthUnit_->findData(static_cast<int>(v.sizeUnit)));
    heightUnit_->setCurrentIndex(heightUnit_->findData(static_cast<int>(v.sizeUnit)));
    resolution_->setValue(v.resolution);
    resolutionUnit_->setCurrentIndex(resolutionUnit_->findData(static_cast<int>(v.resolutionUnit)));
    background_->setCurrentIndex(background_->findData(static_cast<int>(v.background)));
    updating_ = false;
    updateStates();
}

void NewImageDialog::updateStates() {
    const int32_t w = fieldsWidthPixels(fields_);
    const int32_t h = fieldsHeightPixels(fields_);
    sizeLabel_->setText(QString::fromStdString(imageSizeLabel(w, h)));
    orientation_->setCurrentIndex(isPortrait(fields_) ? 1 : 0);
    swap_->setEnabled(canSwapSides(fields_));
    okButton()->setEnabled(canConfirmNewImage(fields_));
    savePreset_->setEnabled(canSavePreset(fields_));
    deletePreset_->setEnabled(canDeletePreset(fields_.selectedPresetId));
}

std::optional<NewImageSpec> askNewImage(QWidget* parent, AppSettings& settings, Color currentBackground,
                                        DocumentNameCounter& untitledNames, ImagePreset& lastConfirmed) {
    BuiltInPresetInputs inputs;
    inputs.lastConfirmed = lastConfirmed;
    const QMimeData* clip = QGuiApplication::clipboard()->mimeData();
    if (clip && clip->hasImage()) {
        const QImage image = QGuiApplication::clipboard()->image();
        if (!image.isNull())
            inputs.clipboardSize = Size{image.width(), image.height()};
    }
    NewImageDialog dialog(settings, inputs, untitledNames.next(), parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    const NewImageFields fields = dialog.fields();
    lastConfirmed = fields.values;
    return newImageSpec(fields, currentBackground);
}

} // namespace pict::qt
