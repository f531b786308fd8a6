#pragma once
// The Canvas Size dialog without its widgets: the width and height entries in their units,
// "Relative", the anchor, the extension color choice with what the dialog remembers until
// the program exits, and the record OK confirms.

#include "app/dialogs/CanvasSizeSettings.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace pict {

struct CanvasSizeDialogMemory {
    FillContents colorChoice = FillContents::Background;
    Color customColor = kWhite;
};

enum class CanvasAxis : int32_t { Width = 0, Height = 1 };

class CanvasSizeDialogModel {
public:
    CanvasSizeDialogModel(int32_t width, int32_t height, float resolution, ResolutionUnit resolutionUnit,
                          const CanvasSizeDialogMemory& memory);

    void edit(CanvasAxis axis, std::string_view text);
    void setUnit(CanvasAxis axis, CanvasLengthUnit unit);
    void setRelative(bool on);
    void setAnchor(int32_t anchor);
    void setColorChoice(FillContents choice) { colorChoice_ = choice; }
    // A color picked in the swatch becomes the custom color and selects "Custom".
    void pickCustomColor(Color color);

    const std::string& text(CanvasAxis axis) const { return texts_[index(axis)]; }
    CanvasLengthUnit unit(CanvasAxis axis) const { return units_[index(axis)]; }
    bool relative() const { return relative_; }
    int32_t anchor() const { return anchor_; }
    FillContents colorChoice() const { return colorChoice_; }
    Color customColor() const { return customColor_; }
    Color extensionColor(Color foreground, Color background) const;

    // "Current Size:" and "New Size:" memory texts and the current sides in " pixels".
    std::string currentSizeText() const;
    std::string newSizeText() const;
    std::string currentSideText(CanvasAxis axis) const;

    // OK: both entries read as numbers that give 1..30000 pixels.
    bool acceptable() const;
    // OK pressed: the memory takes the color choice and the custom color.
    CanvasSizeSettings confirm(CanvasSizeDialogMemory& memory, Color foreground, Color background) const;

private:
    static size_t index(CanvasAxis axis) { return static_cast<size_t>(axis); }
    int32_t current(CanvasAxis axis) const { return axis == CanvasAxis::Width ? width_ : height_; }
    void show(CanvasAxis axis);

    int32_t width_;
    int32_t height_;
    float resolution_;
    ResolutionUnit resolutionUnit_;
    std::array<int64_t, 2> pixels_;
    std::array<CanvasLengthUnit, 2> units_{CanvasLengthUnit::Pixels, CanvasLengthUnit::Pixels};
    std::array<std::string, 2> texts_;
    std::array<bool, 2> readable_{true, true};
    bool relative_ = false;
    int32_t anchor_ = kCenterAnchor;
    FillContents colorChoice_;
    Color customColor_;
};

} // namespace pict
