#include "surface/OctreeQuantizer.h"

#include "surface/PixelCodec.h"

#include <algorithm>

namespace pict {

OctreeQuantizer::OctreeQuantizer(int32_t wanted, int32_t levels)
    : leafLimit_(std::clamp(wanted, 16, 256)),
      paletteSize_(std::clamp(wanted, 2, 256)),
      levels_(std::clamp(levels, 1, 8)),
      root_(std::make_unique<Node>()) {}

// Deep trees would otherwise be freed by deep recursion of unique_ptr destructors; the depth
// is at most 8, so the default is fine.
OctreeQuantizer::~OctreeQuantizer() = default;

void OctreeQuantizer::add(uint8_t red, uint8_t green, uint8_t blue, uint8_t extra) {
    Node* node = root_.get();
    for (int32_t level = 0; level < levels_ && !node->leaf; ++level) {
        const int bit = 7 - level;
        const int index = ((red >> bit) & 1) << 2 | ((green >> bit) & 1) << 1 | ((blue >> bit) & 1);
        auto& child = node->children[size_t(index)];
        if (!child) {
            child = std::make_unique<Node>();
            const int32_t childLevel = level + 1;
            if (childLevel == levels_) {
                child->leaf = true;
                ++leaves_;
            } else {
                child->nextReducible = reducible_[size_t(childLevel)];
                reducible_[size_t(childLevel)] = child.get();
            }
        }
        node = child.get();
    }
    node->count += 1;
    node->sums[0] += red;
    node->sums[1] += green;
    node->sums[2] += blue;
    node->sums[3] += extra;
    while (leaves_ > leafLimit_)
        reduce();
}

void OctreeQuantizer::reduce() {
    int32_t level = levels_ - 1;
    while (level > 0 && !reducible_[size_t(level)])
        --level;
    Node* node = reducible_[size_t(level)];
    if (!node)
        return;
    reducible_[size_t(level)] = node->nextReducible;
    int32_t folded = 0;
    for (auto& child : node->children) {
        if (!child)
            continue;
        node->count += child->count;
        for (int c = 0; c < 4; ++c)
            node->sums[c] += child->sums[c];
        child.reset();
        ++folded;
    }
    node->leaf = true;
    leaves_ -= folded - 1;
}

void OctreeQuantizer::addBuffer(const SurfaceBuffer& buffer) {
    const int depth = buffer.depth();
    for (int32_t y = 0; y < buffer.height(); ++y) {
        const uint8_t* row = buffer.row(y);
        if (depth == 24) {
            for (int32_t x = 0; x < buffer.width(); ++x, row += 3)
                add(row[2], row[1], row[0]);
        } else {
            for (int32_t x = 0; x < buffer.width(); ++x) {
                const uint32_t e = buffer.palette.at(int32_t(rawAt(row, depth, x)));
                add(uint8_t(e >> 16), uint8_t(e >> 8), uint8_t(e), uint8_t(e >> 24));
            }
        }
    }
}

void OctreeQuantizer::collect(const Node& node, std::vector<Leaf>& out) const {
    if (node.leaf) {
        if (node.count > 0)
            out.push_back({node.count, {node.sums[0], node.sums[1], node.sums[2], node.sums[3]}});
        return;
    }
    for (const auto& child : node.children)
        if (child)
            collect(*child, out);
}

int32_t OctreeQuantizer::producePalette(ColorTable& palette) const {
    if (palette.count() < paletteSize_)
        return 0;
    std::vector<Leaf> leaves;
    collect(*root_, leaves);
    auto entryOf = [](const Leaf& l) {
        const uint64_t n = l.count ? l.count : 1;
        return uint32_t(l.sums[3] / n) << 24 | uint32_t(l.sums[0] / n) << 16 | uint32_t(l.sums[1] / n) << 8 |
               uint32_t(l.sums[2] / n);
    };
    const int32_t found = int32_t(leaves.size());
    if (paletteSize_ >= 16 || found <= paletteSize_) {
        const int32_t n = std::min(found, paletteSize_);
        for (int32_t i = 0; i < n; ++i)
            palette.set(i, entryOf(leaves[size_t(i)]));
        return n;
    }
    // Few wanted colors: neighbouring leaves in tree order are merged by pixel count.
    for (int32_t c = 0; c < paletteSize_; ++c) {
        Leaf merged{0, {0, 0, 0, 0}};
        for (int32_t i = c * found / paletteSize_; i < (c + 1) * found / paletteSize_; ++i) {
            merged.count += leaves[size_t(i)].count;
            for (int k = 0; k < 4; ++k)
                merged.sums[k] += leaves[size_t(i)].sums[k];
        }
        palette.set(c, entryOf(merged));
    }
    return paletteSize_;
}

} // namespace pict
