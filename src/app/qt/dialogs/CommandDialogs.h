#pragma once
// The dialogs of the document commands that ask before they act ("Levels...", "Feather...").
// A command whose menu item opens a dialog stays disabled until a dialog is registered for
// it; the dialog returns the command's parameter record, or nothing when cancelled.

#include "app/commands/DocumentCommands.h"

#include <QHash>

#include <functional>
#include <optional>

class QWidget;

namespace pict {
class DocumentSession;
}

namespace pict::qt {

using CommandDialog = std::function<std::optional<CommandParams>(QWidget* parent, DocumentSession& session)>;

class CommandDialogs {
public:
    void add(uint16_t id, CommandDialog dialog) { dialogs_.insert(id, std::move(dialog)); }
    void remove(uint16_t id) { dialogs_.remove(id); }
    bool has(uint16_t id) const { return dialogs_.contains(id); }
    // Nothing when the user cancelled or no dialog is registered.
    std::optional<CommandParams> ask(uint16_t id, QWidget* parent, DocumentSession& session) const;

private:
    QHash<uint16_t, CommandDialog> dialogs_;
};

// Registers every document command dialog the editor has (CommandDialogRegistry.cpp); the
// main window calls it once. A command whose dialog is not listed there stays disabled.
void registerCommandDialogs(CommandDialogs& dialogs);

} // namespace pict::qt
