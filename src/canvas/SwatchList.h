#pragma once
// The Swatches panel's colors: an ordered, growable list of 0x00BBGGRR words (red in the low
// byte). It starts with the built-in palette and is not kept between runs.

#include <cstdint>
#include <cstddef>
#include <optional>
#include <span>
#include <vector>

namespace pict {

class SwatchList {
public:
    // The built-in palette, in panel order.
    static std::span<const uint32_t> defaults();

    SwatchList();

    size_t count() const { return colors_.size(); }
    bool isEmpty() const { return colors_.empty(); }
    // None for an index outside the list.
    std::optional<uint32_t> at(size_t index) const;
    const std::vector<uint32_t>& colors() const { return colors_; }

    void append(uint32_t bgr) { colors_.push_back(bgr & 0xFFFFFF); }
    // Removes the last swatch; false (and nothing changes) when the list is empty.
    bool removeLast();
    void resetToDefaults();

private:
    std::vector<uint32_t> colors_;
};

} // namespace pict
