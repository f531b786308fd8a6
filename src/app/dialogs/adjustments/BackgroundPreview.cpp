#include "app/dialogs/adjustments/BackgroundPreview.h"

#include "document/Document.h"
#include "history/DocumentContext.h"

#include <cstring>
#include <new>

namespace pict {

BackgroundPreview::BackgroundPreview(DocumentContext& context, FilterApplied applied,
                                     std::function<void()> resultReady)
    : context_(context), applied_(std::move(applied)), layerIndex_(context.document().layers().activeIndex()),
      worker_(std::move(resultReady)) {}

BackgroundPreview::~BackgroundPreview() { cancel(); }

RasterLayer* BackgroundPreview::editableLayer() const {
    RasterLayer* layer = context_.document().layers().rasterAt(layerIndex_);
    if (!layer || layer->isEmpty() || layer->color().isEmpty() || !layer->isVisible())
        return nullptr;
    return layer;
}

Rect BackgroundPreview::reachOn(const RasterLayer& layer) const {
    const SelectionArea selection = context_.selectionArea();
    const Rect bounds = layer.localBounds();
    return selection.isEmpty() ? bounds : layer.selectionInLayer(selection).intersected(bounds);
}

void BackgroundPreview::stop() {
    worker_.cancel();
    wanted_ = 0;
    takeBack();
}

void BackgroundPreview::takeBack() {
    if (!showing_)
        return;
    showing_ = false;
    shownFilter_.reset();
    RasterLayer* layer = editableLayer();
    if (!layer || !source_ || layer->size() != source_->layer->size())
        return;
    // Only the reach can differ from the copy the worker started from. When that is the whole
    // layer, the layer takes the source's pixels back by sharing them: Cancel on a photo then
    // copies nothing, and the layer owns them alone once the source goes.
    const Rect reach = reachOn(*layer);
    const Surface24& original = source_->layer->color();
    if (reach != layer->localBounds() || !layer->color().shareFrom(original)) {
        const size_t rowBytes = size_t(reach.width()) * 3;
        for (int32_t y = reach.top; y < reach.bottom; ++y)
            std::memcpy(layer->color().row(y) + int64_t(reach.left) * 3, original.row(y) + int64_t(reach.left) * 3,
                        rowBytes);
    }
    context_.document().layers().report(layer, LayerChangeKind::Pixels,
                                        reach.translated(layer->x(), layer->y()), true);
}

void BackgroundPreview::setPreview(bool on, std::unique_ptr<ImageFilter> current) {
    if (on == previewOn_)
        return;
    previewOn_ = on;
    if (on)
        parametersChanged(std::move(current));
    else
        stop();
}

void BackgroundPreview::parametersChanged(std::unique_ptr<ImageFilter> current, bool letRunningFinish) {
    if (!previewOn_ || !current)
        return;
    // Identity parameters show the layer as it was (see FilterPreview).
    const RasterLayer* layer = editableLayer();
    if (current->isIdentity() || !layer || reachOn(*layer).isEmpty()) {
        stop();
        return;
    }
    if (!source_ && !(source_ = PreviewSource::capture(*layer, context_.selectionArea())))
        return;
    wanted_ = worker_.submit(source_, std::shared_ptr<ImageFilter>(std::move(current)), letRunningFinish);
}

bool BackgroundPreview::collect() {
    std::optional<PreviewResult> result = worker_.takeResult();
    RasterLayer* layer = editableLayer();
    if (!result || wanted_ == 0 || !layer || layer->size() != result->color.size())
        return false;
    // The finished copy becomes the layer's color; what the layer held goes away with the result.
    if (!layer->color().swap(result->color))
        return false;
    showing_ = true;
    shownGeneration_ = result->generation;
    shownFilter_ = result->filter;
    // A preview that shows counts as an application, as it does when the synchronous
    // preview applies the filter (a neighbourhood filter becomes the last filter).
    if (applied_ && shownFilter_)
        applied_(*shownFilter_);
    context_.document().layers().report(layer, LayerChangeKind::Pixels,
                                        reachOn(*layer).translated(layer->x(), layer->y()), true);
    return true;
}

void BackgroundPreview::finish() {
    worker_.waitUntilIdle();
    collect();
}

FilterParams BackgroundPreview::accept(std::unique_ptr<ImageFilter> current) {
    FilterParams answer;
    if (!current || current->isIdentity()) {
        cancel();
        return answer;
    }
    if (previewOn_) {
        finish();
        if (showing_ && wanted_ != 0 && shownGeneration_ == wanted_) {
            try {
                auto state = std::make_unique<FilterHistoryState>(context_, shownFilter_, applied_);
                if (state->recordApplied(source_->layer->color())) {
                    showing_ = false; // the state owns what the layer shows now
                    answer.previewedState = std::move(state);
                    source_.reset();
                    return answer;
                }
            } catch (const std::bad_alloc&) {
            }
        }
    }
    cancel();
    answer.filter = std::move(current);
    return answer;
}

void BackgroundPreview::cancel() {
    stop();
    source_.reset();
}

} // namespace pict
