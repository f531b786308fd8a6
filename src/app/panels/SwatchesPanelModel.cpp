#include "app/panels/SwatchesPanelModel.h"

#include "app/commands/CommandIds.h"

#include <algorithm>

namespace pict {
SwatchesPanelModel::SwatchesPanelModel(ApplicationContext& app, InfoPanelModel* info) : app_(app), info_(info) {}

void SwatchesPanelModel::setClientSize(Size client) {
    client_ = {std::max(0, client.width), std::max(0, client.height)};
    setScroll(scroll_);
}

void SwatchesPanelModel::setScroll(int32_t scroll) { scroll_ = std::clamp(scroll, 0, maxScroll()); }

std::optional<size_t> SwatchesPanelModel::swatchAt(Point client) const {
    return pict::swatchAt(client_, scroll_, swatches_.count(), client);
}

bool SwatchesPanelModel::press(Point client, bool ctrl) {
    const std::optional<size_t> cell = swatchAt(client);
    if (!cell)
        return false;
    (ctrl ? app_.backgroundColor : app_.foregroundColor) = *swatches_.at(*cell);
    return true;
}

void SwatchesPanelModel::hover(Point client) {
    const std::optional<size_t> cell = swatchAt(client);
    if (cell && info_)
        info_->showColor(*swatches_.at(*cell));
}

bool SwatchesPanelModel::runCommand(uint16_t id, bool ctrl) {
    bool changed = false;
    if (id == kCmdNewSwatch) {
        swatches_.append(ctrl ? app_.backgroundColor : app_.foregroundColor);
        changed = true;
    } else if (id == kCmdDeleteSwatch) {
        changed = swatches_.removeLast();
    }
    if (changed)
        setScroll(scroll_); // the grid may have lost a row
    return changed;
}

} // namespace pict
