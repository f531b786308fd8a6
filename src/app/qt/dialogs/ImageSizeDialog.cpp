#include "app/qt/dialogs/ImageSizeDialog.h"

#include "app/qt/dialogs/DialogText.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace pict::qt {

ImageSizeDialog::ImageSizeDialog(int32_t width, int32_t height, float resolution,
                                 ResolutionUnit resolutionUnit, QWidget* parent)
    : SizeDialog(parent), model_(width, height, resolution, resolutionUnit) {
    setWindowTitle(tr("Image Size"));

    pixelGroup_ = new QGroupBox(this);
    auto* pixels = new QGridLayout(pixelGroup_);
    for (int i = 0; i < 2; ++i) {
        pixelUnits_[size_t(i)] = makeList(kPixelEntryUnitNames);
        connect(pixelUnits_[size_t(i)], &QComboBox::currentIndexChanged, this, [this](int unit) {
            model_.setPixelUnit(PixelEntryUnit(unit));
            refresh();
        });
    }
    addRow(pixels, 0, tr("&Width:"), makeField(ImageSizeField::PixelWidth), pixelUnits_[0]);
    addRow(pixels, 1, tr("&Height:"), makeField(ImageSizeField::PixelHeight), pixelUnits_[1]);

    auto* document = new QGroupBox(tr("Document Size:"), this);
    auto* printed = new QGridLayout(document);
    for (int i = 0; i < 2; ++i) {
        documentUnits_[size_t(i)] = makeList(kDocumentLengthUnitNames);
        connect(documentUnits_[size_t(i)], &QComboBox::currentIndexChanged, this, [this](int unit) {
            model_.setDocumentUnit(DocumentLengthUnit(unit));
            refresh();
        });
    }
    resolutionUnit_ = makeList(kResolutionUnitNames);
    connect(resolutionUnit_, &QComboBox::currentIndexChanged, this, [this](int unit) {
        model_.setResolutionUnit(ResolutionUnit(unit));
        refresh();
    });
    addRow(printed, 0, tr("Wi&dth:"), makeField(ImageSizeField::DocumentWidth), documentUnits_[0]);
    addRow(printed, 1, tr("Hei&ght:"), makeField(ImageSizeField::DocumentHeight), documentUnits_[1]);
    addRow(printed, 2, tr("&Resolution:"), makeField(ImageSizeField::Resolution), resolutionUnit_);

    constrain_ = new QCheckBox(tr("&Constrain proportions"), this);
    connect(constrain_, &QCheckBox::toggled, this, [this](bool on) {
        model_.setConstrain(on);
        refresh();
    });
    resample_ = new QCheckBox(tr("Resample &image:"), this);
    connect(resample_, &QCheckBox::toggled, this, [this](bool on) {
        model_.setResample(on);
        refresh();
    });
    method_ = makeList(kResampleMethodNames);
    connect(method_, &QComboBox::currentIndexChanged, this, [this](int method) { model_.setMethod(method); });
    auto* resampleRow = new QHBoxLayout;
    resampleRow->addWidget(resample_);
    resampleRow->addWidget(method_, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pixelGroup_);
    layout->addWidget(document);
    layout->addWidget(constrain_);
    layout->addLayout(resampleRow);
    layout->addWidget(buttons());
    layout->setSizeConstraint(QLayout::SetFixedSize);
    refresh();
}

QLineEdit* ImageSizeDialog::makeField(ImageSizeField field) {
    fields_[size_t(field)] = makeNumberEntry([this, field](const QString& text) {
        model_.edit(field, modelText(text));
        refresh(int(field));
    });
    return fields_[size_t(field)];
}

void ImageSizeDialog::refresh(int except) {
    refreshing_ = true;
    for (size_t i = 0; i < kImageSizeFieldCount; ++i)
        if (int(i) != except)
            showText(fields_[i], model_.text(ImageSizeField(i)));
    for (QComboBox* list : pixelUnits_) {
        selectQuietly(list, int(model_.pixelUnit()));
        list->setEnabled(model_.pixelEntriesEnabled());
    }
    for (QComboBox* list : documentUnits_)
        selectQuietly(list, int(model_.documentUnit()));
    selectQuietly(resolutionUnit_, int(model_.resolutionUnit()));
    selectQuietly(method_, model_.method());
    {
        const QSignalBlocker constrainBlocker(constrain_);
        const QSignalBlocker resampleBlocker(resample_);
        constrain_->setChecked(model_.constrain());
        resample_->setChecked(model_.resample());
    }
    const bool pixelsOpen = model_.pixelEntriesEnabled();
    constrain_->setEnabled(pixelsOpen);
    method_->setEnabled(pixelsOpen);
    fields_[size_t(ImageSizeField::PixelWidth)]->setEnabled(pixelsOpen);
    fields_[size_t(ImageSizeField::PixelHeight)]->setEnabled(pixelsOpen);
    pixelGroup_->setTitle(tr("Pixel Dimensions: %1").arg(QString::fromStdString(model_.pixelDimensionsLine())));
    okButton()->setEnabled(model_.acceptable());
    refreshing_ = false;
}

} // namespace pict::qt
