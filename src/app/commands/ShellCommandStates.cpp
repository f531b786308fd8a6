#include "app/commands/ShellCommandStates.h"

#include "app/commands/CommandIds.h"
#include "app/commands/CommandTable.h"

#include <string_view>

namespace pict {
namespace {

struct ShellRuleEntry {
    uint16_t id;
    ShellRule rule;
};

constexpr ShellRuleEntry kShellRules[] = {
    {kCmdNew, ShellRule::Always},
    {kCmdNewFromClipboard, ShellRule::ClipboardImage},
    {kCmdOpen, ShellRule::Always},
    {kCmdClose, ShellRule::ActiveDocument},
    {kCmdCloseAll, ShellRule::ActiveDocument},
    {kCmdSave, ShellRule::ModifiedDocument},
    {kCmdSaveAs, ShellRule::ActiveDocument},
    {kCmdPageSetup, ShellRule::NotAvailable},
    {kCmdPrintPreview, ShellRule::NotAvailable},
    {kCmdPrint, ShellRule::NotAvailable},
    {kCmdClearRecent, ShellRule::RecentFiles},
    {kCmdExit, ShellRule::Always},
    {kCmdDuplicateImage, ShellRule::ActiveDocument},
    {kCmdOptions, ShellRule::Always},
    {kCmdHandTool, ShellRule::Always},
    {kCmdCropTool, ShellRule::Always},
    {kCmdMarqueeTool, ShellRule::Always},
    {kCmdZoomInTool, ShellRule::Always},
    {kCmdZoomOutTool, ShellRule::Always},
    {kCmdFullScreenAlt, ShellRule::Always},
    {kCmdFullScreen, ShellRule::Always},
    {kCmdArrangeIcons, ShellRule::MinimizedWindows},
    {kCmdCascade, ShellRule::ActiveDocument},
    {kCmdTile, ShellRule::ActiveDocument},
    {kCmdToolbar, ShellRule::Always},
    {kCmdStatusBar, ShellRule::Always},
    {kCmdHelpContents, ShellRule::NotAvailable},
    {kCmdHelpSearch, ShellRule::NotAvailable},
    {kCmdHelpIndex, ShellRule::NotAvailable},
    {kCmdFeedback, ShellRule::NotAvailable},
    {kCmdWebSite, ShellRule::NotAvailable},
    {kCmdCheckUpdates, ShellRule::NotAvailable},
    {kCmdAbout, ShellRule::Always},
};

} // namespace

ShellRule shellRuleOf(uint16_t id) {
    if (isRecentFileCommand(id))
        return ShellRule::Always;
    for (const ShellRuleEntry& entry : kShellRules)
        if (entry.id == id)
            return entry.rule;
    return ShellRule::NotAvailable;
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

bool commandOpensDialog(const CommandInfo& info) {
    return info.route == CommandRoute::Document && std::string_view(info.menuText).ends_with("...");
}

} // namespace pict
