#pragma once
// The one registry of user commands: every CommandSpec of every menu domain, found by id, and
// the menu bar and toolbar layouts that place them. The user interface builds its menus,
// accelerators, toolbar and enabled states from here, and the batch tool its step table;
// nothing else spells these texts.

#include "app/commands/CommandIds.h"
#include "app/commands/CommandSpec.h"

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

namespace pict {

// Every spec, grouped by domain (File, Edit, Adjustments and Filter, Image, Select, Fill,
// Layer, View, Window and Help).
std::span<const std::reference_wrapper<const CommandSpec>> commandTable();
// Null for an id the registry does not know (the recent-file and window-list ranges included).
const CommandSpec* findCommand(uint16_t id);

// "New...\tCtrl+N": the menu text, and a tab and the shortcut when there is one.
std::string menuLabel(const CommandSpec& spec);
// The part of the status text before the newline, and the tooltip after it (or the menu text
// without its trailing "..." when the status text carries none).
std::string statusLine(const CommandSpec& spec);
std::string toolTip(const CommandSpec& spec);

// Menu bar layout, in order. `menu` is the path of titles separated by '/', for example
// "&Image/&Adjustments"; a submenu appears where its first entry does. Id 0 is a separator;
// kCmdRecentFileFirst marks where the recent-file items are rebuilt (see RecentFiles.h).
struct MenuEntry {
    const char* menu;
    uint16_t id;
};
std::span<const MenuEntry> menuLayout();

// The toolbar's buttons, in order; 0 is a separator.
std::span<const uint16_t> toolbarLayout();

// Every batch step a command declares, with the id it runs, in registry order.
struct CommandStepEntry {
    const CommandSpec* spec;
    const CommandStep* step;
};
const std::vector<CommandStepEntry>& commandSteps();

} // namespace pict
