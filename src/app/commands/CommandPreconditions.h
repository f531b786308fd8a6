#pragma once
// The preconditions that document commands share, tested before anything is shown or
// changed, and the one way a command records its state.

#include "app/commands/DocumentCommands.h"

#include <memory>
#include <optional>
#include <variant>

namespace pict {

class DocumentSession;
class HistoryState;

// An active raster layer that is visible and not empty and, while something is selected,
// whose canvas rectangle meets the selection's bounds: what every filter needs.
bool hasEditableLayer(const DocumentSession& session);
// An active raster layer that is visible (it may be empty).
bool hasVisibleRasterLayer(const DocumentSession& session);
// A visible active layer that takes pixels: a raster layer, or an empty layer, which the
// state turns into a transparent raster layer first.
bool acceptsContent(const DocumentSession& session);
// Something is selected.
bool hasSelection(const DocumentSession& session);
// Something is selected and its bounds meet the canvas.
bool selectionMeetsCanvas(const DocumentSession& session);

// Hands the state to the session's history, which applies it first unless alreadyApplied
// (a dialog's preview did). Done when it was recorded; Failed when there was no state or
// its apply failed, and then nothing was recorded.
CommandResult pushState(DocumentSession& session, std::unique_ptr<HistoryState> state,
                        bool alreadyApplied = false);

// Records a painting tool's state, which painted as it went: it is marked applied and the
// document modified. A null state (nothing changed) records nothing and says so.
CommandResult recordPainting(DocumentSession& session, std::unique_ptr<HistoryState> state);

// The dialog's answer a command was given: the record itself, its defaults for monostate (a
// caller that takes what the dialog would start with), or none for a record of another kind.
template <class Params> std::optional<Params> dialogAnswer(const CommandParams& params) {
    if (std::holds_alternative<std::monostate>(params))
        return Params{};
    if (const Params* given = std::get_if<Params>(&params))
        return *given;
    return std::nullopt;
}

inline CommandResult commandResult(CommandOutcome outcome) {
    return CommandResult{outcome};
}

} // namespace pict
