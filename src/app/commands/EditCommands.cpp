// Undo, Redo, the Purge commands and the clipboard ids that do nothing to a document.
#include "app/session/ClipboardStore.h"
#include "app/commands/CommandEntry.h"
#include "app/commands/CommandIds.h"
#include "app/session/DocumentSession.h"
#include "history/HistoryManager.h"

#include <string>

namespace pict {

namespace {

bool canUndo(const DocumentSession& session) {
    return session.history().canUndo();
}
bool canRedo(const DocumentSession& session) {
    return session.history().canRedo();
}
bool hasHistory(const DocumentSession& session) {
    return canUndo(session) || canRedo(session);
}
bool clipboardHasImage(const DocumentSession& session) {
    const ClipboardStore* clipboard = session.app().clipboard;
    return clipboard && clipboard->hasImage();
}
bool hasHistoryOrClipboard(const DocumentSession& session) {
    return hasHistory(session) || clipboardHasImage(session);
}

// A step that fails changed nothing and stays where it was in the history; the user hears
// which one, since pressing the key again will try the same step.
CommandResult stepFailed(const char* verb, const std::string& name) {
    return {CommandOutcome::Failed, "Cannot " + std::string(verb) + " \"" + name + "\"! The image is unchanged."};
}

CommandResult undo(DocumentSession& session, const CommandParams&) {
    const std::string name = session.history().undoName();
    if (!session.history().undo())
        return stepFailed("undo", name);
    return {CommandOutcome::Done};
}

CommandResult redo(DocumentSession& session, const CommandParams&) {
    const std::string name = session.history().redoName();
    if (!session.history().redo())
        return stepFailed("redo", name);
    return {CommandOutcome::Done};
}

CommandResult purgeHistory(DocumentSession& session, const CommandParams&) {
    session.history().purge();
    return {CommandOutcome::Done};
}

void emptyClipboard(DocumentSession& session) {
    if (ClipboardStore* clipboard = session.app().clipboard)
        clipboard->clear();
}

CommandResult purgeClipboard(DocumentSession& session, const CommandParams&) {
    emptyClipboard(session);
    return {CommandOutcome::Done};
}

CommandResult purgeAll(DocumentSession& session, const CommandParams& params) {
    emptyClipboard(session);
    return purgeHistory(session, params);
}

CommandResult noEffect(DocumentSession&, const CommandParams&) {
    return {CommandOutcome::NoEffect};
}

constexpr CommandEntry kEntries[] = {
    {kCmdUndo, canUndo, undo},
    {kCmdRedo, canRedo, redo},
    {kCmdPurgeUndo, hasHistory, purgeHistory},
    {kCmdPurgeClipboard, clipboardHasImage, purgeClipboard},
    {kCmdPurgeAll, hasHistoryOrClipboard, purgeAll},
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
