#include "canvas/InfoPanelModel.h"

namespace pict {

const char* InfoPanelModel::label(InfoField field) {
    static constexpr const char* kLabels[kInfoFieldCount] = {"R :", "G :", "B :", "X :", "Y :", "W :", "H :"};
    return kLabels[static_cast<size_t>(field)];
}

std::string InfoPanelModel::text(InfoField field) const {
    const std::optional<int32_t> v = value(field);
    return v ? std::to_string(*v) : std::string();
}

void InfoPanelModel::set(InfoField field, std::optional<int32_t> value) {
    std::optional<int32_t>& slot = values_[static_cast<size_t>(field)];
    if (slot == value)
        return;
    slot = value;
    dirty_ = true;
}

void InfoPanelModel::notify() {
    if (!dirty_)
        return;
    dirty_ = false;
    if (changed_)
        changed_();
}

void InfoPanelModel::showColor(std::optional<Color> color) {
    set(InfoField::Red, color ? std::optional<int32_t>(color->red) : std::nullopt);
    set(InfoField::Green, color ? std::optional<int32_t>(color->green) : std::nullopt);
    set(InfoField::Blue, color ? std::optional<int32_t>(color->blue) : std::nullopt);
    notify();
}

void InfoPanelModel::showPosition(std::optional<Point> imagePoint) {
    set(InfoField::X, imagePoint ? std::optional<int32_t>(imagePoint->x) : std::nullopt);
    set(InfoField::Y, imagePoint ? std::optional<int32_t>(imagePoint->y) : std::nullopt);
    notify();
}

void InfoPanelModel::showSize(int32_t width, int32_t height) {
    const bool shown = width > 0 && height > 0;
    set(InfoField::Width, shown ? std::optional<int32_t>(width) : std::nullopt);
    set(InfoField::Height, shown ? std::optional<int32_t>(height) : std::nullopt);
    notify();
}

void InfoPanelModel::pointerMoved(const CanvasView& view, const ViewBuffer& shown, Point window) {
    // The buffer may lag the view by a resize; a pointer beyond it reads nothing.
    const bool over = view.imageWindowRect().contains(window.x, window.y) &&
                      Rect::fromSize(shown.width, shown.height).contains(window.x, window.y) &&
                      !shown.pixels.empty();
    if (!over) {
        set(InfoField::X, std::nullopt);
        set(InfoField::Y, std::nullopt);
        showColor(std::nullopt);
        return;
    }
    set(InfoField::X, view.windowToImage(window).x);
    set(InfoField::Y, view.windowToImage(window).y);
    showColor(Color::fromPixelWord(shown.at(window.x, window.y)));
}

} // namespace pict
