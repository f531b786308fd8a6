#pragma once
// The Fill command's pixel work on a layer that already covers the canvas: one color mixed
// over the layer in a blend mode at the opacity weight, through the selection's coverage
// when there is one. The layer's transparency mask takes part as the destination alpha
// unless transparency is preserved (or there is none): then every pixel counts as opaque
// and the mask is left as it is.

#include "document/LayerOperations.h"
#include "imageops/FillParams.h"

namespace pict {

class ColorFill final : public SurfaceFill {
public:
    explicit ColorFill(const FillParams& params) : params_(clampedFillParams(params)) {}

    bool fill(Surface24& color, Surface8* transparency, const Surface8* mask, Point maskOrigin) override;

private:
    FillParams params_;
};

} // namespace pict
