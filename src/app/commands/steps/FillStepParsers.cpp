// The batch step of the Fill dialog.
#include "app/commands/StepArguments.h"
#include "app/commands/steps/StepParsers.h"
#include "imageops/FillParams.h"

#include <array>

namespace pict {

// RRGGBB[,MODE[,OPACITY[,preserve]]], the opacity in percent as the Fill dialog has it.
bool parseFill(std::string_view text, StepInput& input, std::string& error) {
    constexpr std::array<std::string_view, 1> kPreserve = {"preserve"};
    const auto f = splitFields(text, ',');
    FillParams params;
    Color color;
    int32_t unused = 0;
    if (!checkFieldCount(f, 1, 4, "RRGGBB[,MODE[,OPACITY[,preserve]]]", error) ||
        !readColor(f[0], "the color", color, error) || (f.size() > 1 && !readBlendMode(f[1], params.mode, error)) ||
        (f.size() > 2 && !readInteger(f[2], FillParams::kMinOpacity, FillParams::kMaxOpacity, "the opacity",
                                      params.opacity, error)) ||
        (f.size() > 3 && !readKeyword(f[3], kPreserve, "the last field", unused, error)))
        return false;
    params.color = color.pixelWord();
    params.preserveTransparency = f.size() > 3;
    input.params = params;
    return true;
}

} // namespace pict
