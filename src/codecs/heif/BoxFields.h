#pragma once
// Reading the big-endian fields that HEIF's boxes, and the configurations inside them, are
// made of.

#include <cstddef>
#include <cstdint>
#include <span>

namespace pict {

// A box type or property kind ("meta", "hvcC") as the 32-bit number the file stores.
constexpr uint32_t fourCC(const char (&name)[5]) {
    return uint32_t(uint8_t(name[0])) << 24 | uint32_t(uint8_t(name[1])) << 16 | uint32_t(uint8_t(name[2])) << 8 |
           uint8_t(name[3]);
}

// Fields read one after another. Once a read runs past the end, it and every later read give
// 0 or nothing and ok() stays false, so a parser can check once, after the fields it needs.
class BoxFields {
public:
    explicit BoxFields(std::span<const uint8_t> bytes) : bytes_(bytes) {}

    // A number of `count` bytes, most significant first (at most 8).
    uint64_t read(size_t count) {
        const std::span<const uint8_t> field = take(count > 8 ? bytes_.size() + 1 : count);
        uint64_t value = 0;
        for (const uint8_t byte : field)
            value = value << 8 | byte;
        return value;
    }

    // The next `count` bytes as they are.
    std::span<const uint8_t> take(size_t count) {
        if (!ok_ || count > bytes_.size() - at_) {
            ok_ = false;
            return {};
        }
        const std::span<const uint8_t> field = bytes_.subspan(at_, count);
        at_ += count;
        return field;
    }

    bool ok() const { return ok_; }
    std::span<const uint8_t> rest() const { return ok_ ? bytes_.subspan(at_) : std::span<const uint8_t>(); }

private:
    std::span<const uint8_t> bytes_;
    size_t at_ = 0;
    bool ok_ = true;
};

} // namespace pict
