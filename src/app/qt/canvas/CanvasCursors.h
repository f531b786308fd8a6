#pragma once
// The mouse cursors of the canvas tools: the open and grabbing hand, a magnifier with a
// plus, a minus, or nothing in it when the zoom is at its limit, and the marquee and crop
// crosses with the arrow that shows the pointer is on the selection.

#include "canvas/NavigationTools.h"

#include <QCursor>

namespace pict::qt {

QCursor canvasCursor(CanvasCursor cursor);

} // namespace pict::qt
