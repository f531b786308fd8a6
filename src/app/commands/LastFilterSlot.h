#pragma once
// The application's one "Last Filter": a clone of the most recently applied neighbourhood
// filter, shared by every document window. The filter states the command layer and the
// dialogs' previews make report each successful application here (see recordInto).

#include "history/filter/FilterHistoryState.h"
#include "imageops/ImageFilter.h"

#include <memory>
#include <string>

namespace pict {

class LastFilterSlot {
public:
    bool isEmpty() const { return !filter_; }
    const NeighborhoodFilter* filter() const { return filter_.get(); }

    // Keeps a clone of filter when it is a neighbourhood filter; point filters leave the slot
    // alone, as does a clone that cannot be made. Recording the slot's own object changes
    // nothing.
    void record(const ImageFilter& filter);
    void clear() { filter_.reset(); }

    // A fresh clone to run for "Last Filter"; null when the slot is empty or memory ran out.
    std::unique_ptr<NeighborhoodFilter> cloneFilter() const;

private:
    std::unique_ptr<NeighborhoodFilter> filter_;
};

// What a filter state calls after each successful application: records into slot (nothing
// when slot is null).
FilterApplied recordInto(LastFilterSlot* slot);

// The Filter menu's item for Last Filter: its command's menu label with the last filter's
// name in place of the command's own text while the slot holds one.
std::string lastFilterMenuLabel(const LastFilterSlot& slot);

} // namespace pict
