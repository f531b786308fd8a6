#include "history/selection/ChannelStates.h"

#include "document/Document.h"

#include <algorithm>
#include <new>

namespace pict {

void LoadSelectionState::perform(SelectionController& selection) {
    const AlphaChannelList* channels = document_.channelsIfAny();
    const AlphaChannel* channel = channels ? channels->at(channel_) : nullptr;
    if (channel)
        selection.loadFromChannel(channel->mask(), mode_, invert_);
}

namespace {

int32_t channelCount(const Document& document) {
    const AlphaChannelList* channels = document.channelsIfAny();
    return channels ? channels->count() : 0;
}

} // namespace

SaveSelectionState::SaveSelectionState(const SelectionController& selection, Document& document,
                                       int32_t channel, std::string channelName, CombineMode mode)
    : selection_(selection), document_(document), channel_(std::clamp(channel, 0, channelCount(document))),
      channelName_(std::move(channelName)), mode_(mode), createsChannel_(channel_ == channelCount(document)) {
}

bool SaveSelectionState::apply() {
    if (selection_.isEmpty())
        return false;
    Surface8 mask;
    if (!selection_.mask().toCanvasSurface(mask))
        return false;
    AlphaChannelList& channels = document_.channels();
    try {
        if (createsChannel_) {
            // Appended at the end, so that undo knows where it is: the last one.
            channel_ = channels.count();
            return channels.insert(std::make_unique<AlphaChannel>(channelName_, std::move(mask)), channel_);
        }
        const AlphaChannel* existing = channels.at(channel_);
        if (!existing)
            return false;
        if (!applied_) {
            savedChannel_ = existing->mask().clone();
            if (!savedChannel_.isValid())
                return false;
        }
    } catch (const std::bad_alloc&) {
        return false;
    }
    if (!channels.combine(channel_, mask, static_cast<int32_t>(mode_)))
        return false;
    applied_ = true;
    return true;
}

bool SaveSelectionState::undo() {
    AlphaChannelList* channels = document_.channelsIfAny() ? &document_.channels() : nullptr;
    if (!channels || !channels->at(channel_))
        return false;
    if (createsChannel_)
        return channels->removeAt(channel_);
    return channels->restoreFrom(channel_, savedChannel_);
}

} // namespace pict
