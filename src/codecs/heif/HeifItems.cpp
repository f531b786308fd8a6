#include "codecs/heif/HeifItems.h"

#include "codecs/heif/BoxFields.h"

#include <algorithm>

namespace pict {

namespace {

struct Box {
    uint32_t type = 0;
    std::span<const uint8_t> payload;
};

// Walks boxes laid end to end; a box whose size runs past what holds it ends the walk.
class Boxes {
public:
    explicit Boxes(std::span<const uint8_t> bytes) : rest_(bytes) {}

    bool next(Box& box) {
        BoxFields fields(rest_);
        uint64_t size = fields.read(4);
        const uint32_t type = uint32_t(fields.read(4));
        if (size == 1)
            size = fields.read(8);
        else if (size == 0)
            size = rest_.size(); // to the end of what holds it
        const size_t header = rest_.size() - fields.rest().size();
        if (!fields.ok() || size < header || size > rest_.size())
            return false;
        box.type = type;
        box.payload = rest_.subspan(header, size_t(size) - header);
        rest_ = rest_.subspan(size_t(size));
        return true;
    }

private:
    std::span<const uint8_t> rest_;
};

} // namespace

HeifItems::HeifItems(std::span<const uint8_t> file) : file_(file) {
    std::span<const uint8_t> meta;
    Boxes top(file);
    for (Box box; top.next(box);)
        if (box.type == fourCC("meta") && box.payload.size() >= 4) {
            meta = box.payload.subspan(4); // past its version and flags
            break;
        }
    Boxes boxes(meta);
    for (Box box; boxes.next(box);) {
        if (box.type == fourCC("iinf"))
            readItemInfo(box.payload);
        else if (box.type == fourCC("iloc"))
            readLocations(box.payload);
        else if (box.type == fourCC("iref"))
            readReferences(box.payload);
        else if (box.type == fourCC("idat"))
            // libheif reads an extent that runs past the idat box on into the file, so the
            // sizes checked here must come from the same bytes.
            idat_ = file.subspan(size_t(box.payload.data() - file.data()));
        else if (box.type == fourCC("iprp")) {
            Boxes inside(box.payload);
            for (Box part; inside.next(part);) {
                if (part.type == fourCC("ipco")) {
                    Boxes kinds(part.payload);
                    for (Box property; kinds.next(property);)
                        properties_.push_back({property.type, property.payload});
                } else if (part.type == fourCC("ipma")) {
                    readAssociations(part.payload);
                }
            }
        }
    }
}

HeifItems::Item* HeifItems::find(uint32_t id) {
    const auto found = std::find_if(items_.begin(), items_.end(), [id](const Item& item) { return item.id == id; });
    return found == items_.end() ? nullptr : &*found;
}

const HeifItems::Item* HeifItems::find(uint32_t id) const { return const_cast<HeifItems*>(this)->find(id); }

HeifItems::Item& HeifItems::entry(uint32_t id) {
    if (Item* item = find(id))
        return *item;
    Item& added = items_.emplace_back();
    added.id = id;
    return added;
}

void HeifItems::readItemInfo(std::span<const uint8_t> iinf) {
    BoxFields fields(iinf);
    const uint64_t version = fields.read(4) >> 24;
    fields.read(version == 0 ? 2 : 4); // the entry count; the boxes that follow say as much
    Boxes entries(fields.rest());
    for (Box infe; entries.next(infe);) {
        BoxFields info(infe.payload);
        const uint64_t infeVersion = info.read(4) >> 24;
        if (infe.type != fourCC("infe") || infeVersion < 2)
            continue; // older entries carry no item type
        const uint32_t id = uint32_t(info.read(infeVersion == 2 ? 2 : 4));
        info.read(2); // protection index
        const uint32_t type = uint32_t(info.read(4));
        if (!info.ok())
            continue;
        entry(id).type = type;
    }
}

void HeifItems::readLocations(std::span<const uint8_t> iloc) {
    BoxFields fields(iloc);
    const uint64_t version = fields.read(4) >> 24;
    const uint64_t sizes = fields.read(2);
    const size_t offsetSize = (sizes >> 12) & 15, lengthSize = (sizes >> 8) & 15, baseSize = (sizes >> 4) & 15;
    const size_t indexSize = version >= 1 ? sizes & 15 : 0;
    for (uint64_t count = fields.read(version < 2 ? 2 : 4); count > 0 && fields.ok(); --count) {
        const uint32_t id = uint32_t(fields.read(version < 2 ? 2 : 4));
        const uint64_t method = version >= 1 ? fields.read(2) & 15 : 0;
        fields.read(2); // data reference index: this file
        const uint64_t base = fields.read(baseSize);
        std::vector<Extent> extents;
        for (uint64_t extent = fields.read(2); extent > 0 && fields.ok(); --extent) {
            fields.read(indexSize);
            const uint64_t offset = fields.read(offsetSize);
            extents.push_back({base + offset, fields.read(lengthSize)});
        }
        if (!fields.ok() || method > 1)
            continue; // data made from other items is not read here
        Item& item = entry(id);
        item.inIdat = method == 1;
        item.extents = std::move(extents);
    }
}

// Entries give each item 1-based ipco indices, 7 or 15 bits wide after an "essential" bit.
void HeifItems::readAssociations(std::span<const uint8_t> ipma) {
    BoxFields fields(ipma);
    const uint64_t versionAndFlags = fields.read(4);
    const size_t idSize = (versionAndFlags >> 24) < 1 ? 2 : 4, indexSize = (versionAndFlags & 1) ? 2 : 1;
    const uint64_t indexMask = indexSize == 2 ? 0x7fff : 0x7f;
    for (uint64_t entries = fields.read(4); entries > 0 && fields.ok(); --entries) {
        const uint32_t id = uint32_t(fields.read(idSize));
        std::vector<uint32_t> indices;
        for (uint64_t count = fields.read(1); count > 0 && fields.ok(); --count)
            indices.push_back(uint32_t(fields.read(indexSize) & indexMask));
        if (fields.ok()) {
            std::vector<uint32_t>& properties = entry(id).properties;
            properties.insert(properties.end(), indices.begin(), indices.end());
        }
    }
}

void HeifItems::readReferences(std::span<const uint8_t> iref) {
    BoxFields fields(iref);
    const size_t idSize = (fields.read(4) >> 24) == 0 ? 2 : 4;
    Boxes kinds(fields.rest());
    for (Box kind; kinds.next(kind);) {
        BoxFields ids(kind.payload);
        const uint32_t from = uint32_t(ids.read(idSize));
        for (uint64_t count = ids.read(2); count > 0; --count) {
            const uint32_t to = uint32_t(ids.read(idSize));
            if (!ids.ok())
                break;
            references_.push_back({kind.type, from, to});
        }
    }
}

std::vector<uint32_t> HeifItems::references(uint32_t item, const char (&kind)[5]) const {
    std::vector<uint32_t> ids;
    for (const Reference& reference : references_)
        if (reference.from == item && reference.kind == fourCC(kind))
            ids.push_back(reference.to);
    return ids;
}

std::vector<uint32_t> HeifItems::referredBy(uint32_t item, const char (&kind)[5]) const {
    std::vector<uint32_t> ids;
    for (const Reference& reference : references_)
        if (reference.to == item && reference.kind == fourCC(kind))
            ids.push_back(reference.from);
    return ids;
}

std::string HeifItems::type(uint32_t item) const {
    const Item* found = find(item);
    if (!found || found->type == 0)
        return {};
    std::string name(4, ' ');
    for (int i = 0; i < 4; ++i)
        name[size_t(i)] = char(found->type >> (24 - 8 * i));
    return name;
}

std::span<const uint8_t> HeifItems::property(uint32_t item, const char (&kind)[5]) const {
    const Item* found = find(item);
    if (!found)
        return {};
    for (const uint32_t index : found->properties)
        if (index >= 1 && index <= properties_.size() && properties_[index - 1].kind == fourCC(kind))
            return properties_[index - 1].payload;
    return {};
}

std::vector<uint8_t> HeifItems::data(uint32_t item, size_t count) const {
    std::vector<uint8_t> bytes;
    const Item* found = find(item);
    if (!found)
        return bytes;
    const std::span<const uint8_t> source = found->inIdat ? idat_ : file_;
    for (const Extent& extent : found->extents) {
        if (bytes.size() >= count || extent.offset >= source.size())
            break;
        const uint64_t available = source.size() - extent.offset;
        const uint64_t length = extent.length == 0 ? available : std::min(extent.length, available);
        const size_t taken = size_t(std::min<uint64_t>(length, count - bytes.size()));
        bytes.insert(bytes.end(), source.begin() + std::ptrdiff_t(extent.offset),
                     source.begin() + std::ptrdiff_t(extent.offset + taken));
        if (length < extent.length)
            break; // the extent runs past the end
    }
    return bytes;
}

} // namespace pict
