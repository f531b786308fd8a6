#pragma once
// Level counts of the red, green and blue channels of a layer within the selection, with
// the percentile queries that Auto Levels and Auto Contrast use and Levels displays.

#include "common/Geometry.h"
#include "document/SelectionArea.h"
#include "surface/RasterSurface.h"

#include <array>
#include <cstdint>

namespace pict {

class RasterLayer;

class Histogram {
public:
    // Channel arguments: 0 red, 1 green, 2 blue, or kAllChannels for the three summed.
    static constexpr int32_t kAllChannels = -1;
    static constexpr double kDefaultClipPercent = 0.1;

    void clear();

    // Counts the pixels of region (in the color surface's coordinates, clipped to it) that
    // are not fully transparent in alpha (null: all opaque; else the same size as color)
    // and, when a selection is given, whose selection value is non-zero (the selection's
    // pixel (0, 0) lying at selectionOrigin). Fails, leaving the counts clear, when the
    // clipped region is empty.
    bool count(const Surface24& color, const Surface8* alpha, const Rect& region, const Surface8* selection = nullptr,
               Point selectionOrigin = {});

    // The histogram of a raster layer within the selection (canvas coordinates; empty for
    // none): the layer's pixels that are not fully transparent and, while something is
    // selected, have a non-zero selection value. Fails when the selection misses the layer.
    bool countLayer(const RasterLayer& layer, const SelectionArea& selection);

    void add(uint8_t red, uint8_t green, uint8_t blue) {
        ++red_[red];
        ++green_[green];
        ++blue_[blue];
    }

    uint32_t levelCount(int32_t channel, int32_t level) const;
    // Number of pixels counted.
    uint64_t total() const;

    int32_t highest(int32_t channel) const { return levelReaching(channel, 0.0, 255, -1); }
    int32_t lowest(int32_t channel) const { return levelReaching(channel, 0.0, 0, 1); }
    int32_t highestClipped(int32_t channel) const { return levelReaching(channel, clipPercent_, 255, -1); }
    int32_t lowestClipped(int32_t channel) const { return levelReaching(channel, clipPercent_, 0, 1); }

    double clipPercent() const { return clipPercent_; }
    void setClipPercent(double percent) { clipPercent_ = percent; }

private:
    // Walking the levels from `from` in steps of `step` (1 up, -1 down): the first level at
    // which the counts seen so far reach percent of the whole; with none, the last level
    // that had any count, and the level it walks toward for an empty histogram.
    int32_t levelReaching(int32_t channel, double percent, int32_t from, int32_t step) const;

    std::array<uint32_t, 256> red_{};
    std::array<uint32_t, 256> green_{};
    std::array<uint32_t, 256> blue_{};
    double clipPercent_ = kDefaultClipPercent;
};

} // namespace pict
