#pragma once
// What every adjustment dialog shares below its widgets: the live preview on the document's
// active layer and the answer OK hands to the command layer. A dialog model holds its own
// parameters, makes the filter they describe, and calls changed() after every edit so that a
// checked Preview shows it on the layer.

#include "app/commands/DocumentCommands.h"
#include "app/dialogs/adjustments/BackgroundPreview.h"
#include "app/dialogs/adjustments/FilterPreview.h"

#include <functional>
#include <memory>

namespace pict {

class DocumentSession;

class AdjustmentDialogModel {
public:
    explicit AdjustmentDialogModel(DocumentSession& session);
    virtual ~AdjustmentDialogModel();
    AdjustmentDialogModel(const AdjustmentDialogModel&) = delete;
    AdjustmentDialogModel& operator=(const AdjustmentDialogModel&) = delete;

    // "&Preview", checked at start. Unchecking gives the layer its pixels back; checking
    // shows the current values at once.
    bool isPreviewOn() const;
    void setPreview(bool on);
    // The layer shows the pending filter now.
    bool isPreviewShowing() const;

    // True while OK would record nothing.
    bool isIdentity() const;

    // OK: the previewed state when the layer already shows the values, else the filter of
    // the values, or an empty record for identity values (the command then records nothing).
    FilterParams accept();
    // Cancel: the layer gets its pixels back.
    void cancel();
    // The dialog's Reset: every value back to its default, shown at once while previewing.
    void reset();

    // The filter of the current values; null only when it could not be made.
    std::unique_ptr<ImageFilter> currentFilter() const;

    // ---- a host with an event loop ----
    // From now on the preview is computed on a worker thread; resultReady runs on that thread
    // when pixels wait, and the host then calls collectPreview on its own thread.
    void runPreviewInBackground(std::function<void()> resultReady);
    // Shows the newest finished preview; the document changes only here.
    void collectPreview();
    // Waits for the preview under way and shows it.
    void finishPreview();
    // Stops the worker, putting the layer's pixels back (the host is going away).
    void stopBackgroundPreview();
    // With a listener, a change of values only tells it; the preview follows when the host
    // calls pushPreview (after typing pauses, or at once for a dragged slider, which lets the
    // running preview finish). OK takes any change not pushed yet.
    void setChangeListener(std::function<void()> listener) { listener_ = std::move(listener); }
    void pushPreview(bool letRunningFinish);
    // Large layers preview on a worker; small ones at once, where a thread would only add a
    // hop and the host's typing pause a delay.
    bool wantsBackgroundPreview() const;

protected:
    virtual std::unique_ptr<ImageFilter> makeFilter() const = 0;
    virtual void resetValues() = 0;
    // Every setter of a subclass calls this once its values changed.
    void changed();

private:
    DocumentSession& session_;
    FilterPreview preview_;
    std::unique_ptr<BackgroundPreview> background_;
    std::function<void()> listener_;
    bool unpushed_ = false;
};

} // namespace pict
