#include "app/dialogs/FillDialogModel.h"

#include "app/dialogs/DialogNumbers.h"

#include <algorithm>

namespace pict {

uint32_t fillContentsColor(FillContents choice, uint32_t foreground, uint32_t background, uint32_t custom) {
    uint32_t rgb = foreground;
    switch (choice) {
    case FillContents::Foreground: rgb = foreground; break;
    case FillContents::Background: rgb = background; break;
    case FillContents::White: rgb = 0xFFFFFF; break;
    case FillContents::Black: rgb = 0x000000; break;
    case FillContents::Custom: rgb = custom; break;
    }
    return 0xFF000000u | (rgb & 0xFFFFFFu);
}

bool parseFillOpacity(std::string_view text, int32_t& percent) {
    const std::optional<int32_t> value = parseWholeNumber(text, FillParams::kMinOpacity, FillParams::kMaxOpacity);
    if (!value)
        return false;
    percent = *value;
    return true;
}

FillParams confirmFillDialog(FillDialogMemory& memory, const FillDialogAnswer& answer, bool preserveEnabled,
                             uint32_t foreground, uint32_t background) {
    memory.contents = answer.contents;
    memory.customColor = answer.customColor & 0xFFFFFFu;
    memory.mode = isBlendMode(answer.mode) ? answer.mode : kBlendNormal;
    memory.opacity = std::clamp(answer.opacity, FillParams::kMinOpacity, FillParams::kMaxOpacity);
    if (preserveEnabled)
        memory.preserveTransparency = answer.preserveTransparency;
    FillParams params;
    params.color = fillContentsColor(memory.contents, foreground, background, memory.customColor);
    params.mode = memory.mode;
    params.opacity = memory.opacity;
    // A disabled box locks nothing, whatever it remembers for the next layer.
    params.preserveTransparency = preserveEnabled && memory.preserveTransparency;
    return params;
}

} // namespace pict
