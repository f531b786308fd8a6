#include "app/dialogs/adjustments/AdjustmentDialogModel.h"

#include "app/session/DocumentSession.h"

#include <new>

namespace pict {

AdjustmentDialogModel::AdjustmentDialogModel(DocumentSession& session) : preview_(session, session.app().lastFilter) {}

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

FilterParams AdjustmentDialogModel::accept() {
    FilterAnswer answer = preview_.accept(currentFilter());
    FilterParams params;
    params.filter = std::move(answer.filter);
    params.previewedState = std::move(answer.previewedState);
    return params;
}

void AdjustmentDialogModel::cancel() { preview_.cancel(); }

void AdjustmentDialogModel::reset() {
    resetValues();
    changed();
}

} // namespace pict
