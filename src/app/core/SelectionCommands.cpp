// The Select menu: whole-canvas, inverse and Modify commands, Grow and Similar, and the
// saved-channel commands, plus the marquee entry point.
#include "app/core/CommandEntry.h"
#include "app/core/CommandIds.h"
#include "app/core/CommandPreconditions.h"
#include "app/core/DocumentSession.h"
#include "selection/SelectionState.h"

namespace pict {

std::span<const CommandEntry> selectionCommandEntries() {
    return {};
}

CommandResult DocumentCommands::selectMarquee(Rect rect, bool ellipse) {
    if (rect.normalized().isEmpty())
        return {CommandOutcome::Refused};
    return pushState(session_, std::make_unique<MarqueeState>(session_.selection(), rect, ellipse));
}

} // namespace pict
