// The Layer menu and the Layers panel's actions, the merges, and placing a file as a layer.

#include "app/commands/CommandIds.h"
#include "app/session/DocumentFileRules.h"
#include "app/session/DocumentSession.h"
#include "app/commands/PlaceCommand.h"
#include "batch/BatchArguments.h"
#include "batch/BatchRun.h"
#include "batch/BatchSteps.h"
#include "codecs/ReadReport.h"
#include "document/Document.h"

namespace pict::batch {

namespace {

constexpr int32_t kMaxLayerIndex = 1 << 20;
constexpr int64_t kMaxPlaceOffset = 1000000;

bool parseNewLayer(std::string_view text, StepInput& input, std::string& error) {
    LayerParams params;
    if (!text.empty()) {
        const auto f = splitFields(text, ',');
        if (!checkFieldCount(f, 1, 3, "[NAME[,MODE[,OPACITY]]]", error) ||
            (f.size() > 1 && !readBlendMode(f[1], params.mode, error)) ||
            (f.size() > 2 && !readInteger(f[2], 0, 255, "the opacity", params.opacity, error)))
            return false;
        params.name = std::string(f[0]);
    }
    input.params = std::move(params);
    return true;
}

// The whole argument is the name: it may hold commas.
bool parseLayerName(std::string_view text, StepInput& input, std::string&) {
    LayerParams params;
    params.name = std::string(text);
    input.params = std::move(params);
    return true;
}

bool parseRequiredName(std::string_view text, StepInput& input, std::string& error) {
    if (text.empty()) {
        error = "the name is empty";
        return false;
    }
    return parseLayerName(text, input, error);
}

bool parseLayerMode(std::string_view text, StepInput& input, std::string& error) {
    LayerParams params;
    if (!readBlendMode(text, params.mode, error))
        return false;
    input.params = params;
    return true;
}

bool parseLayerOpacity(std::string_view text, StepInput& input, std::string& error) {
    LayerParams params;
    if (!readInteger(text, 0, 255, "the opacity", params.opacity, error))
        return false;
    input.params = params;
    return true;
}

bool parseLayerIndex(std::string_view text, StepInput& input, std::string& error) {
    return readInteger(text, 0, kMaxLayerIndex, "the layer index", input.number, error);
}

bool parseLayerList(std::string_view text, StepInput& input, std::string& error) {
    MergeLayersParams params;
    for (std::string_view field : splitFields(text, ',')) {
        int32_t index = 0;
        if (!readInteger(field, 0, kMaxLayerIndex, "a layer index", index, error))
            return false;
        params.layers.push_back(index);
    }
    if (params.layers.size() < 2) {
        error = "name at least two layers";
        return false;
    }
    input.params = std::move(params);
    return true;
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

// ---- actions ----

int32_t layerCount(BatchRun& run) {
    const LayerStack* layers = run.session().document().layersIfAny();
    return layers ? layers->count() : 0;
}

StepReport noSuchLayer(int32_t index, int32_t count) {
    return {StepStatus::Refused,
            "there is no layer " + std::to_string(index) + " (the document has " + std::to_string(count) + ")"};
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

StepReport mergeLayers(BatchRun& run, const BatchStep& step, const StepInput& input) {
    const auto& params = std::get<MergeLayersParams>(input.params);
    const int32_t count = layerCount(run);
    for (int32_t index : params.layers)
        if (index >= count)
            return noSuchLayer(index, count);
    // Merge Layers is enabled by the layers selected in the panel: select these for it.
    run.session().setPanelSelection(params.layers);
    StepReport report = runCommandStep(run, step, input);
    run.session().setPanelSelection({});
    return report;
}

StepReport placeFile(BatchRun& run, const BatchStep&, const StepInput& input) {
    ReadReport read;
    const CommandResult result = placeImageFile(run.session(), input.text, input.point, &read);
    if (read.failed())
        return {StepStatus::Failed, openFailedMessage(input.text, read.reason)};
    noteReadInPart(run, input.text, read);
    return reportFor(result);
}

constexpr std::string_view kActiveLayer = "an active layer";

constexpr BatchStep kLayerSteps[] = {
    {"--new-layer", "[NAME[,MODE[,OPACITY]]]", StepArgument::Optional, parseNewLayer, runCommandStep, kMsgNewLayer,
     "add an empty layer above the active one (default \"Layer N\", normal, 255)", ""},
    {"--duplicate-layer", "[NAME]", StepArgument::Optional, parseLayerName, runCommandStep, kMsgDuplicateLayer,
     "duplicate the active layer (default \"<name> copy\")", kActiveLayer},
    {"--delete-layer", "", StepArgument::None, nullptr, runCommandStep, kMsgDeleteLayer, "delete the active layer",
     "more than one layer"},
    {"--active-layer", "INDEX", StepArgument::Required, parseLayerIndex, setActiveLayer, 0,
     "make layer INDEX (0 at the bottom) the active one", "an existing layer"},
    {"--rename-layer", "NAME", StepArgument::Required, parseRequiredName, runCommandStep, kMsgRenameLayer,
     "rename the active layer", kActiveLayer},
    {"--layer-mode", "MODE", StepArgument::Required, parseLayerMode, runCommandStep, kMsgSetLayerBlendMode,
     "the active layer's blend mode: 0..18 or normal, multiply, screen, overlay, ... luminosity", kActiveLayer},
    {"--layer-opacity", "0..255", StepArgument::Required, parseLayerOpacity, runCommandStep, kMsgSetLayerOpacity,
     "the active layer's opacity", kActiveLayer},
    {"--toggle-visibility", "", StepArgument::None, nullptr, runCommandStep, kMsgToggleLayerVisibility,
     "show or hide the active layer (no history state)", kActiveLayer},
    {"--merge-layers", "I,J,...", StepArgument::Required, parseLayerList, mergeLayers, kCmdMergeLayers,
     "merge the layers with these indices", "two or more layers, one of them visible"},
    {"--merge-down", "", StepArgument::None, nullptr, runCommandStep, kCmdMergeDown,
     "merge the active layer into the one below",
     "a visible active layer over a visible layer"},
    {"--merge-visible", "", StepArgument::None, nullptr, runCommandStep, kCmdMergeVisible,
     "merge every visible layer", "a visible active layer and another visible layer"},
    {"--flatten", "", StepArgument::None, nullptr, runCommandStep, kCmdFlattenImage,
     "flatten the image into one background layer", "more than one layer, or a layer that is not the background"},
    {"--place", "FILE[,X,Y]", StepArgument::Required, parsePlace, placeFile, 0,
     "add the file's image as a new layer above the active one, at X,Y (default 0,0)", ""},
};

} // namespace

std::span<const BatchStep> layerSteps() { return kLayerSteps; }

} // namespace pict::batch
