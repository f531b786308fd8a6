#include "app/dialogs/CanvasSizeDialogModel.h"

#include "app/dialogs/DialogNumbers.h"

#include <algorithm>
#include <limits>
#include <optional>

namespace pict {

namespace {

constexpr double kAnyNumber = std::numeric_limits<double>::max();

int decimalsOf(CanvasLengthUnit unit) {
    switch (unit) {
    case CanvasLengthUnit::Pixels: return 0;
    case CanvasLengthUnit::Percent:
    case CanvasLengthUnit::Millimeters: return 2;
    case CanvasLengthUnit::Inches:
    case CanvasLengthUnit::Centimeters: return 3;
    }
    return 3;
}

} // namespace

CanvasSizeDialogModel::CanvasSizeDialogModel(int32_t width, int32_t height, float resolution,
                                             ResolutionUnit resolutionUnit,
                                             const CanvasSizeDialogMemory& memory)
    : width_(width), height_(height), resolution_(resolution),
      resolutionUnit_(resolutionUnit), pixels_{width, height}, colorChoice_(memory.colorChoice),
      customColor_(memory.customColor) {
    show(CanvasAxis::Width);
    show(CanvasAxis::Height);
}

void CanvasSizeDialogModel::edit(CanvasAxis axis, std::string_view text) {
    const size_t i = index(axis);
    texts_[i] = std::string(text);
    const std::optional<double> value = parseDecimalNumber(text, -kAnyNumber, kAnyNumber);
    readable_[i] = value.has_value();
    if (value)
        pixels_[i] = canvasPixelsFromEntry(*value, units_[i], relative_, current(axis), resolution_, resolutionUnit_);
}

void CanvasSizeDialogModel::show(CanvasAxis axis) {
    const size_t i = index(axis);
    // An entry that reads as nothing, or names no valid size, is left as typed.
    if (!readable_[i] || !isValidCanvasSide(pixels_[i]))
        return;
    texts_[i] = formatDecimal(canvasEntryFromPixels(int32_t(pixels_[i]), units_[i], relative_, current(axis),
                                                    resolution_, resolutionUnit_),
                              decimalsOf(units_[i]));
}

void CanvasSizeDialogModel::setUnit(CanvasAxis axis, CanvasLengthUnit unit) {
    units_[index(axis)] = unit;
    show(axis);
}

void CanvasSizeDialogModel::setRelative(bool on) {
    relative_ = on;
    show(CanvasAxis::Width);
    show(CanvasAxis::Height);
}

void CanvasSizeDialogModel::setAnchor(int32_t anchor) {
    if (anchor >= 0 && anchor < kAnchorCount)
        anchor_ = anchor;
}

void CanvasSizeDialogModel::pickCustomColor(Color color) {
    customColor_ = color;
    colorChoice_ = FillContents::Custom;
}

Color CanvasSizeDialogModel::extensionColor(Color foreground, Color background) const {
    return fillContentsColor(colorChoice_, foreground, background, customColor_);
}

std::string CanvasSizeDialogModel::currentSizeText() const {
    return canvasMemoryText(width_, height_);
}

std::string CanvasSizeDialogModel::newSizeText() const {
    return acceptable() ? canvasMemoryText(int32_t(pixels_[0]), int32_t(pixels_[1])) : "--";
}

std::string CanvasSizeDialogModel::currentSideText(CanvasAxis axis) const {
    return pixelCountText(current(axis));
}

bool CanvasSizeDialogModel::acceptable() const {
    return readable_[0] && readable_[1] && isValidCanvasSide(pixels_[0]) && isValidCanvasSide(pixels_[1]);
}

CanvasSizeSettings CanvasSizeDialogModel::confirm(CanvasSizeDialogMemory& memory, Color foreground,
                                                  Color background) const {
    memory.colorChoice = colorChoice_;
    memory.customColor = customColor_;
    CanvasSizeSettings s;
    s.width = int32_t(std::clamp<int64_t>(pixels_[0], 0, kMaxCanvasSide + 1));
    s.height = int32_t(std::clamp<int64_t>(pixels_[1], 0, kMaxCanvasSide + 1));
    s.resolution = resolution_;
    s.resolutionUnit = resolutionUnit_;
    s.oldWidth = width_;
    s.oldHeight = height_;
    s.anchorOffset = anchorOffset({width_, height_}, {s.width, s.height}, anchor_);
    s.extensionColor = extensionColor(foreground, background);
    return s;
}

} // namespace pict
