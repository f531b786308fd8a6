#include "app/panels/HistoryPanelModel.h"

#include "app/commands/CommandIds.h"
#include "app/session/DocumentSession.h"
#include "history/HistoryManager.h"

namespace pict {

void HistoryPanelModel::attach(const DocumentSession* session) {
    session_ = session;
    refresh();
}

bool HistoryPanelModel::refresh() {
    std::vector<HistoryRow> rows;
    if (session_) {
        const HistoryManager& history = session_->history();
        const int32_t position = history.position();
        rows.reserve(size_t(history.count()) + 1);
        rows.push_back({session_->beganNew() ? kCreatedRow : kOpenedRow, position < 0, false});
        for (int32_t i = 0; i < history.count(); ++i)
            rows.push_back({history.stateAt(i)->name(), i == position, i > position});
    }
    if (rows == rows_)
        return false;
    rows_ = std::move(rows);
    return true;
}

int32_t HistoryPanelModel::currentRow() const {
    return session_ ? session_->history().position() + 1 : -1;
}

std::optional<HistoryWalk> HistoryPanelModel::walkTo(int32_t row) const {
    if (!session_ || row < 0 || row > session_->history().count())
        return std::nullopt;
    const int32_t delta = row - currentRow();
    if (delta == 0)
        return std::nullopt;
    return delta < 0 ? HistoryWalk{kCmdUndo, -delta} : HistoryWalk{kCmdRedo, delta};
}

} // namespace pict
