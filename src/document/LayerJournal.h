#pragma once
// What a change over the whole layer stack took out of it, kept so that undo can put it
// back without copying a pixel: the very layer objects it replaced or removed, where the
// layers it added went, and every layer's position and the active layer from before.
// A stack with a journal attached records into it (LayerStack::attachJournal).

#include "common/Geometry.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace pict {

class Layer;
class LayerStack;

class LayerJournal {
public:
    enum class Change : uint8_t { Replaced, Removed, Added };
    struct Entry {
        Change change;
        int32_t index;
        std::unique_ptr<Layer> layer; // the layer taken out; none for Added
    };

    LayerJournal();
    LayerJournal(LayerJournal&&) noexcept;
    LayerJournal& operator=(LayerJournal&&) noexcept;
    ~LayerJournal();

    // Forgets what it held and records the stack as it is now. Room for every change a walk
    // over this stack can make is reserved here, so recording never allocates.
    void begin(const LayerStack& stack);
    bool isBegun() const { return begun_; }
    bool isEmpty() const { return entries_.empty(); }
    // The layers taken out (replaced or removed), in the order they were taken.
    std::vector<const Layer*> takenLayers() const;
    void clear();

private:
    friend class LayerStack;
    // False when no room was reserved for it (the change must then not be made).
    bool hasRoom() const { return entries_.size() < entries_.capacity(); }
    void record(Change change, int32_t index, std::unique_ptr<Layer> layer);

    bool begun_ = false;
    std::vector<Entry> entries_;
    std::vector<Point> positions_;
    int32_t activeIndex_ = -1;
};

} // namespace pict
