#include "app/qt/window/ShellPrompts.h"

#include "app/session/DocumentFileRules.h"
#include "app/settings/ProductInfo.h"
#include "app/qt/window/FileDialogFilters.h"
#include "app/qt/window/MessageBoxes.h"
#include "app/qt/dialogs/NewImageDialog.h"
#include "app/qt/dialogs/OptionsDialog.h"
#include "app/qt/dialogs/SaveOptionsDialogs.h"
#include "app/qt/dialogs/TiffOptionsDialog.h"
#include "app/qt/dialogs/TextPrompt.h"

#include <QDir>
#include <QFileDialog>
#include <QPushButton>

namespace pict::qt {

QString applicationTitle() { return QString::fromUtf8(kProductName); }

SaveChangesAnswer QtShellPrompts::askSaveChanges(QWidget* parent, const QString& documentName) {
    const auto button = showMessageBox(parent, QMessageBox::Question, applicationTitle(),
                                       QString::fromStdString(closePromptText(documentName.toStdString())),
                                       QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes);
    switch (button) {
    case QMessageBox::Yes: return SaveChangesAnswer::Yes;
    case QMessageBox::No: return SaveChangesAnswer::No;
    default: return SaveChangesAnswer::Cancel;
    }
}

QStringList QtShellPrompts::askOpenFiles(QWidget* parent, const QString& folder) {
    const QStringList filters = openNameFilters();
    QFileDialog dialog(parent);
    if (!folder.isEmpty())
        dialog.setDirectory(folder);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFiles);
    dialog.setNameFilters(filters);
    // "All Formats", the last entry, is where the dialog starts.
    const qsizetype preselected = openFilterDefaultIndex() - 1;
    if (preselected >= 0 && preselected < filters.size())
        dialog.selectNameFilter(filters[preselected]);
    if (dialog.exec() != QDialog::Accepted)
        return {};
    return dialog.selectedFiles();
}

std::optional<SaveAsAnswer> QtShellPrompts::askSaveAs(QWidget* parent, const SaveAsRequest& request) {
    const QStringList filters = saveNameFilters();
    QFileDialog dialog(parent);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, false);
    dialog.setNameFilters(filters);
    const int index = std::clamp(request.filterEntry, 1, static_cast<int>(filters.size())) - 1;
    if (!filters.isEmpty())
        dialog.selectNameFilter(filters[index]);
    // A name typed without an extension gains the chosen filter's before the dialog checks
    // whether it would overwrite a file; a typed extension stays as it is.
    const auto followFilter = [&dialog, &filters](const QString& filter) {
        const FileKind kind = kindOfSaveFilterIndex(static_cast<int>(filters.indexOf(filter)) + 1);
        dialog.setDefaultSuffix(QString::fromStdString(extensionOfKind(kind, false)));
    };
    if (!filters.isEmpty())
        followFilter(filters[index]);
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, followFilter);
    if (!request.folder.isEmpty())
        dialog.setDirectory(request.folder);
    dialog.selectFile(request.proposedName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return SaveAsAnswer{dialog.selectedFiles().front(),
                        static_cast<int>(filters.indexOf(dialog.selectedNameFilter())) + 1};
}

bool QtShellPrompts::confirmLargePicture(QWidget* parent, const QString& question) {
    return showMessageBox(parent, QMessageBox::Question, applicationTitle(), question,
                          QMessageBox::Yes | QMessageBox::No, QMessageBox::No) == QMessageBox::Yes;
}

FlatSaveAnswer QtShellPrompts::askFlatSave(QWidget* parent, const QString& text) {
    MessageBox box(QMessageBox::Warning, applicationTitle(), text, QMessageBox::NoButton, parent);
    QPushButton* save = box.addButton(QString::fromUtf8(kFlatSaveButton), QMessageBox::AcceptRole);
    QPushButton* layered = box.addButton(QString::fromUtf8(kSaveAsLayeredButton), QMessageBox::ActionRole);
    box.addButton(QMessageBox::Cancel);
    box.setDefaultButton(layered);
    box.exec();
    if (box.clickedButton() == save)
        return FlatSaveAnswer::Save;
    if (box.clickedButton() == layered)
        return FlatSaveAnswer::SaveAsLayered;
    return FlatSaveAnswer::Cancel;
}

bool QtShellPrompts::askRecover(QWidget* parent, const QString& text) {
    MessageBox box(QMessageBox::Question, applicationTitle(), text, QMessageBox::NoButton, parent);
    QPushButton* recover = box.addButton(QStringLiteral("Recover"), QMessageBox::AcceptRole);
    box.addButton(QStringLiteral("Discard"), QMessageBox::DestructiveRole);
    box.setDefaultButton(recover);
    box.exec();
    return box.clickedButton() == recover;
}

bool QtShellPrompts::askJpegOptions(QWidget* parent, JpegOptionsModel& model, const CompositeCache& composite) {
    JpegOptionsDialog dialog(model, composite, parent);
    return dialog.exec() == QDialog::Accepted;
}

std::optional<PngCompression> QtShellPrompts::askPngOptions(QWidget* parent, PngCompression current) {
    return askPngCompression(parent, current);
}

std::optional<WebpSaveSettings> QtShellPrompts::askWebpOptions(QWidget* parent, const WebpSaveSettings& current) {
    return askWebpSettings(parent, current);
}

std::optional<TiffSaveSettings> QtShellPrompts::askTiffOptions(QWidget* parent, const TiffSaveSettings& current,
                                                               bool hasTransparency) {
    return askTiffSettings(parent, current, hasTransparency);
}

void QtShellPrompts::showError(QWidget* parent, const QString& text) {
    showMessageBox(parent, QMessageBox::Critical, QStringLiteral("Error"), text);
}

void QtShellPrompts::showInformation(QWidget* parent, const QString& text) {
    showMessageBox(parent, QMessageBox::Information, QStringLiteral("Information"), text);
}

std::optional<NewImageSpec> QtShellPrompts::askNewImage(QWidget* parent, AppSettings& settings, Color background,
                                                        DocumentNameCounter& untitledNames,
                                                        ImagePreset& lastConfirmed) {
    return qt::askNewImage(parent, settings, background, untitledNames, lastConfirmed);
}

std::optional<QString> QtShellPrompts::askDuplicateName(QWidget* parent, const QString& documentName) {
    return qt::askDuplicateName(parent, documentName);
}

std::optional<ApplicationOptions> QtShellPrompts::askOptions(QWidget* parent, const ApplicationOptions& options) {
    OptionsDialog dialog(options, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.options();
}

} // namespace pict::qt
