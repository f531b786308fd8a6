#pragma once
// The row loops of the point filters. The transform is a template parameter, so the inner
// loop calls it inline; the mask decision is made once per call, outside the loops.

#include "imageops/CoverageBlend.h"
#include "imageops/ImageFilter.h"
#include "surface/PixelThreads.h"
#include "surface/RewrittenRows.h"

namespace pict {

// fn(uint8_t* bgr) rewrites one pixel in place. Rows are independent, so strips of them run
// on several threads; unmasked, each row is rewritten through rewriteRows.
template <class PixelFn>
void transformRgbRect(Surface24& target, const Rect& work, const Surface8* mask, Point maskOrigin, PixelFn&& fn) {
    const int32_t width = work.width();
    if (!mask) {
        rewriteRows(target, work.top, work.bottom, width, [&](uint8_t* row, int32_t) {
            uint8_t* px = row + int64_t(work.left) * 3;
            for (int32_t x = 0; x < width; ++x, px += 3)
                fn(px);
        });
        return;
    }
    target.ensureOwnPixels();
    forEachStrip(work.top, work.bottom, width, [&](int32_t top, int32_t bottom) {
        for (int32_t y = top; y < bottom; ++y) {
            uint8_t* px = target.row(y) + int64_t(work.left) * 3;
            const uint8_t* m = mask->row(y - maskOrigin.y) + (work.left - maskOrigin.x);
            for (int32_t x = 0; x < width; ++x, px += 3) {
                const uint8_t coverage = m[x];
                if (coverage == 0)
                    continue;
                if (coverage == 255) {
                    fn(px);
                    continue;
                }
                uint8_t changed[3] = {px[0], px[1], px[2]};
                fn(changed);
                px[0] = coverageMix(px[0], changed[0], coverage);
                px[1] = coverageMix(px[1], changed[1], coverage);
                px[2] = coverageMix(px[2], changed[2], coverage);
            }
        }
    });
}

// fn(uint8_t& value) rewrites one 8-bit value in place.
template <class ValueFn>
void transformGrayRect(Surface8& target, const Rect& work, const Surface8* mask, Point maskOrigin, ValueFn&& fn) {
    const int32_t width = work.width();
    if (!mask) {
        rewriteRows(target, work.top, work.bottom, width, [&](uint8_t* row, int32_t) {
            uint8_t* v = row + work.left;
            for (int32_t x = 0; x < width; ++x)
                fn(v[x]);
        });
        return;
    }
    target.ensureOwnPixels();
    forEachStrip(work.top, work.bottom, width, [&](int32_t top, int32_t bottom) {
        for (int32_t y = top; y < bottom; ++y) {
            uint8_t* v = target.row(y) + work.left;
            const uint8_t* m = mask->row(y - maskOrigin.y) + (work.left - maskOrigin.x);
            for (int32_t x = 0; x < width; ++x) {
                if (m[x] == 0)
                    continue;
                uint8_t changed = v[x];
                fn(changed);
                v[x] = coverageMix(v[x], changed, m[x]);
            }
        }
    });
}

// Base of the concrete point filters. Derived supplies, non-virtual and inline:
//   void pixelRgb(uint8_t* bgr) const;
//   static constexpr bool kChangesGray;  and, when true,  void pixelGray(uint8_t&) const;
template <class Derived>
class PointFilterOf : public PointFilter {
public:
    void transformRgb(uint8_t* bgr) const final { derived().pixelRgb(bgr); }
    void transformGray(uint8_t& value) const final {
        if constexpr (Derived::kChangesGray)
            derived().pixelGray(value);
        else
            (void)value;
    }

protected:
    bool applyRgb(Surface24& target) override {
        const Derived& self = derived();
        transformRgbRect(target, workRect(), mask(), maskOrigin(), [&self](uint8_t* px) { self.pixelRgb(px); });
        return true;
    }
    bool applyGray(Surface8& target) override {
        if constexpr (Derived::kChangesGray) {
            const Derived& self = derived();
            transformGrayRect(target, workRect(), mask(), maskOrigin(), [&self](uint8_t& v) { self.pixelGray(v); });
        } else {
            (void)target;
        }
        return true;
    }

private:
    const Derived& derived() const { return static_cast<const Derived&>(*this); }
};

// Point filters that map each channel through a 256-entry table (red, green and blue may
// differ). The gray table is one of the three, or none when 8-bit surfaces stay unchanged.
struct ChannelTables {
    uint8_t red[256];
    uint8_t green[256];
    uint8_t blue[256];
};

void setIdentity(uint8_t (&table)[256]);

} // namespace pict
