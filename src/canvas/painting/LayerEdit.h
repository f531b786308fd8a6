#pragma once
// A one-shot painting change to part of the active layer (Paint Bucket, Gradient) recorded
// like a stroke: the rectangle's pixels before and after go into one already-applied state.

#include "history/DocumentContext.h"
#include "history/HistoryState.h"
#include "imageops/painting/PaintStroke.h"

#include <functional>
#include <memory>
#include <string>

namespace pict {

// Paints with paint(target, layerArea) over canvasArea of the active layer (clipped to the
// layer) and reports the change. Null when nothing could be painted: *whyNot says why when
// the layer cannot be painted, and stays empty when the area misses the layer or paint
// declined; the layer is then as it was.
using LayerPaint = std::function<bool(const StrokeTarget& target, const Rect& layerArea)>;
std::unique_ptr<HistoryState> paintLayerArea(DocumentContext& context, std::string name, const Rect& canvasArea,
                                             const LayerPaint& paint, std::string* whyNot = nullptr);

} // namespace pict
