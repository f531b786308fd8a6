#pragma once
// The aliased ellipse of the elliptical marquee: the pixels a one-pixel outline plus solid
// interior of the ellipse inscribed in a rectangle would cover. The outline passes through
// the centres of the rectangle's outermost pixels, so the shape touches all four sides,
// and every row and column of the outline is connected to the next.

#include "common/Geometry.h"

namespace pict {

// The covered columns [left, right) of one row of the ellipse inscribed in shape (a
// normalised rectangle); empty (left == right) for rows outside it.
struct RowSpan {
    int32_t left = 0;
    int32_t right = 0;
    bool isEmpty() const { return right <= left; }
};

RowSpan ellipseRowSpan(const Rect& shape, int32_t y);

} // namespace pict
