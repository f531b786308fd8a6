// The Layer menu, the merges, and the notifications of the Layers panel. The menu ids that
// act on a layer take the active one; the notifications name theirs (or -1 for the active).
#include "app/commands/CommandDomains.h"
#include "app/commands/CommandIds.h"
#include "app/commands/CommandPreconditions.h"
#include "app/commands/steps/StepParsers.h"
#include "app/session/DocumentSession.h"
#include "document/Document.h"
#include "document/compositing/Merge.h"
#include "history/HistoryManager.h"
#include "history/layers/LayerPropertyStates.h"
#include "history/layers/LayerStructureStates.h"
#include "history/layers/MergeStates.h"
#include "surface/BlendModes.h"

#include <algorithm>
#include <functional>
#include <optional>

namespace pict {

namespace {

const CommandResult kFailed{CommandOutcome::Failed};
const CommandResult kRefused{CommandOutcome::Refused};
const CommandResult kUnchanged{CommandOutcome::Unchanged};

const LayerStack* stackOf(const DocumentSession& session) {
    return session.document().layersIfAny();
}
int32_t layerCount(const DocumentSession& session) {
    return stackOf(session) ? stackOf(session)->count() : 0;
}
const Layer* activeLayer(const DocumentSession& session) {
    return stackOf(session) ? stackOf(session)->active() : nullptr;
}

// The layer a notification names: its own index, or the active layer for -1.
int32_t targetIndex(const DocumentSession& session, const LayerParams& params) {
    if (params.layer >= 0)
        return params.layer;
    return stackOf(session) ? stackOf(session)->activeIndex() : -1;
}

uint8_t clampOpacity(int32_t opacity) {
    return uint8_t(std::clamp(opacity, 0, 255));
}

// ---- preconditions ----

bool hasLayer(const DocumentSession& session) {
    return layerCount(session) > 0;
}
bool hasActiveLayer(const DocumentSession& session) {
    return activeLayer(session) != nullptr;
}
bool hasLiveActiveLayer(const DocumentSession& session) {
    const Layer* layer = activeLayer(session);
    return layer && layer->isLive();
}
bool hasSeveralLayers(const DocumentSession& session) {
    return layerCount(session) > 1;
}
bool activeIsNotBackground(const DocumentSession& session) {
    const Layer* layer = activeLayer(session);
    return layer && !layer->isBackground();
}
bool oneLayerSelected(const DocumentSession& session) {
    return hasActiveLayer(session) && session.selectedLayers().size() == 1;
}

// At least two layers, at least one of them visible.
bool canMergeList(const DocumentSession& session, const std::vector<int32_t>& layers) {
    if (layers.size() < 2)
        return false;
    return std::any_of(layers.begin(), layers.end(), [&](int32_t index) {
        const Layer* layer = stackOf(session)->layerAt(index);
        return layer && layer->isVisible();
    });
}
bool canMergeLayers(const DocumentSession& session) {
    return canMergeList(session, session.selectedLayers());
}
bool canMergeDown(const DocumentSession& session) {
    return oneLayerSelected(session) && !mergeDownList(session.document()).empty();
}
bool canMergeVisible(const DocumentSession& session) {
    return !mergeVisibleList(session.document()).empty();
}
bool canFlatten(const DocumentSession& session) {
    const int32_t count = layerCount(session);
    return count > 1 || (count == 1 && !stackOf(session)->layerAt(0)->isBackground());
}

// ---- structure ----

CommandResult newLayer(DocumentSession& session, const CommandParams& params) {
    auto answer = dialogAnswer<LayerParams>(params);
    if (!answer)
        return kFailed;
    if (!isBlendMode(answer->mode))
        return kRefused;
    if (answer->name.empty())
        answer->name = session.document().layers().defaultLayerName(false);
    return pushState(session, std::make_unique<NewLayerState>(session.document(), std::move(answer->name),
                                                              answer->mode, clampOpacity(answer->opacity)));
}

CommandResult duplicateLayer(DocumentSession& session, const CommandParams& params) {
    auto answer = dialogAnswer<LayerParams>(params);
    if (!answer)
        return kFailed;
    const int32_t index = targetIndex(session, *answer);
    const Layer* source = session.document().layers().layerAt(index);
    if (!source || !source->isLive())
        return kRefused;
    if (answer->name.empty())
        answer->name = session.document().layers().duplicateLayerName(*source);
    return pushState(
        session, std::make_unique<DuplicateLayerState>(session.document(), index, std::move(answer->name)));
}

CommandResult deleteLayer(DocumentSession& session, const CommandParams& params) {
    const auto answer = dialogAnswer<LayerParams>(params);
    if (!answer)
        return kFailed;
    const int32_t index = targetIndex(session, *answer);
    if (!session.document().layers().layerAt(index))
        return kRefused;
    return pushState(session, std::make_unique<DeleteLayerState>(session.document(), index));
}

// ---- attributes ----

// Consecutive changes of one property of the same layer closer together than this are one
// state (typing "50" into the opacity edit, dragging it, stepping through the modes), which
// undoes to the value before the first of them.
constexpr int64_t kPropertyMergeMs = 1000;

template <class State, class Value>
CommandResult recordPropertyChange(DocumentSession& session, int32_t index, Value value) {
    HistoryManager& history = session.history();
    std::optional<DocumentSession::PropertyChangeMark>& mark = session.lastPropertyChange();
    const std::function<int64_t()>& clock = session.app().mergeClock;
    const int64_t now = clock ? clock() : 0;
    auto* newest = dynamic_cast<State*>(history.newestApplied());
    const bool merges = clock && mark && newest && newest->layerIndex() == index &&
                        mark->token == history.stateToken() && now - mark->at < kPropertyMergeMs;
    CommandResult result{CommandOutcome::Failed};
    if (merges)
        result.outcome = history.amendNewest([&value](HistoryState& state) {
            static_cast<State&>(state).changeTo(std::move(value));
        }) ? CommandOutcome::Done : CommandOutcome::Failed;
    else
        result = pushState(session, std::make_unique<State>(session.document(), index, std::move(value)));
    if (result.outcome == CommandOutcome::Done)
        mark = DocumentSession::PropertyChangeMark{history.stateToken(), now};
    else
        mark.reset();
    return result;
}

CommandResult renameLayer(DocumentSession& session, int32_t index, std::string name) {
    const Layer* layer = session.document().layers().layerAt(index);
    if (!layer)
        return kRefused;
    // An empty answer keeps the name, as does the name it already has.
    if (name.empty() || name == layer->name())
        return kUnchanged;
    return recordPropertyChange<RenameLayerState>(session, index, std::move(name));
}

CommandResult layerProperties(DocumentSession& session, const CommandParams& params) {
    auto answer = dialogAnswer<LayerParams>(params);
    if (!answer)
        return kFailed;
    return renameLayer(session, session.document().layers().activeIndex(), std::move(answer->name));
}

CommandResult renameNotification(DocumentSession& session, const CommandParams& params) {
    auto answer = dialogAnswer<LayerParams>(params);
    if (!answer)
        return kFailed;
    return renameLayer(session, targetIndex(session, *answer), std::move(answer->name));
}

CommandResult setBlendMode(DocumentSession& session, const CommandParams& params) {
    const auto answer = dialogAnswer<LayerParams>(params);
    if (!answer)
        return kFailed;
    const int32_t index = targetIndex(session, *answer);
    const Layer* layer = session.document().layers().layerAt(index);
    if (!isBlendMode(answer->mode) || !layer || !layer->isLive())
        return kRefused;
    if (layer->blendMode() == answer->mode)
        return kUnchanged;
    return recordPropertyChange<BlendModeState>(session, index, answer->mode);
}

CommandResult setOpacity(DocumentSession& session, const CommandParams& params) {
    const auto answer = dialogAnswer<LayerParams>(params);
    if (!answer)
        return kFailed;
    const int32_t index = targetIndex(session, *answer);
    const Layer* layer = session.document().layers().layerAt(index);
    if (!layer || !layer->isLive())
        return kRefused;
    const uint8_t opacity = clampOpacity(answer->opacity);
    if (layer->opacity() == opacity)
        return kUnchanged;
    return recordPropertyChange<LayerOpacityState>(session, index, opacity);
}

// Visibility is not a step of the history: the flag flips at once.
CommandResult flipVisibility(DocumentSession& session, int32_t index) {
    LayerStack& stack = session.document().layers();
    Layer* layer = stack.layerAt(index);
    if (!layer || !stack.setVisible(layer, !layer->isVisible()))
        return kRefused;
    // The composite a save writes changes with it.
    session.markChangedOutsideHistory();
    return {CommandOutcome::Done};
}

CommandResult toggleVisibilityNotification(DocumentSession& session, const CommandParams& params) {
    const auto answer = dialogAnswer<LayerParams>(params);
    if (!answer)
        return kFailed;
    return flipVisibility(session, targetIndex(session, *answer));
}

CommandResult toggleVisibility(DocumentSession& session, const CommandParams&) {
    return flipVisibility(session, session.document().layers().activeIndex());
}

// ---- merges ----

std::vector<int32_t> indicesOf(const Document& document, const std::vector<const Layer*>& layers) {
    std::vector<int32_t> indices;
    for (const Layer* layer : layers)
        indices.push_back(document.layersIfAny()->indexOf(layer));
    return indices;
}

CommandResult mergeLayers(DocumentSession& session, const CommandParams& params) {
    const auto answer = dialogAnswer<MergeLayersParams>(params);
    if (!answer)
        return kFailed;
    std::vector<int32_t> layers = answer->layers.empty() ? session.selectedLayers() : answer->layers;
    std::sort(layers.begin(), layers.end());
    layers.erase(std::unique(layers.begin(), layers.end()), layers.end());
    const bool allExist = std::all_of(layers.begin(), layers.end(), [&](int32_t index) {
        return stackOf(session)->layerAt(index) != nullptr;
    });
    if (!allExist || !canMergeList(session, layers))
        return kRefused;
    return pushState(session, std::make_unique<MergeState>(session, MergeKind::Layers, std::move(layers)));
}

CommandResult mergeDown(DocumentSession& session, const CommandParams&) {
    return pushState(session, std::make_unique<MergeState>(
                                  session, MergeKind::Down,
                                  indicesOf(session.document(), mergeDownList(session.document()))));
}

CommandResult mergeVisible(DocumentSession& session, const CommandParams&) {
    return pushState(session, std::make_unique<MergeState>(
                                  session, MergeKind::Visible,
                                  indicesOf(session.document(), mergeVisibleList(session.document()))));
}

CommandResult flattenImage(DocumentSession& session, const CommandParams&) {
    return pushState(session,
                     std::make_unique<MergeState>(session, MergeKind::Flatten, std::vector<int32_t>{}));
}

constexpr std::string_view kActiveLayer = "an active layer";

constexpr CommandStep kMergeLayersSteps[] = {
    {"--merge-layers", "I,J,...", StepArgument::Required, parseLayerList,
     "merge the layers with these indices",
     "two or more layers, one of them visible", StepGroup::Layers, runMergeLayersStep},
};
constexpr CommandStep kMergeDownSteps[] = {
    {"--merge-down", "", StepArgument::None, nullptr,
     "merge the active layer into the one below",
     "a visible active layer over a visible layer", StepGroup::Layers},
};
constexpr CommandStep kMergeVisibleSteps[] = {
    {"--merge-visible", "", StepArgument::None, nullptr,
     "merge every visible layer", "a visible active layer and another visible layer", StepGroup::Layers},
};
constexpr CommandStep kFlattenImageSteps[] = {
    {"--flatten", "", StepArgument::None, nullptr,
     "flatten the image into one background layer",
     "more than one layer, or a layer that is not the background", StepGroup::Layers},
};
constexpr CommandStep kNewLayerSteps[] = {
    {"--new-layer", "[NAME[,MODE[,OPACITY]]]", StepArgument::Optional, parseNewLayer,
     "add an empty layer above the active one (default \"Layer N\", normal, 255)", "", StepGroup::Layers},
};
constexpr CommandStep kDuplicateLayerSteps[] = {
    {"--duplicate-layer", "[NAME]", StepArgument::Optional, parseLayerName,
     "duplicate the active layer (default \"<name> copy\")", kActiveLayer, StepGroup::Layers},
};
constexpr CommandStep kDeleteLayerSteps[] = {
    {"--delete-layer", "", StepArgument::None, nullptr,
     "delete the active layer", "more than one layer", StepGroup::Layers},
};
constexpr CommandStep kRenameLayerSteps[] = {
    {"--rename-layer", "NAME", StepArgument::Required, parseRequiredName,
     "rename the active layer", kActiveLayer, StepGroup::Layers},
};
constexpr CommandStep kSetLayerBlendModeSteps[] = {
    {"--layer-mode", "MODE", StepArgument::Required, parseLayerMode,
     "the active layer's blend mode: 0..18 or normal, multiply, screen, overlay, ... luminosity",
     kActiveLayer, StepGroup::Layers},
};
constexpr CommandStep kSetLayerOpacitySteps[] = {
    {"--layer-opacity", "0..255", StepArgument::Required, parseLayerOpacity,
     "the active layer's opacity", kActiveLayer, StepGroup::Layers},
};
constexpr CommandStep kToggleLayerVisibilitySteps[] = {
    {"--toggle-visibility", "", StepArgument::None, nullptr,
     "show or hide the active layer (no history state)", kActiveLayer, StepGroup::Layers},
};

constexpr CommandSpec kLayerCommands[] = {
    {.id = kCmdNewLayer, .route = CommandRoute::Document, .menuText = "New Layer...",
     .statusText = "Create a new layer\nNew Layer", .asks = CommandAsks::Dialog, .run = newLayer},
    {.id = kCmdDuplicateLayer, .route = CommandRoute::Document, .menuText = "Duplicate Layer...",
     .statusText = "Duplicate the active layer\nDuplicate Layer", .asks = CommandAsks::Dialog,
     .enabled = hasLiveActiveLayer, .run = duplicateLayer},
    {.id = kCmdDeleteLayer, .route = CommandRoute::Document, .menuText = "Delete Layer",
     .statusText = "Delete the active layer\nDelete Layer", .asks = CommandAsks::Confirmation,
     .enabled = hasSeveralLayers, .run = deleteLayer},
    {.id = kCmdLayerProperties, .route = CommandRoute::Document, .menuText = "Layer Properties...",
     .statusText = "Rename the active layer\nLayer Properties", .asks = CommandAsks::Dialog,
     .enabled = activeIsNotBackground, .run = layerProperties},
    {.id = kCmdToggleLayerVisibility, .route = CommandRoute::Document, .menuText = "Show/Hide Layer",
     .statusText = "Show or hide the active layer\nShow/Hide Layer", .enabled = oneLayerSelected,
     .run = toggleVisibility},
    {.id = kCmdMergeLayers, .route = CommandRoute::Document, .menuText = "Merge Layers",
     .statusText = "Merge the selected layers\nMerge Layers", .enabled = canMergeLayers, .run = mergeLayers,
     .steps = kMergeLayersSteps},
    {.id = kCmdMergeDown, .route = CommandRoute::Document, .menuText = "Merge Down",
     .statusText = "Merge the active layer into the one below\nMerge Down", .enabled = canMergeDown,
     .run = mergeDown, .steps = kMergeDownSteps},
    {.id = kCmdMergeVisible, .route = CommandRoute::Document, .menuText = "Merge Visible",
     .statusText = "Merge all visible layers\nMerge Visible", .enabled = canMergeVisible, .run = mergeVisible,
     .steps = kMergeVisibleSteps},
    {.id = kCmdFlattenImage, .route = CommandRoute::Document, .menuText = "Flatten Image",
     .statusText = "Merge all layers into the background\nFlatten Image", .enabled = canFlatten,
     .run = flattenImage, .steps = kFlattenImageSteps},
    {.id = kCmdPanelNewLayer, .route = CommandRoute::Document, .statusText = "Create a new layer"},
    {.id = kCmdPanelDeleteLayer, .route = CommandRoute::Document, .statusText = "Delete layer"},
    {.id = kMsgNewLayer, .route = CommandRoute::Document, .run = newLayer, .steps = kNewLayerSteps},
    {.id = kMsgDuplicateLayer, .route = CommandRoute::Document, .enabled = hasLayer, .run = duplicateLayer,
     .steps = kDuplicateLayerSteps},
    {.id = kMsgDeleteLayer, .route = CommandRoute::Document, .enabled = hasSeveralLayers, .run = deleteLayer,
     .steps = kDeleteLayerSteps},
    {.id = kMsgRenameLayer, .route = CommandRoute::Document, .enabled = hasLayer, .run = renameNotification,
     .steps = kRenameLayerSteps},
    {.id = kMsgSetLayerBlendMode, .route = CommandRoute::Document, .enabled = hasLayer, .run = setBlendMode,
     .steps = kSetLayerBlendModeSteps},
    {.id = kMsgSetLayerOpacity, .route = CommandRoute::Document, .enabled = hasLayer, .run = setOpacity,
     .steps = kSetLayerOpacitySteps},
    {.id = kMsgToggleLayerVisibility, .route = CommandRoute::Document, .enabled = hasLayer,
     .run = toggleVisibilityNotification, .steps = kToggleLayerVisibilitySteps},
};

} // namespace

std::span<const CommandSpec> layerCommandSpecs() { return kLayerCommands; }

} // namespace pict
