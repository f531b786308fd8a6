#include "app/dialogs/LayerDialogModel.h"

#include "app/dialogs/DialogNumbers.h"
#include "document/LayerStack.h"
#include "imageops/FillParams.h"

#include <algorithm>

namespace pict {

namespace {

constexpr int32_t kOpaque = 255;

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    return text;
}

} // namespace

int32_t layerOpacityFromPercent(int32_t percent) {
    // The same rounding as a fill's opacity weight: 50 % is 128.
    return fillOpacityWeight(percent);
}

int32_t layerOpacityPercent(int32_t opacity) {
    return (std::clamp(opacity, 0, kOpaque) * 100 + kOpaque / 2) / kOpaque;
}

std::optional<int32_t> parseLayerOpacityPercent(std::string_view text) {
    return parseWholeNumber(text, 0, 100);
}

LayerParams newLayerDefaults(const LayerStack& layers) {
    LayerParams params;
    params.name = layers.defaultLayerName(false);
    params.mode = kBlendNormal;
    params.opacity = kOpaque;
    return params;
}

std::optional<LayerParams> confirmNewLayer(std::string_view name, int32_t mode, std::string_view opacityText) {
    const std::optional<int32_t> percent = parseLayerOpacityPercent(opacityText);
    if (!percent)
        return std::nullopt;
    LayerParams params;
    params.name = std::string(trimmed(name));
    params.mode = isBlendMode(mode) ? mode : kBlendNormal;
    params.opacity = layerOpacityFromPercent(*percent);
    return params;
}

std::string deleteLayerPrompt(std::string_view layerName) {
    return "Delete layer \"" + std::string(layerName) + "\"?        ";
}

} // namespace pict
