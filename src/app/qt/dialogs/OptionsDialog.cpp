#include "app/qt/dialogs/OptionsDialog.h"

#include "app/qt/widgets/ColorButton.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QSpinBox>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace pict::qt {
namespace {

QSpinBox* rangeSpin(const IntOptionRange& range, QWidget* parent) {
    auto* spin = new QSpinBox(parent);
    spin->setRange(range.minimum, range.maximum);
    spin->setValue(range.defaultValue);
    return spin;
}

// A spin box followed by its range or unit text on one row.
QWidget* withSuffixLabel(QSpinBox* spin, const QString& text, QWidget* parent) {
    auto* row = new QWidget(parent);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(spin);
    layout->addWidget(new QLabel(text, row));
    layout->addStretch();
    return row;
}

} // namespace

OptionsDialog::OptionsDialog(const ApplicationOptions& options, QWidget* parent)
    : ModalDialog(parent), pageList_(new QListWidget(this)), pages_(new QStackedWidget(this)) {
    setWindowTitle(tr("Options"));
    pageList_->addItems({QStringLiteral("General"), QStringLiteral("Edit")});
    pageList_->setMaximumWidth(120);
    pages_->addWidget(buildGeneralPage());
    pages_->addWidget(buildEditPage());
    connect(pageList_, &QListWidget::currentRowChanged, pages_, &QStackedWidget::setCurrentIndex);
    pageList_->setCurrentRow(0);

    auto* body = new QHBoxLayout;
    body->addWidget(pageList_);
    body->addWidget(pages_, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body);
    layout->addWidget(buttons());
    setOptions(options);
}

QWidget* OptionsDialog::buildGeneralPage() {
    auto* page = new QWidget(this);
    auto* mainWindow = new QGroupBox(QStringLiteral("Main Window"), page);
    saveLayout_ = new QCheckBox(QStringLiteral("&Save layout when program exits"), mainWindow);
    maxRecentFiles_ = rangeSpin(kMaxRecentFilesRange, mainWindow);
    auto* mainLayout = new QVBoxLayout(mainWindow);
    mainLayout->addWidget(saveLayout_);
    mainLayout->addWidget(withSuffixLabel(maxRecentFiles_, QStringLiteral("items in recent files list"), mainWindow));

    auto* documentWindow = new QGroupBox(QStringLiteral("Document Window"), page);
    windowBackground_ = new ColorButton(documentWindow);
    imageBorder_ = new ColorButton(documentWindow);
    auto* documentLayout = new QFormLayout(documentWindow);
    documentLayout->addRow(QStringLiteral("Background color:"), windowBackground_);
    documentLayout->addRow(QStringLiteral("Image border color:"), imageBorder_);

    auto* layout = new QVBoxLayout(page);
    layout->addWidget(mainWindow);
    layout->addWidget(documentWindow);
    layout->addStretch();
    return page;
}

QWidget* OptionsDialog::buildEditPage() {
    auto* page = new QWidget(this);
    auto* colors = new QGroupBox(QStringLiteral("Default Colors"), page);
    foreground_ = new ColorButton(colors);
    background_ = new ColorButton(colors);
    auto* colorLayout = new QFormLayout(colors);
    colorLayout->addRow(QStringLiteral("Foreground:"), foreground_);
    colorLayout->addRow(QStringLiteral("Background:"), background_);

    auto* options = new QGroupBox(QStringLiteral("Options"), page);
    historyStates_ = rangeSpin(kHistoryStatesRange, options);
    tolerance_ = rangeSpin(kSimilarityToleranceRange, options);
    pixelThreads_ = rangeSpin(kPixelThreadsRange, options);
    historyMemory_ = rangeSpin(kHistoryMemoryRange, options);
    autosave_ = rangeSpin(kAutosaveMinutesRange, options);
    largePicture_ = rangeSpin(kLargePictureRange, options);
    auto* optionLayout = new QFormLayout(options);
    optionLayout->addRow(QStringLiteral("History states:"), withSuffixLabel(historyStates_, QStringLiteral("(1 - 100)"), options));
    optionLayout->addRow(QStringLiteral("Pixel similarity tolerance:"),
                         withSuffixLabel(tolerance_, QStringLiteral("(0 - 255)"), options));
    optionLayout->addRow(QStringLiteral("History memory:"),
                         withSuffixLabel(historyMemory_, QStringLiteral("MiB (0 = no limit)"), options));
    optionLayout->addRow(QStringLiteral("Pixel threads:"),
                         withSuffixLabel(pixelThreads_, QStringLiteral("(0 = one per core)"), options));
    optionLayout->addRow(QStringLiteral("Autosave every"),
                         withSuffixLabel(autosave_, QStringLiteral("minutes (0 = off)"), options));
    optionLayout->addRow(QStringLiteral("Ask before opening pictures larger than"),
                         withSuffixLabel(largePicture_, QStringLiteral("MiB"), options));

    auto* layout = new QVBoxLayout(page);
    layout->addWidget(colors);
    layout->addWidget(options);
    layout->addStretch();
    return page;
}

void OptionsDialog::setOptions(const ApplicationOptions& options) {
    saveLayout_->setChecked(options.saveLayout);
    maxRecentFiles_->setValue(kMaxRecentFilesRange.clamp(options.maxRecentFiles));
    windowBackground_->setColor(options.documentWindowBackground);
    imageBorder_->setColor(options.imageBorder);
    foreground_->setColor(options.defaultForeground);
    background_->setColor(options.defaultBackground);
    historyStates_->setValue(kHistoryStatesRange.clamp(options.historyStates));
    tolerance_->setValue(kSimilarityToleranceRange.clamp(options.pixelSimilarityTolerance));
    pixelThreads_->setValue(kPixelThreadsRange.clamp(options.pixelThreads));
    historyMemory_->setValue(kHistoryMemoryRange.clamp(options.historyMemory));
    autosave_->setValue(kAutosaveMinutesRange.clamp(options.autosaveMinutes));
    largePicture_->setValue(kLargePictureRange.clamp(options.largePictureMiB));
}

ApplicationOptions OptionsDialog::options() const {
    ApplicationOptions out;
    out.saveLayout = saveLayout_->isChecked();
    out.maxRecentFiles = maxRecentFiles_->value();
    out.documentWindowBackground = windowBackground_->color();
    out.imageBorder = imageBorder_->color();
    out.defaultForeground = foreground_->color();
    out.defaultBackground = background_->color();
    out.historyStates = historyStates_->value();
    out.pixelSimilarityTolerance = tolerance_->value();
    out.pixelThreads = pixelThreads_->value();
    out.historyMemory = historyMemory_->value();
    out.autosaveMinutes = autosave_->value();
    out.largePictureMiB = largePicture_->value();
    return out;
}

} // namespace pict::qt
