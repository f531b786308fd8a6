// The Select menu: whole-canvas, inverse and Modify commands, Grow and Similar, the saved
// channels; and the selection tools' results: the marquee, the lasso and the magic wand.
#include "app/commands/CommandDomains.h"
#include "app/commands/CommandIds.h"
#include "app/commands/CommandPreconditions.h"
#include "app/commands/steps/StepParsers.h"
#include "app/dialogs/ChannelDialogModel.h"
#include "app/session/DocumentSession.h"
#include "document/Document.h"
#include "history/selection/ChannelStates.h"
#include "history/selection/ColorSelectionState.h"
#include "history/selection/SelectionState.h"
#include "history/selection/CombinedSelectionState.h"
#include "selection/EdgeSoftening.h"
#include "selection/SimilarRegion.h"

#include <algorithm>

namespace pict {

namespace {

const CommandResult kFailed{CommandOutcome::Failed};

int32_t channelCount(const DocumentSession& session) {
    const AlphaChannelList* channels = session.document().channelsIfAny();
    return channels ? channels->count() : 0;
}

bool hasSavedChannel(const DocumentSession& session) {
    return channelCount(session) > 0;
}

CommandResult selectAll(DocumentSession& session, const CommandParams&) {
    return pushState(session, std::make_unique<SelectAllState>(session.selection()));
}

CommandResult deselect(DocumentSession& session, const CommandParams&) {
    return pushState(session, std::make_unique<DeselectState>(session.selection()));
}

CommandResult selectInverse(DocumentSession& session, const CommandParams&) {
    return pushState(session, std::make_unique<SelectInverseState>(session.selection()));
}

CommandResult toggleOutline(DocumentSession& session, const CommandParams&) {
    // The controller keeps the flag and the session passes the change on to its view.
    session.selection().toggleOutline();
    return {CommandOutcome::ViewChange};
}

CommandResult feather(DocumentSession& session, const CommandParams& params) {
    const auto answer = dialogAnswer<FeatherParams>(params);
    if (!answer)
        return kFailed;
    return pushState(session, std::make_unique<FeatherState>(session.selection(), answer->radius));
}

template <ModifyCommand kCommand>
CommandResult modifyWidth(DocumentSession& session, const CommandParams& params) {
    const auto answer = dialogAnswer<ModifyParams>(params);
    if (!answer)
        return kFailed;
    return pushState(session,
                     std::make_unique<ModifyWidthState>(session.selection(), kCommand, answer->pixels));
}

template <bool kGrow> CommandResult growOrSimilar(DocumentSession& session, const CommandParams&) {
    const int32_t layer = session.document().layers().activeIndex();
    return pushState(session,
                     std::make_unique<ColorSelectionState>(session.selection(), session.document(), layer,
                                                           session.app().similarityTolerance, kGrow));
}

CommandResult loadSelection(DocumentSession& session, const CommandParams& params) {
    const auto answer = dialogAnswer<LoadSelectionParams>(params);
    if (!answer)
        return kFailed;
    // A channel saved before a rotation, crop or trim no longer fits the canvas; loading it
    // would do nothing, so no step is recorded for it, and the user is told why.
    const AlphaChannel* channel = session.document().channels().at(answer->channel);
    const Size canvas = session.document().canvasSize();
    if (channel && !channelFitsCanvas(channel->size(), canvas))
        return {CommandOutcome::Refused, channelMisfitMessage(channel->name(), channel->size(), canvas)};
    return pushState(session, std::make_unique<LoadSelectionState>(session.selection(), session.document(),
                                                                   answer->channel, answer->operation,
                                                                   answer->invert));
}

CommandResult saveSelection(DocumentSession& session, const CommandParams& params) {
    auto answer = dialogAnswer<SaveSelectionParams>(params);
    if (!answer)
        return kFailed;
    const int32_t count = channelCount(session);
    const bool newChannel = answer->channel < 0 || answer->channel >= count;
    const int32_t channel = newChannel ? count : answer->channel;
    if (newChannel && answer->name.empty())
        answer->name = session.document().channels().nextName();
    // A new channel has nothing to combine with: it is always the selection itself.
    const CombineMode mode = newChannel ? CombineMode::New : answer->operation;
    return pushState(session, std::make_unique<SaveSelectionState>(session.selection(), session.document(),
                                                                   channel, std::move(answer->name), mode));
}

// The selection tools' combine modes map onto Load Selection's: replace is New.
CombineMode selectionMode(int32_t mode) { return combineModeFromInt(std::clamp(mode, 0, 3)); }

CommandResult magicWand(DocumentSession& session, const CommandParams& params) {
    const MagicWandParams* wand = std::get_if<MagicWandParams>(&params);
    if (!wand)
        return kFailed;
    Document& document = session.document();
    if (!document.canvasRect().contains(wand->point.x, wand->point.y))
        return {CommandOutcome::Refused, "the point " + std::to_string(wand->point.x) + "," +
                                             std::to_string(wand->point.y) + " lies outside the canvas"};
    const int32_t tolerance =
        std::clamp(wand->tolerance < 0 ? session.app().similarityTolerance : wand->tolerance, 0, 255);
    SelectionMask region;
    if (!similarRegionOfDocument(document, wand->point, tolerance, wand->contiguous, wand->sampleMerged, region))
        return {CommandOutcome::Refused, "the active layer has no pixels to compare"};
    if (wand->antiAlias && !softenRegionEdge(region))
        return {CommandOutcome::Failed, "there is not enough memory for the selection's soft edge"};
    return pushState(session, std::make_unique<CombinedSelectionState>(session.selection(), "Magic Wand",
                                                                       std::move(region), selectionMode(wand->mode)));
}

CommandResult lasso(DocumentSession& session, const CommandParams& params) {
    const LassoParams* lasso = std::get_if<LassoParams>(&params);
    if (!lasso || lasso->polygon.size() < 3)
        return {CommandOutcome::Refused, "a lasso needs at least three points"};
    Surface8 shape;
    if (!polygonMask(lasso->polygon, session.document().canvasSize(), shape))
        return kFailed;
    return pushState(session,
                     std::make_unique<CombinedSelectionState>(session.selection(),
                                                              lasso->polygonal ? "Polygonal Lasso" : "Lasso", shape,
                                                              selectionMode(lasso->mode)));
}

constexpr std::string_view kSelection = "a selection";

constexpr CommandStep kSelectAllSteps[] = {
    {"--select-all", "", StepArgument::None, nullptr, "select the whole canvas", "", StepGroup::Selection},
};
constexpr CommandStep kDeselectSteps[] = {
    {"--deselect", "", StepArgument::None, nullptr, "drop the selection", kSelection, StepGroup::Selection},
};
constexpr CommandStep kSelectInverseSteps[] = {
    {"--select-inverse", "", StepArgument::None, nullptr,
     "invert the selection", kSelection, StepGroup::Selection},
};
constexpr CommandStep kFeatherSteps[] = {
    {"--feather", "R", StepArgument::Required, parseFeather,
     "feather the selection by radius R (0.1..250)", kSelection, StepGroup::Selection},
};
constexpr CommandStep kBorderSteps[] = {
    {"--border", "N", StepArgument::Required, parseBorder,
     "select a border N pixels wide (1..100) along the selection's edge", kSelection, StepGroup::Selection},
};
constexpr CommandStep kExpandSteps[] = {
    {"--expand", "N", StepArgument::Required, parseExpand,
     "expand the selection by N pixels (1..100)", kSelection, StepGroup::Selection},
};
constexpr CommandStep kContractSteps[] = {
    {"--contract", "N", StepArgument::Required, parseContract,
     "contract the selection by N pixels (1..100)", kSelection, StepGroup::Selection},
};
constexpr CommandStep kGrowSteps[] = {
    {"--grow", "", StepArgument::None, nullptr,
     "add the similar pixels connected to the selection", kSelection, StepGroup::Selection},
};
constexpr CommandStep kSimilarSteps[] = {
    {"--similar", "", StepArgument::None, nullptr,
     "add every pixel similar to the selected ones", kSelection, StepGroup::Selection},
};
constexpr CommandStep kLoadSelectionSteps[] = {
    {"--load-selection", "INDEX[,OP[,invert]]", StepArgument::Required, parseLoadSelection,
     "load channel INDEX (from 0) as the selection; OP new|add|subtract|intersect",
     "a saved channel", StepGroup::Selection, runLoadSelectionStep},
};
constexpr CommandStep kSaveSelectionSteps[] = {
    {"--save-selection", "[INDEX|new][,NAME[,OP]]", StepArgument::Optional, parseSaveSelection,
     "save the selection to a channel (default new, \"Alpha N\"); OP new|add|subtract|intersect",
     kSelection, StepGroup::Selection, runSaveSelectionStep},
};
constexpr CommandStep kMagicWandSteps[] = {
    {"--magic-wand", "X,Y[,TOLERANCE[,MODE]]", StepArgument::Required, parseMagicWand,
     "select the similar colors connected to the pixel (TOLERANCE 0..255, default --tolerance's; MODE "
     "replace|add|subtract|intersect)",
     "a raster active layer", StepGroup::Selection},
};
constexpr CommandStep kLassoSteps[] = {
    {"--select-lasso", "X1,Y1;X2,Y2;...[,MODE]", StepArgument::Required, parseLasso,
     "select the polygon through the points (pixel corners: 0,0;4,0;4,3;0,3 is a 4 x 3 rectangle); MODE "
     "replace|add|subtract|intersect",
     "", StepGroup::Selection},
};

constexpr CommandSpec kSelectionCommands[] = {
    {.id = kCmdSelectAll, .route = CommandRoute::Document, .menuText = "All", .shortcutText = "Ctrl+A",
     .keys = "Ctrl+A", .statusText = "Select the whole canvas\nSelect All", .run = selectAll,
     .steps = kSelectAllSteps},
    {.id = kCmdDeselect, .route = CommandRoute::Document, .menuText = "Deselect", .shortcutText = "Ctrl+D",
     .keys = "Ctrl+D", .statusText = "Remove the selection\nDeselect", .enabled = hasSelection, .run = deselect,
     .steps = kDeselectSteps},
    {.id = kCmdSelectInverse, .route = CommandRoute::Document, .menuText = "Inverse",
     .shortcutText = "Shift+Ctrl+I", .keys = "Ctrl+Shift+I", .statusText = "Invert the selection\nInverse",
     .enabled = hasSelection, .run = selectInverse, .steps = kSelectInverseSteps},
    {.id = kCmdToggleSelection, .route = CommandRoute::Document, .menuText = "Toggle Selection",
     .shortcutText = "Ctrl+H", .keys = "Ctrl+H",
     .statusText = "Show or hide the selection outline\nToggle Selection", .run = toggleOutline},
    {.id = kCmdFeather, .route = CommandRoute::Document, .menuText = "Feather...",
     .statusText = "Soften the selection edge\nFeather", .asks = CommandAsks::Dialog, .enabled = hasSelection,
     .run = feather, .steps = kFeatherSteps},
    {.id = kCmdBorder, .route = CommandRoute::Document, .menuText = "Border...",
     .statusText = "Select a band along the selection edge\nBorder", .asks = CommandAsks::Dialog,
     .enabled = hasSelection, .run = modifyWidth<ModifyCommand::Border>, .steps = kBorderSteps},
    {.id = kCmdExpand, .route = CommandRoute::Document, .menuText = "Expand...",
     .statusText = "Grow the selection by a number of pixels\nExpand", .asks = CommandAsks::Dialog,
     .enabled = hasSelection, .run = modifyWidth<ModifyCommand::Expand>, .steps = kExpandSteps},
    {.id = kCmdContract, .route = CommandRoute::Document, .menuText = "Contract...",
     .statusText = "Shrink the selection by a number of pixels\nContract", .asks = CommandAsks::Dialog,
     .enabled = hasSelection, .run = modifyWidth<ModifyCommand::Contract>, .steps = kContractSteps},
    {.id = kCmdGrow, .route = CommandRoute::Document, .menuText = "Grow",
     .statusText = "Add adjacent similar pixels to the selection\nGrow", .enabled = hasSelection,
     .run = growOrSimilar<true>, .steps = kGrowSteps},
    {.id = kCmdSimilar, .route = CommandRoute::Document, .menuText = "Similar",
     .statusText = "Add all similar pixels to the selection\nSimilar", .enabled = hasSelection,
     .run = growOrSimilar<false>, .steps = kSimilarSteps},
    {.id = kCmdLoadSelection, .route = CommandRoute::Document, .menuText = "Load Selection...",
     .statusText = "Load the selection from a channel\nLoad Selection", .asks = CommandAsks::Dialog,
     .enabled = hasSavedChannel, .run = loadSelection, .steps = kLoadSelectionSteps},
    {.id = kCmdSaveSelection, .route = CommandRoute::Document, .menuText = "Save Selection...",
     .statusText = "Save the selection to a channel\nSave Selection", .asks = CommandAsks::Dialog,
     .enabled = hasSelection, .run = saveSelection, .steps = kSaveSelectionSteps},
    {.id = kCmdMagicWand, .route = CommandRoute::Document,
     .statusText = "Select similar colors by clicking\nMagic Wand", .run = magicWand, .steps = kMagicWandSteps},
    {.id = kCmdSelectLasso, .route = CommandRoute::Document, .statusText = "Select a freehand shape\nLasso",
     .run = lasso, .steps = kLassoSteps},
    {.id = kCmdMarqueeNew, .route = CommandRoute::Document, .statusText = "New selection"},
    {.id = kCmdMarqueeAdd, .route = CommandRoute::Document, .statusText = "Add to selection"},
    {.id = kCmdMarqueeSubtract, .route = CommandRoute::Document, .statusText = "Subtract from selection"},
    {.id = kCmdMarqueeIntersect, .route = CommandRoute::Document, .statusText = "Intersect with selection"},
};

} // namespace

std::span<const CommandSpec> selectionCommandSpecs() { return kSelectionCommands; }

CommandResult DocumentCommands::selectMarquee(Rect rect, bool ellipse, int32_t mode) {
    if (rect.normalized().isEmpty())
        return {CommandOutcome::Refused};
    if (mode <= 0)
        return pushState(session_, std::make_unique<MarqueeState>(session_.selection(), rect, ellipse));
    Surface8 shape;
    if (!shapeMask(rect.normalized(), ellipse, session_.document().canvasSize(), shape))
        return kFailed;
    return pushState(session_, std::make_unique<CombinedSelectionState>(
                                   session_.selection(), ellipse ? "Elliptical Marquee" : "Rectangular Marquee",
                                   shape, selectionMode(mode)));
}

} // namespace pict
