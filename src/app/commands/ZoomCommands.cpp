#include "app/commands/ZoomCommands.h"

#include "app/commands/CommandTable.h"
#include "canvas/CanvasView.h"
#include "canvas/ZoomSteps.h"
#include "document/DocumentInfo.h"

namespace pict {

bool isFrameCommand(uint16_t id) {
    const CommandInfo* info = findCommand(id);
    return info && info->route == CommandRoute::DocumentFrame;
}

bool applyZoomCommand(CanvasView& view, uint16_t id, const DocumentInfo& info) {
    if (const ZoomPreset* preset = findZoomPreset(id)) {
        view.setZoom(preset->factor, true);
        return true;
    }
    switch (id) {
    case kCmdZoomIn: view.zoomIn(); return true;
    case kCmdZoomOut: view.zoomOut(); return true;
    case kCmdFitInWindow: view.fitInWindow(); return true;
    case kCmdActualPixels: view.actualPixels(); return true;
    case kCmdPrintSize: view.printSize(info.resolution, info.resolutionUnit); return true;
    default: return false;
    }
}

bool isZoomCommandEnabled(const CanvasView& view, uint16_t id) {
    if (const ZoomPreset* preset = findZoomPreset(id))
        return view.isZoomAllowed(preset->factor);
    switch (id) {
    case kCmdZoomIn: return view.canZoomIn();
    case kCmdZoomOut: return view.canZoomOut();
    default: return isFrameCommand(id);
    }
}

} // namespace pict
