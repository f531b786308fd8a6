#include "canvas/painting/LayerStroke.h"

#include "document/Document.h"
#include "document/Layer.h"
#include "history/layers/EmptyLayerPromotion.h"
#include "history/paint/PaintedPixelsState.h"

namespace pict {

std::unique_ptr<LayerStroke> LayerStroke::start(DocumentContext& context, const BrushParams& params,
                                                std::string* whyNot) {
    // An empty active layer becomes a transparent raster layer for the stroke; a stroke
    // refused here or never finished puts it back.
    auto promotion = std::make_unique<PaintingPromotion>(context);
    LayerStack& layers = context.document().layers();
    const int32_t index = layers.activeIndex();
    RasterLayer* layer = layers.rasterAt(index);
    auto refuse = [whyNot](const char* reason) {
        if (whyNot)
            *whyNot = reason;
        return nullptr;
    };
    if (!layer || !layer->isVisible() || layer->color().isEmpty())
        return refuse("the active layer is not a visible raster layer");
    // The eraser makes pixels transparent, which needs a mask (a background layer instead
    // takes the background color).
    bool createdMask = false;
    if (params.tool == PaintTool::Eraser && !layer->isBackground() && !layer->transparencyMask()) {
        if (!layer->ensureTransparencyMask())
            return refuse("there is not enough memory for the layer's transparency");
        createdMask = true;
    }
    auto stroke = std::unique_ptr<LayerStroke>(new LayerStroke(context, params, index, createdMask));
    stroke->promotion_ = std::move(promotion);
    return stroke;
}

LayerStroke::LayerStroke(DocumentContext& context, const BrushParams& params, int32_t layerIndex, bool createdMask)
    : context_(context), params_(clampedBrushParams(params)), layerIndex_(layerIndex), createdMask_(createdMask) {
    RasterLayer* target = layer();
    position_ = target->position();
    const StrokeTarget surfaces{&target->color(), target->transparencyMask(), target->isBackground(), position_};
    stroke_ = std::make_unique<PaintStroke>(params_, surfaces, context.selectionArea());
}

LayerStroke::~LayerStroke() = default;

RasterLayer* LayerStroke::layer() const { return context_.document().layers().rasterAt(layerIndex_); }

Rect LayerStroke::report(const Rect& layerRect) {
    if (layerRect.isEmpty())
        return {};
    const Rect canvasRect = layerRect.translated(position_.x, position_.y);
    context_.document().layers().report(layer(), LayerChangeKind::Pixels, canvasRect, true);
    return canvasRect;
}

Rect LayerStroke::begin(const StrokePoint& point) {
    return report(stroke_->begin({point.x - position_.x, point.y - position_.y, point.pressure}));
}

Rect LayerStroke::lineTo(const StrokePoint& point) {
    return report(stroke_->lineTo({point.x - position_.x, point.y - position_.y, point.pressure}));
}

StrokePoint LayerStroke::lastPoint() const {
    const StrokePoint p = stroke_->lastPoint();
    return {p.x + position_.x, p.y + position_.y, p.pressure};
}

std::unique_ptr<HistoryState> LayerStroke::finish() {
    RasterLayer* target = layer();
    if (!target || stroke_->touchedBounds().isEmpty()) {
        cancel();
        return nullptr;
    }
    std::vector<PaintedPatch> patches;
    patches.reserve(stroke_->originals().size());
    for (const auto& original : stroke_->originals()) {
        PaintedPatch patch;
        const Surface8* mask = original->transparency.isEmpty() ? nullptr : &original->transparency;
        if (!recordPaintedPatch(*target, original->rect, original->color, mask, patch)) {
            cancel();
            return nullptr;
        }
        patches.push_back(std::move(patch));
    }
    auto state = std::make_unique<PaintedPixelsState>(context_, paintToolName(params_.tool), layerIndex_,
                                                      std::move(patches), createdMask_);
    stroke_ = std::make_unique<PaintStroke>(params_, StrokeTarget{}, SelectionArea{});
    std::unique_ptr<HistoryState> painted = std::move(state);
    return promotion_ ? promotion_->wrap(std::move(painted)) : std::move(painted);
}

void LayerStroke::cancel() {
    RasterLayer* target = layer();
    if (target) {
        for (const auto& original : stroke_->originals()) {
            target->color().copyRect(original->color, Rect::fromSize(original->rect.size()), original->rect.topLeft());
            if (Surface8* mask = target->transparencyMask(); mask && !original->transparency.isEmpty())
                mask->copyRect(original->transparency, Rect::fromSize(original->rect.size()), original->rect.topLeft());
        }
        report(stroke_->touchedBounds());
    }
    stroke_ = std::make_unique<PaintStroke>(params_, StrokeTarget{}, SelectionArea{});
    // A layer promoted for this stroke is empty again.
    promotion_.reset();
}

} // namespace pict
