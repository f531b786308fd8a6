#pragma once
// A named set of New-image values. Ids 0..7 are the New dialog's built-in entries; the user's
// own presets (kept in the settings file) take ids from 8 up.

#include "document/ResolutionUnit.h"

#include <cstdint>
#include <string>
#include <vector>

namespace pict {

enum class SizeUnit : int32_t { Pixels = 0, Inches = 1, Centimeters = 2, Millimeters = 3 };
enum class NewImageBackground : int32_t { White = 0, BackgroundColor = 1, Transparent = 2 };

constexpr bool isValidSizeUnit(int32_t v) {
    return v >= 0 && v <= 3;
}
constexpr bool isValidBackground(int32_t v) { return v >= 0 && v <= 2; }

inline constexpr int32_t kFirstUserPresetId = 8;

struct ImagePreset {
    std::string name;
    int32_t id = 0;
    float width = 320.0f;
    float height = 240.0f;
    SizeUnit sizeUnit = SizeUnit::Pixels;
    float resolution = 72.0f;
    ResolutionUnit resolutionUnit = ResolutionUnit::PixelsPerInch;
    NewImageBackground background = NewImageBackground::White;

    friend bool operator==(const ImagePreset&, const ImagePreset&) = default;
};

// The user's presets in their stored order; never two with the same name (exact comparison)
// or the same id, and never an id of a built-in entry.
class PresetList {
public:
    // Refused (false, list unchanged) for a duplicate name or id or an id below 8.
    bool add(const ImagePreset& preset);
    bool removeById(int32_t id);
    const ImagePreset* findById(int32_t id) const;
    const ImagePreset* findByName(const std::string& name) const;
    // The smallest id of 8 or more that no preset uses.
    int32_t nextFreeId() const;

    void clear() { presets_.clear(); }
    size_t count() const { return presets_.size(); }
    bool isEmpty() const { return presets_.empty(); }
    const ImagePreset& at(size_t index) const { return presets_[index]; }
    const std::vector<ImagePreset>& all() const { return presets_; }

private:
    std::vector<ImagePreset> presets_;
};

} // namespace pict
