// Fill, Clear and the current colors they use.

#include "app/commands/CommandIds.h"
#include "batch/BatchArguments.h"
#include "batch/BatchRun.h"
#include "batch/BatchSteps.h"
#include "imageops/FillParams.h"

#include <array>

namespace pict::batch {

namespace {

bool parseColorArgument(std::string_view text, StepInput& input, std::string& error) {
    return readColor(text, "the color", input.color, error);
}

// RRGGBB[,MODE[,OPACITY[,preserve]]], the opacity in percent as the Fill dialog has it.
bool parseFill(std::string_view text, StepInput& input, std::string& error) {
    constexpr std::array<std::string_view, 1> kPreserve = {"preserve"};
    const auto f = splitFields(text, ',');
    FillParams params;
    uint32_t rgb = 0;
    int32_t unused = 0;
    if (!checkFieldCount(f, 1, 4, "RRGGBB[,MODE[,OPACITY[,preserve]]]", error) ||
        !readColor(f[0], "the color", rgb, error) || (f.size() > 1 && !readBlendMode(f[1], params.mode, error)) ||
        (f.size() > 2 && !readInteger(f[2], FillParams::kMinOpacity, FillParams::kMaxOpacity, "the opacity",
                                      params.opacity, error)) ||
        (f.size() > 3 && !readKeyword(f[3], kPreserve, "the last field", unused, error)))
        return false;
    params.color = 0xFF000000u | rgb;
    params.preserveTransparency = f.size() > 3;
    input.params = params;
    return true;
}

StepReport setForeground(BatchRun& run, const BatchStep&, const StepInput& input) {
    run.app().foregroundColor = input.color;
    return {};
}

StepReport setBackground(BatchRun& run, const BatchStep&, const StepInput& input) {
    run.app().backgroundColor = input.color;
    return {};
}

constexpr std::string_view kRasterLayer = "a visible raster active layer";

constexpr BatchStep kFillSteps[] = {
    {"--fill", "RRGGBB[,MODE[,OPACITY[,preserve]]]", StepArgument::Required, parseFill, runCommandStep, kCmdFill,
     "fill the selection (or the layer) with the color; MODE a blend mode, OPACITY 1..100 %, preserve keeps "
     "the transparency",
     kRasterLayer},
    {"--fill-foreground", "", StepArgument::None, nullptr, runCommandStep, kCmdFillForeground,
     "fill the selection (or the layer) with the foreground color", kRasterLayer},
    {"--fill-background", "", StepArgument::None, nullptr, runCommandStep, kCmdFillBackground,
     "fill the selection (or the layer) with the background color", kRasterLayer},
    {"--clear", "", StepArgument::None, nullptr, runCommandStep, kCmdClear,
     "clear the selection: transparent, or the background color on the background layer",
     "a selection and a visible raster active layer"},
    {"--foreground", "RRGGBB", StepArgument::Required, parseColorArgument, setForeground, 0,
     "the foreground color (default 000000)", ""},
    {"--background", "RRGGBB", StepArgument::Required, parseColorArgument, setBackground, 0,
     "the background color (default ffffff)", ""},
};

} // namespace

std::span<const BatchStep> fillSteps() { return kFillSteps; }

} // namespace pict::batch
