#pragma once
// An adjustment dialog's live preview computed on a PreviewWorker: the layer keeps its pixels
// while the worker filters a copy of them, and the finished pixels replace the layer's on the
// user-interface thread (collect), the only place the document changes. OK hands over a
// state recorded as already applied, whose undo pixels come from that copy; Cancel and
// identity parameters put the layer's own pixels back. The synchronous FilterPreview keeps
// the same rules for hosts without an event loop.

#include "app/dialogs/adjustments/FilterPreview.h"
#include "app/dialogs/adjustments/PreviewWorker.h"

#include <functional>
#include <memory>

namespace pict {

class BackgroundPreview {
public:
    // resultReady runs on the worker's thread; the host then calls collect on its own.
    // applied hears of every preview that shows (may be empty), as with FilterPreview.
    BackgroundPreview(DocumentContext& context, FilterApplied applied, std::function<void()> resultReady);
    // Stops the worker and puts the layer's pixels back unless OK took the preview.
    ~BackgroundPreview();
    BackgroundPreview(const BackgroundPreview&) = delete;
    BackgroundPreview& operator=(const BackgroundPreview&) = delete;

    bool isPreviewOn() const { return previewOn_; }
    void setPreview(bool on, std::unique_ptr<ImageFilter> current);
    // Starts computing the preview of current. A running computation is cancelled, unless
    // letRunningFinish (a dragged slider), when current waits for it.
    void parametersChanged(std::unique_ptr<ImageFilter> current, bool letRunningFinish = false);
    // Shows the newest finished preview on the layer. False when none waited.
    bool collect();
    // Waits for the computation under way and shows its result.
    void finish();

    FilterParams accept(std::unique_ptr<ImageFilter> current);
    void cancel();

    bool isShowing() const { return showing_; }

private:
    RasterLayer* editableLayer() const;
    // The part of the layer the filter can change (layer coordinates).
    Rect reachOn(const RasterLayer& layer) const;
    void stop();
    void takeBack();

    DocumentContext& context_;
    FilterApplied applied_;
    int32_t layerIndex_;
    bool previewOn_ = true;
    bool showing_ = false;
    // The generation of the newest parameters handed to the worker; 0 while the layer is to
    // show its own pixels.
    uint64_t wanted_ = 0;
    uint64_t shownGeneration_ = 0;
    std::shared_ptr<ImageFilter> shownFilter_;
    std::shared_ptr<const PreviewSource> source_;
    // Last, so that it stops before the source it reads goes away.
    PreviewWorker worker_;
};

} // namespace pict
