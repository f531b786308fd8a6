#include "selection/SelectionController.h"

#include "selection/ColorSimilarity.h"

namespace pict {

template <class Change>
bool SelectionController::change(Change&& operation) {
    const Rect oldBounds = mask_.bounds();
    const bool done = operation();
    // A failed operation leaves the mask as it was, but Grow and Similar may still have
    // tightened it, so the window hears of every attempt.
    ++changeCount_;
    outlineVisible_ = true;
    if (listener_)
        listener_->selectionChanged(oldBounds, mask_.bounds());
    return done;
}

bool SelectionController::setShape(const Rect& shape, bool ellipse) {
    return change([&] { return mask_.setShape(shape, ellipse); });
}
bool SelectionController::selectAll() {
    return change([&] { return mask_.selectAll(); });
}
bool SelectionController::invert() {
    return change([&] { return mask_.invert(); });
}
void SelectionController::clear() {
    change([&] {
        mask_.clear();
        return true;
    });
}
bool SelectionController::load(const Surface8& source) {
    return change([&] { return mask_.load(source); });
}
bool SelectionController::place(const Surface8& coverage, Point topLeft) {
    return change([&] { return mask_.place(coverage, topLeft); });
}
bool SelectionController::loadFromChannel(const Surface8& channel, CombineMode mode, bool invert) {
    return change([&] { return loadSelectionFromChannel(mask_, channel, mode, invert); });
}
bool SelectionController::feather(double radius) {
    return change([&] { return mask_.feather(radius); });
}
bool SelectionController::expand(int32_t width) {
    return change([&] { return mask_.expand(width); });
}
bool SelectionController::contract(int32_t width) {
    return change([&] { return mask_.contract(width); });
}
bool SelectionController::border(int32_t width) {
    return change([&] { return mask_.border(width); });
}
bool SelectionController::growOrSimilar(const SampledImage& image, int32_t tolerance, bool grow) {
    return change([&] { return mask_.growOrSimilar(image, tolerance, grow); });
}
bool SelectionController::restore(const SelectionMask& saved) {
    return change([&] { return mask_.copyFrom(saved); });
}
void SelectionController::resetCanvas(int32_t canvasWidth, int32_t canvasHeight) {
    change([&] {
        mask_.resetCanvas(canvasWidth, canvasHeight);
        return true;
    });
}

void SelectionController::toggleOutline() {
    outlineVisible_ = !outlineVisible_;
    if (listener_)
        listener_->outlineVisibilityChanged(outlineVisible_);
}

} // namespace pict
