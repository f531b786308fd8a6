// The Select menu: whole-canvas and marquee selections, the Modify commands, Grow and
// Similar with their tolerance, and the saved channels.

#include "app/commands/CommandIds.h"
#include "app/session/DocumentSession.h"
#include "batch/BatchArguments.h"
#include "batch/BatchRun.h"
#include "batch/BatchSteps.h"
#include "document/Document.h"
#include "selection/ModifyLimits.h"

#include <array>

namespace pict::batch {

namespace {

constexpr std::array<std::string_view, 4> kLoadOperations = {"new", "add", "subtract", "intersect"};
constexpr std::array<std::string_view, 1> kInvertFlag = {"invert"};
// A new channel, as --save-selection names it; stands for the channel count.
constexpr int32_t kNewChannel = -1;
constexpr int32_t kMaxIndex = 1 << 20;

// An operation by name or by its number 0..3.
bool readOperation(std::string_view text, int32_t& operation, std::string& error) {
    if (text.size() == 1 && text[0] >= '0' && text[0] <= '3') {
        operation = text[0] - '0';
        return true;
    }
    return readKeyword(text, kLoadOperations, "the operation", operation, error);
}

bool parseRect(std::string_view text, StepInput& input, std::string& error) {
    const auto f = splitFields(text, ',');
    Rect r;
    constexpr int64_t limit = 1000000;
    if (!checkFieldCount(f, 4, 4, "L,T,R,B", error) || !readInteger(f[0], -limit, limit, "the left", r.left, error) ||
        !readInteger(f[1], -limit, limit, "the top", r.top, error) ||
        !readInteger(f[2], -limit, limit, "the right", r.right, error) ||
        !readInteger(f[3], -limit, limit, "the bottom", r.bottom, error))
        return false;
    if (r.right <= r.left || r.bottom <= r.top) {
        error = "the rectangle is empty: right must exceed left and bottom must exceed top (both exclusive)";
        return false;
    }
    input.params = MarqueeParams{r};
    return true;
}

bool parseFeather(std::string_view text, StepInput& input, std::string& error) {
    const ModifyDialogRule& rule = modifyDialogRule(ModifyCommand::Feather);
    double radius = 0.0;
    if (!readNumber(text, rule.minimum, rule.maximum, "the radius", radius, error))
        return false;
    input.params = FeatherParams{radius};
    return true;
}

template <ModifyCommand Command>
bool parseModifyWidth(std::string_view text, StepInput& input, std::string& error) {
    const ModifyDialogRule& rule = modifyDialogRule(Command);
    ModifyParams params;
    if (!readInteger(text, int64_t(rule.minimum), int64_t(rule.maximum), "the width", params.pixels, error))
        return false;
    input.params = params;
    return true;
}

bool parseTolerance(std::string_view text, StepInput& input, std::string& error) {
    // The "pixel_similarity_tolerance" option's range (0..255).
    return readInteger(text, 0, 255, "the tolerance", input.number, error);
}

bool parseSaveSelection(std::string_view text, StepInput& input, std::string& error) {
    SaveSelectionParams params;
    params.channel = kNewChannel;
    if (!text.empty()) {
        const auto f = splitFields(text, ',');
        if (!checkFieldCount(f, 1, 3, "[INDEX|new][,NAME[,OP]]", error))
            return false;
        if (!f[0].empty() && f[0] != "new" && !readInteger(f[0], 0, kMaxIndex, "the channel", params.channel, error))
            return false;
        if (f.size() > 1)
            params.name = std::string(f[1]);
        if (f.size() > 2 && !readOperation(f[2], params.operation, error))
            return false;
    }
    input.params = std::move(params);
    return true;
}

bool parseLoadSelection(std::string_view text, StepInput& input, std::string& error) {
    const auto f = splitFields(text, ',');
    LoadSelectionParams params;
    int32_t unused = 0;
    if (!checkFieldCount(f, 1, 3, "INDEX[,OP[,invert]]", error) ||
        !readInteger(f[0], 0, kMaxIndex, "the channel", params.channel, error) ||
        (f.size() > 1 && !readOperation(f[1], params.operation, error)) ||
        (f.size() > 2 && !readKeyword(f[2], kInvertFlag, "the last field", unused, error)))
        return false;
    params.invert = f.size() > 2;
    input.params = params;
    return true;
}

// ---- actions ----

StepReport selectShape(BatchRun& run, const BatchStep& step, const StepInput& input) {
    return reportFor(run.commands().selectMarquee(std::get<MarqueeParams>(input.params).rect,
                                                  step.name == "--select-ellipse"));
}

StepReport setTolerance(BatchRun& run, const BatchStep&, const StepInput& input) {
    run.app().similarityTolerance = input.number;
    return {};
}

int32_t channelCount(BatchRun& run) {
    const AlphaChannelList* channels = run.session().document().channelsIfAny();
    return channels ? channels->count() : 0;
}

StepReport saveSelection(BatchRun& run, const BatchStep& step, const StepInput& input) {
    SaveSelectionParams params = std::get<SaveSelectionParams>(input.params);
    const int32_t count = channelCount(run);
    if (params.channel == kNewChannel)
        params.channel = count;
    else if (params.channel > count)
        return {StepStatus::Refused, "there is no channel " + std::to_string(params.channel) + " (the document has " +
                                         std::to_string(count) + "; use \"new\" for a new one)"};
    return run.execute(step.command, std::move(params));
}

StepReport loadSelection(BatchRun& run, const BatchStep& step, const StepInput& input) {
    const int32_t count = channelCount(run);
    const int32_t channel = std::get<LoadSelectionParams>(input.params).channel;
    if (count > 0 && channel >= count)
        return {StepStatus::Refused, "there is no channel " + std::to_string(channel) + " (the document has " +
                                         std::to_string(count) + ")"};
    return runCommandStep(run, step, input);
}

constexpr std::string_view kSelection = "a selection";

constexpr BatchStep kSelectionSteps[] = {
    {"--select-all", "", StepArgument::None, nullptr, runCommandStep, kCmdSelectAll, "select the whole canvas", ""},
    {"--deselect", "", StepArgument::None, nullptr, runCommandStep, kCmdDeselect, "drop the selection", kSelection},
    {"--select-inverse", "", StepArgument::None, nullptr, runCommandStep, kCmdSelectInverse, "invert the selection",
     kSelection},
    {"--select-rect", "L,T,R,B", StepArgument::Required, parseRect, selectShape, 0,
     "select the rectangle (right and bottom exclusive)", "a rectangle"},
    {"--select-ellipse", "L,T,R,B", StepArgument::Required, parseRect, selectShape, 0,
     "select the ellipse inside the rectangle", "a rectangle"},
    {"--feather", "R", StepArgument::Required, parseFeather, runCommandStep, kCmdFeather,
     "feather the selection by radius R (0.1..250)", kSelection},
    {"--expand", "N", StepArgument::Required, parseModifyWidth<ModifyCommand::Expand>, runCommandStep, kCmdExpand,
     "expand the selection by N pixels (1..100)", kSelection},
    {"--contract", "N", StepArgument::Required, parseModifyWidth<ModifyCommand::Contract>, runCommandStep,
     kCmdContract, "contract the selection by N pixels (1..100)", kSelection},
    {"--border", "N", StepArgument::Required, parseModifyWidth<ModifyCommand::Border>, runCommandStep, kCmdBorder,
     "select a border N pixels wide (1..100) along the selection's edge", kSelection},
    {"--grow", "", StepArgument::None, nullptr, runCommandStep, kCmdGrow,
     "add the similar pixels connected to the selection", kSelection},
    {"--similar", "", StepArgument::None, nullptr, runCommandStep, kCmdSimilar,
     "add every pixel similar to the selected ones", kSelection},
    {"--tolerance", "N", StepArgument::Required, parseTolerance, setTolerance, 0,
     "the tolerance of --grow and --similar (0..255, default 0)", ""},
    {"--save-selection", "[INDEX|new][,NAME[,OP]]", StepArgument::Optional, parseSaveSelection, saveSelection,
     kCmdSaveSelection, "save the selection to a channel (default new, \"Alpha N\"); OP new|add|subtract|intersect",
     kSelection},
    {"--load-selection", "INDEX[,OP[,invert]]", StepArgument::Required, parseLoadSelection, loadSelection,
     kCmdLoadSelection, "load channel INDEX (from 0) as the selection; OP new|add|subtract|intersect",
     "a saved channel"},
};

} // namespace

std::span<const BatchStep> selectionSteps() { return kSelectionSteps; }

} // namespace pict::batch
