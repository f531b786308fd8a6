#pragma once
// The document frame's own commands: the zoom ids of the View and Canvas Zoom menus, run on
// the frame's CanvasView. Fit on Screen also needs the window's frame and the workspace, so
// the frame does its window part and calls fitInWindow() itself.

#include <cstdint>

namespace pict {

class CanvasView;
struct DocumentInfo;

// Ids the frame handles before the document command layer sees them.
bool isFrameCommand(uint16_t id);

// Runs a frame id other than Fit on Screen on the view. False for an id the frame does not
// handle (and for Fit on Screen), which then travels on.
bool applyZoomCommand(CanvasView& view, uint16_t id, const DocumentInfo& info);

// Zoom In at 16 and Zoom Out at the minimum do nothing, and presets below the minimum zoom
// cannot be chosen; everything else of the frame is always available.
bool isZoomCommandEnabled(const CanvasView& view, uint16_t id);

} // namespace pict
