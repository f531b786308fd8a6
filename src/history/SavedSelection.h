#pragma once
// A copy of a window's selection (bounds and coverage) that a state puts back on undo, for
// the states that change pixels and the selection together (Paste, Move Selection).

#include "common/Geometry.h"
#include "history/DocumentContext.h"
#include "surface/RasterSurface.h"

namespace pict {

class SavedSelection {
public:
    // False when memory runs out; an empty selection is saved as empty.
    bool save(const SelectionArea& area) {
        topLeft_ = area.bounds.topLeft();
        if (area.isEmpty()) {
            coverage_.destroy();
            return true;
        }
        coverage_ = area.coverage->clone();
        return !coverage_.isEmpty();
    }
    void restore(DocumentContext& context) const { context.placeSelection(coverage_, topLeft_); }
    bool isEmpty() const { return coverage_.isEmpty(); }

private:
    Point topLeft_;
    Surface8 coverage_;
};

} // namespace pict
