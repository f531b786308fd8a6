#pragma once
// Told about every pointer move over a document's drawing area, with the view and the picture
// the area shows at that moment (before overlays such as the selection outline).

#include "canvas/CanvasRenderer.h"
#include "canvas/CanvasView.h"
#include "common/Geometry.h"

namespace pict {

class CanvasPointerListener {
public:
    virtual ~CanvasPointerListener() = default;
    virtual void pointerMoved(const CanvasView& view, const ViewBuffer& shown, Point window) = 0;
};

} // namespace pict
