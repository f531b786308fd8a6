#pragma once
// Integer canvas geometry shared by every subsystem. Right and bottom are exclusive.

#include <algorithm>
#include <cstdint>

namespace pict {

struct Point {
    int32_t x = 0;
    int32_t y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

struct Size {
    int32_t width = 0;
    int32_t height = 0;
    bool isEmpty() const { return width <= 0 || height <= 0; }
    friend bool operator==(const Size&, const Size&) = default;
};

struct Rect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;

    static constexpr Rect fromSize(int32_t width, int32_t height) { return {0, 0, width, height}; }
    static constexpr Rect fromSize(Size s) { return {0, 0, s.width, s.height}; }
    static constexpr Rect fromPointSize(Point p, Size s) { return {p.x, p.y, p.x + s.width, p.y + s.height}; }

    constexpr int32_t width() const { return right - left; }
    constexpr int32_t height() const { return bottom - top; }
    constexpr Size size() const { return {width(), height()}; }
    constexpr Point topLeft() const { return {left, top}; }
    constexpr bool isEmpty() const { return right <= left || bottom <= top; }

    constexpr bool contains(int32_t x, int32_t y) const { return x >= left && x < right && y >= top && y < bottom; }
    constexpr bool contains(const Rect& r) const {
        return r.left >= left && r.right <= right && r.top >= top && r.bottom <= bottom;
    }

    // Swaps the edges so that left <= right and top <= bottom.
    constexpr Rect normalized() const {
        return {std::min(left, right), std::min(top, bottom), std::max(left, right), std::max(top, bottom)};
    }

    // An empty intersection is returned as the all-zero rectangle.
    constexpr Rect intersected(const Rect& r) const {
        Rect out{std::max(left, r.left), std::max(top, r.top), std::min(right, r.right), std::min(bottom, r.bottom)};
        return out.isEmpty() ? Rect{} : out;
    }
    constexpr bool intersects(const Rect& r) const { return !intersected(r).isEmpty(); }

    // The union ignores empty operands.
    constexpr Rect united(const Rect& r) const {
        if (isEmpty())
            return r.isEmpty() ? Rect{} : r;
        if (r.isEmpty())
            return *this;
        return {std::min(left, r.left), std::min(top, r.top), std::max(right, r.right), std::max(bottom, r.bottom)};
    }

    constexpr Rect translated(int32_t dx, int32_t dy) const { return {left + dx, top + dy, right + dx, bottom + dy}; }

    friend bool operator==(const Rect&, const Rect&) = default;
};

} // namespace pict
