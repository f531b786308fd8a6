#include "app/dialogs/adjustments/AdjustmentDialogModel.h"

#include "app/commands/LastFilterSlot.h"
#include "app/session/DocumentSession.h"
#include "document/Document.h"

#include <new>

namespace pict {

AdjustmentDialogModel::AdjustmentDialogModel(DocumentSession& session)
    : session_(session), preview_(session, recordInto(session.app().lastFilter)) {}

AdjustmentDialogModel::~AdjustmentDialogModel() = default;

void AdjustmentDialogModel::runPreviewInBackground(std::function<void()> resultReady) {
    // Whatever the synchronous preview shows is taken back first; the worker starts over.
    const bool on = preview_.isPreviewOn();
    preview_.cancel();
    background_ = std::make_unique<BackgroundPreview>(session_, recordInto(session_.app().lastFilter), std::move(resultReady));
    if (on)
        background_->parametersChanged(currentFilter());
    else
        background_->setPreview(false, nullptr);
}

void AdjustmentDialogModel::collectPreview() {
    if (background_)
        background_->collect();
}

void AdjustmentDialogModel::finishPreview() {
    if (unpushed_)
        pushPreview(false);
    if (background_)
        background_->finish();
}

void AdjustmentDialogModel::stopBackgroundPreview() {
    if (background_)
        background_->cancel();
    background_.reset();
}

bool AdjustmentDialogModel::wantsBackgroundPreview() const {
    // About where a filter starts to take tens of milliseconds, and pixel work its strips.
    constexpr int64_t kBackgroundPixels = int64_t(1) << 20;
    const Layer* layer = session_.document().layers().active();
    return layer && int64_t(layer->size().width) * layer->size().height >= kBackgroundPixels;
}

void AdjustmentDialogModel::pushPreview(bool letRunningFinish) {
    unpushed_ = false;
    if (background_)
        background_->parametersChanged(currentFilter(), letRunningFinish);
    else if (preview_.isPreviewOn())
        preview_.parametersChanged(currentFilter());
}

std::unique_ptr<ImageFilter> AdjustmentDialogModel::currentFilter() const {
    try {
        return makeFilter();
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

bool AdjustmentDialogModel::isPreviewOn() const {
    return background_ ? background_->isPreviewOn() : preview_.isPreviewOn();
}

bool AdjustmentDialogModel::isPreviewShowing() const {
    return background_ ? background_->isShowing() : preview_.isShowing();
}

void AdjustmentDialogModel::setPreview(bool on) {
    unpushed_ = false;
    if (background_)
        background_->setPreview(on, on ? currentFilter() : nullptr);
    else
        preview_.setPreview(on, on ? currentFilter() : nullptr);
}

bool AdjustmentDialogModel::isIdentity() const {
    const std::unique_ptr<ImageFilter> filter = currentFilter();
    return !filter || filter->isIdentity();
}

void AdjustmentDialogModel::changed() {
    if (!isPreviewOn())
        return;
    if (listener_) {
        unpushed_ = true;
        listener_();
        return;
    }
    pushPreview(false);
}

FilterParams AdjustmentDialogModel::accept() {
    if (unpushed_)
        pushPreview(false);
    return background_ ? background_->accept(currentFilter()) : preview_.accept(currentFilter());
}

void AdjustmentDialogModel::cancel() {
    unpushed_ = false;
    if (background_)
        background_->cancel();
    preview_.cancel();
}

void AdjustmentDialogModel::reset() {
    resetValues();
    changed();
}

} // namespace pict
