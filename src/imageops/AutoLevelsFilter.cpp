#include "imageops/AutoLevelsFilter.h"

#include "imageops/FilterParams.h"

#include <cstring>

namespace pict {

void buildStretchTable(uint8_t (&table)[256], int32_t lo, int32_t hi) {
    if (hi - lo <= 0) {
        setIdentity(table);
        return;
    }
    const double factor = 1.0 / double(hi - lo);
    for (int i = 0; i < 256; ++i)
        table[i] = truncToByte(double(i - lo) * factor * 255.0 + 0.5);
}

AutoLevelsFilter::AutoLevelsFilter(const Histogram& h) : TablePointFilter(GrayTable::Red) {
    buildStretchTable(tables_.red, h.lowestClipped(0), h.highestClipped(0));
    buildStretchTable(tables_.green, h.lowestClipped(1), h.highestClipped(1));
    buildStretchTable(tables_.blue, h.lowestClipped(2), h.highestClipped(2));
}

AutoContrastFilter::AutoContrastFilter(const Histogram& h) : TablePointFilter(GrayTable::Red) {
    buildStretchTable(tables_.red, h.lowestClipped(Histogram::kAllChannels), h.highestClipped(Histogram::kAllChannels));
    std::memcpy(tables_.green, tables_.red, 256);
    std::memcpy(tables_.blue, tables_.red, 256);
}

} // namespace pict
