// The Select menu: whole-canvas, inverse and Modify commands, Grow and Similar, the saved
// channels, and the marquee entry point.
#include "app/dialogs/ChannelDialogModel.h"
#include "app/commands/CommandEntry.h"
#include "app/commands/CommandIds.h"
#include "app/commands/CommandPreconditions.h"
#include "app/session/DocumentSession.h"
#include "document/Document.h"
#include "selection/ChannelStates.h"
#include "selection/ColorSelectionState.h"
#include "selection/SelectionState.h"

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
    return pushState(session, std::make_unique<LoadSelectionState>(
                                  session.selection(), session.document(), answer->channel,
                                  combineModeFromInt(answer->operation), answer->invert));
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
    const CombineMode mode = newChannel ? CombineMode::New : combineModeFromInt(answer->operation);
    return pushState(session, std::make_unique<SaveSelectionState>(session.selection(), session.document(),
                                                                   channel, std::move(answer->name), mode));
}

constexpr CommandEntry kEntries[] = {
    {kCmdSelectAll, nullptr, selectAll},
    {kCmdDeselect, hasSelection, deselect},
    {kCmdSelectInverse, hasSelection, selectInverse},
    {kCmdToggleSelection, nullptr, toggleOutline},
    {kCmdFeather, hasSelection, feather},
    {kCmdExpand, hasSelection, modifyWidth<ModifyCommand::Expand>},
    {kCmdContract, hasSelection, modifyWidth<ModifyCommand::Contract>},
    {kCmdBorder, hasSelection, modifyWidth<ModifyCommand::Border>},
    {kCmdGrow, hasSelection, growOrSimilar<true>},
    {kCmdSimilar, hasSelection, growOrSimilar<false>},
    {kCmdLoadSelection, hasSavedChannel, loadSelection},
    {kCmdSaveSelection, hasSelection, saveSelection},
};

} // namespace

std::span<const CommandEntry> selectionCommandEntries() {
    return kEntries;
}

CommandResult DocumentCommands::selectMarquee(Rect rect, bool ellipse) {
    if (rect.normalized().isEmpty())
        return {CommandOutcome::Refused};
    return pushState(session_, std::make_unique<MarqueeState>(session_.selection(), rect, ellipse));
}

} // namespace pict
