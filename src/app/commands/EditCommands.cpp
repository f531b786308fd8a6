// Undo, Redo and the Purge commands.
#include "app/commands/CommandDomains.h"
#include "app/commands/CommandIds.h"
#include "app/session/DocumentSession.h"
#include "app/session/InternalClipboard.h"
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
    const InternalClipboard* clipboard = session.app().clipboard;
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
    if (InternalClipboard* clipboard = session.app().clipboard)
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
