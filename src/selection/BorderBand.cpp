#include "selection/BorderBand.h"

#include "selection/MaskRegions.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <new>

namespace pict {

bool edgeMap(const Surface8& source, Surface8& target) {
    if (!source.isValid())
        return false;
    const int32_t width = source.width();
    const int32_t height = source.height();
    Surface8 edges;
    if (!createMask(edges, source.size()))
        return false;
    try {
        // Rows of "inside" flags with a border of outside on every side.
        const size_t padded = size_t(width) + 2;
        std::vector<uint8_t> inside(padded * (size_t(height) + 2), 0);
        for (int32_t y = 0; y < height; ++y) {
            const uint8_t* row = source.row(y);
            uint8_t* flags = inside.data() + (size_t(y) + 1) * padded + 1;
            for (int32_t x = 0; x < width; ++x)
                flags[x] = row[x] >= 128 ? 1 : 0;
        }
        for (int32_t y = 0; y < height; ++y) {
            const uint8_t* above = inside.data() + size_t(y) * padded + 1;
            const uint8_t* here = above + padded;
            const uint8_t* below = here + padded;
            uint8_t* out = edges.row(y);
            for (int32_t x = 0; x < width; ++x) {
                const int neighbours = above[x - 1] + above[x] + above[x + 1] + here[x - 1] + here[x + 1] +
                                       below[x - 1] + below[x] + below[x + 1];
                out[x] = (here[x] && neighbours < 8) ? 255 : 0;
            }
        }
    } catch (const std::bad_alloc&) {
        return false;
    }
    target = std::move(edges);
    return true;
}

std::vector<uint8_t> borderKernel(int32_t n) {
    const size_t span = size_t(2 * n + 1);
    std::vector<uint8_t> kernel(span * size_t(n + 1), 0);
    const double nn = double(n) * n;
    for (int32_t j = 0; j <= n; ++j) {
        const double o = j == 0 ? 0.0 : j - 0.5;
        for (int32_t i = -n; i <= n; ++i) {
            const double m = i == 0 ? 0.0 : std::abs(i) - 0.5;
            const double t = m * m / nn + o * o / nn;
            if (t >= 1.0)
                continue;
            const double k = std::trunc((1.0 - std::sqrt(t)) * 255.0);
            kernel[size_t(j) * span + size_t(i + n)] = static_cast<uint8_t>(std::clamp(k, 0.0, 255.0));
        }
    }
    return kernel;
}

// The kernel falls with |j|, so in each column only the nearest edge pixel within n rows
// matters. Those distances are found with one pass down and one pass up; each column with
// an edge in reach then lays its kernel row over the output row.
bool spreadEdges(const Surface8& edges, Surface8& target, int32_t n) {
    if (!edges.isValid() || n < 1)
        return false;
    const int32_t width = edges.width();
    const int32_t height = edges.height();
    Surface8 result;
    if (!createMask(result, edges.size()))
        return false;
    try {
        const std::vector<uint8_t> kernel = borderKernel(n);
        const size_t span = size_t(2 * n + 1);
        const uint8_t far = static_cast<uint8_t>(std::min(n + 1, 255));

        // nearest[y][x]: vertical distance to the closest edge pixel in column x, or `far`.
        std::vector<uint8_t> nearest(size_t(width) * size_t(height));
        std::vector<uint8_t> run(size_t(width), far);
        for (int32_t y = 0; y < height; ++y) {
            const uint8_t* e = edges.row(y);
            uint8_t* d = nearest.data() + size_t(y) * size_t(width);
            for (int32_t x = 0; x < width; ++x) {
                run[size_t(x)] = e[x] ? 0 : static_cast<uint8_t>(std::min<int>(run[size_t(x)] + 1, far));
                d[x] = run[size_t(x)];
            }
        }
        std::fill(run.begin(), run.end(), far);
        for (int32_t y = height - 1; y >= 0; --y) {
            const uint8_t* e = edges.row(y);
            uint8_t* d = nearest.data() + size_t(y) * size_t(width);
            for (int32_t x = 0; x < width; ++x) {
                run[size_t(x)] = e[x] ? 0 : static_cast<uint8_t>(std::min<int>(run[size_t(x)] + 1, far));
                d[x] = std::min(d[x], run[size_t(x)]);
            }
        }

        std::vector<uint8_t> band(size_t(width) + 2 * size_t(n), 0);
        for (int32_t y = 0; y < height; ++y) {
            const uint8_t* d = nearest.data() + size_t(y) * size_t(width);
            bool any = false;
            for (int32_t x = 0; x < width; ++x) {
                if (d[x] > n)
                    continue;
                any = true;
                const uint8_t* k = kernel.data() + size_t(d[x]) * span;
                uint8_t* out = band.data() + size_t(x); // band[x + n] is output column x
                for (size_t i = 0; i < span; ++i)
                    out[i] = std::max(out[i], k[i]);
            }
            if (!any)
                continue;
            std::memcpy(result.row(y), band.data() + n, size_t(width));
            std::fill(band.begin(), band.end(), uint8_t(0));
        }
    } catch (const std::bad_alloc&) {
        return false;
    }
    target = std::move(result);
    return true;
}

} // namespace pict
