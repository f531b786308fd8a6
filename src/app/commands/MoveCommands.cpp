// Move Layer and Move Selection by a canvas offset: what the Move tool records for a drag or
// a run of nudges, and the batch tool's move steps.
#include "app/commands/CommandDomains.h"
#include "app/commands/CommandIds.h"
#include "app/commands/CommandPreconditions.h"
#include "app/commands/StepArguments.h"
#include "app/session/DocumentSession.h"
#include "document/Document.h"
#include "history/layers/EmptyLayerPromotion.h"
#include "history/move/MoveStates.h"

namespace pict {

namespace {

const Layer* activeLayer(const DocumentSession& session) {
    const LayerStack* stack = session.document().layersIfAny();
    return stack ? stack->active() : nullptr;
}

// A layer that can hold pixels (an empty one is promoted first).
bool holdsContent(const Layer* layer) {
    return layer && layer->isLive() && (layer->isRaster() || layer->isEmpty());
}

// The background layer stays where it is: it is the canvas that merging, flattening and the
// canvas commands build on.
bool canMoveLayer(const DocumentSession& session) {
    const Layer* layer = activeLayer(session);
    return holdsContent(layer) && !layer->isBackground();
}

bool canMoveSelection(const DocumentSession& session) {
    return hasSelection(session) && holdsContent(activeLayer(session));
}

std::optional<Point> offsetOf(const CommandParams& params) {
    const MoveParams* move = std::get_if<MoveParams>(&params);
    return move ? std::optional<Point>(move->offset) : std::nullopt;
}

CommandResult moveLayer(DocumentSession& session, const CommandParams& params) {
    const std::optional<Point> offset = offsetOf(params);
    if (!offset)
        return commandResult(CommandOutcome::Refused);
    if (*offset == Point{})
        return commandResult(CommandOutcome::Unchanged);
    const int32_t index = session.document().layers().activeIndex();
    return pushState(session, ontoContentLayer(session, std::make_unique<MoveLayerState>(session, index, *offset)));
}

CommandResult moveSelection(DocumentSession& session, const CommandParams& params) {
    const std::optional<Point> offset = offsetOf(params);
    if (!offset)
        return commandResult(CommandOutcome::Refused);
    if (*offset == Point{})
        return commandResult(CommandOutcome::Unchanged);
    const uint32_t background = session.app().backgroundColor.fillWord();
    const CommandResult result = pushState(
        session, ontoContentLayer(session, std::make_unique<MoveSelectionState>(session, *offset, background)));
    if (result.outcome == CommandOutcome::Failed)
        return {CommandOutcome::Failed, "The selection does not reach any pixel of the active layer."};
    return result;
}

// DX,DY: how far to move, in canvas pixels (right and down are positive).
bool parseOffset(std::string_view text, StepInput& input, std::string& error) {
    MoveParams move;
    if (!readOffset(text, "the offset", move.offset.x, move.offset.y, error))
        return false;
    input.params = move;
    return true;
}

constexpr CommandStep kMoveLayerSteps[] = {
    {"--move-layer", "DX,DY", StepArgument::Required, parseOffset,
     "move the active layer by DX,DY pixels (its pixels are kept, even off the canvas)",
     "an active layer other than the background layer", StepGroup::Layers},
};
constexpr CommandStep kMoveSelectionSteps[] = {
    {"--move-selection", "DX,DY", StepArgument::Required, parseOffset,
     "move the selected pixels of the active layer and the selection by DX,DY pixels; the hole becomes "
     "transparent (the background color on the background layer)",
     "a selection and an active layer", StepGroup::Layers},
};

constexpr CommandSpec kMoveCommands[] = {
    {.id = kCmdMoveLayer, .route = CommandRoute::Document, .enabled = canMoveLayer, .run = moveLayer,
     .steps = kMoveLayerSteps},
    {.id = kCmdMoveSelection, .route = CommandRoute::Document, .enabled = canMoveSelection, .run = moveSelection,
     .steps = kMoveSelectionSteps},
};

} // namespace

std::span<const CommandSpec> moveCommandSpecs() { return kMoveCommands; }

} // namespace pict
