#include "codecs/ExifEditing.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace pict {

namespace {

using namespace exif_tag;

constexpr size_t kHeaderBytes = 8, kEntryBytes = 12;
constexpr uint16_t kTypeShort = 3, kTypeLong = 4;
constexpr int kMaxDirectories = 16; // IFD0, IFD1, Exif, GPS, Interop: anything beyond is a loop

// Bytes per value of each TIFF field type (index = type), 0 for unknown types.
constexpr uint8_t kTypeBytes[14] = {0, 1, 1, 2, 4, 8, 1, 1, 2, 4, 8, 4, 8, 4};

// A byte range of the structure: [begin, end).
using Range = std::pair<size_t, size_t>;

class Tiff {
public:
    explicit Tiff(std::vector<uint8_t>& bytes) : b_(bytes) {}

    bool readHeader() {
        if (b_.size() < kHeaderBytes)
            return false;
        if (b_[0] == 'I' && b_[1] == 'I')
            little_ = true;
        else if (b_[0] == 'M' && b_[1] == 'M')
            little_ = false;
        else
            return false;
        return get16(2) == 42;
    }
    uint16_t get16(size_t at) const {
        return little_ ? uint16_t(b_[at] | b_[at + 1] << 8) : uint16_t(b_[at] << 8 | b_[at + 1]);
    }
    uint32_t get32(size_t at) const {
        return little_ ? uint32_t(get16(at)) | uint32_t(get16(at + 2)) << 16
                       : uint32_t(get16(at)) << 16 | uint32_t(get16(at + 2));
    }
    void put16(size_t at, uint16_t v) {
        b_[at + (little_ ? 0 : 1)] = uint8_t(v);
        b_[at + (little_ ? 1 : 0)] = uint8_t(v >> 8);
    }
    void put32(size_t at, uint32_t v) {
        put16(at + (little_ ? 0 : 2), uint16_t(v));
        put16(at + (little_ ? 2 : 0), uint16_t(v >> 16));
    }
    size_t size() const { return b_.size(); }
    std::vector<uint8_t>& bytes() { return b_; }

    // A directory at offset whose entries and next pointer lie inside the data.
    bool directoryFits(size_t offset) const {
        return offset >= kHeaderBytes && offset + 2 <= b_.size() &&
               offset + 2 + size_t(get16(offset)) * kEntryBytes + 4 <= b_.size();
    }
    size_t entryAt(size_t directory, size_t index) const { return directory + 2 + index * kEntryBytes; }
    size_t nextPointerAt(size_t directory) const { return entryAt(directory, get16(directory)); }
    size_t directoryEnd(size_t directory) const { return nextPointerAt(directory) + 4; }

    // The entry's value bytes when they lie outside it; empty when inline or unknown.
    // False when they would lie outside the data.
    bool outOfLineValue(size_t entry, Range& range) const {
        const uint16_t type = get16(entry + 2);
        const uint64_t count = get32(entry + 4);
        const uint64_t bytes = type < std::size(kTypeBytes) ? count * kTypeBytes[type] : 0;
        range = {0, 0};
        if (bytes <= 4)
            return true;
        const uint64_t offset = get32(entry + 8);
        if (offset + bytes > b_.size())
            return false;
        range = {size_t(offset), size_t(offset + bytes)};
        return true;
    }
    // The entry of a tag in a directory, or 0.
    size_t find(size_t directory, uint16_t tag) const {
        for (size_t i = 0; i < get16(directory); ++i)
            if (get16(entryAt(directory, i)) == tag)
                return entryAt(directory, i);
        return 0;
    }
    // A SHORT or LONG single value written in place; other forms are left alone.
    void setNumber(size_t entry, uint32_t value) {
        if (!entry || get32(entry + 4) != 1)
            return;
        if (get16(entry + 2) == kTypeShort && value <= 0xFFFF) {
            put16(entry + 8, uint16_t(value));
            put16(entry + 10, 0);
        } else if (get16(entry + 2) == kTypeLong) {
            put32(entry + 8, value);
        }
    }

private:
    std::vector<uint8_t>& b_;
    bool little_ = true;
};

// Every byte range a directory uses (itself and its values), and its sub-directories
// reached through the pointer tags. False on anything out of bounds or looping.
bool collect(const Tiff& tiff, size_t directory, std::vector<Range>& ranges, int& budget) {
    if (--budget < 0 || !tiff.directoryFits(directory))
        return false;
    ranges.emplace_back(directory, tiff.directoryEnd(directory));
    for (size_t i = 0; i < tiff.get16(directory); ++i) {
        const size_t entry = tiff.entryAt(directory, i);
        const uint16_t tag = tiff.get16(entry);
        Range value;
        if (!tiff.outOfLineValue(entry, value))
            return false;
        if (value.second > value.first)
            ranges.push_back(value);
        if (tag == kExifDirectory || tag == kGpsDirectory || tag == kInteropDirectory) {
            if (!collect(tiff, tiff.get32(entry + 8), ranges, budget))
                return false;
        } else if (tag == kThumbnailOffset) {
            const size_t length = tiff.find(directory, kThumbnailLength);
            const uint64_t start = tiff.get32(entry + 8);
            const uint64_t bytes = length ? tiff.get32(length + 8) : 0;
            if (start + bytes > tiff.size())
                return false;
            ranges.emplace_back(size_t(start), size_t(start + bytes));
        }
    }
    return true;
}

void zero(std::vector<uint8_t>& bytes, const std::vector<Range>& ranges) {
    for (const Range& r : ranges)
        std::fill(bytes.begin() + std::ptrdiff_t(r.first), bytes.begin() + std::ptrdiff_t(r.second), 0);
}

// Takes the entry out of its directory: the later entries and the next pointer move up by
// one entry and the freed bytes at the end become zeros.
void removeEntry(Tiff& tiff, size_t directory, size_t entry) {
    std::vector<uint8_t>& b = tiff.bytes();
    const size_t end = tiff.directoryEnd(directory);
    std::memmove(&b[entry], &b[entry + kEntryBytes], end - entry - kEntryBytes);
    std::fill(b.begin() + std::ptrdiff_t(end - kEntryBytes), b.begin() + std::ptrdiff_t(end), 0);
    tiff.put16(directory, uint16_t(tiff.get16(directory) - 1));
}

} // namespace

bool editExif(std::vector<uint8_t>& bytes, const ExifChanges& changes) {
    Tiff tiff(bytes);
    if (!tiff.readHeader())
        return false;
    const size_t ifd0 = tiff.get32(4);
    int budget = kMaxDirectories;
    std::vector<Range> validated;
    if (!collect(tiff, ifd0, validated, budget))
        return false;

    // The thumbnail directory and its picture.
    if (const size_t ifd1 = tiff.get32(tiff.nextPointerAt(ifd0))) {
        std::vector<Range> thumbnail;
        if (!collect(tiff, ifd1, thumbnail, budget))
            return false;
        zero(bytes, thumbnail);
        tiff.put32(tiff.nextPointerAt(ifd0), 0);
    }
    if (changes.dropLocation) {
        if (const size_t gps = tiff.find(ifd0, kGpsDirectory)) {
            std::vector<Range> location;
            if (!collect(tiff, tiff.get32(gps + 8), location, budget))
                return false;
            zero(bytes, location);
            removeEntry(tiff, ifd0, gps);
        }
    }

    tiff.setNumber(tiff.find(ifd0, kOrientation), 1); // the pixels are saved as they are shown
    tiff.setNumber(tiff.find(ifd0, kImageWidth), uint32_t(changes.pixels.width));
    tiff.setNumber(tiff.find(ifd0, kImageLength), uint32_t(changes.pixels.height));
    if (const size_t exifPointer = tiff.find(ifd0, kExifDirectory)) {
        const size_t exifDirectory = tiff.get32(exifPointer + 8);
        tiff.setNumber(tiff.find(exifDirectory, kPixelXDimension), uint32_t(changes.pixels.width));
        tiff.setNumber(tiff.find(exifDirectory, kPixelYDimension), uint32_t(changes.pixels.height));
    }

    // What is still referenced decides the length: a thumbnail at the end is cut off.
    std::vector<Range> remaining;
    budget = kMaxDirectories;
    if (!collect(tiff, ifd0, remaining, budget))
        return false;
    size_t end = kHeaderBytes;
    for (const Range& r : remaining)
        end = std::max(end, r.second);
    bytes.resize(std::min(bytes.size(), end));
    return true;
}

bool exifHasLocation(const std::vector<uint8_t>& bytes) {
    std::vector<uint8_t> copy = bytes; // Tiff works on a writable buffer
    Tiff tiff(copy);
    if (!tiff.readHeader())
        return false;
    const size_t ifd0 = tiff.get32(4);
    return tiff.directoryFits(ifd0) && tiff.find(ifd0, kGpsDirectory) != 0;
}

} // namespace pict
