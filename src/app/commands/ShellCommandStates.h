#pragma once
// When the main window's own commands can be chosen. Each application command's spec names
// its rule; the window fills a ShellState from what it shows and asks here each time its
// menus open or a command ran. Document commands are asked of DocumentCommands::isEnabled.

#include <cstdint>

namespace pict {

struct ShellState {
    bool hasDocument = false;       // a document window is active
    bool documentModified = false;  // the active document has unsaved changes
    bool clipboardHasImage = false; // New From Clipboard has something to take
    bool hasRecentFiles = false;
    bool hasMinimizedWindows = false;
};

// What an application command needs before it can run.
enum class ShellRule : uint8_t {
    Always,
    ActiveDocument,
    ModifiedDocument, // Save writes only what changed
    ClipboardImage,
    RecentFiles,
    MinimizedWindows,
    NotAvailable, // the help index and search and the maker's web pages are not part of this editor
};

// The rule of an application id; NotAvailable for an id that is not one.
ShellRule shellRuleOf(uint16_t id);
bool isShellCommandEnabled(uint16_t id, const ShellState& state);

} // namespace pict
