#include "canvas/painting/LayerEdit.h"

#include "document/Document.h"
#include "document/Layer.h"
#include "history/paint/PaintedPixelsState.h"

#include <new>

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
    Surface24 color;
    Surface8 mask;
    Surface8* transparency = layer->transparencyMask();
    try {
        if (!color.copyFrom(layer->color(), area))
            return nullptr;
        if (transparency && (!mask.create(area.width(), area.height(), 8) ||
                             !mask.copyRect(*transparency, area, {0, 0})))
            return nullptr;
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
    const StrokeTarget target{&layer->color(), transparency, layer->isBackground(), at};
    std::vector<PaintedPatch> patches(1);
    if (!paint(target, area) ||
        !recordPaintedPatch(*layer, area, color, transparency ? &mask : nullptr, patches.front())) {
        layer->color().copyRect(color, Rect::fromSize(area.size()), area.topLeft());
        if (transparency)
            transparency->copyRect(mask, Rect::fromSize(area.size()), area.topLeft());
        return nullptr;
    }
    layers.report(layer, LayerChangeKind::Pixels, area.translated(at.x, at.y), true);
    return std::make_unique<PaintedPixelsState>(context, std::move(name), index, std::move(patches), false);
}

} // namespace pict
