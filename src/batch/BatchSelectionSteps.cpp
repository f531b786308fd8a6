// The batch tool's own selection steps: the marquee's rectangle and ellipse, and the
// tolerance of Grow and Similar.

#include "app/commands/StepArguments.h"
#include "batch/BatchRun.h"
#include "batch/BatchSteps.h"
#include "app/commands/steps/StepParsers.h"

namespace pict::batch {

namespace {

bool parseRect(std::string_view text, StepInput& input, std::string& error) {
    const auto f = splitFields(text, ',');
    Rect r;
    constexpr int64_t limit = 1000000;
    int32_t mode = 0;
    if (!checkFieldCount(f, 4, 5, "L,T,R,B[,MODE]", error) ||
        !readInteger(f[0], -limit, limit, "the left", r.left, error) ||
        !readInteger(f[1], -limit, limit, "the top", r.top, error) ||
        !readInteger(f[2], -limit, limit, "the right", r.right, error) ||
        !readInteger(f[3], -limit, limit, "the bottom", r.bottom, error) ||
        (f.size() > 4 && !readSelectionMode(f[4], mode, error)))
        return false;
    if (r.right <= r.left || r.bottom <= r.top) {
        error = "the rectangle is empty: right must exceed left and bottom must exceed top (both exclusive)";
        return false;
    }
    input.params = MarqueeParams{r, mode};
    return true;
}

bool parseTolerance(std::string_view text, StepInput& input, std::string& error) {
    // The "pixel_similarity_tolerance" option's range (0..255).
    return readInteger(text, 0, 255, "the tolerance", input.number, error);
}

StepReport selectShape(BatchRun& run, const BatchStep& step, const StepInput& input) {
    const MarqueeParams& marquee = std::get<MarqueeParams>(input.params);
    return reportFor(run.commands().selectMarquee(marquee.rect, step.name == "--select-ellipse", marquee.mode));
}

StepReport setTolerance(BatchRun& run, const BatchStep&, const StepInput& input) {
    run.app().similarityTolerance = input.number;
    return {};
}

constexpr BatchStep kSelectionSteps[] = {
    {"--select-rect", "L,T,R,B[,MODE]", StepArgument::Required, parseRect, selectShape, 0,
     "select the rectangle (right and bottom exclusive); MODE replace|add|subtract|intersect", "a rectangle"},
    {"--select-ellipse", "L,T,R,B[,MODE]", StepArgument::Required, parseRect, selectShape, 0,
     "select the ellipse inside the rectangle; MODE replace|add|subtract|intersect", "a rectangle"},
    {"--tolerance", "N", StepArgument::Required, parseTolerance, setTolerance, 0,
     "the tolerance of --grow and --similar (0..255, default 0)", ""},
};

} // namespace

std::span<const BatchStep> selectionSteps() { return kSelectionSteps; }

} // namespace pict::batch
