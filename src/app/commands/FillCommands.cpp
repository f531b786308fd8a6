// Fill and Clear on the active layer, and the two shortcuts that fill with the current
// foreground or background color.
#include "app/commands/CommandEntry.h"
#include "app/commands/CommandIds.h"
#include "app/commands/CommandPreconditions.h"
#include "app/session/DocumentSession.h"
#include "app/session/LayerColor.h"
#include "imageops/FillStates.h"

namespace pict {

namespace {

const CommandResult kFailed{CommandOutcome::Failed};
const CommandResult kRefused{CommandOutcome::Refused};

bool canClear(const DocumentSession& session) {
    return hasSelection(session) && hasVisibleRasterLayer(session);
}

// Normal, 100 %, transparency not locked: what Alt+Delete and Ctrl+Delete paint with.
FillParams plainFill(uint32_t color32) {
    FillParams params;
    params.color = 0xFF000000u | (color32 & 0xFFFFFFu);
    return params;
}

CommandResult fillWith(DocumentSession& session, const FillParams& params) {
    return pushState(session, std::make_unique<FillState>(session, params));
}

CommandResult clear(DocumentSession& session, const CommandParams&) {
    return pushState(session, std::make_unique<ClearState>(session, layerColorWord(session.app().backgroundColor)));
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

constexpr CommandEntry kEntries[] = {
    {kCmdClear, canClear, clear},
    {kCmdFillForeground, hasVisibleRasterLayer, fillForeground},
    {kCmdFillBackground, hasVisibleRasterLayer, fillBackground},
    {kCmdFill, hasVisibleRasterLayer, fillDialog},
};

} // namespace

std::span<const CommandEntry> fillCommandEntries() {
    return kEntries;
}

} // namespace pict
