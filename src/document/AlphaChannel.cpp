#include "document/AlphaChannel.h"

#include "document/MaskCombine.h"
#include "document/NumberedNames.h"
#include "document/SurfaceCopies.h"

#include <new>

namespace pict {

std::unique_ptr<AlphaChannel> AlphaChannel::clone() const {
    try {
        Surface8 mask;
        if (!cloneSurface(mask_, mask))
            return nullptr;
        return std::make_unique<AlphaChannel>(name_, std::move(mask));
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

AlphaChannel* AlphaChannelList::at(int32_t index) const {
    return index >= 0 && index < count() ? channels_[size_t(index)].get() : nullptr;
}

int32_t AlphaChannelList::indexOf(const AlphaChannel* channel) const {
    for (int32_t i = 0; i < count(); ++i)
        if (channels_[size_t(i)].get() == channel)
            return i;
    return -1;
}

bool AlphaChannelList::insert(std::unique_ptr<AlphaChannel> channel, int32_t index) {
    if (!channel)
        return false;
    if (contains(channel.get())) {
        (void)channel.release(); // already owned by this list
        return false;
    }
    try {
        if (index < 0 || index >= count())
            channels_.push_back(std::move(channel));
        else
            channels_.insert(channels_.begin() + index, std::move(channel));
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

bool AlphaChannelList::removeAt(int32_t index) { return eraseAt(index) != nullptr; }

std::unique_ptr<AlphaChannel> AlphaChannelList::eraseAt(int32_t index) {
    if (!at(index))
        return nullptr;
    auto channel = std::move(channels_[size_t(index)]);
    channels_.erase(channels_.begin() + index);
    return channel;
}

bool AlphaChannelList::combine(int32_t index, const Surface8& mask, int32_t mode) {
    AlphaChannel* channel = at(index);
    return channel && combineMasks(channel->mask(), mask, mode);
}

bool AlphaChannelList::restoreFrom(int32_t index, const Surface8& saved) {
    AlphaChannel* channel = at(index);
    if (!channel || !saved.isValid() || saved.size() != channel->size())
        return false;
    return copyPixels(saved, saved.bounds(), channel->mask(), {0, 0});
}

std::unique_ptr<AlphaChannelList> AlphaChannelList::clone() const {
    try {
        auto copy = std::make_unique<AlphaChannelList>();
        copy->channels_.reserve(channels_.size());
        for (const auto& channel : channels_) {
            auto cloned = channel->clone();
            if (!cloned)
                return nullptr;
            copy->channels_.push_back(std::move(cloned));
        }
        return copy;
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

std::string AlphaChannelList::nextName() const {
    std::vector<std::string_view> names;
    names.reserve(channels_.size());
    for (const auto& channel : channels_)
        names.push_back(channel->name());
    return nextNumberedName("Alpha ", names);
}

bool AlphaChannelList::resizeAll(Size size, int32_t method) {
    if (channels_.empty() || channels_.front()->size() == size)
        return true;
    if (size.isEmpty())
        return false;
    for (const auto& channel : channels_)
        if (!channel->mask().resize(size, method != 0))
            return false;
    return true;
}

bool AlphaChannelList::extendAll(Size canvas, Point anchor) {
    if (channels_.empty() || channels_.front()->size() == canvas)
        return true;
    if (canvas.isEmpty())
        return false;
    for (const auto& channel : channels_) {
        Surface8 extended;
        if (!extended.create(canvas.width, canvas.height, 8))
            return false;
        copyPixels(channel->mask(), channel->mask().bounds(), extended, anchor);
        channel->mask() = std::move(extended);
    }
    return true;
}

} // namespace pict
