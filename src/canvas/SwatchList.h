#pragma once
// The Swatches panel's colors: an ordered, growable list. It starts with the built-in palette
// and is not kept between runs.

#include "common/Color.h"

#include <cstdint>
#include <cstddef>
#include <optional>
#include <span>
#include <vector>

namespace pict {

class SwatchList {
public:
    // The built-in palette, in panel order.
    static std::span<const Color> defaults();

    SwatchList();

    size_t count() const { return colors_.size(); }
    bool isEmpty() const { return colors_.empty(); }
    // None for an index outside the list.
    std::optional<Color> at(size_t index) const;
    const std::vector<Color>& colors() const { return colors_; }

    void append(Color color) { colors_.push_back(color); }
    // Removes the last swatch; false (and nothing changes) when the list is empty.
    bool removeLast();
    void resetToDefaults();

private:
    std::vector<Color> colors_;
};

} // namespace pict
