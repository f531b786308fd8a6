// The main window's side of autosave: the recovery offer at start, for the files a run that
// did not end normally left in the recovery folder.

#include "app/qt/window/MainWindow.h"

#include "app/qt/window/Autosaver.h"
#include "app/qt/window/DocumentFrame.h"
#include "app/qt/window/ShellPrompts.h"
#include "app/session/RecoveryFiles.h"
#include "codecs/DocumentFiles.h"
#include "document/Document.h"

namespace pict::qt {

void MainWindow::offerRecovery() {
    RecoveryStore& store = autosaver_->store();
    const std::vector<RecoveryRecord> records = store.leftBehind();
    if (records.empty())
        return;
    const bool recover =
        prompts_.askRecover(this, QString::fromStdString(recoveryPromptText(records.size())));
    for (const RecoveryRecord& record : records) {
        if (recover)
            recoverDocument(store.picturePath(record.id).string(), record);
        store.remove(record.id);
    }
}

DocumentFrame* MainWindow::recoverDocument(const std::string& picture, const RecoveryRecord& record) {
    ReadReport read;
    ImageMetadata metadata;
    std::unique_ptr<Document> document = openDocument(picture, &read, &metadata);
    if (!document) {
        prompts_.showError(this, QString::fromStdString(openFailedMessage(record.title, read.reason)));
        return nullptr;
    }
    // It comes back as it was: its old title and file, with its changes still unsaved.
    const size_t slash = record.path.rfind('/');
    document->setName(record.title);
    document->setFolder(record.path.empty() || slash == std::string::npos ? std::string()
                                                                            : record.path.substr(0, slash));
    document->setUntitled(record.path.empty());
    document->setModified(true);
    DocumentFrame* frame = addDocument(std::move(document));
    if (frame)
        frame->carriedMetadata() = std::move(metadata);
    return frame;
}

} // namespace pict::qt
