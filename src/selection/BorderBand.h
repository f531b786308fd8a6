#pragma once
// The band that Border selects: a hard one-pixel edge of the selection, and for wider
// borders a soft band around that edge peaking at 255 on it.

#include "surface/RasterSurface.h"

#include <cstdint>
#include <vector>

namespace pict {

// 255 where the coverage is at least 128 and one of the eight neighbours is below 128
// (beyond the surface counts as 0); 0 elsewhere. Target gets source's size.
bool edgeMap(const Surface8& source, Surface8& target);

// The soft kernel for width n over offsets |i|, |j| <= n, as rows j = 0..n of 2n + 1 bytes
// (i = -n..n): with m = |i| - 0.5 (0 at i = 0) and o likewise for j, t = m^2/n^2 + o^2/n^2,
// K = trunc((1 - sqrt(t)) * 255) limited to 0..255 where t < 1, 0 elsewhere.
std::vector<uint8_t> borderKernel(int32_t n);

// Every pixel gets the largest K(i, j) over the edge pixels at (x + i, y + j).
bool spreadEdges(const Surface8& edges, Surface8& target, int32_t n);

} // namespace pict
