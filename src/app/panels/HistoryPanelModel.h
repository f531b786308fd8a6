#pragma once
// The History panel without its widgets: the document's origin ("Open" for a file that was
// opened, "New" for a picture made here) and then one row per kept state, oldest first, by
// display name; the row the document stands at is the current one, the rows after it are
// undone. Clicking a row becomes a walk of Undo or Redo steps for the document window's
// commands to run, so the panel changes nothing itself.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace pict {

class DocumentSession;

struct HistoryRow {
    std::string name;
    bool current = false;
    bool undone = false;

    bool operator==(const HistoryRow&) const = default;
};

// Undo (or Redo) run `steps` times.
struct HistoryWalk {
    uint16_t id = 0;
    int32_t steps = 0;
};

class HistoryPanelModel {
public:
    static constexpr const char* kOpenedRow = "Open";
    static constexpr const char* kCreatedRow = "New";

    // The session the panel shows, or none. Attaching builds the rows.
    void attach(const DocumentSession* session);
    const DocumentSession* session() const { return session_; }

    // Builds the rows again from the history; true when they differ from what they were
    // (a step was added, undone, redone, purged or dropped by the limit).
    bool refresh();

    int32_t rowCount() const { return int32_t(rows_.size()); }
    const HistoryRow& row(int32_t row) const { return rows_[size_t(row)]; }
    // The row the document stands at: 0 (the origin) when no state is applied.
    int32_t currentRow() const;

    // The steps that bring the document to the row; none for the current row, a row that
    // does not exist or without a document.
    std::optional<HistoryWalk> walkTo(int32_t row) const;

private:
    const DocumentSession* session_ = nullptr;
    std::vector<HistoryRow> rows_;
};

} // namespace pict
