#include "app/qt/dialogs/SaveOptionsDialogs.h"

#include "app/qt/widgets/PreviewPane.h"
#include "app/session/DocumentSession.h"
#include "document/compositing/CompositeCache.h"
#include "document/Document.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <QSlider>
#include <QSpinBox>
#include <QTimer>
#include <QVBoxLayout>

namespace pict::qt {

namespace {

// Compressing a large picture takes a moment: it waits until the choices rest this long.
constexpr int kCompressPauseMs = 150;
constexpr int kPreviewSide = 240;

} // namespace

JpegOptionsDialog::JpegOptionsDialog(JpegOptionsModel& model, const CompositeCache& composite, QWidget* parent)
    : ModalDialog(parent), model_(model), composite_(composite), quality_(new QSpinBox(this)),
      qualitySlider_(new QSlider(Qt::Horizontal, this)), subsampling_(new QComboBox(this)),
      progressive_(new QCheckBox(tr("&Progressive"), this)), keepMetadata_(new QCheckBox(tr("Keep metadata"), this)),
      removeLocation_(new QCheckBox(tr("Remove location data"), this)), size_(new QLabel(this)),
      pause_(new QTimer(this)) {
    setWindowTitle(tr("JPEG Options"));
    quality_->setObjectName(QStringLiteral("quality"));
    qualitySlider_->setObjectName(QStringLiteral("qualitySlider"));
    subsampling_->setObjectName(QStringLiteral("subsampling"));
    progressive_->setObjectName(QStringLiteral("progressive"));
    keepMetadata_->setObjectName(QStringLiteral("keepMetadata"));
    removeLocation_->setObjectName(QStringLiteral("removeLocation"));
    size_->setObjectName(QStringLiteral("fileSize"));
    qualitySlider_->setRange(JpegOptionsModel::kQualityMin, JpegOptionsModel::kQualityMax);
    quality_->setRange(JpegOptionsModel::kQualityMin, JpegOptionsModel::kQualityMax);
    subsampling_->addItems({tr("4:2:0 (smaller)"), tr("4:4:4 (sharper color)")});

    quality_->setValue(model_.quality());
    qualitySlider_->setValue(model_.quality());
    subsampling_->setCurrentIndex(model_.fullChroma() ? 1 : 0);
    progressive_->setChecked(model_.progressive());
    keepMetadata_->setChecked(model_.keepMetadata());
    removeLocation_->setChecked(model_.removeLocation());

    auto* form = new QFormLayout;
    auto* qualityRow = new QHBoxLayout;
    qualityRow->addWidget(qualitySlider_, 1);
    qualityRow->addWidget(quality_);
    form->addRow(tr("&Quality:"), qualityRow);
    form->addRow(tr("&Chroma subsampling:"), subsampling_);
    form->addRow(progressive_);
    form->addRow(keepMetadata_);
    form->addRow(removeLocation_);
    form->addRow(size_);
    auto* row = new QHBoxLayout;
    row->addLayout(form, 1);

    // The compressed picture lives in a document of its own, which the preview pane shows.
    JpegOptionsModel::Compressed first;
    if (model_.compress(composite_, first)) {
        auto document = std::make_unique<Document>();
        if (document->newFromSurface("preview.jpg", std::move(first.decoded))) {
            preview_ = std::make_unique<DocumentSession>(previewContext_, std::move(document));
            pane_ = new PreviewPane(*preview_, {}, this);
            pane_->setObjectName(QStringLiteral("preview"));
            pane_->setFixedSize(kPreviewSide, kPreviewSide);
            pane_->actualPixels();
            row->addWidget(pane_);
        }
        size_->setText(tr("File size: %1").arg(QString::fromStdString(fileSizeText(first.bytes))));
    }
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(buttons());

    pause_->setSingleShot(true);
    pause_->setInterval(kCompressPauseMs);
    connect(pause_, &QTimer::timeout, this, &JpegOptionsDialog::compressNow);
    connect(quality_, &QSpinBox::valueChanged, this, [this](int value) {
        const QSignalBlocker block(qualitySlider_);
        qualitySlider_->setValue(value);
        choicesChanged();
    });
    connect(qualitySlider_, &QSlider::valueChanged, this, [this](int value) {
        const QSignalBlocker block(quality_);
        quality_->setValue(value);
        choicesChanged();
    });
    connect(subsampling_, &QComboBox::currentIndexChanged, this, &JpegOptionsDialog::choicesChanged);
    for (QCheckBox* box : {progressive_, keepMetadata_, removeLocation_})
        connect(box, &QCheckBox::toggled, this, &JpegOptionsDialog::choicesChanged);
    showEnabled();
}

JpegOptionsDialog::~JpegOptionsDialog() {
    delete pane_; // before the session it observes
    pane_ = nullptr;
}

QString JpegOptionsDialog::sizeText() const { return size_->text(); }

void JpegOptionsDialog::choicesChanged() {
    model_.setQuality(quality_->value());
    model_.setFullChroma(subsampling_->currentIndex() == 1);
    model_.setProgressive(progressive_->isChecked());
    model_.setKeepMetadata(keepMetadata_->isChecked());
    model_.setRemoveLocation(removeLocation_->isChecked());
    showEnabled();
    pause_->start();
}

void JpegOptionsDialog::showEnabled() {
    keepMetadata_->setEnabled(model_.metadataChoiceEnabled());
    removeLocation_->setEnabled(model_.locationChoiceEnabled());
}

void JpegOptionsDialog::compressNow() {
    pause_->stop();
    JpegOptionsModel::Compressed compressed;
    if (!model_.compress(composite_, compressed)) {
        size_->setText(tr("File size: unknown"));
        return;
    }
    size_->setText(tr("File size: %1").arg(QString::fromStdString(fileSizeText(compressed.bytes))));
    if (preview_)
        preview_->document().layers().writeBack(0, compressed.decoded);
}

std::optional<PngCompression> askPngCompression(QWidget* parent, PngCompression current) {
    ModalDialog dialog(parent);
    dialog.setWindowTitle(QObject::tr("PNG Options"));
    auto* compression = new QComboBox(&dialog);
    compression->setObjectName(QStringLiteral("compression"));
    for (const char* label : kPngCompressionLabels)
        compression->addItem(QObject::tr(label));
    compression->setCurrentIndex(static_cast<int>(current));
    auto* form = new QFormLayout;
    form->addRow(QObject::tr("&Compression:"), compression);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addLayout(form);
    layout->addWidget(dialog.buttons());
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return static_cast<PngCompression>(compression->currentIndex());
}

std::optional<WebpSaveSettings> askWebpSettings(QWidget* parent, const WebpSaveSettings& current) {
    ModalDialog dialog(parent);
    dialog.setWindowTitle(QObject::tr("WebP Options"));
    auto* quality = new QSpinBox(&dialog);
    quality->setObjectName(QStringLiteral("quality"));
    quality->setRange(WebpSaveSettings::kQualityMin, WebpSaveSettings::kQualityMax);
    quality->setValue(current.quality);
    auto* lossless = new QCheckBox(QObject::tr("&Lossless"), &dialog);
    lossless->setObjectName(QStringLiteral("lossless"));
    lossless->setChecked(current.lossless);
    auto* form = new QFormLayout;
    form->addRow(QObject::tr("&Quality:"), quality);
    form->addRow(lossless);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addLayout(form);
    layout->addWidget(dialog.buttons());
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return WebpSaveSettings{quality->value(), lossless->isChecked()};
}

} // namespace pict::qt
