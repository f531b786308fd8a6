#pragma once
// The Select menu's dialogs: Feather, Border, Expand, Contract, Save and Load Selection.

namespace pict::qt {

class CommandDialogs;

// The dialogs remember their values as long as `dialogs` lives (the main window's run).
void registerSelectionDialogs(CommandDialogs& dialogs);

} // namespace pict::qt
