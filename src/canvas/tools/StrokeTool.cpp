#include "canvas/tools/StrokeTool.h"

namespace pict {

bool StrokeTool::press(DocumentContext& context, const BrushParams& params, const StrokePoint& point, bool shift,
                       Rect& changed, std::string* whyNot) {
    if (stroke_)
        cancel();
    stroke_ = LayerStroke::start(context, params, whyNot);
    if (!stroke_)
        return false;
    if (shift && last_) {
        changed = stroke_->begin(*last_);
        changed = changed.united(stroke_->lineTo(point));
    } else {
        changed = stroke_->begin(point);
    }
    return true;
}

Rect StrokeTool::drag(const StrokePoint& point) { return stroke_ ? stroke_->lineTo(point) : Rect{}; }

std::unique_ptr<HistoryState> StrokeTool::release() {
    if (!stroke_)
        return nullptr;
    if (stroke_->hasBegun())
        last_ = stroke_->lastPoint();
    auto state = stroke_->finish();
    stroke_.reset();
    return state;
}

void StrokeTool::cancel() {
    if (!stroke_)
        return;
    stroke_->cancel();
    stroke_.reset();
}

} // namespace pict
