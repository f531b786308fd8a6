#pragma once
// The application's one "Last Filter": a clone of the most recently applied neighbourhood
// filter, shared by every document window and handed to each filter it should follow.

#include "imageops/ImageFilter.h"

#include <memory>
#include <string>

namespace pict {

class LastFilterSlot {
public:
    bool isEmpty() const { return !filter_; }
    const NeighborhoodFilter* filter() const { return filter_.get(); }

    // Replaces the content by a clone of filter. Keeps the old content when the clone cannot
    // be made; recording the slot's own object changes nothing.
    void record(const NeighborhoodFilter& filter);
    void clear() { filter_.reset(); }

    // A fresh clone to run for "Last Filter"; null when the slot is empty or memory ran out.
    std::unique_ptr<NeighborhoodFilter> cloneFilter() const;

    // The Filter menu's item: the filter's name, or "Last Filter", then "\tCtrl+F".
    std::string menuText() const;

private:
    std::unique_ptr<NeighborhoodFilter> filter_;
};

} // namespace pict
