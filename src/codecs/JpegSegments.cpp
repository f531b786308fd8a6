#include "codecs/JpegSegments.h"

#include "codecs/ByteStream.h"

#include <cstring>
#include <new>
#include <string_view>

namespace pict {

namespace {

constexpr int kSoi = 0xD8, kEoi = 0xD9, kSos = 0xDA, kDht = 0xC4, kDqt = 0xDB;
constexpr int kMaxFillBytes = 5;
constexpr std::string_view kJfifId("JFIF\0", 5);
constexpr std::string_view kExifId("Exif\0\0", 6);
constexpr std::string_view kPhotoshopId("Photoshop 3.0\0", 14);
constexpr uint16_t kIptcResource = 0x0404;

bool startsWith(const std::vector<uint8_t>& bytes, std::string_view id) {
    // bytes begins with the two length bytes
    return bytes.size() >= 2 + id.size() && std::memcmp(bytes.data() + 2, id.data(), id.size()) == 0;
}

int32_t classify(int marker, const std::vector<uint8_t>& bytes) {
    if (marker == 0xE0 && startsWith(bytes, kJfifId))
        return kTagJfif;
    if (marker == 0xE1 && startsWith(bytes, kExifId))
        return kTagExif;
    if (marker == 0xED && startsWith(bytes, kPhotoshopId) &&
        photoshopHasResource(bytes.data() + 2 + kPhotoshopId.size(), bytes.size() - 2 - kPhotoshopId.size(),
                             kIptcResource))
        return kTagPhotoshop;
    return marker;
}

uint32_t bigEndian(const uint8_t* p, int bytes) {
    uint32_t v = 0;
    for (int i = 0; i < bytes; ++i)
        v = (v << 8) | p[i];
    return v;
}

} // namespace

const uint8_t kDefaultJfifSegment[18] = {0xFF, 0xE0, 0x00, 0x10, 0x4A, 0x46, 0x49, 0x46, 0x00,
                                         0x01, 0x01, 0x01, 0x01, 0x2C, 0x01, 0x2C, 0x00, 0x00};

bool isApplicationSegment(int32_t code) {
    return (code >= 0xE0 && code <= 0xEF) || code == kTagJfif || code == kTagExif || code == kTagPhotoshop;
}

bool photoshopHasResource(const uint8_t* payload, size_t size, uint16_t identifier) {
    size_t at = 0;
    while (at + 4 + 2 + 1 <= size && std::memcmp(payload + at, "8BIM", 4) == 0) {
        const uint16_t id = uint16_t(bigEndian(payload + at + 4, 2));
        size_t name = 1 + size_t(payload[at + 6]);
        name += name & 1;
        const size_t sizeAt = at + 6 + name;
        if (sizeAt + 4 > size)
            return false;
        size_t data = bigEndian(payload + sizeAt, 4);
        data += data & 1;
        if (data > size - sizeAt - 4)
            return false;
        if (id == identifier)
            return true;
        at = sizeAt + 4 + data;
    }
    return false;
}

bool readJpegSegments(ByteStream& stream, bool applicationOnly, std::vector<MarkerSegment>& segments) {
    try {
        if (stream.readByte() != 0xFF || stream.readByte() != kSoi)
            return false;
        for (;;) {
            if (stream.readByte() != 0xFF)
                return false;
            int marker = stream.readByte();
            for (int fill = 0; marker == 0xFF; ++fill) {
                if (fill == kMaxFillBytes)
                    return false;
                marker = stream.readByte();
            }
            if (marker < 0 || marker == kEoi)
                return false;
            uint8_t lengthBytes[2];
            if (!stream.readExact(lengthBytes, 2))
                return false;
            const uint32_t length = bigEndian(lengthBytes, 2);
            if (length < 2)
                return false;
            if (applicationOnly && !(marker >= 0xE0 && marker <= 0xEF)) {
                if (marker == kDht || marker == kSos || marker == kDqt)
                    return true;
                if (!stream.seek(int64_t(length) - 2, SeekOrigin::Current) && length > 2)
                    return false;
                continue;
            }
            if (int64_t(length) - 2 > stream.remaining())
                return false;
            MarkerSegment segment;
            segment.bytes.resize(length);
            segment.bytes[0] = lengthBytes[0];
            segment.bytes[1] = lengthBytes[1];
            if (!stream.readExact(segment.bytes.data() + 2, length - 2))
                return false;
            segment.code = classify(marker, segment.bytes);
            if (segment.code != kTagJfif)
                segments.push_back(std::move(segment));
            if (marker == kSos) {
                MarkerSegment raw;
                raw.code = kRawSegment;
                raw.bytes.resize(size_t(stream.remaining()));
                if (!stream.readExact(raw.bytes.data(), raw.bytes.size()))
                    return false;
                segments.push_back(std::move(raw));
                return true;
            }
        }
    } catch (const std::bad_alloc&) {
        return false;
    }
}

bool writeJpegSegments(ByteStream& stream, const std::vector<MarkerSegment>& segments) {
    bool hasScan = false;
    for (const MarkerSegment& s : segments)
        hasScan |= s.code == kSos;
    if (!hasScan || segments.back().code != kRawSegment)
        return false;
    const uint8_t soi[2] = {0xFF, uint8_t(kSoi)};
    if (!stream.writeExact(soi, 2))
        return false;
    const int32_t first = segments.front().code;
    if (first != kTagJfif && first != kTagExif && !stream.writeExact(kDefaultJfifSegment, sizeof kDefaultJfifSegment))
        return false;
    for (size_t i = 0; i + 1 < segments.size(); ++i) {
        const uint8_t marker[2] = {0xFF, uint8_t(segments[i].code & 0xFF)};
        if (!stream.writeExact(marker, 2) || !stream.writeExact(segments[i].bytes.data(), segments[i].bytes.size()))
            return false;
    }
    return stream.writeExact(segments.back().bytes.data(), segments.back().bytes.size());
}

bool mergeJpegSegments(ByteStream& stream, const std::vector<MarkerSegment>& captured) {
    try {
        std::vector<MarkerSegment> merged;
        for (const MarkerSegment& s : captured)
            if (isApplicationSegment(s.code))
                merged.push_back(s);
        if (merged.empty())
            return true;
        const int64_t written = stream.size();
        // Build the whole result first; when that fails the written file stays as it is.
        MemoryStream output;
        if (!stream.rewind() || !readJpegSegments(stream, false, merged) ||
            !output.openOwned(size_t(written) + 1024) || !writeJpegSegments(output, merged))
            return true;
        const std::vector<uint8_t>& bytes = output.ownedBytes();
        if (!stream.rewind() || !stream.writeExact(bytes.data(), bytes.size()))
            return false;
        if (int64_t(bytes.size()) < written && !stream.truncateHere())
            return false;
        return stream.flush();
    } catch (const std::bad_alloc&) {
        return true; // nothing was rewritten yet
    }
}

} // namespace pict
