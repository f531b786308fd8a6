// Undo, Redo, the Purge commands and the clipboard ids that do nothing to a document.
#include "app/commands/CommandDomains.h"
#include "app/session/ClipboardStore.h"
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

constexpr CommandStep kUndoSteps[] = {
    {"--undo", "", StepArgument::None, nullptr, "undo the last state", "a state to undo", StepGroup::Document},
};
constexpr CommandStep kRedoSteps[] = {
    {"--redo", "", StepArgument::None, nullptr,
     "redo the last undone state", "an undone state to redo", StepGroup::Document},
};

constexpr CommandSpec kEditCommands[] = {
    {.id = kCmdUndo, .route = CommandRoute::Document, .menuText = "Undo", .shortcutText = "Ctrl+Z",
     .keys = "Ctrl+Z; Alt+Backspace", .statusText = "Undo the last action\nUndo", .enabled = canUndo,
     .run = undo, .steps = kUndoSteps},
    {.id = kCmdRedo, .route = CommandRoute::Document, .menuText = "Redo", .shortcutText = "Ctrl+Y",
     .keys = "Ctrl+Y; Ctrl+Shift+Z", .statusText = "Redo the previously undone action\nRedo", .enabled = canRedo, .run = redo,
     .steps = kRedoSteps},
    {.id = kCmdCut, .route = CommandRoute::Document, .menuText = "Cut", .shortcutText = "Ctrl+X",
     .keys = "Ctrl+X", .statusText = "Cut the selection to the clipboard\nCut", .run = noEffect},
    {.id = kCmdCopy, .route = CommandRoute::Document, .menuText = "Copy", .shortcutText = "Ctrl+C",
     .keys = "Ctrl+C", .statusText = "Copy the selection to the clipboard\nCopy", .run = noEffect},
    {.id = kCmdCopyMerged, .route = CommandRoute::Document, .menuText = "Copy Merged",
     .shortcutText = "Ctrl+Shift+C", .keys = "Ctrl+Shift+C",
     .statusText = "Copy the selection of all visible layers\nCopy Merged", .run = noEffect},
    {.id = kCmdPaste, .route = CommandRoute::Document, .menuText = "Paste", .shortcutText = "Ctrl+V",
     .keys = "Ctrl+V", .statusText = "Paste the clipboard\nPaste", .run = noEffect},
    {.id = kCmdPasteInto, .route = CommandRoute::Document, .menuText = "Paste Into",
     .shortcutText = "Ctrl+Shift+V", .keys = "Ctrl+Shift+V",
     .statusText = "Paste the clipboard into the selection\nPaste Into", .run = noEffect},
    {.id = kCmdPurgeUndo, .route = CommandRoute::Document, .menuText = "Undo",
     .statusText = "Free memory used by history states\nPurge Undo", .enabled = hasHistory, .run = purgeHistory},
    {.id = kCmdPurgeClipboard, .route = CommandRoute::Document,
     .statusText = "Free memory used by the clipboard\nPurge Clipboard", .enabled = clipboardHasImage,
     .run = purgeClipboard},
    {.id = kCmdPurgeAll, .route = CommandRoute::Document,
     .statusText = "Free memory used by the clipboard and history states\nPurge All",
     .enabled = hasHistoryOrClipboard, .run = purgeAll},
};

} // namespace

std::span<const CommandSpec> editCommandSpecs() { return kEditCommands; }

} // namespace pict
