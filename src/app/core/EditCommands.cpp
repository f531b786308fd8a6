// Undo, Redo, the Purge commands and the clipboard ids that do nothing to a document.
#include "app/core/CommandEntry.h"
#include "app/core/CommandIds.h"
#include "app/core/DocumentSession.h"
#include "history/HistoryManager.h"

namespace pict {

namespace {

bool canUndo(const DocumentSession& session) {
    return session.history().canUndo();
}
bool canRedo(const DocumentSession& session) {
    return session.history().canRedo();
}

CommandResult undo(DocumentSession& session, const CommandParams&) {
    session.history().undo();
    return {CommandOutcome::Done};
}

CommandResult redo(DocumentSession& session, const CommandParams&) {
    session.history().redo();
    return {CommandOutcome::Done};
}

// The clipboard half of the Purge commands belongs to the editor, which owns the system
// clipboard and the copied pixels; here only the history goes.
CommandResult purgeHistory(DocumentSession& session, const CommandParams&) {
    session.history().purge();
    return {CommandOutcome::Done};
}

CommandResult purgeClipboard(DocumentSession&, const CommandParams&) {
    return {CommandOutcome::NoEffect};
}

CommandResult noEffect(DocumentSession&, const CommandParams&) {
    return {CommandOutcome::NoEffect};
}

constexpr CommandEntry kEntries[] = {
    {kCmdUndo, canUndo, undo},
    {kCmdRedo, canRedo, redo},
    {kCmdPurgeUndo, nullptr, purgeHistory},
    {kCmdPurgeClipboard, nullptr, purgeClipboard},
    {kCmdPurgeAll, nullptr, purgeHistory},
    {kCmdCopy, nullptr, noEffect},
    {kCmdCut, nullptr, noEffect},
    {kCmdPaste, nullptr, noEffect},
    {kCmdCopyMerged, nullptr, noEffect},
    {kCmdPasteInto, nullptr, noEffect},
};

} // namespace

std::span<const CommandEntry> editCommandEntries() {
    return kEntries;
}

} // namespace pict
