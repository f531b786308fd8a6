#pragma once
// The history state of a painting tool (Brush, Pencil, Eraser, Paint Bucket, Gradient). The
// tool paints the layer itself, as the user watches; the state is recorded already applied
// and keeps, for each rectangle the tool touched, the pixels before and after, colour and
// transparency. Undo writes the "before" pixels back, redo the "after" ones; nothing
// outside those rectangles is kept.

#include "common/Geometry.h"
#include "history/DocumentContext.h"
#include "history/HistoryState.h"
#include "history/SavedPixels.h"
#include "surface/RasterSurface.h"

#include <cstdint>
#include <string>
#include <vector>

namespace pict {

class RasterLayer;

// One painted rectangle of a layer (layer coordinates).
struct PaintedPatch {
    SavedPixels colorBefore;
    SavedPixels colorAfter;
    SavedPixels maskBefore; // when the layer had a transparency mask
    SavedPixels maskAfter;
};

// Keeps rect of the layer as it is now (after painting) and as it was, from the original
// pixels given in rect's own coordinates (originalMask null when the layer had no mask).
// The layer is unchanged when it returns. False when memory runs out.
bool recordPaintedPatch(RasterLayer& layer, const Rect& rect, const Surface24& originalColor,
                        const Surface8* originalMask, PaintedPatch& patch);

class PaintedPixelsState final : public DocumentChangeState {
public:
    // createdMask: the painting had to give the layer a transparency mask. Like every mask it
    // then stays; undo leaves it fully opaque where it was, and redo makes it again when
    // something else took it away.
    PaintedPixelsState(DocumentContext& context, std::string name, int32_t layerIndex,
                       std::vector<PaintedPatch> patches, bool createdMask);

    std::string name() const override { return name_; }
    // Redo: the "after" pixels go back. Fails, changing nothing, when the index no longer
    // holds a raster layer containing every rectangle.
    bool apply() override;
    bool undo() override;
    std::vector<SavedPixels*> savedPixels() override;

    int32_t layerIndex() const { return layerIndex_; }
    // The union of the kept rectangles, in layer coordinates.
    Rect bounds() const;
    const std::vector<PaintedPatch>& patches() const { return patches_; }

private:
    bool write(bool after);

    DocumentContext& context_;
    std::string name_;
    int32_t layerIndex_;
    std::vector<PaintedPatch> patches_;
    bool createdMask_;
};

} // namespace pict
