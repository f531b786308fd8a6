#include "app/dialogs/adjustments/PreviewNavigator.h"

#include <algorithm>

namespace pict {

namespace {

int32_t rounded(double value) { return static_cast<int32_t>(value + 0.5); }

} // namespace

Rect PreviewNavigator::thumbnail(const Rect& box, Size document) {
    const Rect inner{box.left + kInset, box.top + kInset, box.right - kInset, box.bottom - kInset};
    const int32_t side = inner.width();
    if (document.width <= 0 || document.height <= 0)
        return inner;
    if (document.width < document.height) {
        const int32_t width = rounded(double(side) * document.width / document.height);
        const int32_t left = inner.left + (side - width) / 2;
        return {left, inner.top, left + width, inner.bottom};
    }
    const int32_t height = rounded(double(side) * document.height / document.width);
    const int32_t top = inner.top + (side - height) / 2;
    return {inner.left, top, inner.right, top + height};
}

Rect PreviewNavigator::shownPart(const Rect& picture, Size content, const Rect& shown) {
    if (content.width <= 0 || content.height <= 0 || shown.contains(Rect::fromSize(content)))
        return picture;
    const double sx = double(picture.width()) / content.width;
    const double sy = double(picture.height()) / content.height;
    return {picture.left + rounded(shown.left * sx), picture.top + rounded(shown.top * sy),
            picture.left + rounded(shown.right * sx), picture.top + rounded(shown.bottom * sy)};
}

Point PreviewNavigator::contentAt(const Rect& picture, Size content, Point at) {
    if (picture.isEmpty())
        return {};
    const int32_t x = std::clamp(at.x, picture.left, picture.right) - picture.left;
    const int32_t y = std::clamp(at.y, picture.top, picture.bottom) - picture.top;
    return {rounded(double(x) * content.width / picture.width()), rounded(double(y) * content.height / picture.height())};
}

} // namespace pict
