#pragma once
// The Layer menu's dialogs without their widgets: what New Layer and Duplicate Layer start
// with, the opacity entry in percent, and the delete confirmation's text.

#include "app/commands/DocumentCommands.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace pict {

class LayerStack;

// Opacity is typed as a percentage 0..100 and kept as a byte: p stands for
// trunc(p x 2.55 + 0.5), and a byte shows as round(v x 100 / 255).
int32_t layerOpacityFromPercent(int32_t percent);
int32_t layerOpacityPercent(int32_t opacity);
std::optional<int32_t> parseLayerOpacityPercent(std::string_view text);

// New Layer starts with the next default name, Normal and full opacity.
LayerParams newLayerDefaults(const LayerStack& layers);
// OK in New Layer; none when the opacity text is refused. An empty name takes the default.
std::optional<LayerParams> confirmNewLayer(std::string_view name, int32_t mode, std::string_view opacityText);

// "Delete layer "name"?" and the eight spaces that follow it.
std::string deleteLayerPrompt(std::string_view layerName);

} // namespace pict
