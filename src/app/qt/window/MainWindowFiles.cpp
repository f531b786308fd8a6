// The main window's document commands: New, New From Clipboard, Open, Duplicate, Save,
// Save As, the close prompts, dropped files and the file lists of later instances.

#include "app/qt/window/MainWindow.h"

#include "app/qt/window/Autosaver.h"

#include "app/session/DocumentFileRules.h"
#include "app/session/FileDialogRules.h"
#include "app/session/LargePictures.h"
#include "app/session/NewDocument.h"
#include "app/settings/FileListBlock.h"
#include "app/qt/canvas/CanvasWidget.h"
#include "app/qt/window/DocumentFrame.h"
#include "app/qt/window/FileDialogFilters.h"
#include "app/qt/window/LongWorkRunner.h"
#include "app/qt/window/ShellPrompts.h"
#include "app/qt/window/StatusBarFields.h"
#include "app/qt/window/SystemClipboard.h"
#include "app/session/InternalClipboard.h"
#include "codecs/DocumentFiles.h"
#include "codecs/FileKind.h"
#include "codecs/PictureProbe.h"
#include "document/compositing/CompositeCache.h"
#include "document/Document.h"

#include <QApplication>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QImage>
#include <QMdiArea>
#include <QStatusBar>
#include <QMimeData>
#include <QStandardPaths>
#include <QTimer>
#include <QUrl>

#include <filesystem>
#include <new>

namespace pict::qt {
namespace {

// How long "Converted from ... to sRGB" stays in the status bar.
constexpr int kColorNoteMilliseconds = 10000;

QStringList localFiles(const QMimeData* data) {
    QStringList out;
    if (!data || !data->hasUrls())
        return out;
    for (const QUrl& url : data->urls())
        if (url.isLocalFile())
            out.append(url.toLocalFile());
    return out;
}

} // namespace

// ---- entering documents ----

DocumentFrame* MainWindow::addDocument(std::unique_ptr<Document> document) {
    if (!document)
        return nullptr;
    DocumentFrame* frame = nullptr;
    try {
        frame = new DocumentFrame(context_, std::move(document));
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
    frame->setWindowIcon(windowIcon());
    frame->setCanvasColors(canvasColors());
    frame->setTool(tool_);
    frame->setCloseGuard([this](DocumentFrame* f) { return confirmClose(f); });
    frame->setLongWorkRunner(longWork_);
    connect(frame, &DocumentFrame::closing, this, &MainWindow::frameClosing);
    connect(frame, &DocumentFrame::stateChanged, this, &MainWindow::refreshCommandStates);
    connect(frame->canvas(), &CanvasWidget::pointerMoved, this,
            [this, frame](QPoint at) { statusFields_->pointerMoved(frame, at); });
    // The picker changes the current colors; a tool that cannot work says why.
    connect(frame, &DocumentFrame::stateChanged, this, &MainWindow::colorsChanged);
    connect(frame, &DocumentFrame::toolRefused, this, [this](const QString& reason) {
        if (!reason.isEmpty())
            statusBar()->showMessage(reason, 5000);
    });
    frames_.push_back(frame);
    autosaver_->track(frame);
    area_->addSubWindow(frame);
    frame->show();
    frame->applyInitialLayout(area_->viewport()->size());
    area_->setActiveSubWindow(frame);
    frame->canvas()->setFocus();
    refreshCommandStates();
    return frame;
}

void MainWindow::frameClosing(DocumentFrame* frame) {
    autosaver_->closed(frame);
    frames_.erase(std::remove(frames_.begin(), frames_.end(), frame), frames_.end());
    // The window is still current while it closes; the next one is activated afterwards.
    QTimer::singleShot(0, this, &MainWindow::refreshCommandStates);
}

void MainWindow::newImage() {
    std::optional<NewImageSpec> spec =
        prompts_.askNewImage(this, settings_, context_.backgroundColor, untitledNames_, lastConfirmedNew_);
    if (!spec || !mayCreatePicture(spec->name, spec->width, spec->height, 1))
        return;
    std::unique_ptr<Document> document = createNewDocument(*spec);
    if (!document || !addDocument(std::move(document)))
        prompts_.showError(this, QString::fromUtf8(kNewImageFailedMessage));
}

void MainWindow::newFromClipboard() {
    const ClipboardPicture picture = programClipboard_->picture();
    if (!picture)
        return;
    std::unique_ptr<Document> document = documentFromPicture(*picture.piece, clipboardNames_.next());
    if (!document || !addDocument(std::move(document)))
        prompts_.showError(this, QString::fromUtf8(kNewImageFailedMessage));
}

void MainWindow::duplicateImage() {
    DocumentFrame* frame = activeFrame();
    if (!frame)
        return;
    std::optional<QString> name =
        prompts_.askDuplicateName(this, QString::fromStdString(frame->document().info().name));
    if (!name)
        return;
    auto copy = std::make_unique<Document>();
    if (!copy->copy(frame->document())) {
        prompts_.showError(this, QString::fromUtf8(kNewImageFailedMessage));
        return;
    }
    // The copy has no file of its own until it is saved.
    copy->setName(name->toStdString());
    copy->setFolder({});
    copy->setUntitled(true);
    DocumentFrame* made = addDocument(std::move(copy));
    if (!made)
        prompts_.showError(this, QString::fromUtf8(kNewImageFailedMessage));
    else
        made->carriedMetadata() = frame->carriedMetadata();
}

void MainWindow::openWithDialog() { openFiles(prompts_.askOpenFiles(this, fileDialogFolder(activeFrame()))); }

QString MainWindow::fileDialogFolder(const DocumentFrame* frame) const {
    FileDialogFolders folders;
    if (frame && !frame->path().empty())
        folders.activeDocument = folderOfPath(frame->path());
    folders.lastUsed = settings_.lastFolder;
    folders.pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation).toStdString();
    folders.home = QDir::homePath().toStdString();
    return QString::fromStdString(fileDialogStartFolder(folders));
}

void MainWindow::openFiles(const QStringList& paths) {
    for (const QString& path : paths)
        openFile(path);
}

bool MainWindow::mayCreatePicture(const std::string& name, int32_t width, int32_t height, int32_t layers) {
    const std::optional<int64_t> bytes = memoryAboveLimit(width, height, layers, settings_.options.largePictureMiB);
    return !bytes ||
           prompts_.confirmLargePicture(this, QString::fromStdString(largePictureQuestion(name, width, height, *bytes)));
}

bool MainWindow::mayOpenPicture(const std::string& path) {
    // Only the header is read here; a file whose header cannot be read fails in the open,
    // which says why.
    const std::optional<PictureClaim> claim = probePicture(path);
    return !claim || mayCreatePicture(std::filesystem::path(path).filename().string(), claim->width, claim->height,
                                      claim->layers);
}

DocumentFrame* MainWindow::openFile(const QString& path) {
    const std::string text = path.toStdString();
    std::vector<std::string> open;
    open.reserve(frames_.size());
    for (const DocumentFrame* frame : frames_)
        open.push_back(frame->path());
    if (const std::optional<size_t> index = findWindowWithPath(open, text)) {
        DocumentFrame* frame = frames_[*index];
        area_->setActiveSubWindow(frame);
        return frame;
    }
    if (!mayOpenPicture(text))
        return nullptr;
    std::unique_ptr<Document> document;
    ReadReport read;
    ImageMetadata metadata;
    // Read on a worker into a document no one else sees yet; Cancel drops it.
    if (!longWork_->run(tr("Opening %1").arg(QFileInfo(path).fileName()),
                        [&] { document = openDocument(text, &read, &metadata); }))
        return nullptr;
    DocumentFrame* frame = document ? addDocument(std::move(document)) : nullptr;
    if (!frame) {
        prompts_.showError(this, QString::fromStdString(openFailedMessage(text, read.reason)));
        return nullptr;
    }
    frame->carriedMetadata() = std::move(metadata);
    noteRecentFile(text);
    settings_.lastFolder = folderOfPath(text);
    if (read.endsEarly)
        prompts_.showInformation(this, QString::fromStdString(openedInPartMessage(text)));
    if (!read.note.empty())
        prompts_.showInformation(this, QString::fromStdString("\"" + text + "\"\n" + read.note));
    if (!read.colorNote.empty())
        statusBar()->showMessage(QString::fromStdString(read.colorNote), kColorNoteMilliseconds);
    return frame;
}

void MainWindow::receiveFileList(const QByteArray& block) {
    // While a modal dialog is open the files wait for another try; the dialog comes forward.
    if (QWidget* modal = QApplication::activeModalWidget()) {
        modal->raise();
        modal->activateWindow();
        return;
    }
    if (isMinimized())
        showNormal();
    raise();
    activateWindow();
    if (block.isEmpty())
        return;
    const auto* bytes = reinterpret_cast<const uint8_t*>(block.constData());
    const std::optional<std::vector<std::string>> paths =
        parseFileListBlock(std::span<const uint8_t>(bytes, static_cast<size_t>(block.size())));
    if (!paths)
        return;
    for (const std::string& path : *paths)
        openFile(QString::fromStdString(path));
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (!localFiles(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event) {
    const QStringList files = localFiles(event->mimeData());
    if (files.isEmpty())
        return;
    event->acceptProposedAction();
    openFiles(files);
    refreshCommandStates();
}

// ---- writing ----

bool MainWindow::writeDocument(DocumentFrame* frame, const std::string& path, bool askOptions) {
    Document& document = frame->document();
    const FileKind kind = kindOfPath(path);
    const bool layered = needsLayeredFile(document);
    if (asksBeforeFlatSave(kind, layered)) {
        switch (prompts_.askFlatSave(this, QString::fromStdString(flatSavePromptText(kind)))) {
        case FlatSaveAnswer::Save: break;
        case FlatSaveAnswer::SaveAsLayered: return saveDocumentAs(frame, FileKind::Ora);
        case FlatSaveAnswer::Cancel: return false;
        }
    }
    if (askOptions && !askSaveOptions(frame, kind))
        return false;
    // Written on a worker, the document only read meanwhile. Cancel before the new file
    // replaces the old one leaves the old one as it was; once it has, the save counts.
    bool written = false;
    const QString name = QFileInfo(QString::fromStdString(path)).fileName();
    const bool composed = document.composite() != nullptr;
    const bool finished = composed && longWork_->run(tr("Saving %1").arg(name), [&] {
        written = writeDocumentFile(document, path, settings_.saving, &frame->carriedMetadata());
    });
    if (!written) {
        if (finished || !composed)
            prompts_.showError(this, QString::fromStdString(saveFailedMessage(path)));
        return false;
    }
    // The document takes the path as its file and is no longer modified.
    takeSavedFile(document, path);
    // What was written is the unmodified document from now on, after undoing and redoing
    // back to it too; a flat save of a layered document leaves it unsaved, since its layers
    // exist nowhere else.
    if (staysModifiedAfterSave(kind, layered))
        frame->session().markChangedOutsideHistory();
    else
        frame->session().markSaved();
    autosaver_->saved(frame);
    noteRecentFile(path);
    settings_.lastFolder = folderOfPath(path);
    frame->refreshCaption();
    refreshCommandStates();
    return true;
}

void MainWindow::saveActive() {
    if (DocumentFrame* frame = activeFrame())
        saveDocument(frame);
}

void MainWindow::saveActiveAs() {
    if (DocumentFrame* frame = activeFrame())
        saveDocumentAs(frame);
}

bool MainWindow::saveDocument(DocumentFrame* frame) {
    const Document& document = frame->document();
    const std::string path = frame->path();
    const QFileInfo file(QString::fromStdString(path));
    SaveCheck check;
    check.modified = document.isModified();
    check.hasPath = !path.empty();
    check.fileExists = check.hasPath && file.isFile();
    check.folderExists = check.hasPath && file.dir().exists();
    check.kindWritable = canSaveKind(kindOfPath(path));
    switch (decideSave(check)) {
    case SaveAction::Nothing: return false;
    case SaveAction::WriteToPath: return writeDocument(frame, path);
    case SaveAction::SaveAs: return saveDocumentAs(frame);
    }
    return false;
}

bool MainWindow::saveDocumentAs(DocumentFrame* frame) {
    // A document a flat file would lose layers of is offered the layered kind first.
    const Document& document = frame->document();
    return saveDocumentAs(frame, needsLayeredFile(document) ? FileKind::Ora : kindOfPath(document.info().name));
}

bool MainWindow::saveDocumentAs(DocumentFrame* frame, FileKind preselected) {
    const DocumentInfo& info = frame->document().info();
    SaveAsRequest request;
    request.filterEntry = saveFilterIndexOfKind(preselected);
    request.folder = fileDialogFolder(frame);
    request.proposedName =
        QString::fromStdString(proposedSaveName(info.name, kindOfSaveFilterIndex(request.filterEntry)));
    const std::optional<SaveAsAnswer> answer = prompts_.askSaveAs(this, request);
    if (!answer || answer->path.isEmpty())
        return false;
    return writeDocument(frame, saveAsPath(answer->path.toStdString(), kindOfSaveFilterIndex(answer->filterEntry)),
                         true);
}

bool MainWindow::askSaveOptions(DocumentFrame* frame, FileKind kind) {
    if (kind == FileKind::Png) {
        const std::optional<PngCompression> compression = prompts_.askPngOptions(this, settings_.saving.pngCompression);
        if (!compression)
            return false;
        settings_.saving.pngCompression = *compression;
        return true;
    }
    if (kind == FileKind::Webp) {
        const std::optional<WebpSaveSettings> webp = prompts_.askWebpOptions(this, settings_.saving.webp);
        if (!webp)
            return false;
        settings_.saving.webp = *webp;
        return true;
    }
    if (kind == FileKind::Tif) {
        const CompositeCache* composite = frame->document().composite();
        const bool transparent = composite && !composite->isOpaque() && !composite->alpha().isAll(255);
        const std::optional<TiffSaveSettings> tiff = prompts_.askTiffOptions(this, settings_.saving.tiff, transparent);
        if (!tiff)
            return false;
        settings_.saving.tiff = *tiff;
        return true;
    }
    if (kind != FileKind::Jpg)
        return true;
    const CompositeCache* composite = frame->document().composite();
    if (!composite)
        return false;
    JpegOptionsModel model(settings_.saving, frame->carriedMetadata());
    if (!prompts_.askJpegOptions(this, model, *composite))
        return false;
    settings_.saving = model.result();
    return true;
}

// ---- closing ----

bool MainWindow::confirmClose(DocumentFrame* frame) {
    const Document& document = frame->document();
    if (!document.isModified())
        return true;
    area_->setActiveSubWindow(frame);
    const SaveChangesAnswer answer = prompts_.askSaveChanges(this, QString::fromStdString(document.info().name));
    const CloseAnswer close = answer == SaveChangesAnswer::Yes  ? CloseAnswer::Yes
                              : answer == SaveChangesAnswer::No ? CloseAnswer::No
                                                                : CloseAnswer::Cancel;
    const std::string path = frame->path();
    switch (closeActionFor(close, !path.empty(), canSaveKind(kindOfPath(path)))) {
    case CloseAction::Close: return true;
    case CloseAction::KeepOpen: return false;
    case CloseAction::WriteThenClose: return writeDocument(frame, path);
    case CloseAction::SaveAsThenClose: return saveDocumentAs(frame);
    }
    return false;
}

bool MainWindow::closeDocument(DocumentFrame* frame) { return frame && frame->close(); }

void MainWindow::closeActive() { closeDocument(activeFrame()); }

void MainWindow::closeAll() { closeAllDocuments(); }

bool MainWindow::closeAllDocuments() {
    const std::vector<DocumentFrame*> windows = frames_;
    return closeWindowsInOrder(windows.size(), [&](size_t i) { return windows[i]->close(); });
}

} // namespace pict::qt
