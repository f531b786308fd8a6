#include "imageops/Histogram.h"

#include "document/Layer.h"

namespace pict {

void Histogram::clear() {
    red_.fill(0);
    green_.fill(0);
    blue_.fill(0);
}

bool Histogram::count(const Surface24& color, const Surface8* alpha, const Rect& region, const Surface8* selection,
                      Point selectionOrigin) {
    clear();
    if (!color.isValid())
        return false;
    if (alpha && (!alpha->isValid() || alpha->size() != color.size()))
        alpha = nullptr;
    Rect area = region.intersected(color.bounds());
    if (selection && selection->isValid())
        area = area.intersected(Rect::fromPointSize(selectionOrigin, selection->size()));
    else
        selection = nullptr;
    if (area.isEmpty())
        return false;

    for (int32_t y = area.top; y < area.bottom; ++y) {
        const uint8_t* px = color.row(y) + int64_t(area.left) * 3;
        const uint8_t* a = alpha ? alpha->row(y) + area.left : nullptr;
        const uint8_t* s = selection ? selection->row(y - selectionOrigin.y) + (area.left - selectionOrigin.x) : nullptr;
        for (int32_t i = 0; i < area.width(); ++i, px += 3) {
            if ((a && a[i] == 0) || (s && s[i] == 0))
                continue;
            add(px[2], px[1], px[0]);
        }
    }
    return true;
}

bool Histogram::countLayer(const RasterLayer& layer, const SelectionArea& selection) {
    if (selection.isEmpty())
        return count(layer.color(), layer.transparencyMask(), layer.localBounds());
    const Point origin{selection.bounds.left - layer.x(), selection.bounds.top - layer.y()};
    return count(layer.color(), layer.transparencyMask(), layer.localBounds(), selection.coverage, origin);
}

uint32_t Histogram::levelCount(int32_t channel, int32_t level) const {
    if (level < 0 || level > 255)
        return 0;
    switch (channel) {
    case 0: return red_[level];
    case 1: return green_[level];
    case 2: return blue_[level];
    case kAllChannels: return red_[level] + green_[level] + blue_[level];
    default: return 0;
    }
}

uint64_t Histogram::total() const {
    uint64_t sum = 0;
    for (uint32_t c : red_)
        sum += c;
    return sum;
}

int32_t Histogram::levelReaching(int32_t channel, double percent, int32_t from, int32_t step) const {
    const double n = double(total()) * (channel == kAllChannels ? 3.0 : 1.0);
    uint64_t sum = 0;
    int32_t lastSeen = -1;
    for (int32_t level = from; level >= 0 && level <= 255; level += step) {
        const uint32_t c = levelCount(channel, level);
        if (c == 0)
            continue;
        sum += c;
        lastSeen = level;
        if (percent <= double(sum) * 100.0 / n)
            return level;
    }
    return lastSeen >= 0 ? lastSeen : 255 - from;
}

} // namespace pict
