#pragma once
// The one registry of user commands: for every id its handler level, menu text, shortcut and
// status text, and the menu bar layout that places them. The user interface builds its menus,
// accelerators and toolbar tooltips from here; nothing else spells these texts.

#include "app/commands/CommandIds.h"

#include <cstdint>
#include <span>
#include <string>

namespace pict {

// Who handles an id first: the main window, the active document frame (zoom), or the active
// document's command layer. Panel buttons are sent to the document like document commands.
enum class CommandRoute : uint8_t { Application, DocumentFrame, Document };

struct CommandInfo {
    uint16_t id;
    CommandRoute route;
    const char* menuText;     // exact menu text without the shortcut; "" when the id has no menu item
    const char* shortcutText; // what the menu shows after a tab; "" for none
    const char* keys;         // portable key sequences ("Ctrl+N", "Num++"), "; " between alternatives
    const char* statusText;   // status-bar line, optionally "\n" and a tooltip
};

std::span<const CommandInfo> commandTable();
// Null for an id the table does not know (the recent-file range included).
const CommandInfo* findCommand(uint16_t id);

// "New...\tCtrl+N": the menu text, and a tab and the shortcut when there is one.
std::string menuLabel(const CommandInfo& info);
// The part of the status text before the newline, and the tooltip after it (or the menu text
// without its trailing "..." when the status text carries none).
std::string statusLine(const CommandInfo& info);
std::string toolTip(const CommandInfo& info);

// Menu bar layout, in order. `menu` is the path of titles separated by '/', for example
// "&Image/&Adjustments"; a submenu appears where its first entry does. Id 0 is a separator;
// kCmdRecentFileFirst marks where the recent-file items are rebuilt (see RecentFiles.h).
struct MenuEntry {
    const char* menu;
    uint16_t id;
};
std::span<const MenuEntry> menuLayout();

} // namespace pict
