#include "app/commands/LastFilterSlot.h"

#include "app/commands/CommandTable.h"

#include <new>

namespace pict {

void LastFilterSlot::record(const ImageFilter& filter) {
    const auto* neighborhood = dynamic_cast<const NeighborhoodFilter*>(&filter);
    if (!neighborhood || neighborhood == filter_.get())
        return;
    try {
        filter_ = neighborhood->clone();
    } catch (const std::bad_alloc&) {
        // The slot keeps the previous filter.
    }
}

std::unique_ptr<NeighborhoodFilter> LastFilterSlot::cloneFilter() const {
    if (!filter_)
        return nullptr;
    try {
        return filter_->clone();
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

FilterApplied recordInto(LastFilterSlot* slot) {
    if (!slot)
        return {};
    return [slot](const ImageFilter& filter) { slot->record(filter); };
}

std::string lastFilterMenuLabel(const LastFilterSlot& slot) {
    const CommandSpec* spec = findCommand(kCmdLastFilter);
    if (!spec)
        return {};
    if (slot.isEmpty())
        return menuLabel(*spec);
    const std::string name = slot.filter()->name();
    CommandSpec named = *spec;
    named.menuText = name.c_str();
    return menuLabel(named);
}

} // namespace pict
