// The painting and selection tools of the View menu, their one-key shortcuts, and the keys
// that swap or reset the current colors. (The Hand, Marquee, Crop and Zoom tools are declared
// with the other View commands.)
#include "app/commands/CommandDomains.h"
#include "app/commands/CommandHosts.h"
#include "app/commands/CommandIds.h"

namespace pict {

namespace {

template <int32_t kTool> void selectTool(ShellHost& host) { host.setTool(kTool); }
template <int32_t kTool> bool toolChosen(const ShellHost& host) { return host.currentTool() == kTool; }

constexpr CommandSpec kToolCommands[] = {
    {.id = kCmdBrushTool, .route = CommandRoute::Application, .menuText = "Brush Tool", .keys = "B",
     .statusText = "Paint with a soft round brush\nBrush Tool", .runShell = selectTool<kToolBrush>,
     .checked = toolChosen<kToolBrush>},
    {.id = kCmdPencilTool, .route = CommandRoute::Application, .menuText = "Pencil Tool", .keys = "N",
     .statusText = "Draw hard-edged lines\nPencil Tool", .runShell = selectTool<kToolPencil>,
     .checked = toolChosen<kToolPencil>},
    {.id = kCmdEraserTool, .route = CommandRoute::Application, .menuText = "Eraser Tool", .keys = "E",
     .statusText = "Erase to transparency\nEraser Tool", .runShell = selectTool<kToolEraser>,
     .checked = toolChosen<kToolEraser>},
    {.id = kCmdColorPickerTool, .route = CommandRoute::Application, .menuText = "Color Picker Tool", .keys = "I",
     .statusText = "Take the foreground color from the picture (Alt or right click: the background)\nColor "
                   "Picker Tool",
     .runShell = selectTool<kToolColorPicker>, .checked = toolChosen<kToolColorPicker>},
    {.id = kCmdPaintBucketTool, .route = CommandRoute::Application, .menuText = "Paint Bucket Tool", .keys = "K",
     .statusText = "Fill similar colors with the foreground color\nPaint Bucket Tool",
     .runShell = selectTool<kToolPaintBucket>, .checked = toolChosen<kToolPaintBucket>},
    {.id = kCmdGradientTool, .route = CommandRoute::Application, .menuText = "Gradient Tool", .keys = "G",
     .statusText = "Drag to draw a gradient\nGradient Tool", .runShell = selectTool<kToolGradient>,
     .checked = toolChosen<kToolGradient>},
    {.id = kCmdLassoTool, .route = CommandRoute::Application, .menuText = "Lasso Tool", .keys = "L",
     .statusText = "Select a freehand or polygonal shape\nLasso Tool", .runShell = selectTool<kToolLasso>,
     .checked = toolChosen<kToolLasso>},
    {.id = kCmdMagicWandTool, .route = CommandRoute::Application, .menuText = "Magic Wand Tool", .keys = "W",
     .statusText = "Select similar colors by clicking\nMagic Wand Tool", .runShell = selectTool<kToolMagicWand>,
     .checked = toolChosen<kToolMagicWand>},
    {.id = kCmdMoveTool, .route = CommandRoute::Application, .menuText = "Move Tool", .keys = "V",
     .statusText = "Drag to move the layer, or the selected pixels (Alt: the outline alone); arrow keys nudge\nMove "
                   "Tool",
     .runShell = selectTool<kToolMove>, .checked = toolChosen<kToolMove>},
    {.id = kCmdSwitchMarqueeShape, .route = CommandRoute::Application, .keys = "Shift+M",
     .statusText = "Switch the marquee between rectangle and ellipse",
     .runShell = [](ShellHost& host) { host.switchToolShape(kToolMarquee); }},
    {.id = kCmdSwitchLassoShape, .route = CommandRoute::Application, .keys = "Shift+L",
     .statusText = "Switch the lasso between freehand and polygonal",
     .runShell = [](ShellHost& host) { host.switchToolShape(kToolLasso); }},
    {.id = kCmdSwapColors, .route = CommandRoute::Application, .keys = "X",
     .statusText = "Swap the foreground and background colors", .runShell = [](ShellHost& host) { host.swapColors(); }},
    {.id = kCmdResetColors, .route = CommandRoute::Application, .keys = "D",
     .statusText = "Black foreground, white background", .runShell = [](ShellHost& host) { host.resetColors(); }},
};

} // namespace

std::span<const CommandSpec> toolCommandSpecs() { return kToolCommands; }

} // namespace pict
