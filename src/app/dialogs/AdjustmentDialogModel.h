#pragma once
// What every adjustment dialog shares below its widgets: the live preview on the document's
// active layer and the answer OK hands to the command layer. A dialog model holds its own
// parameters, makes the filter they describe, and calls changed() after every edit so that a
// checked Preview shows it on the layer.

#include "app/commands/DocumentCommands.h"
#include "app/dialogs/FilterPreview.h"

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
    bool isPreviewOn() const { return preview_.isPreviewOn(); }
    void setPreview(bool on);
    // The layer shows the pending filter now.
    bool isPreviewShowing() const { return preview_.isShowing(); }

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

protected:
    virtual std::unique_ptr<ImageFilter> makeFilter() const = 0;
    virtual void resetValues() = 0;
    // Every setter of a subclass calls this once its values changed.
    void changed();

private:
    FilterPreview preview_;
};

} // namespace pict
