#pragma once
// Autosave: every N minutes each document with unsaved changes made since its last autosave
// is snapshot on this (the user-interface) thread, its pixels shared rather than copied, and
// written as a layered file into the recovery folder by a worker thread, so the window stays
// responsive; a small record of its title, path and kind follows once the file is complete.
// A document's files go when it is saved or closed.

#include "app/session/RecoveryFiles.h"

#include <QObject>
#include <QThreadPool>
#include <QTimer>

#include <map>

namespace pict::qt {

class DocumentFrame;

class Autosaver final : public QObject {
    Q_OBJECT
public:
    explicit Autosaver(std::filesystem::path folder, QObject* parent = nullptr);
    ~Autosaver() override;

    // Minutes between autosaves; 0 turns autosave off.
    void setIntervalMinutes(int minutes);
    int intervalMinutes() const { return minutes_; }

    // A document window to look after (from when it opens until it closes).
    void track(DocumentFrame* frame);
    // Its document was written to its file: no recovery copy is needed until it changes.
    void saved(DocumentFrame* frame);
    // The window closes: its files go.
    void closed(DocumentFrame* frame);

    // One round now: what the timer does.
    void autosaveNow();
    // Waits until every write started so far has finished and its record is written.
    void waitForWrites();

    RecoveryStore& store() { return store_; }

private:
    struct Entry {
        std::string id;
        bool changed = false; // since the last autosave
        bool writing = false;
        bool gone = false;     // closed or saved while a write was running
    };
    void finished(DocumentFrame* frame, const std::string& id, bool written);
    void writeRecord(DocumentFrame* frame, const std::string& id);

    RecoveryStore store_;
    QTimer timer_;
    QThreadPool workers_;
    int minutes_ = 0;
    std::map<DocumentFrame*, Entry> entries_;
    std::map<std::string, bool> orphaned_; // ids whose window went while their write ran
};

} // namespace pict::qt
