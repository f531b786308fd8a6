#pragma once
// Raster layers transformed ahead of a geometry walk, away from the user-interface thread.
// capture takes read-only views of the stack's raster layers (nothing is copied, the
// document is not touched); one of the transforms then runs on any thread and makes each
// layer's replacement with the very function the walk would call. While a PreparedLayers is
// in use on a thread (UsePreparedLayers), the walks over the stack take those replacements
// instead of transforming the layers again, so the bytes, the journal and the undo are the
// same as without it.

#include "common/Geometry.h"
#include "document/Layer.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace pict {

class LayerStack;

// The size a layer gets when the canvas goes from oldCanvas to newCanvas (Image Size): its
// sides scaled and rounded half up, at least 1.
Size resizedLayerSize(Size layer, Size oldCanvas, Size newCanvas);

class PreparedLayers {
public:
    // Null when memory runs out.
    static std::unique_ptr<PreparedLayers> capture(const LayerStack& stack);

    // Each makes every replacement; false when one cannot be made (memory, a cancel).
    bool resize(Size oldCanvas, Size newCanvas, int32_t method);
    bool rotate(double angle);
    bool flip(bool horizontal);

    // The replacement made for the layer at index, when it was made from exactly this layer
    // (the same object, unchanged size); null otherwise.
    std::unique_ptr<RasterLayer> take(int32_t index, const RasterLayer& current);

private:
    struct Entry {
        const RasterLayer* original = nullptr;
        Size size;
        std::unique_ptr<RasterLayer> view;
        std::unique_ptr<RasterLayer> result;
    };
    std::vector<Entry> entries_; // by stack index; an empty entry for a layer that is not raster
};

// While one lives, the walks on this thread take their layers from prepared.
class UsePreparedLayers {
public:
    explicit UsePreparedLayers(PreparedLayers& prepared);
    ~UsePreparedLayers();
    UsePreparedLayers(const UsePreparedLayers&) = delete;
    UsePreparedLayers& operator=(const UsePreparedLayers&) = delete;

private:
    PreparedLayers* outer_;
};

// For the walks: the prepared replacement of the layer at index, or null.
std::unique_ptr<RasterLayer> takePreparedLayer(int32_t index, const RasterLayer& current);

} // namespace pict
