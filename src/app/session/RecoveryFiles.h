#pragma once
// The recovery folder ($XDG_STATE_HOME/pictorane/recovery/): while a document has unsaved
// changes, autosave keeps a layered copy of it there with a small record of its title, path
// and file kind. The files go when the document is saved or closed; whatever is still there
// when the editor starts was left by a run that did not end normally.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace pict {

struct RecoveryRecord {
    std::string id;     // the file names' stem: "<process id>-<serial>"
    std::string title;  // the document's name
    std::string path;   // its file, empty for an untitled document
    std::string format; // the file kind's extension ("png", "ora"), empty for none
    int64_t processId = 0;

    friend bool operator==(const RecoveryRecord&, const RecoveryRecord&) = default;
};

// $XDG_STATE_HOME/pictorane/recovery, else ~/.local/state/pictorane/recovery, else under the
// temporary folder.
std::filesystem::path recoveryFolder();

// The record as text (one "key=value" line each) and back; nothing for text that is not one.
std::string recordText(const RecoveryRecord& record);
std::optional<RecoveryRecord> parseRecord(const std::string& text);

class RecoveryStore {
public:
    explicit RecoveryStore(std::filesystem::path folder) : folder_(std::move(folder)) {}
    const std::filesystem::path& folder() const { return folder_; }

    // A fresh id for a document of this process.
    std::string newId();
    std::filesystem::path picturePath(const std::string& id) const { return folder_ / (id + ".ora"); }
    std::filesystem::path recordPath(const std::string& id) const { return folder_ / (id + ".record"); }

    // Writes the record (replacing the old one only when complete); creates the folder.
    bool writeRecord(const RecoveryRecord& record) const;
    // Removes the document's files; nothing there is fine.
    void remove(const std::string& id) const;
    // The records with a picture whose process no longer runs, oldest first.
    std::vector<RecoveryRecord> leftBehind() const;

private:
    std::filesystem::path folder_;
    int serial_ = 0;
};

// "Pictorane did not close normally. Recover %d unsaved images?"
std::string recoveryPromptText(size_t count);

} // namespace pict
