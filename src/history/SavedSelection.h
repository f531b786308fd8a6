#pragma once
// A copy of a window's selection that a state puts back on undo, for the states that change
// pixels and the selection together (Paste, Move Selection).

#include "history/DocumentContext.h"
#include "selection/SelectionMask.h"

namespace pict {

class SavedSelection {
public:
    // False when memory runs out.
    bool save(const DocumentContext& context) { return saved_.copyFrom(context.selection().mask()); }
    void restore(DocumentContext& context) const { context.selection().restore(saved_); }

private:
    SelectionMask saved_;
};

} // namespace pict
