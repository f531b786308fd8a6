#include "app/qt/dialogs/TiffOptionsDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <QStandardItemModel>
#include <QVBoxLayout>

#include <span>

namespace pict::qt {

namespace {

QComboBox* choiceBox(QWidget* parent, const char* name, std::span<const char* const> labels) {
    auto* box = new QComboBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    for (const char* label : labels)
        box->addItem(QObject::tr(label));
    return box;
}

// Grays the entries the model does not offer, with its reason as their tip.
template <class Refusal>
void offer(QComboBox* box, Refusal refusal) {
    auto* items = qobject_cast<QStandardItemModel*>(box->model());
    for (int i = 0; items && i < box->count(); ++i) {
        const QString why = QString::fromStdString(refusal(i));
        items->item(i)->setEnabled(why.isEmpty());
        items->item(i)->setToolTip(why.isEmpty() ? QString() : why.left(1).toUpper() + why.mid(1) + QLatin1Char('.'));
    }
}

} // namespace

TiffOptionsDialog::TiffOptionsDialog(TiffOptionsModel& model, QWidget* parent)
    : ModalDialog(parent), model_(model), compression_(choiceBox(this, "compression", kTiffCompressionLabels)),
      depth_(choiceBox(this, "depth", kTiffDepthLabels)), color_(choiceBox(this, "color", kTiffColorLabels)),
      note_(new QLabel(tr("Transparent parts will be written over white."), this)) {
    setWindowTitle(tr("TIFF Options"));
    note_->setObjectName(QStringLiteral("note"));
    auto* form = new QFormLayout;
    form->addRow(tr("&Compression:"), compression_);
    form->addRow(tr("&Depth:"), depth_);
    form->addRow(tr("Co&lor:"), color_);
    form->addRow(note_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons());
    showChoices();

    connect(compression_, &QComboBox::currentIndexChanged, this, [this](int index) {
        model_.setCompression(static_cast<TiffCompression>(index));
        showChoices();
    });
    connect(depth_, &QComboBox::currentIndexChanged, this, [this](int index) {
        model_.setDepth(static_cast<TiffDepth>(index));
        showChoices();
    });
    connect(color_, &QComboBox::currentIndexChanged, this, [this](int index) {
        model_.setColor(static_cast<TiffColor>(index));
        showChoices();
    });
    compression_->setFocus();
}

void TiffOptionsDialog::showChoices() {
    const QSignalBlocker blockCompression(compression_), blockDepth(depth_), blockColor(color_);
    const TiffSaveSettings& settings = model_.settings();
    offer(compression_, [this](int i) { return model_.compressionRefusal(static_cast<TiffCompression>(i)); });
    offer(depth_, [this](int i) { return model_.depthRefusal(static_cast<TiffDepth>(i)); });
    compression_->setCurrentIndex(static_cast<int>(settings.compression));
    depth_->setCurrentIndex(static_cast<int>(settings.depth));
    color_->setCurrentIndex(static_cast<int>(settings.color));
    note_->setVisible(model_.flattensTransparency());
}

std::optional<TiffSaveSettings> askTiffSettings(QWidget* parent, const TiffSaveSettings& current,
                                                bool hasTransparency) {
    TiffOptionsModel model(current, hasTransparency);
    TiffOptionsDialog dialog(model, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return model.settings();
}

} // namespace pict::qt
