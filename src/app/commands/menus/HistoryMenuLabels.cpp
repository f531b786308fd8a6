#include "app/commands/menus/HistoryMenuLabels.h"

#include "app/commands/CommandTable.h"
#include "app/commands/menus/MenuText.h"
#include "history/HistoryManager.h"

namespace pict {

namespace {

// The command's own label, its menu text followed by the state's name when there is one.
std::string namedLabel(uint16_t id, const std::string& stateName) {
    const CommandSpec* spec = findCommand(id);
    if (!spec)
        return {};
    if (stateName.empty())
        return menuLabel(*spec);
    const std::string text = std::string(spec->menuText) + " " + escapeAmpersands(stateName);
    CommandSpec named = *spec;
    named.menuText = text.c_str();
    return menuLabel(named);
}

} // namespace

std::string undoMenuLabel(const HistoryManager* history) {
    return namedLabel(kCmdUndo, history ? history->undoName() : std::string());
}

std::string redoMenuLabel(const HistoryManager* history) {
    return namedLabel(kCmdRedo, history ? history->redoName() : std::string());
}

} // namespace pict
