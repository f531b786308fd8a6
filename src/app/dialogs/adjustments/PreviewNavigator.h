#pragma once
// The navigator box of the Gaussian Blur dialog's preview pane: a 120 × 120 square at the
// pane's top-right corner with a thumbnail of the document and a frame around the part the
// pane shows; pressing or dragging in the thumbnail scrolls the pane.

#include "common/Geometry.h"

namespace pict {

struct PreviewNavigator {
    static constexpr int32_t kBoxSide = 120;
    static constexpr int32_t kInset = 10; // the thumbnail's room: the box less 10 on every side

    // The box for a pane of this width.
    static Rect box(int32_t paneWidth) { return {paneWidth - kBoxSide, 0, paneWidth, kBoxSide}; }
    // The thumbnail within the box's inner square, keeping the document's proportions and
    // centred (the outline is drawn on it; the picture fills it less one pixel all round).
    static Rect thumbnail(const Rect& box, Size document);
    static Rect picture(const Rect& thumbnail) { return {thumbnail.left + 1, thumbnail.top + 1, thumbnail.right - 1, thumbnail.bottom - 1}; }

    // The part shown, framed within the picture: the content rectangle `shown` of a
    // content of `content` size mapped linearly; the whole picture when all is shown.
    static Rect shownPart(const Rect& picture, Size content, const Rect& shown);
    // The content point under a point of the picture (rounded).
    static Point contentAt(const Rect& picture, Size content, Point at);
};

} // namespace pict
