#include "history/selection/SelectionState.h"

namespace pict {

bool SelectionState::apply() {
    if (!holdsCopy_) {
        // Without the copy there would be no undo; refusing is the only safe answer.
        if (!saved_.copyFrom(selection_.mask()))
            return false;
        holdsCopy_ = true;
    }
    perform(selection_);
    return true;
}

bool SelectionState::undo() {
    if (!holdsCopy_)
        return false;
    // A failed restore keeps the copy, so that a redo still starts from the right mask.
    if (!selection_.restore(saved_))
        return false;
    saved_ = SelectionMask();
    holdsCopy_ = false;
    return true;
}

std::string ModifyWidthState::name() const {
    switch (command_) {
    case ModifyCommand::Expand:
        return "Expand";
    case ModifyCommand::Contract:
        return "Contract";
    case ModifyCommand::Border:
    case ModifyCommand::Feather:
        break;
    }
    return "Border";
}

void ModifyWidthState::perform(SelectionController& selection) {
    switch (command_) {
    case ModifyCommand::Expand:
        selection.expand(width_);
        return;
    case ModifyCommand::Contract:
        selection.contract(width_);
        return;
    case ModifyCommand::Border:
    case ModifyCommand::Feather:
        break;
    }
    selection.border(width_);
}

} // namespace pict
