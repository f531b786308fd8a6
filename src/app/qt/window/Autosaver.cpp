#include "app/qt/window/Autosaver.h"

#include "app/qt/window/DocumentFrame.h"
#include "app/session/DocumentSnapshot.h"
#include "codecs/FileKind.h"
#include "document/Document.h"

#include <QApplication>

#include <unistd.h>

#include <memory>

namespace pict::qt {

Autosaver::Autosaver(std::filesystem::path folder, QObject* parent) : QObject(parent), store_(std::move(folder)) {
    workers_.setMaxThreadCount(1); // one write at a time: they share the disk anyway
    connect(&timer_, &QTimer::timeout, this, &Autosaver::autosaveNow);
}

Autosaver::~Autosaver() {
    timer_.stop();
    workers_.waitForDone();
}

void Autosaver::setIntervalMinutes(int minutes) {
    minutes_ = std::max(minutes, 0);
    if (minutes_ == 0) {
        timer_.stop();
        return;
    }
    timer_.start(minutes_ * 60 * 1000);
}

void Autosaver::track(DocumentFrame* frame) {
    Entry& entry = entries_[frame];
    entry.id = store_.newId();
    entry.changed = frame->document().isModified();
    connect(frame, &DocumentFrame::documentChanged, this, [this, frame] {
        if (auto it = entries_.find(frame); it != entries_.end())
            it->second.changed = true;
    });
}

void Autosaver::saved(DocumentFrame* frame) {
    auto it = entries_.find(frame);
    if (it == entries_.end() || frame->document().isModified())
        return; // still unsaved work (a flat save of layers): the copy stays
    it->second.changed = false;
    if (it->second.writing)
        it->second.gone = true;
    else
        store_.remove(it->second.id);
}

void Autosaver::closed(DocumentFrame* frame) {
    auto it = entries_.find(frame);
    if (it == entries_.end())
        return;
    if (it->second.writing)
        orphaned_[it->second.id] = true;
    else
        store_.remove(it->second.id);
    disconnect(frame, nullptr, this, nullptr);
    entries_.erase(it);
}

void Autosaver::autosaveNow() {
    // A dialog with a preview holds the document in a state it may still take back.
    if (QApplication::activeModalWidget())
        return;
    for (auto& [frame, entry] : entries_) {
        if (entry.writing || !entry.changed || !frame->document().isModified())
            continue;
        std::shared_ptr<DocumentSnapshot> snapshot = DocumentSnapshot::take(frame->document(), frame->carriedMetadata());
        if (!snapshot)
            continue; // out of memory now; the next round tries again
        entry.changed = false;
        entry.writing = true;
        entry.gone = false;
        const std::string id = entry.id;
        const std::string path = store_.picturePath(id).string();
        std::error_code error;
        std::filesystem::create_directories(store_.folder(), error);
        DocumentFrame* const target = frame;
        workers_.start([this, snapshot, path, id, target] {
            std::string reason;
            const bool written = snapshot->write(path, reason);
            QMetaObject::invokeMethod(this, [this, target, id, written] { finished(target, id, written); },
                                      Qt::QueuedConnection);
        });
    }
}

void Autosaver::finished(DocumentFrame* frame, const std::string& id, bool written) {
    if (orphaned_.erase(id)) {
        store_.remove(id);
        return;
    }
    auto it = entries_.find(frame);
    if (it == entries_.end() || it->second.id != id)
        return;
    Entry& entry = it->second;
    entry.writing = false;
    if (entry.gone) {
        entry.gone = false;
        store_.remove(id);
        return;
    }
    if (!written) {
        entry.changed = true; // try again next round
        return;
    }
    writeRecord(frame, id);
}

void Autosaver::writeRecord(DocumentFrame* frame, const std::string& id) {
    const DocumentInfo& info = frame->document().info();
    RecoveryRecord record;
    record.id = id;
    record.title = info.name;
    record.path = frame->path();
    record.format = extensionOfKind(kindOfPath(info.name), false);
    record.processId = int64_t(::getpid());
    store_.writeRecord(record);
}

void Autosaver::waitForWrites() {
    workers_.waitForDone();
    QApplication::sendPostedEvents(this);
}

} // namespace pict::qt
