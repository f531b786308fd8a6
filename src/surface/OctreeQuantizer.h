#pragma once
// Octree color quantizer: colors are sorted into a tree by their bits, most significant
// first; whenever there are more leaves than allowed, the most recently created node of the
// deepest level with children is folded into one leaf. The leaves' average colors become the
// palette.

#include "surface/SurfaceBuffer.h"

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

namespace pict {

class OctreeQuantizer {
public:
    // wanted: palette size (clamped to 2..256; the leaf limit is wanted clamped to 16..256).
    // levels: tree depth, clamped to 1..8.
    OctreeQuantizer(int32_t wanted, int32_t levels);
    ~OctreeQuantizer();
    OctreeQuantizer(const OctreeQuantizer&) = delete;
    OctreeQuantizer& operator=(const OctreeQuantizer&) = delete;

    void add(uint8_t red, uint8_t green, uint8_t blue, uint8_t extra = 0);
    // Every pixel of an indexed (through its palette) or 24-bit buffer.
    void addBuffer(const SurfaceBuffer& buffer);

    int32_t leafCount() const { return leaves_; }
    int32_t paletteSize() const { return paletteSize_; }
    // Fills palette with up to paletteSize() entries (fewer when fewer colors were found) and
    // returns how many; 0 when the table is smaller than paletteSize().
    int32_t producePalette(ColorTable& palette) const;

private:
    struct Node {
        std::array<std::unique_ptr<Node>, 8> children;
        bool leaf = false;
        uint64_t count = 0;
        uint64_t sums[4] = {0, 0, 0, 0}; // red, green, blue, extra
        Node* nextReducible = nullptr;
    };
    struct Leaf {
        uint64_t count;
        uint64_t sums[4];
    };

    void reduce();
    void collect(const Node& node, std::vector<Leaf>& out) const;

    int32_t leafLimit_;
    int32_t paletteSize_;
    int32_t levels_;
    int32_t leaves_ = 0;
    std::unique_ptr<Node> root_;
    std::array<Node*, 9> reducible_{}; // per level, most recent first
};

} // namespace pict
