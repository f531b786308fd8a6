#pragma once
// The Info panel's fields: the color and image position under the pointer over a document,
// and the size of the rectangle the marquee drags. Each field is a number or blank; the panel
// widget shows the labels and texts and refreshes when told that something changed.

#include "canvas/CanvasPointerListener.h"
#include "canvas/MarqueeTool.h"
#include "common/Color.h"

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace pict {

enum class InfoField { Red, Green, Blue, X, Y, Width, Height };
inline constexpr int32_t kInfoFieldCount = 7;

class InfoPanelModel : public CanvasPointerListener, public MarqueeListener {
public:
    // "R :", "G :", ... in panel order.
    static const char* label(InfoField field);

    std::optional<int32_t> value(InfoField field) const { return values_[static_cast<size_t>(field)]; }
    // The decimal number, or the empty text for a blank field.
    std::string text(InfoField field) const;

    // ---- callers to panel ----
    void showColor(std::optional<Color> color);
    void showPosition(std::optional<Point> imagePoint);
    // Image pixels; blank unless both are positive.
    void showSize(int32_t width, int32_t height);
    // The marquee's rectangle while it drags (and the last one after it ends).
    void setSelectionSize(int32_t width, int32_t height) { showSize(width, height); }
    void clearSize() { showSize(0, 0); }

    // Over the image's window rectangle: the pixel as drawn (zoomed, over the checkerboard)
    // and the image pixel it shows, rounded down; anywhere else both are blank.
    void pointerMoved(const CanvasView& view, const ViewBuffer& shown, Point window) override;
    // The last size stays up after the drag ends, so the user can read what was selected.
    void marqueeSizeChanged(Size imagePixels) override { showSize(imagePixels.width, imagePixels.height); }

    // Called after a change of any field, not for calls that leave every field as it was.
    void setChangeListener(std::function<void()> listener) { changed_ = std::move(listener); }

private:
    void set(InfoField field, std::optional<int32_t> value);
    void notify();

    std::array<std::optional<int32_t>, kInfoFieldCount> values_{};
    bool dirty_ = false;
    std::function<void()> changed_;
};

} // namespace pict
