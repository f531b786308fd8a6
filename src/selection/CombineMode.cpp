#include "selection/CombineMode.h"

#include "selection/SelectionMask.h"

#include <utility>

namespace pict {

CombineMode combineModeFromInt(int32_t value) {
    switch (value) {
    case 1:
        return CombineMode::Add;
    case 2:
        return CombineMode::Subtract;
    case 3:
        return CombineMode::Intersect;
    default:
        return CombineMode::New;
    }
}

bool invertedCopy(const Surface8& source, Surface8& target) {
    if (!source.isValid())
        return false;
    Surface8 copy = source.clone();
    if (!copy.isValid())
        return false;
    const int32_t width = copy.width();
    for (int32_t y = 0; y < copy.height(); ++y) {
        uint8_t* row = copy.row(y);
        for (int32_t x = 0; x < width; ++x)
            row[x] = static_cast<uint8_t>(255 - row[x]);
    }
    target = std::move(copy);
    return true;
}

bool loadSelectionFromChannel(SelectionMask& selection, const Surface8& channel, CombineMode mode, bool invert) {
    if (!channel.isValid() || channel.width() != selection.canvasWidth() || channel.height() != selection.canvasHeight())
        return false;
    Surface8 inverted;
    if (invert && !invertedCopy(channel, inverted))
        return false;
    const Surface8& source = invert ? inverted : channel;
    if (mode == CombineMode::New)
        return selection.load(source);
    Surface8 merged;
    if (!selection.toCanvasSurface(merged) || !combineMasks(merged, source, mode))
        return false;
    return selection.load(merged);
}

} // namespace pict
