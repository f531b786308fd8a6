// The View menu: the zoom commands of the active document window (its CanvasView), the
// tools, full screen and the bars (the main window's).
#include "app/commands/CommandDomains.h"
#include "app/commands/CommandHosts.h"
#include "app/commands/CommandIds.h"
#include "canvas/CanvasView.h"
#include "canvas/ZoomSteps.h"
#include "document/DocumentInfo.h"

namespace pict {
namespace {

void printSize(FrameHost& frame) {
    const DocumentInfo& info = frame.documentInfo();
    frame.view().printSize(info.resolution, info.resolutionUnit);
}

// The Canvas Zoom presets take their factors from the view's preset table; a preset below
// the view's minimum zoom cannot be chosen.
template <uint16_t kId>
void zoomToPreset(FrameHost& frame) {
    if (const ZoomPreset* preset = findZoomPreset(kId))
        frame.view().setZoom(preset->factor, true);
}

template <uint16_t kId>
bool presetAllowed(const CanvasView& view) {
    const ZoomPreset* preset = findZoomPreset(kId);
    return preset && view.isZoomAllowed(preset->factor);
}

constexpr CommandSpec kViewCommands[] = {
    {.id = kCmdZoomIn, .route = CommandRoute::DocumentFrame, .menuText = "Zoom In", .shortcutText = "Numpad +",
     .keys = "Num++; Ctrl+=", .statusText = "Zoom in one step\nZoom In",
     .viewEnabled = [](const CanvasView& view) { return view.canZoomIn(); },
     .runView = [](FrameHost& frame) { frame.view().zoomIn(); }},
    {.id = kCmdZoomOut, .route = CommandRoute::DocumentFrame, .menuText = "Zoom Out", .shortcutText = "Numpad -",
     .keys = "Num+-; Ctrl+-", .statusText = "Zoom out one step\nZoom Out",
     .viewEnabled = [](const CanvasView& view) { return view.canZoomOut(); },
     .runView = [](FrameHost& frame) { frame.view().zoomOut(); }},
    {.id = kCmdFitOnScreen, .route = CommandRoute::DocumentFrame, .menuText = "Fit on Screen",
     .shortcutText = "Numpad *", .keys = "Num+*; Ctrl+0",
     .statusText = "Fit the window and image to the workspace\nFit on Screen",
     .runView = [](FrameHost& frame) { frame.fitOnScreen(); }},
    {.id = kCmdFitInWindow, .route = CommandRoute::DocumentFrame, .menuText = "Fit in Window",
     .statusText = "Fit the image to the window\nFit in Window",
     .runView = [](FrameHost& frame) { frame.view().fitInWindow(); }},
    {.id = kCmdActualPixels, .route = CommandRoute::DocumentFrame, .menuText = "Actual Pixels",
     .shortcutText = "Numpad /", .keys = "Num+/; Ctrl+Alt+0",
     .statusText = "Show the image at 100%\nActual Pixels",
     .runView = [](FrameHost& frame) { frame.view().actualPixels(); }},
    {.id = kCmdPrintSize, .route = CommandRoute::DocumentFrame, .menuText = "Print Size",
     .statusText = "Show the image at its printed size\nPrint Size", .runView = printSize},
    {.id = kCmdZoom1600, .route = CommandRoute::DocumentFrame, .menuText = "16x", .statusText = "Zoom to 1600%",
     .viewEnabled = presetAllowed<kCmdZoom1600>, .runView = zoomToPreset<kCmdZoom1600>},
    {.id = kCmdZoom1200, .route = CommandRoute::DocumentFrame, .menuText = "12x", .statusText = "Zoom to 1200%",
     .viewEnabled = presetAllowed<kCmdZoom1200>, .runView = zoomToPreset<kCmdZoom1200>},
    {.id = kCmdZoom800, .route = CommandRoute::DocumentFrame, .menuText = "8x", .statusText = "Zoom to 800%",
     .viewEnabled = presetAllowed<kCmdZoom800>, .runView = zoomToPreset<kCmdZoom800>},
    {.id = kCmdZoom400, .route = CommandRoute::DocumentFrame, .menuText = "4x", .statusText = "Zoom to 400%",
     .viewEnabled = presetAllowed<kCmdZoom400>, .runView = zoomToPreset<kCmdZoom400>},
    {.id = kCmdZoom300, .route = CommandRoute::DocumentFrame, .menuText = "3x", .statusText = "Zoom to 300%",
     .viewEnabled = presetAllowed<kCmdZoom300>, .runView = zoomToPreset<kCmdZoom300>},
    {.id = kCmdZoom200, .route = CommandRoute::DocumentFrame, .menuText = "2x", .statusText = "Zoom to 200%",
     .viewEnabled = presetAllowed<kCmdZoom200>, .runView = zoomToPreset<kCmdZoom200>},
    {.id = kCmdZoom100, .route = CommandRoute::DocumentFrame, .menuText = "1x", .statusText = "Zoom to 100%",
     .viewEnabled = presetAllowed<kCmdZoom100>, .runView = zoomToPreset<kCmdZoom100>},
    {.id = kCmdZoom75, .route = CommandRoute::DocumentFrame, .menuText = "75%", .statusText = "Zoom to 75%",
     .viewEnabled = presetAllowed<kCmdZoom75>, .runView = zoomToPreset<kCmdZoom75>},
    {.id = kCmdZoom50, .route = CommandRoute::DocumentFrame, .menuText = "50%", .statusText = "Zoom to 50%",
     .viewEnabled = presetAllowed<kCmdZoom50>, .runView = zoomToPreset<kCmdZoom50>},
    {.id = kCmdZoom25, .route = CommandRoute::DocumentFrame, .menuText = "25%", .statusText = "Zoom to 25%",
     .viewEnabled = presetAllowed<kCmdZoom25>, .runView = zoomToPreset<kCmdZoom25>},
    {.id = kCmdZoom10, .route = CommandRoute::DocumentFrame, .menuText = "10%", .statusText = "Zoom to 10%",
     .viewEnabled = presetAllowed<kCmdZoom10>, .runView = zoomToPreset<kCmdZoom10>},
    {.id = kCmdZoom5, .route = CommandRoute::DocumentFrame, .menuText = "5%", .statusText = "Zoom to 5%",
     .viewEnabled = presetAllowed<kCmdZoom5>, .runView = zoomToPreset<kCmdZoom5>},
    {.id = kCmdFullScreen, .route = CommandRoute::Application, .menuText = "Full Screen", .shortcutText = "F11",
     .keys = "F11", .statusText = "Show the workspace on the whole screen\nFull Screen",
     .shellRule = ShellRule::Always, .runShell = [](ShellHost& host) { host.toggleFullScreen(); },
     .checked = [](const ShellHost& host) { return host.fullScreenShown(); }},
    {.id = kCmdFullScreenAlt, .route = CommandRoute::Application,
     .statusText = "Show the workspace on the whole screen\nFull Screen", .shellRule = ShellRule::Always,
     .runShell = [](ShellHost& host) { host.toggleFullScreen(); }},
    {.id = kCmdToolbar, .route = CommandRoute::Application, .menuText = "Toolbar",
     .statusText = "Show or hide the toolbar\nToolbar", .shellRule = ShellRule::Always,
     .runShell = [](ShellHost& host) { host.toggleToolbar(); },
     .checked = [](const ShellHost& host) { return host.toolbarShown(); }},
    {.id = kCmdStatusBar, .route = CommandRoute::Application, .menuText = "Status Bar",
     .statusText = "Show or hide the status bar\nStatus Bar", .shellRule = ShellRule::Always,
     .runShell = [](ShellHost& host) { host.toggleStatusBar(); },
     .checked = [](const ShellHost& host) { return host.statusBarShown(); }},
    {.id = kCmdHandTool, .route = CommandRoute::Application, .menuText = "Hand Tool",
     .keys = "H", .statusText = "Drag the image to scroll it\nHand Tool", .shellRule = ShellRule::Always,
     .runShell = [](ShellHost& host) { host.setTool(kToolHand); },
     .checked = [](const ShellHost& host) { return host.currentTool() == kToolHand; }},
    {.id = kCmdMarqueeTool, .route = CommandRoute::Application, .menuText = "Marquee Tool",
     .keys = "M", .statusText = "Select a rectangle\nMarquee Tool", .shellRule = ShellRule::Always,
     .runShell = [](ShellHost& host) { host.setTool(kToolMarquee); },
     .checked = [](const ShellHost& host) { return host.currentTool() == kToolMarquee; }},
    {.id = kCmdCropTool, .route = CommandRoute::Application, .menuText = "Crop Tool",
     .keys = "C", .statusText = "Draw a crop frame\nCrop Tool", .shellRule = ShellRule::Always,
     .runShell = [](ShellHost& host) { host.setTool(kToolCrop); },
     .checked = [](const ShellHost& host) { return host.currentTool() == kToolCrop; }},
    {.id = kCmdZoomInTool, .route = CommandRoute::Application, .menuText = "Zoom In Tool",
     .keys = "Z", .statusText = "Click or drag to zoom in\nZoom In Tool", .shellRule = ShellRule::Always,
     .runShell = [](ShellHost& host) { host.setTool(kToolZoomIn); },
     .checked = [](const ShellHost& host) { return host.currentTool() == kToolZoomIn; }},
    {.id = kCmdZoomOutTool, .route = CommandRoute::Application, .menuText = "Zoom Out Tool",
     .statusText = "Click to zoom out\nZoom Out Tool", .shellRule = ShellRule::Always,
     .runShell = [](ShellHost& host) { host.setTool(kToolZoomOut); },
     .checked = [](const ShellHost& host) { return host.currentTool() == kToolZoomOut; }},
};

} // namespace

std::span<const CommandSpec> viewCommandSpecs() { return kViewCommands; }

} // namespace pict
