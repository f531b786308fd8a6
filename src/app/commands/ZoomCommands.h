#pragma once
// The document frame's own commands: the zoom ids of the View and Canvas Zoom menus, run by
// their specs (ViewCommands.cpp) on the frame's CanvasView.

#include <cstdint>

namespace pict {

class CanvasView;
class FrameHost;

// Ids the frame handles before the document command layer sees them.
bool isFrameCommand(uint16_t id);

// Runs a frame id on the frame. False for an id the frame does not handle, which then
// travels on to the document.
bool runFrameCommand(FrameHost& frame, uint16_t id);

// Zoom In at 16 and Zoom Out at the minimum do nothing, and presets below the minimum zoom
// cannot be chosen; everything else of the frame is always available.
bool isZoomCommandEnabled(const CanvasView& view, uint16_t id);

} // namespace pict
