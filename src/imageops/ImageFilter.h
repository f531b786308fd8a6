#pragma once
// The filter family. A filter holds its parameters, knows its identity and is applied to one
// 24- or 8-bit surface, optionally restricted and weighted by an 8-bit coverage mask whose
// pixel (0, 0) lies at a given origin of the target.
//
// apply() is the template method: it fixes the work rectangle (the whole target, or the mask
// placed at its origin, which must lie wholly inside the target) and dispatches by depth to
// applyRgb / applyGray, which the two families implement.

#include "common/Geometry.h"
#include "document/LayerOperations.h"
#include "imageops/FilterKind.h"
#include "surface/RasterSurface.h"

#include <memory>
#include <string>

namespace pict {

class LastFilterSlot;

class ImageFilter : public SurfaceFilter {
public:
    ~ImageFilter() override = default;

    virtual FilterKind kind() const = 0;
    virtual std::string name() const { return std::string(filterName(kind())); }
    // True for parameters that change no pixel as far as the dialogs judge it: a confirmed
    // dialog with identity parameters records nothing. Filters without parameters never are.
    virtual bool isIdentity() const { return false; }

    // False, with the target untouched, when the target holds no pixels, the mask is given
    // but invalid, the work rectangle is empty or the depth is neither 24 nor 8.
    bool apply(RasterSurface& target, const Surface8* mask = nullptr, Point maskOrigin = {});
    bool apply(Surface24& color, const Surface8* mask, Point maskOrigin) override;

protected:
    ImageFilter() = default;
    ImageFilter(const ImageFilter&) = default;
    ImageFilter& operator=(const ImageFilter&) = default;

    // Process workRect() of the target. The defaults do nothing and fail.
    virtual bool applyRgb(Surface24& target);
    virtual bool applyGray(Surface8& target);
    virtual void beforeApply() {}
    virtual void afterApply() {}

    // Valid while apply runs. mask() is null without a mask and also when every mask byte
    // is 255, which must give exactly the unmasked result.
    const Surface8* mask() const { return mask_; }
    const Surface8* givenMask() const { return givenMask_; }
    Point maskOrigin() const { return maskOrigin_; }
    const Rect& workRect() const { return workRect_; }

private:
    const Surface8* givenMask_ = nullptr;
    const Surface8* mask_ = nullptr;
    Point maskOrigin_;
    Rect workRect_;
};

// Filters whose new pixel depends only on the old one. The per-pixel transforms are virtual
// for callers that want one pixel at a time; the surface loops go through PointFilterOf,
// which calls the concrete transform inline.
class PointFilter : public ImageFilter {
public:
    // One pixel as blue, green, red bytes, rewritten in place.
    virtual void transformRgb(uint8_t* bgr) const = 0;
    // One 8-bit value; filters that leave 8-bit surfaces alone do nothing.
    virtual void transformGray(uint8_t& value) const { (void)value; }
};

// Filters whose new value depends on the neighbourhood. Applying one makes a clone of it the application's last filter, when a slot is attached.
class NeighborhoodFilter : public ImageFilter {
public:
    virtual std::unique_ptr<NeighborhoodFilter> clone() const = 0;

    // The slot this filter records itself into; clones keep it. Null records nowhere.
    void setLastFilterSlot(LastFilterSlot* slot) { slot_ = slot; }
    LastFilterSlot* lastFilterSlot() const { return slot_; }

protected:
    NeighborhoodFilter() = default;
    NeighborhoodFilter(const NeighborhoodFilter&) = default;
    void beforeApply() override;

private:
    LastFilterSlot* slot_ = nullptr;
};

} // namespace pict
