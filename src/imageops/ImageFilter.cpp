#include "imageops/ImageFilter.h"

#include "imageops/CoverageBlend.h"
#include "imageops/LastFilterSlot.h"
#include "imageops/PointFilterLoops.h"

#include <cstring>
#include <new>

namespace pict {
namespace {

// Presents the buffer of any surface as the depth class the filter loops take. A surface
// that already is of that class is used directly; otherwise its buffer is moved into a
// view for the call and moved back afterwards, whatever happens.
template <class View>
class DepthView {
public:
    explicit DepthView(RasterSurface& target) : target_(target), direct_(dynamic_cast<View*>(&target)) {
        if (!direct_)
            borrowed_.attach(target_.detach());
    }
    ~DepthView() {
        if (!direct_)
            target_.attach(borrowed_.detach());
    }
    DepthView(const DepthView&) = delete;
    DepthView& operator=(const DepthView&) = delete;

    View& surface() { return direct_ ? *direct_ : borrowed_; }

private:
    RasterSurface& target_;
    View* direct_;
    View borrowed_;
};

} // namespace

bool isFullCoverage(const Surface8& mask) { return mask.isAll(255); }

void setIdentity(uint8_t (&table)[256]) {
    for (int i = 0; i < 256; ++i)
        table[i] = static_cast<uint8_t>(i);
}

bool ImageFilter::apply(Surface24& color, const Surface8* mask, Point maskOrigin) {
    return apply(static_cast<RasterSurface&>(color), mask, maskOrigin);
}

bool ImageFilter::apply(RasterSurface& target, const Surface8* mask, Point maskOrigin) {
    beforeApply();
    givenMask_ = mask;
    mask_ = nullptr;
    maskOrigin_ = maskOrigin;
    workRect_ = {};
    if (!target.isValid())
        return false;
    if (mask && !mask->isValid())
        return false;

    workRect_ = target.bounds();
    if (mask) {
        const Rect placed = Rect::fromPointSize(maskOrigin, mask->size());
        workRect_ = target.bounds().contains(placed) ? placed : Rect{};
    }
    if (workRect_.isEmpty())
        return false;

    bool result = false;
    try {
        if (mask && !isFullCoverage(*mask))
            mask_ = mask;
        switch (target.depth()) {
        case 24: {
            DepthView<Surface24> view(target);
            result = applyRgb(view.surface());
            break;
        }
        case 8: {
            DepthView<Surface8> view(target);
            result = applyGray(view.surface());
            break;
        }
        default:
            result = false;
            break;
        }
    } catch (const std::bad_alloc&) {
        result = false;
    }
    afterApply();
    givenMask_ = mask_ = nullptr;
    return result;
}

bool ImageFilter::applyRgb(Surface24& target) {
    (void)target;
    return false;
}

bool ImageFilter::applyGray(Surface8& target) {
    (void)target;
    return false;
}

void NeighborhoodFilter::beforeApply() {
    if (slot_)
        slot_->record(*this);
}

void LastFilterSlot::record(const NeighborhoodFilter& filter) {
    if (filter_.get() == &filter)
        return;
    try {
        filter_ = filter.clone();
    } catch (const std::bad_alloc&) {
        // The slot keeps the previous filter.
    }
}

std::unique_ptr<NeighborhoodFilter> LastFilterSlot::cloneFilter() const {
    if (!filter_)
        return nullptr;
    try {
        return filter_->clone();
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

std::string LastFilterSlot::menuText() const { return (filter_ ? filter_->name() : std::string("Last Filter")) + "\tCtrl+F"; }

} // namespace pict
