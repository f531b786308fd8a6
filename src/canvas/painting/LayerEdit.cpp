#include "canvas/painting/LayerEdit.h"

#include "document/Document.h"
#include "document/Layer.h"
#include "history/paint/PaintedPixelsState.h"

namespace pict {

std::unique_ptr<HistoryState> paintLayerArea(DocumentContext& context, std::string name, const Rect& canvasArea,
                                             const LayerPaint& paint, std::string* whyNot) {
    LayerStack& layers = context.document().layers();
    const int32_t index = layers.activeIndex();
    RasterLayer* layer = layers.rasterAt(index);
    if (!layer || !layer->isVisible() || layer->color().isEmpty()) {
        if (whyNot)
            *whyNot = "the active layer is not a visible raster layer";
        return nullptr;
    }
    const Point at = layer->position();
    const Rect area = canvasArea.translated(-at.x, -at.y).intersected(layer->color().bounds());
    if (area.isEmpty())
        return nullptr;
    Surface8* transparency = layer->transparencyMask();
    // The pixels before are kept as the state will hold them; after the paint, the pixels
    // after. A failure on the way puts the "before" back.
    std::vector<PaintedPatch> patches(1);
    PaintedPatch& patch = patches.front();
    if (!patch.colorBefore.save(layer->color(), area) ||
        (transparency && !patch.maskBefore.save(*transparency, area)))
        return nullptr;
    const StrokeTarget target{&layer->color(), transparency, layer->isBackground(), at};
    const bool painted = paint(target, area);
    if (!painted || !patch.colorAfter.save(layer->color(), area) ||
        (transparency && !patch.maskAfter.save(*transparency, area))) {
        patch.colorBefore.restore(layer->color());
        if (transparency)
            patch.maskBefore.restore(*transparency);
        if (painted)
            layers.report(layer, LayerChangeKind::Pixels, area.translated(at.x, at.y), true);
        return nullptr;
    }
    layers.report(layer, LayerChangeKind::Pixels, area.translated(at.x, at.y), true);
    return std::make_unique<PaintedPixelsState>(context, std::move(name), index, std::move(patches), false);
}

} // namespace pict
