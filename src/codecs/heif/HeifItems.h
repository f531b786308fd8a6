#pragma once
// The items of a HEIF file as its meta box lists them: each item's type, properties and data.
// It answers what libheif does not hand out, such as a coded picture's parameter sets or a
// grid's output size, so that a file can be checked before any decoder sees it.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace pict {

class HeifItems {
public:
    // Reads the boxes of `file`, which must outlive this; boxes that do not parse are left out.
    explicit HeifItems(std::span<const uint8_t> file);

    // The item's four-letter type from its infe entry ("hvc1", "grid"…), empty when unknown.
    std::string type(uint32_t item) const;
    // The payload of the first property of `kind` ("hvcC") associated with the item, or empty.
    std::span<const uint8_t> property(uint32_t item, const char (&kind)[5]) const;
    // The items this item refers to through references of `kind` ("dimg": the pictures a grid
    // or overlay is built from), in the file's order.
    std::vector<uint32_t> references(uint32_t item, const char (&kind)[5]) const;
    // The items that refer to this one through references of `kind` ("auxl": its alpha plane).
    std::vector<uint32_t> referredBy(uint32_t item, const char (&kind)[5]) const;
    // The item's first `count` bytes of data, from the file or the idat box; fewer when the
    // item has fewer or its extents cannot be found.
    std::vector<uint8_t> data(uint32_t item, size_t count) const;

private:
    struct Property {
        uint32_t kind = 0; // its four-letter code
        std::span<const uint8_t> payload;
    };
    struct Extent {
        uint64_t offset = 0;
        uint64_t length = 0;
    };
    struct Reference {
        uint32_t kind = 0;
        uint32_t from = 0;
        uint32_t to = 0;
    };
    struct Item {
        uint32_t id = 0;
        uint32_t type = 0;
        bool inIdat = false;
        std::vector<Extent> extents;
        std::vector<uint32_t> properties; // 1-based indices into properties_
    };

    Item* find(uint32_t id);
    const Item* find(uint32_t id) const;
    Item& entry(uint32_t id);
    void readItemInfo(std::span<const uint8_t> iinf);
    void readLocations(std::span<const uint8_t> iloc);
    void readAssociations(std::span<const uint8_t> ipma);
    void readReferences(std::span<const uint8_t> iref);

    std::span<const uint8_t> file_;
    std::span<const uint8_t> idat_;
    std::vector<Property> properties_;
    std::vector<Item> items_;
    std::vector<Reference> references_;
};

} // namespace pict
