// Fill and Clear on the active layer, and the two shortcuts that fill with the current
// foreground or background color.
#include "app/commands/CommandDomains.h"
#include "app/commands/CommandIds.h"
#include "app/commands/CommandPreconditions.h"
#include "app/commands/steps/StepParsers.h"
#include "app/session/DocumentSession.h"
#include "history/fill/FillStates.h"
#include "history/layers/EmptyLayerPromotion.h"

namespace pict {

namespace {

const CommandResult kFailed{CommandOutcome::Failed};
const CommandResult kRefused{CommandOutcome::Refused};

bool canClear(const DocumentSession& session) {
    return hasSelection(session) && acceptsContent(session);
}

// Normal, 100 %, transparency not locked: what Alt+Delete and Ctrl+Delete paint with.
FillParams plainFill(Color color) {
    FillParams params;
    params.color = color.pixelWord();
    return params;
}

CommandResult fillWith(DocumentSession& session, const FillParams& params) {
    return pushState(session, ontoContentLayer(session, std::make_unique<FillState>(session, params)));
}

CommandResult clear(DocumentSession& session, const CommandParams&) {
    return pushState(session, ontoContentLayer(session, std::make_unique<ClearState>(
                                  session, session.app().backgroundColor.fillWord())));
}

CommandResult fillForeground(DocumentSession& session, const CommandParams&) {
    return fillWith(session, plainFill(session.app().foregroundColor));
}

CommandResult fillBackground(DocumentSession& session, const CommandParams&) {
    return fillWith(session, plainFill(session.app().backgroundColor));
}

// The Fill dialog's answer; without one, what the dialog starts with: the foreground
// color, Normal, 100 %, no lock.
CommandResult fillDialog(DocumentSession& session, const CommandParams& params) {
    if (std::holds_alternative<std::monostate>(params))
        return fillWith(session, plainFill(session.app().foregroundColor));
    const FillParams* answer = std::get_if<FillParams>(&params);
    if (!answer)
        return kFailed;
    // The dialog cannot confirm these; the command refuses them the same way.
    if (!isBlendMode(answer->mode) || answer->opacity < FillParams::kMinOpacity ||
        answer->opacity > FillParams::kMaxOpacity)
        return kRefused;
    return fillWith(session, *answer);
}

constexpr std::string_view kRasterLayer = "a visible raster or empty active layer";

constexpr CommandStep kClearSteps[] = {
    {"--clear", "", StepArgument::None, nullptr,
     "clear the selection: transparent, or the background color on the background layer",
     "a selection and a visible raster or empty active layer", StepGroup::Fill},
};
constexpr CommandStep kFillForegroundSteps[] = {
    {"--fill-foreground", "", StepArgument::None, nullptr,
     "fill the selection (or the layer) with the foreground color", kRasterLayer, StepGroup::Fill},
};
constexpr CommandStep kFillBackgroundSteps[] = {
    {"--fill-background", "", StepArgument::None, nullptr,
     "fill the selection (or the layer) with the background color", kRasterLayer, StepGroup::Fill},
};
constexpr CommandStep kFillSteps[] = {
    {"--fill", "RRGGBB[,MODE[,OPACITY[,preserve]]]", StepArgument::Required, parseFill,
     "fill the selection (or the layer) with the color; MODE a blend mode, OPACITY 1..100 %, preserve keeps the transparency",
     kRasterLayer, StepGroup::Fill},
};

constexpr CommandSpec kFillCommands[] = {
    {.id = kCmdClear, .route = CommandRoute::Document, .menuText = "Clear", .shortcutText = "Del", .keys = "Del",
     .statusText = "Clear the selection of the active layer\nClear", .enabled = canClear, .run = clear,
     .steps = kClearSteps},
    {.id = kCmdFillForeground, .route = CommandRoute::Document, .shortcutText = "Alt+Delete", .keys = "Alt+Del",
     .statusText = "Fill with the foreground color", .enabled = acceptsContent, .run = fillForeground,
     .steps = kFillForegroundSteps},
    {.id = kCmdFillBackground, .route = CommandRoute::Document, .shortcutText = "Ctrl+Delete",
     .keys = "Ctrl+Del", .statusText = "Fill with the background color", .enabled = acceptsContent,
     .run = fillBackground, .steps = kFillBackgroundSteps},
    {.id = kCmdFill, .route = CommandRoute::Document, .menuText = "Fill...",
     .statusText = "Fill canvas or selection with a specified color\nFill", .asks = CommandAsks::Dialog,
     .enabled = acceptsContent, .run = fillDialog, .steps = kFillSteps},
    {.id = kCmdNewSwatch, .route = CommandRoute::Document, .statusText = "Create a new swatch"},
    {.id = kCmdDeleteSwatch, .route = CommandRoute::Document, .statusText = "Delete swatch"},
};

} // namespace

std::span<const CommandSpec> fillCommandSpecs() { return kFillCommands; }

} // namespace pict
