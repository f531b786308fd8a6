#pragma once
// The magic wand's anti-aliased edge: a region found pixel by pixel has a stair-stepped
// outline; softening it over one pixel makes the selection blend where it is used. Each
// pixel of the region takes the smaller of its own coverage and the mean coverage of its 3 x 3
// neighbourhood, so the edge softens just inside the region and the region never grows.
// Off the canvas a neighbourhood repeats the canvas's edge pixels: a region reaching the
// canvas border keeps a hard edge there.

namespace pict {

class SelectionMask;

// False (the region unchanged) when memory runs out.
bool softenRegionEdge(SelectionMask& region);

} // namespace pict
