#include "codecs/heif/HeifCodedSize.h"

#include "codecs/heif/BoxFields.h"

#include <algorithm>
#include <functional>

namespace pict {

namespace {

// An encoder pads a coded picture by less than one coding tree block (at most 64 pixels) and
// crops it back through the file's boxes; a picture larger than that is not what the size
// checks were asked about, and decoding it could take seconds and gigabytes.
constexpr int64_t kCodingBlockPadding = 64;

std::optional<CodedPictureSize> hevcItemSize(const HeifItems& items, uint32_t item) {
    return hevcPictureSize(items.property(item, "hvcC"));
}

// A grid's data: version, flags (bit 0: 32-bit sides), rows - 1, columns - 1, output width and
// height. libheif builds any version as version 0, so its size is read the same way.
std::optional<CodedPictureSize> gridItemSize(const HeifItems& items, uint32_t item) {
    const std::vector<uint8_t> grid = items.data(item, 12);
    BoxFields fields(grid);
    fields.read(1); // the version
    const size_t side = (fields.read(1) & 1) ? 4 : 2;
    fields.read(2); // rows and columns
    const int64_t width = int64_t(fields.read(side)), height = int64_t(fields.read(side));
    if (!fields.ok())
        return std::nullopt;
    return CodedPictureSize{width, height};
}

struct SizeReader {
    const char* type;
    std::optional<CodedPictureSize> (*read)(const HeifItems&, uint32_t);
};

constexpr SizeReader kSizeReaders[] = {
    {"hvc1", hevcItemSize},
    {"grid", gridItemSize},
};

// ispe: version and flags, then the width and height as 32-bit numbers.
std::optional<CodedPictureSize> boxSize(const HeifItems& items, uint32_t item) {
    BoxFields fields(items.property(item, "ispe"));
    fields.read(4);
    const int64_t width = int64_t(fields.read(4)), height = int64_t(fields.read(4));
    if (!fields.ok())
        return std::nullopt;
    return CodedPictureSize{width, height};
}

} // namespace

std::optional<CodedPictureSize> heifCodedSize(const HeifItems& items, uint32_t item) {
    const std::string type = items.type(item);
    for (const SizeReader& reader : kSizeReaders)
        if (type == reader.type)
            return reader.read(items, item);
    return std::nullopt;
}

std::optional<uint32_t> findDecodedPicture(const HeifItems& items, uint32_t primary,
                                           const std::function<bool(uint32_t)>& matches) {
    std::vector<uint32_t> waiting = items.referredBy(primary, "auxl");
    waiting.push_back(primary);
    std::vector<uint32_t> seen;
    while (!waiting.empty()) {
        const uint32_t item = waiting.back();
        waiting.pop_back();
        if (std::find(seen.begin(), seen.end(), item) != seen.end())
            continue;
        seen.push_back(item);
        if (matches(item))
            return item;
        for (const uint32_t part : items.references(item, "dimg"))
            waiting.push_back(part);
    }
    return std::nullopt;
}

std::optional<OversizedPicture> heifOversizedPicture(const HeifItems& items, uint32_t primary) {
    OversizedPicture found;
    const auto oversized = [&](uint32_t item) {
        const std::optional<CodedPictureSize> coded = heifCodedSize(items, item);
        const std::optional<CodedPictureSize> box = boxSize(items, item);
        if (!coded || !box ||
            (coded->width <= box->width + kCodingBlockPadding && coded->height <= box->height + kCodingBlockPadding))
            return false;
        found = {item, *coded, *box};
        return true;
    };
    if (!findDecodedPicture(items, primary, oversized))
        return std::nullopt;
    return found;
}

std::optional<uint32_t> heifPictureWithoutData(const HeifItems& items, uint32_t primary) {
    return findDecodedPicture(items, primary, [&](uint32_t item) {
        const std::string type = items.type(item);
        return (type == "hvc1" || type == "av01") && items.data(item, 1).empty();
    });
}

} // namespace pict
