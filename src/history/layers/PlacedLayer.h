#pragma once
// The new raster layer a state adds above the active one and takes away on undo ("Place",
// "Paste"). Its name is chosen on the first placing and kept, so that every redo makes a layer
// of the same name; undo removes only a layer at the remembered index that still has it.

#include "common/Geometry.h"
#include "surface/RasterSurface.h"

#include <cstdint>
#include <string>

namespace pict {

class LayerStack;

class PlacedLayer {
public:
    // Adds a layer of color with top-left at position, named as a new layer would be, above
    // the active layer the first time and at the same index every time after; alpha may be
    // empty (opaque) or has color's size. False, adding nothing, when the layer cannot be made
    // or added, or memory runs out.
    bool place(LayerStack& stack, const Surface24& color, const Surface8& alpha, Point position);
    // Removes the layer the last place() added and makes the layer active that was active
    // before it. False, changing nothing, when the layer at its index is not the one placed
    // (or nothing was placed).
    bool remove(LayerStack& stack) const;

    // The index the layer got on the last place(); -1 before.
    int32_t index() const { return index_; }

private:
    std::string name_;
    int32_t index_ = -1;
    int32_t wasActive_ = -1; // index of the layer active before the last place()
};

} // namespace pict
