#include "canvas/CanvasView.h"

#include "canvas/ZoomSteps.h"

#include <algorithm>
#include <cmath>

namespace pict {
namespace {

// floor(a / b) for b > 0.
int64_t floorDiv(int64_t a, int64_t b) {
    int64_t q = a / b;
    return (a % b != 0 && a < 0) ? q - 1 : q;
}

int64_t ceilDiv(int64_t a, int64_t b) { return -floorDiv(-a, b); }

int32_t toInt32(int64_t v) {
    return static_cast<int32_t>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX));
}

// Content sides are trunc(side × zoom), but never 0: a one-pixel sliver stays visible at the
// minimum zoom, where 1/side × side can come out just below 1 in floating point.
int32_t zoomedSide(int32_t side, float zoom) {
    return std::max<int32_t>(1, static_cast<int32_t>(static_cast<double>(side) * zoom));
}

} // namespace

CanvasView::CanvasView(Size imageSize, Size clientSize) {
    client_ = {std::max(0, clientSize.width), std::max(0, clientSize.height)};
    setImageSize(imageSize);
}

void CanvasView::updateMinimumZoom() {
    int32_t smaller = std::min(image_.width, image_.height);
    minZoom_ = smaller < 2 ? 1.0f : std::max(kMinZoomStep, 1.0f / static_cast<float>(smaller));
}

void CanvasView::setImageSize(Size imageSize) {
    image_ = {std::max(1, imageSize.width), std::max(1, imageSize.height)};
    updateMinimumZoom();
    const float z = std::clamp(zoom_, minZoom_, maximumZoom());
    zoom_ = z;
    setContentSize({zoomedSide(image_.width, z), zoomedSide(image_.height, z)});
    notifyZoom();
}

void CanvasView::setClientSize(Size clientSize) {
    Point before = scroll_;
    client_ = {std::max(0, clientSize.width), std::max(0, clientSize.height)};
    scroll_ = clampScroll(scroll_);
    notifyScroll(before);
}

void CanvasView::setContentSize(Size content) {
    content_ = content;
    scroll_ = clampScroll(scroll_);
}

int32_t CanvasView::maxScrollX() const { return std::max(content_.width - client_.width, 0); }
int32_t CanvasView::maxScrollY() const { return std::max(content_.height - client_.height, 0); }

Point CanvasView::clampScroll(Point p) const {
    return {std::clamp(p.x, 0, maxScrollX()), std::clamp(p.y, 0, maxScrollY())};
}

// ---- mapping ----

Point CanvasView::contentOrigin() const {
    int32_t ox = content_.width < client_.width ? (client_.width - content_.width) / 2 : -scroll_.x;
    int32_t oy = content_.height < client_.height ? (client_.height - content_.height) / 2 : -scroll_.y;
    return {ox, oy};
}

int32_t CanvasView::contentX(int32_t imageX) const {
    return toInt32(static_cast<int64_t>(
        std::floor(static_cast<double>(imageX) * content_.width / image_.width + 0.5)));
}

int32_t CanvasView::contentY(int32_t imageY) const {
    return toInt32(static_cast<int64_t>(
        std::floor(static_cast<double>(imageY) * content_.height / image_.height + 0.5)));
}

Point CanvasView::imageToWindow(Point image) const {
    Point o = contentOrigin();
    return {toInt32(int64_t(o.x) + contentX(image.x)), toInt32(int64_t(o.y) + contentY(image.y))};
}

Point CanvasView::windowToImage(Point window) const {
    Point o = contentOrigin();
    int64_t cx = int64_t(window.x) - o.x;
    int64_t cy = int64_t(window.y) - o.y;
    return {toInt32(floorDiv(cx * image_.width, content_.width)), toInt32(floorDiv(cy * image_.height, content_.height))};
}

Rect CanvasView::imageRectToWindow(const Rect& image) const {
    Point o = contentOrigin();
    Point topLeft = imageToWindow(image.topLeft());
    int64_t right = o.x + ceilDiv(int64_t(image.right) * content_.width, image_.width);
    int64_t bottom = o.y + ceilDiv(int64_t(image.bottom) * content_.height, image_.height);
    return {topLeft.x, topLeft.y, toInt32(right), toInt32(bottom)};
}

Rect CanvasView::windowRectToImage(const Rect& window) const {
    const Point o = contentOrigin();
    const Point topLeft = windowToImage(window.topLeft());
    const int64_t right = ceilDiv((int64_t(window.right) - o.x) * image_.width, content_.width);
    const int64_t bottom = ceilDiv((int64_t(window.bottom) - o.y) * image_.height, content_.height);
    return {topLeft.x, topLeft.y, toInt32(right), toInt32(bottom)};
}

Rect CanvasView::visibleImageRect() const {
    Point a = windowToImage({0, 0});
    Point b = windowToImage({client_.width - 1, client_.height - 1});
    return Rect{a.x, a.y, b.x + 1, b.y + 1}.intersected(Rect::fromSize(image_));
}

// ---- zoom ----

Point CanvasView::windowCentre() const {
    return {static_cast<int32_t>(std::lround(client_.width / 2.0)), static_cast<int32_t>(std::lround(client_.height / 2.0))};
}

CanvasView::ImagePosition CanvasView::imagePositionAt(Point window) const {
    const Point o = contentOrigin();
    return {(static_cast<double>(window.x) - o.x) * image_.width / content_.width,
            (static_cast<double>(window.y) - o.y) * image_.height / content_.height};
}

Point CanvasView::scrollPlacing(ImagePosition image, Point window) const {
    const auto scroll = [](double imageCoordinate, int32_t content, int32_t imageSide, int32_t at) {
        return toInt32(std::llround(imageCoordinate * content / imageSide) - at);
    };
    return clampScroll({scroll(image.x, content_.width, image_.width, window.x),
                        scroll(image.y, content_.height, image_.height, window.y)});
}

void CanvasView::setZoom(float zoom, bool keepCentre) {
    if (!(zoom == zoom)) // NaN
        return;
    const float z = std::clamp(zoom, minZoom_, maximumZoom());
    const Point centre = windowCentre();
    const ImagePosition anchor = imagePositionAt(centre);
    setContentSize({zoomedSide(image_.width, z), zoomedSide(image_.height, z)});
    zoom_ = z;
    if (keepCentre)
        scroll_ = scrollPlacing(anchor, centre);
    notifyZoom();
}

void CanvasView::zoomAt(Point window, float zoom, bool keepUnderCursor) {
    const Rect area = imageWindowRect();
    const Point p{std::clamp(window.x, area.left, area.right - 1), std::clamp(window.y, area.top, area.bottom - 1)};
    const ImagePosition q = imagePositionAt(p);
    CanvasViewListener* listener = listener_;
    listener_ = nullptr; // one notification for the whole change
    setZoom(zoom, false);
    listener_ = listener;
    scroll_ = scrollPlacing(q, keepUnderCursor ? p : Point{client_.width / 2, client_.height / 2});
    notifyZoom();
}

void CanvasView::zoomToWindowRect(const Rect& window) {
    const Rect r = window.normalized();
    const Point centre{static_cast<int32_t>((int64_t(r.left) + r.right) / 2),
                       static_cast<int32_t>((int64_t(r.top) + r.bottom) / 2)};
    if (r.width() > 2 || r.height() > 2) {
        const float fx = static_cast<float>(client_.width + 1) / static_cast<float>(std::max(r.width(), 1));
        const float fy = static_cast<float>(client_.height + 1) / static_cast<float>(std::max(r.height(), 1));
        zoomAt(centre, std::min(fx, fy) * zoom_, false);
    } else {
        zoomAt(centre, nextZoomStepUp(zoom_), false);
    }
}

void CanvasView::zoomIn() { setZoom(nextZoomStepUp(zoom_), true); }

void CanvasView::zoomOut() { setZoom(std::max(nextZoomStepDown(zoom_), minZoom_), true); }

void CanvasView::fitInWindow() {
    if (client_.width <= 0 || client_.height <= 0)
        return;
    const float fx = static_cast<float>(client_.width) / static_cast<float>(image_.width);
    const float fy = static_cast<float>(client_.height) / static_cast<float>(image_.height);
    const float f = std::min(std::min(fx, fy), maximumZoom());
    if (f < minZoom_)
        return;
    Size content;
    if (f >= maximumZoom()) {
        content = {zoomedSide(image_.width, f), zoomedSide(image_.height, f)};
    } else if (fx < fy) {
        content = {client_.width, std::min(static_cast<int32_t>(std::lround(image_.height * double(f))), client_.height)};
    } else if (fx > fy) {
        content = {std::min(static_cast<int32_t>(std::lround(image_.width * double(f))), client_.width), client_.height};
    } else {
        content = client_;
    }
    content = {std::max(content.width, 1), std::max(content.height, 1)};
    setContentSize(content);
    zoom_ = f;
    notifyZoom();
}

std::optional<Size> CanvasView::fitOnScreenClientSize(Size available) const {
    if (available.width <= 0 || available.height <= 0)
        return std::nullopt;
    float f = std::min(static_cast<float>(available.width) / static_cast<float>(image_.width),
                       static_cast<float>(available.height) / static_cast<float>(image_.height));
    if (f < minZoom_)
        return std::nullopt;
    f = std::min(f, maximumZoom());
    return Size{static_cast<int32_t>(std::lround(image_.width * double(f))),
                static_cast<int32_t>(std::lround(image_.height * double(f)))};
}

void CanvasView::actualPixels() {
    if (std::fabs(zoom_ - 1.0f) > 0.0001f)
        setZoom(1.0f, true);
}

void CanvasView::printSize(double resolution, ResolutionUnit unit) {
    const double r = pixelsPerInch(resolution, unit);
    if (unit == ResolutionUnit::PixelsPerInch && std::fabs(r - 72.0) < 0.0001) {
        actualPixels();
        return;
    }
    if (!(r > 0.0))
        return;
    setZoom(static_cast<float>(72.0 / r), true);
}

// ---- scrolling ----

ScrollRange CanvasView::horizontalRange() const {
    return {0, content_.width - 1, client_.width, scroll_.x, client_.width < content_.width};
}

ScrollRange CanvasView::verticalRange() const {
    return {0, content_.height - 1, client_.height, scroll_.y, client_.height < content_.height};
}

Point CanvasView::scrollTo(int32_t x, int32_t y) {
    Point before = scroll_;
    scroll_ = clampScroll({x, y});
    notifyScroll(before);
    return {scroll_.x - before.x, scroll_.y - before.y};
}

Point CanvasView::scrollBy(int32_t dx, int32_t dy) {
    return scrollTo(toInt32(int64_t(scroll_.x) + dx), toInt32(int64_t(scroll_.y) + dy));
}

void CanvasView::scrollToCentre(Point window) {
    scrollTo(toInt32(int64_t(scroll_.x) + window.x - client_.width / 2),
             toInt32(int64_t(scroll_.y) + window.y - client_.height / 2));
}

void CanvasView::notifyZoom() {
    if (listener_)
        listener_->canvasZoomChanged();
}

void CanvasView::notifyScroll(Point before) {
    if (listener_ && before != scroll_)
        listener_->canvasScrolled(scroll_.x - before.x, scroll_.y - before.y);
}

} // namespace pict
