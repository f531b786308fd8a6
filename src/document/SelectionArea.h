#pragma once
// How the document model sees "the selection": its canvas bounds and an 8-bit coverage
// surface of exactly that size (0 unselected .. 255 selected). The selection mask of the
// document window hands this view to layer operations; empty bounds means no selection.

#include "common/Geometry.h"
#include "surface/RasterSurface.h"

namespace pict {

struct SelectionArea {
    Rect bounds;
    const Surface8* coverage = nullptr;

    bool isEmpty() const { return bounds.isEmpty() || coverage == nullptr; }
};

} // namespace pict
