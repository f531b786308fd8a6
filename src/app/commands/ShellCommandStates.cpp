#include "app/commands/ShellCommandStates.h"

#include "app/commands/CommandIds.h"
#include "app/commands/CommandTable.h"

namespace pict {

ShellRule shellRuleOf(uint16_t id) {
    if (isRecentFileCommand(id))
        return ShellRule::Always;
    const CommandSpec* spec = findCommand(id);
    return spec && spec->route == CommandRoute::Application ? spec->shellRule : ShellRule::NotAvailable;
}

bool isShellCommandEnabled(uint16_t id, const ShellState& state) {
    switch (shellRuleOf(id)) {
    case ShellRule::Always: return true;
    case ShellRule::ActiveDocument: return state.hasDocument;
    case ShellRule::ModifiedDocument: return state.hasDocument && state.documentModified;
    case ShellRule::ClipboardImage: return state.clipboardHasImage;
    case ShellRule::RecentFiles: return state.hasRecentFiles;
    case ShellRule::MinimizedWindows: return state.hasMinimizedWindows;
    case ShellRule::NotAvailable: return false;
    }
    return false;
}

} // namespace pict
