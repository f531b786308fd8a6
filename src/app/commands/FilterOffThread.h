#pragma once
// Filters and adjustments on large layers in the editor: the filtered pixels and the undo
// pixels are computed away from the user-interface thread (through the session's long-work
// runner, which shows progress and Cancel), from read-only views of the layer, so the
// document is not touched until the result is put on the layer and recorded as one history
// state on this thread. Cancelled work changes nothing. The bytes are those of applying the
// filter in place, which the batch tool and small layers still do.

#include "app/commands/DocumentCommands.h"
#include "history/filter/FilterHistoryState.h"

#include <memory>

namespace pict {

// Work over at least this many pixels runs off the user-interface thread when the session
// has a window: a filter's part of the layer, a geometry command's canvas.
inline constexpr int64_t kOffThreadPixels = int64_t(1) << 20;

// Whether a filter on the session's active layer now would run off the user-interface thread.
bool runsFilterOffThread(const DocumentSession& session);

// Applies the filter to the active layer within the selection as FilterHistoryState::apply
// would, with the work done by session.runLongWork. Done when the state was recorded; Failed
// (nothing changed) when the layer cannot be filtered or memory runs out; Cancelled when the
// user stopped it.
CommandResult filterOffThread(DocumentSession& session, std::shared_ptr<ImageFilter> filter,
                              FilterApplied applied);

} // namespace pict
