#include "history/layers/EmptyLayerPromotion.h"

#include "document/Document.h"

#include <new>

namespace pict {

namespace {

// A transparent canvas-sized raster layer carrying the attributes of layer.
std::unique_ptr<RasterLayer> transparentStandIn(LayerStack& stack, const Layer& layer, Size canvas) {
    Surface24 color;
    Surface8 alpha;
    if (!color.create(canvas.width, canvas.height, 24) || !alpha.create(canvas.width, canvas.height, 8) ||
        !color.fillAll(0) || !alpha.fillValue(0))
        return nullptr;
    auto masks = std::make_unique<LayerMaskSet>();
    masks->setSize(color.size());
    masks->setMask(std::move(alpha));
    std::unique_ptr<RasterLayer> raster = RasterLayer::createFromSurfaceAndMask(&stack, std::move(color), std::move(masks));
    if (!raster)
        return nullptr;
    raster->setName(layer.name());
    raster->setVisible(layer.isVisible());
    raster->setBlendMode(layer.blendMode());
    raster->setOpacity(layer.opacity());
    raster->setPosition({0, 0});
    return raster;
}

bool isEmptyLayer(const Layer* layer) {
    return layer && layer->isLive() && !layer->isRaster();
}

} // namespace

EmptyLayerPromotion::EmptyLayerPromotion(DocumentContext& context, int32_t layerIndex,
                                         std::unique_ptr<HistoryState> inner)
    : context_(context), layerIndex_(layerIndex), inner_(std::move(inner)) {}

EmptyLayerPromotion::~EmptyLayerPromotion() = default;

bool EmptyLayerPromotion::promote() {
    Document& document = context_.document();
    LayerStack& stack = document.layers();
    if (!isEmptyLayer(stack.layerAt(layerIndex_)))
        return false;
    try {
        std::unique_ptr<RasterLayer> standIn = transparentStandIn(stack, *stack.layerAt(layerIndex_), document.canvasSize());
        if (!standIn)
            return false;
        emptyLayer_ = stack.replace(layerIndex_, std::move(standIn));
    } catch (const std::bad_alloc&) {
        return false;
    }
    return emptyLayer_ != nullptr;
}

bool EmptyLayerPromotion::apply() {
    if (!promote())
        return false;
    if (inner_->apply())
        return true;
    demote();
    return false;
}

bool EmptyLayerPromotion::undo() {
    if (!emptyLayer_ || !inner_->undo())
        return false;
    return demote();
}

bool EmptyLayerPromotion::demote() {
    std::unique_ptr<Layer> promoted = context_.document().layers().replace(layerIndex_, std::move(emptyLayer_));
    return promoted != nullptr;
}

PaintingPromotion::PaintingPromotion(DocumentContext& context) {
    if (!activeLayerIsEmpty(context) || !context.document().layers().active()->isVisible())
        return;
    const int32_t index = context.document().layers().activeIndex();
    promotion_ = std::make_unique<EmptyLayerPromotion>(context, index, nullptr);
    if (!promotion_->promote())
        promotion_.reset();
}

PaintingPromotion::~PaintingPromotion() {
    if (promotion_)
        promotion_->demote();
}

std::unique_ptr<HistoryState> PaintingPromotion::wrap(std::unique_ptr<HistoryState> painted) {
    if (!promotion_ || !painted)
        return painted;
    promotion_->inner_ = std::move(painted);
    return std::move(promotion_);
}

bool activeLayerIsEmpty(DocumentContext& context) {
    const LayerStack* stack = context.document().layersIfAny();
    return stack && isEmptyLayer(stack->active());
}

std::unique_ptr<HistoryState> ontoContentLayer(DocumentContext& context, std::unique_ptr<HistoryState> state) {
    if (!state || !activeLayerIsEmpty(context))
        return state;
    const int32_t index = context.document().layers().activeIndex();
    return std::make_unique<EmptyLayerPromotion>(context, index, std::move(state));
}

} // namespace pict
