// The application's own commands: Options (in the Edit menu), the Window menu's arrangements
// and the Help menu. Contents opens the user manual; the help index and search and the maker's
// web pages are not part of this editor, so those items stay disabled. The Window menu's list of open windows is built by
// WindowListMenu.h over the ids kCmdWindowListFirst to kCmdWindowListLast.
#include "app/commands/CommandDomains.h"
#include "app/commands/CommandHosts.h"
#include "app/commands/CommandIds.h"

namespace pict {
namespace {

constexpr CommandSpec kWindowHelpCommands[] = {
    {.id = kCmdOptions, .route = CommandRoute::Application, .menuText = "Options...",
     .statusText = "Change the application options\nOptions", .asks = CommandAsks::Dialog,
     .shellRule = ShellRule::Always, .runShell = [](ShellHost& host) { host.showOptions(); }},
    {.id = kCmdCascade, .route = CommandRoute::Application, .menuText = "Cascade",
     .statusText = "Arrange the windows overlapping\nCascade", .shellRule = ShellRule::ActiveDocument,
     .runShell = [](ShellHost& host) { host.cascade(); }},
    {.id = kCmdTile, .route = CommandRoute::Application, .menuText = "Tile",
     .statusText = "Arrange the windows side by side\nTile", .shellRule = ShellRule::ActiveDocument,
     .runShell = [](ShellHost& host) { host.tile(); }},
    {.id = kCmdArrangeIcons, .route = CommandRoute::Application, .menuText = "Arrange Icons",
     .statusText = "Arrange the minimized windows\nArrange Icons", .shellRule = ShellRule::MinimizedWindows,
     .runShell = [](ShellHost& host) { host.arrangeIcons(); }},
    {.id = kCmdHelpContents, .route = CommandRoute::Application, .menuText = "Contents...", .shortcutText = "F1",
     .keys = "F1", .statusText = "Show the help contents\nContents", .asks = CommandAsks::Dialog,
     .shellRule = ShellRule::Always, .runShell = [](ShellHost& host) { host.showManual(); }},
    {.id = kCmdHelpSearch, .route = CommandRoute::Application, .menuText = "Search...",
     .statusText = "Search the help\nSearch", .asks = CommandAsks::Dialog,
     .shellRule = ShellRule::NotAvailable},
    {.id = kCmdHelpIndex, .route = CommandRoute::Application, .menuText = "Index",
     .statusText = "Show the help index\nIndex", .shellRule = ShellRule::NotAvailable},
    {.id = kCmdFeedback, .route = CommandRoute::Application, .menuText = "Feedback and Support",
     .statusText = "Tell us what you think\nFeedback and Support", .shellRule = ShellRule::NotAvailable},
    {.id = kCmdWebSite, .route = CommandRoute::Application, .menuText = "Brindlemoss on the Web",
     .statusText = "Visit the maker's web site\nWeb Site", .shellRule = ShellRule::NotAvailable},
    {.id = kCmdCheckUpdates, .route = CommandRoute::Application, .menuText = "Check for Updates",
     .statusText = "Look for a newer version\nCheck for Updates", .shellRule = ShellRule::NotAvailable},
    {.id = kCmdAbout, .route = CommandRoute::Application, .menuText = "About Pictorane",
     .statusText = "Show the program's version\nAbout", .shellRule = ShellRule::Always, .runShell = [](ShellHost& host) { host.about(); }},
};

} // namespace

std::span<const CommandSpec> windowHelpCommandSpecs() { return kWindowHelpCommands; }

} // namespace pict
