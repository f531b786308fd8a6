#include "codecs/heif/HevcPictureSize.h"

#include "codecs/heif/BoxFields.h"

#include <vector>

namespace pict {

namespace {

constexpr size_t kConfigurationHeader = 22; // hvcC's fixed fields before its NAL unit arrays
constexpr uint8_t kSequenceParameterSet = 33;

// A NAL unit's payload with the emulation-prevention bytes (the 3 of 00 00 03) taken out.
std::vector<uint8_t> rawPayload(std::span<const uint8_t> nal) {
    std::vector<uint8_t> raw;
    raw.reserve(nal.size());
    int zeros = 0;
    for (const uint8_t byte : nal) {
        if (zeros >= 2 && byte == 3) {
            zeros = 0;
            continue;
        }
        zeros = byte == 0 ? zeros + 1 : 0;
        raw.push_back(byte);
    }
    return raw;
}

// Reads fields most significant bit first; every read fails once the bytes run out.
class BitFields {
public:
    explicit BitFields(std::vector<uint8_t> bytes) : bytes_(std::move(bytes)) {}

    bool read(int count, uint32_t& value) {
        value = 0;
        if (count > 32 || position_ + size_t(count) > bytes_.size() * 8)
            return false;
        for (int i = 0; i < count; ++i, ++position_)
            value = value << 1 | ((bytes_[position_ / 8] >> (7 - position_ % 8)) & 1);
        return true;
    }

    bool skip(size_t count) {
        position_ += count;
        return position_ <= bytes_.size() * 8;
    }

    // Exp-Golomb ue(v): n leading zeros, a one, then n bits.
    bool readExpGolomb(uint32_t& value) {
        int zeros = 0;
        for (uint32_t bit = 0;; ++zeros) {
            if (!read(1, bit) || zeros > 31)
                return false;
            if (bit)
                break;
        }
        uint32_t suffix = 0;
        if (!read(zeros, suffix))
            return false;
        value = uint32_t((uint64_t(1) << zeros) - 1 + suffix);
        return true;
    }

private:
    std::vector<uint8_t> bytes_;
    size_t position_ = 0;
};

// profile_tier_level() with its profile present, for maxSubLayersMinus1 sub-layers.
bool skipProfileTierLevel(BitFields& bits, uint32_t maxSubLayersMinus1) {
    constexpr size_t kProfileBits = 88, kLevelBits = 8;
    if (!bits.skip(kProfileBits + kLevelBits))
        return false;
    bool profilePresent[8] = {}, levelPresent[8] = {};
    for (uint32_t i = 0; i < maxSubLayersMinus1; ++i) {
        uint32_t profile = 0, level = 0;
        if (!bits.read(1, profile) || !bits.read(1, level))
            return false;
        profilePresent[i] = profile != 0;
        levelPresent[i] = level != 0;
    }
    if (maxSubLayersMinus1 > 0 && !bits.skip(2 * (8 - maxSubLayersMinus1)))
        return false;
    for (uint32_t i = 0; i < maxSubLayersMinus1; ++i)
        if (!bits.skip((profilePresent[i] ? kProfileBits : 0) + (levelPresent[i] ? kLevelBits : 0)))
            return false;
    return true;
}

std::optional<CodedPictureSize> sequenceSize(std::span<const uint8_t> nal) {
    constexpr size_t kNalHeader = 2;
    BitFields bits(rawPayload(nal.subspan(kNalHeader)));
    uint32_t maxSubLayersMinus1 = 0, id = 0, chroma = 0, separatePlanes = 0, width = 0, height = 0, window = 0;
    if (!bits.skip(4) || !bits.read(3, maxSubLayersMinus1) || maxSubLayersMinus1 > 6 || !bits.skip(1) ||
        !skipProfileTierLevel(bits, maxSubLayersMinus1) || !bits.readExpGolomb(id) || id > 15 ||
        !bits.readExpGolomb(chroma) || chroma > 3 || (chroma == 3 && !bits.read(1, separatePlanes)) ||
        !bits.readExpGolomb(width) || !bits.readExpGolomb(height) || !bits.read(1, window))
        return std::nullopt;
    CodedPictureSize size{width, height};
    if (window) {
        uint32_t left = 0, right = 0, top = 0, bottom = 0;
        if (!bits.readExpGolomb(left) || !bits.readExpGolomb(right) || !bits.readExpGolomb(top) ||
            !bits.readExpGolomb(bottom))
            return std::nullopt;
        // The window counts in chroma samples: two luma columns (and, for 4:2:0, rows) each.
        const bool subsampled = separatePlanes == 0 && (chroma == 1 || chroma == 2);
        const int64_t unitX = subsampled ? 2 : 1, unitY = separatePlanes == 0 && chroma == 1 ? 2 : 1;
        size.width -= unitX * (int64_t(left) + right);
        size.height -= unitY * (int64_t(top) + bottom);
    }
    if (size.width <= 0 || size.height <= 0)
        return std::nullopt;
    return size;
}

} // namespace

std::optional<CodedPictureSize> hevcPictureSize(std::span<const uint8_t> hvcC) {
    BoxFields fields(hvcC);
    fields.take(kConfigurationHeader);
    for (uint64_t arrays = fields.read(1); arrays > 0 && fields.ok(); --arrays) {
        const uint64_t type = fields.read(1) & 0x3f;
        for (uint64_t units = fields.read(2); units > 0 && fields.ok(); --units) {
            const std::span<const uint8_t> nal = fields.take(size_t(fields.read(2)));
            if (fields.ok() && type == kSequenceParameterSet && nal.size() > 2)
                return sequenceSize(nal);
        }
    }
    return std::nullopt;
}

} // namespace pict
