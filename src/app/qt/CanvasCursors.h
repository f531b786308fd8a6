#pragma once
// The mouse cursors of the canvas tools: the open and grabbing hand, and a magnifier with a
// plus, a minus, or nothing in it when the zoom is at its limit.

#include "canvas/NavigationTools.h"

#include <QCursor>

namespace pict::qt {

QCursor canvasCursor(CanvasCursor cursor);

} // namespace pict::qt
