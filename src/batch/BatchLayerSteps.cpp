// The batch tool's own layer steps: choosing the active layer and placing a file as a layer.

#include "app/session/DocumentFileRules.h"
#include "app/session/DocumentSession.h"
#include "app/commands/PlaceCommand.h"
#include "app/commands/StepArguments.h"
#include "app/commands/steps/StepParsers.h"
#include "batch/BatchRun.h"
#include "batch/BatchSteps.h"
#include "codecs/ReadReport.h"
#include "document/Document.h"

namespace pict::batch {

namespace {

constexpr int32_t kMaxLayerIndex = 1 << 20;
constexpr int64_t kMaxPlaceOffset = 1000000;

bool parseLayerIndex(std::string_view text, StepInput& input, std::string& error) {
    return readInteger(text, 0, kMaxLayerIndex, "the layer index", input.number, error);
}

// FILE[,X,Y]: the position is taken from the end, so that the file name may hold commas.
bool parsePlace(std::string_view text, StepInput& input, std::string& error) {
    input.text = std::string(text);
    input.point = {};
    const size_t second = text.rfind(',');
    const size_t first = second == std::string_view::npos || second == 0 ? std::string_view::npos
                                                                          : text.rfind(',', second - 1);
    if (first != std::string_view::npos) {
        std::string ignored;
        Point p;
        if (readInteger(text.substr(first + 1, second - first - 1), -kMaxPlaceOffset, kMaxPlaceOffset, "x", p.x,
                        ignored) &&
            readInteger(text.substr(second + 1), -kMaxPlaceOffset, kMaxPlaceOffset, "y", p.y, ignored)) {
            input.text = std::string(text.substr(0, first));
            input.point = p;
        }
    }
    if (input.text.empty()) {
        error = "the file name is empty";
        return false;
    }
    return true;
}

StepReport noSuchLayer(int32_t index, int32_t count) {
    return {StepStatus::Refused, noSuchLayerMessage(index, count)};
}

StepReport setActiveLayer(BatchRun& run, const BatchStep&, const StepInput& input) {
    LayerStack& layers = run.session().document().layers();
    const Layer* layer = layers.layerAt(input.number);
    if (!layer)
        return noSuchLayer(input.number, layers.count());
    layers.setActive(layer);
    run.session().setPanelSelection({});
    return {};
}

StepReport placeFile(BatchRun& run, const BatchStep&, const StepInput& input) {
    if (std::string refusal = run.fileMemoryRefusal(input.text); !refusal.empty())
        return {StepStatus::Failed, openFailedMessage(input.text, refusal)};
    ReadReport read;
    const CommandResult result = placeImageFile(run.session(), input.text, input.point, &read);
    if (read.failed())
        return {StepStatus::Failed, openFailedMessage(input.text, read.reason)};
    noteReadInPart(run, input.text, read);
    return reportFor(result);
}

constexpr BatchStep kLayerSteps[] = {
    {"--active-layer", "INDEX", StepArgument::Required, parseLayerIndex, setActiveLayer, 0,
     "make layer INDEX (0 at the bottom) the active one", "an existing layer"},
    {"--place", "FILE[,X,Y]", StepArgument::Required, parsePlace, placeFile, 0,
     "add the file's image as a new layer above the active one, at X,Y (default 0,0)", ""},
};

} // namespace

std::span<const BatchStep> layerSteps() { return kLayerSteps; }

} // namespace pict::batch
