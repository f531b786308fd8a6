#include "app/dialogs/adjustments/AdjustmentDialogModel.h"

#include "app/commands/LastFilterSlot.h"
#include "app/session/DocumentSession.h"

#include <new>

namespace pict {

AdjustmentDialogModel::AdjustmentDialogModel(DocumentSession& session)
    : preview_(session, recordInto(session.app().lastFilter)) {}

AdjustmentDialogModel::~AdjustmentDialogModel() = default;

std::unique_ptr<ImageFilter> AdjustmentDialogModel::currentFilter() const {
    try {
        return makeFilter();
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

void AdjustmentDialogModel::setPreview(bool on) { preview_.setPreview(on, on ? currentFilter() : nullptr); }

bool AdjustmentDialogModel::isIdentity() const {
    const std::unique_ptr<ImageFilter> filter = currentFilter();
    return !filter || filter->isIdentity();
}

void AdjustmentDialogModel::changed() {
    if (preview_.isPreviewOn())
        preview_.parametersChanged(currentFilter());
}

FilterParams AdjustmentDialogModel::accept() { return preview_.accept(currentFilter()); }

void AdjustmentDialogModel::cancel() { preview_.cancel(); }

void AdjustmentDialogModel::reset() {
    resetValues();
    changed();
}

} // namespace pict
