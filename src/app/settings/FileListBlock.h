#pragma once
// The block a second instance sends to the running one: "VFPP", the total size, the path
// count, then one slot of 261 UTF-16 code units (little-endian, NUL-terminated, zero-filled)
// per path. Paths are UTF-8 on this side.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace pict {

inline constexpr size_t kFileListSlotUnits = 261;
inline constexpr size_t kFileListSlotBytes = kFileListSlotUnits * 2;
inline constexpr size_t kFileListHeaderBytes = 12;

struct FileListBlock {
    std::vector<uint8_t> bytes;        // empty when no path fits
    std::vector<std::string> rejected; // paths too long for a slot or not valid UTF-8, never truncated
};

FileListBlock buildFileListBlock(const std::vector<std::string>& paths);

// The paths of a block, or none when the magic, the size field (which must equal the bytes
// received and match the count), the count (at least 1) or a slot without its NUL is wrong.
std::optional<std::vector<std::string>> parseFileListBlock(std::span<const uint8_t> bytes);

// UTF-8 to UTF-16 and back; the first fails on malformed input, the second replaces
// unpaired surrogates by U+FFFD.
std::optional<std::u16string> utf8ToUtf16(const std::string& text);
std::string utf16ToUtf8(std::u16string_view text);

} // namespace pict
