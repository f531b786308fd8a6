#pragma once
// Where document windows go inside the workspace: the zoom and drawing-area size a newly
// opened image starts with, and the row of minimized windows that Arrange Icons lines up.

#include "common/Geometry.h"

#include <cstdint>
#include <vector>

namespace pict {

// A window never starts smaller than this (when the workspace has room): a tiny image sits
// centred in it rather than under a title bar too narrow to read.
inline constexpr Size kMinimumDocumentClient{240, 160};

struct InitialViewLayout {
    float zoom = 1.0f;
    Size client; // the drawing area the window should get
};

// 100 % when the image fits the available drawing area; otherwise the largest zoom step at
// which it does (never below the image's minimum zoom), so that the first view is a step of
// Zoom In / Zoom Out.
InitialViewLayout initialViewLayout(Size image, Size available);

// Top-left corners for `count` minimized windows of iconSize, left to right along the bottom
// of the workspace and upwards in further rows when one row is full.
std::vector<Point> arrangeIconPositions(int32_t count, Size iconSize, Size workspace);

} // namespace pict
