#pragma once
// The drawing area's side of the tools it hands on (CanvasToolInput): Qt's pointer and tablet
// events turned into image-space tool events, and the tools' lines drawn over the picture.

#include "canvas/CanvasView.h"
#include "canvas/tools/ToolInput.h"

#include <QPointF>

#include <optional>

class QPainter;
class QKeyEvent;

namespace pict::qt {

// The window position (floating, as Qt delivers it) in continuous image coordinates.
ToolPointer toolPointer(const CanvasView& view, QPointF window, Qt::KeyboardModifiers modifiers,
                        double pressure = 1.0);
// The tool key a key press stands for, if any.
std::optional<ToolKey> toolKeyOf(const QKeyEvent& event);
// Draws the tool's lines in window coordinates (a thin line, dashed black over white).
void drawToolOverlay(QPainter& painter, const CanvasView& view, const ToolOverlay& overlay);

} // namespace pict::qt
