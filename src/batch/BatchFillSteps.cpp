// The current colors that Fill and Clear use.

#include "app/commands/StepArguments.h"
#include "batch/BatchRun.h"
#include "batch/BatchSteps.h"

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

constexpr BatchStep kFillSteps[] = {
    {"--foreground", "RRGGBB", StepArgument::Required, parseColorArgument, setForeground, 0,
     "the foreground color (default 000000)", ""},
    {"--background", "RRGGBB", StepArgument::Required, parseColorArgument, setBackground, 0,
     "the background color (default ffffff)", ""},
};

} // namespace

std::span<const BatchStep> fillSteps() { return kFillSteps; }

} // namespace pict::batch
