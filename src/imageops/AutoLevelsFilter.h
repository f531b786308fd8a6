#pragma once
// Auto Levels stretches each channel on its own between its 0.1 % clipped extremes; Auto
// Contrast stretches all three together between the clipped extremes of their joint counts.

#include "imageops/Histogram.h"
#include "imageops/TablePointFilter.h"

namespace pict {

class AutoLevelsFilter : public TablePointFilter {
public:
    explicit AutoLevelsFilter(const Histogram& histogram);
    FilterKind kind() const override { return FilterKind::AutoLevels; }
};

class AutoContrastFilter : public TablePointFilter {
public:
    explicit AutoContrastFilter(const Histogram& histogram);
    FilterKind kind() const override { return FilterKind::AutoContrast; }
};

// The stretch of lo..hi onto 0..255; the identity when hi - lo is not positive.
void buildStretchTable(uint8_t (&table)[256], int32_t lo, int32_t hi);

} // namespace pict
