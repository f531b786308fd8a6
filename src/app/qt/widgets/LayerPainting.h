#pragma once
// Drawing part of a raster layer, scaled, with a painter: an opaque layer straight from its
// pixel memory, a translucent one over a checkerboard.

#include "common/Geometry.h"

class QPainter;
class QRectF;

namespace pict {
class RasterLayer;
}

namespace pict::qt {

// source: in layer coordinates, inside the layer; smooth: filter when scaling down.
void drawLayerPart(QPainter& painter, const RasterLayer& layer, const Rect& source, const QRectF& target,
                   bool smooth);

} // namespace pict::qt
