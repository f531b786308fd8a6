#include "app/dialogs/FilterPreview.h"

namespace pict {

FilterPreview::FilterPreview(DocumentContext& context, LastFilterSlot* lastFilter)
    : context_(context), lastFilter_(lastFilter) {}

FilterPreview::~FilterPreview() { cancel(); }

void FilterPreview::takeBack() {
    if (pending_ && showing_)
        pending_->undo();
    showing_ = false;
}

void FilterPreview::setPreview(bool on, std::unique_ptr<ImageFilter> current) {
    if (on == previewOn_)
        return;
    previewOn_ = on;
    if (on) {
        parametersChanged(std::move(current));
        return;
    }
    takeBack();
    pending_.reset();
}

void FilterPreview::parametersChanged(std::unique_ptr<ImageFilter> current) {
    if (!previewOn_ || !current)
        return;
    takeBack();
    // Identity parameters show the layer as it was rather than running the filter: the
    // adjustments that convert through HSL would otherwise nudge pixels that no history
    // entry will ever restore, since OK records nothing for them.
    const bool identity = current->isIdentity();
    if (!pending_)
        pending_ = std::make_unique<FilterHistoryState>(context_, nullptr, lastFilter_);
    pending_->setFilter(std::move(current));
    if (!identity)
        showing_ = pending_->apply();
}

FilterAnswer FilterPreview::accept(std::unique_ptr<ImageFilter> current) {
    FilterAnswer answer;
    if (!current || current->isIdentity()) {
        cancel();
        return answer;
    }
    if (previewOn_ && showing_) {
        showing_ = false;
        answer.previewedState = std::move(pending_);
        return answer;
    }
    cancel();
    answer.filter = std::move(current);
    return answer;
}

void FilterPreview::cancel() {
    takeBack();
    pending_.reset();
}

} // namespace pict
