// The batch steps of the Layer menu and the Layers panel. Merge Layers is enabled by the
// layers selected in the panel, so its step selects the layers it names for the merge.
#include "app/commands/StepArguments.h"
#include "app/commands/steps/StepParsers.h"
#include "app/session/DocumentSession.h"
#include "document/Document.h"

namespace pict {

namespace {

constexpr int32_t kMaxLayerIndex = 1 << 20;

} // namespace

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

CommandResult runMergeLayersStep(DocumentCommands& commands, uint16_t id, const StepInput& input) {
    const auto& params = std::get<MergeLayersParams>(input.params);
    const LayerStack* layers = commands.session().document().layersIfAny();
    const int32_t count = layers ? layers->count() : 0;
    for (int32_t index : params.layers)
        if (index >= count)
            return {CommandOutcome::Refused, noSuchLayerMessage(index, count)};
    commands.session().setPanelSelection(params.layers);
    CommandResult result = commands.execute(id, input.params);
    commands.session().setPanelSelection({});
    return result;
}

std::string noSuchLayerMessage(int32_t index, int32_t count) {
    return "there is no layer " + std::to_string(index) + " (the document has " + std::to_string(count) + ")";
}

} // namespace pict
