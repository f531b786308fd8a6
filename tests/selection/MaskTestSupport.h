#pragma once
// Small builders and readers for selection tests.

#include "selection/SelectionMask.h"

#include <cstdint>
#include <functional>
#include <random>

namespace pict::test {

// A mask surface whose every value comes from f(x, y).
inline Surface8 makeMask(int32_t width, int32_t height, const std::function<uint8_t(int32_t, int32_t)>& f) {
    Surface8 s;
    s.create(width, height, 8);
    for (int32_t y = 0; y < height; ++y)
        for (int32_t x = 0; x < width; ++x)
            s.setValueAt(x, y, f(x, y));
    return s;
}

// Random blobs of 0 and 255 with some partial values, for comparisons with references.
inline Surface8 randomMask(int32_t width, int32_t height, uint32_t seed, int partialPercent = 10) {
    std::mt19937 rng(seed);
    return makeMask(width, height, [&](int32_t, int32_t) -> uint8_t {
        const int roll = int(rng() % 100);
        if (roll < partialPercent)
            return uint8_t(rng() % 256);
        return roll < 55 ? 0 : 255;
    });
}

inline int64_t countAtLeast(const SelectionMask& m, uint8_t level) {
    int64_t n = 0;
    for (int32_t y = 0; y < m.canvasHeight(); ++y)
        for (int32_t x = 0; x < m.canvasWidth(); ++x)
            n += m.coverageAt(x, y) >= level ? 1 : 0;
    return n;
}

// The selection's bounds are exactly the box of its non-zero coverage.
inline bool isTight(const SelectionMask& m) {
    if (m.isEmpty())
        return m.coverage() == nullptr;
    const Rect b = m.bounds();
    if (m.coverage()->size() != b.size())
        return false;
    bool top = false, bottom = false, left = false, right = false;
    for (int32_t x = b.left; x < b.right; ++x) {
        top |= m.coverageAt(x, b.top) != 0;
        bottom |= m.coverageAt(x, b.bottom - 1) != 0;
    }
    for (int32_t y = b.top; y < b.bottom; ++y) {
        left |= m.coverageAt(b.left, y) != 0;
        right |= m.coverageAt(b.right - 1, y) != 0;
    }
    return top && bottom && left && right;
}

} // namespace pict::test
