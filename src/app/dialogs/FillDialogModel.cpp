#include "app/dialogs/FillDialogModel.h"

#include "app/dialogs/DialogNumbers.h"

#include <algorithm>

namespace pict {

bool parseFillOpacity(std::string_view text, int32_t& percent) {
    const std::optional<int32_t> value = parseWholeNumber(text, FillParams::kMinOpacity, FillParams::kMaxOpacity);
    if (!value)
        return false;
    percent = *value;
    return true;
}

FillParams confirmFillDialog(FillDialogMemory& memory, const FillDialogAnswer& answer, bool preserveEnabled,
                             Color foreground, Color background) {
    memory.contents = answer.contents;
    memory.customColor = answer.customColor;
    memory.mode = isBlendMode(answer.mode) ? answer.mode : kBlendNormal;
    memory.opacity = std::clamp(answer.opacity, FillParams::kMinOpacity, FillParams::kMaxOpacity);
    if (preserveEnabled)
        memory.preserveTransparency = answer.preserveTransparency;
    FillParams params;
    params.color = fillContentsColor(memory.contents, foreground, background, memory.customColor).pixelWord();
    params.mode = memory.mode;
    params.opacity = memory.opacity;
    // A disabled box locks nothing, whatever it remembers for the next layer.
    params.preserveTransparency = preserveEnabled && memory.preserveTransparency;
    return params;
}

} // namespace pict
