// The File menu, and Duplicate of the Image menu: the commands that make, open, save and
// close whole documents, and print them. The main window does the work (ShellHost).
#include "app/commands/CommandDomains.h"
#include "app/commands/CommandHosts.h"
#include "app/commands/CommandIds.h"

namespace pict {
namespace {

constexpr CommandSpec kFileCommands[] = {
    {.id = kCmdNew, .route = CommandRoute::Application, .menuText = "New...", .shortcutText = "Ctrl+N",
     .keys = "Ctrl+N", .statusText = "Create a new image\nNew", .asks = CommandAsks::Dialog,
     .shellRule = ShellRule::Always, .runShell = [](ShellHost& host) { host.newImage(); }},
    {.id = kCmdNewFromClipboard, .route = CommandRoute::Application, .menuText = "New From Clipboard",
     .shortcutText = "Ctrl+Shift+N", .keys = "Ctrl+Shift+N",
     .statusText = "Create a new image from the clipboard\nNew From Clipboard",
     .shellRule = ShellRule::ClipboardImage, .runShell = [](ShellHost& host) { host.newFromClipboard(); }},
    {.id = kCmdOpen, .route = CommandRoute::Application, .menuText = "Open...", .shortcutText = "Ctrl+O",
     .keys = "Ctrl+O", .statusText = "Open an existing image\nOpen", .asks = CommandAsks::Dialog,
     .shellRule = ShellRule::Always, .runShell = [](ShellHost& host) { host.openWithDialog(); }},
    {.id = kCmdClose, .route = CommandRoute::Application, .menuText = "Close", .shortcutText = "Ctrl+W",
     .keys = "Ctrl+W", .statusText = "Close the active image\nClose", .shellRule = ShellRule::ActiveDocument,
     .runShell = [](ShellHost& host) { host.closeActive(); }},
    {.id = kCmdCloseAll, .route = CommandRoute::Application, .menuText = "Close All",
     .statusText = "Close all open images\nClose All", .shellRule = ShellRule::ActiveDocument,
     .runShell = [](ShellHost& host) { host.closeAll(); }},
    {.id = kCmdSave, .route = CommandRoute::Application, .menuText = "Save", .shortcutText = "Ctrl+S",
     .keys = "Ctrl+S", .statusText = "Save the active image\nSave", .shellRule = ShellRule::ModifiedDocument,
     .runShell = [](ShellHost& host) { host.saveActive(); }},
    {.id = kCmdSaveAs, .route = CommandRoute::Application, .menuText = "Save As...",
     .statusText = "Save the active image with a new name\nSave As", .asks = CommandAsks::Dialog,
     .shellRule = ShellRule::ActiveDocument, .runShell = [](ShellHost& host) { host.saveActiveAs(); }},
    {.id = kCmdPageSetup, .route = CommandRoute::Application, .menuText = "Page Setup...",
     .statusText = "Change the printing options\nPage Setup", .asks = CommandAsks::Dialog,
     .shellRule = ShellRule::Always, .runShell = [](ShellHost& host) { host.pageSetup(); }},
    {.id = kCmdPrintPreview, .route = CommandRoute::Application, .menuText = "Print with Preview...",
     .statusText = "Show the printed page before printing\nPrint with Preview", .asks = CommandAsks::Dialog,
     .shellRule = ShellRule::ActiveDocument, .runShell = [](ShellHost& host) { host.printWithPreview(); }},
    {.id = kCmdPrint, .route = CommandRoute::Application, .menuText = "Print...", .shortcutText = "Ctrl+P",
     .keys = "Ctrl+P", .statusText = "Print the active image\nPrint", .asks = CommandAsks::Dialog,
     .shellRule = ShellRule::ActiveDocument, .runShell = [](ShellHost& host) { host.print(); }},
    {.id = kCmdClearRecent, .route = CommandRoute::Application, .menuText = "Clear Recent",
     .statusText = "Empty the list of recent files\nClear Recent", .shellRule = ShellRule::RecentFiles,
     .runShell = [](ShellHost& host) { host.clearRecent(); }},
    {.id = kCmdExit, .route = CommandRoute::Application, .menuText = "Exit",
     .statusText = "Quit the application, asking to save images\nExit", .shellRule = ShellRule::Always,
     .runShell = [](ShellHost& host) { host.exitApplication(); }},
    {.id = kCmdDuplicateImage, .route = CommandRoute::Application, .menuText = "Duplicate...",
     .statusText = "Copy the image into a new window\nDuplicate", .asks = CommandAsks::Dialog,
     .shellRule = ShellRule::ActiveDocument, .runShell = [](ShellHost& host) { host.duplicateImage(); }},
};

} // namespace

std::span<const CommandSpec> fileCommandSpecs() { return kFileCommands; }

} // namespace pict
