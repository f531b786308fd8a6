// Fill, Clear and the current colors they use.

#include "app/core/CommandIds.h"
#include "app/core/batch/BatchArguments.h"
#include "app/core/batch/BatchRun.h"
#include "app/core/batch/BatchSteps.h"

namespace pict::batch {

namespace {

bool parseColorArgument(std::string_view text, StepInput& input, std::string& error) {
    return readColor(text, "the color", input.color, error);
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
