#pragma once
// Saved selections: named canvas-sized 8-bit masks (255 selected) kept with the document,
// copied with it, never written to image files.

#include "common/Geometry.h"
#include "surface/RasterSurface.h"

#include <memory>
#include <string>
#include <vector>

namespace pict {

class AlphaChannel {
public:
    AlphaChannel(std::string name, Surface8&& mask) : mask_(std::move(mask)), name_(std::move(name)) {}

    const std::string& name() const { return name_; }
    void setName(std::string name) { name_ = std::move(name); }
    const Surface8& mask() const { return mask_; }
    Surface8& mask() { return mask_; }
    Size size() const { return mask_.size(); }

    // Null when memory runs out.
    std::unique_ptr<AlphaChannel> clone() const;

private:
    Surface8 mask_;
    std::string name_;
};

class AlphaChannelList {
public:
    int32_t count() const { return int32_t(channels_.size()); }
    AlphaChannel* at(int32_t index) const;
    int32_t indexOf(const AlphaChannel* channel) const;
    bool contains(const AlphaChannel* channel) const { return indexOf(channel) >= 0; }

    // An index outside 0..count-1 appends. Fails for null or a channel already in the list
    // (which keeps owning it once).
    bool insert(std::unique_ptr<AlphaChannel> channel, int32_t index = -1);
    bool removeAt(int32_t index);
    // Takes the channel out without destroying it.
    std::unique_ptr<AlphaChannel> eraseAt(int32_t index);
    // Combines mask into the channel with a CombineMode; fails, unchanged, on unequal sizes.
    bool combine(int32_t index, const Surface8& mask, int32_t mode);
    // The saved copy's pixels replace the channel's when the sizes are equal.
    bool restoreFrom(int32_t index, const Surface8& saved);

    // Null when memory runs out.
    std::unique_ptr<AlphaChannelList> clone() const;
    // "Alpha " followed by one more than the largest number in use.
    std::string nextName() const;

    // Image Size and Canvas Size: nothing to do when the list is empty or the first channel
    // already has the new size. method 0 nearest neighbour, otherwise smooth.
    bool resizeAll(Size size, int32_t method);
    bool extendAll(Size canvas, Point anchor);

private:
    std::vector<std::unique_ptr<AlphaChannel>> channels_;
};

} // namespace pict
