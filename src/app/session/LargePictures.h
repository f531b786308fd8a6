#pragma once
// Pictures too big to open without a word: the editor asks before opening or creating one
// whose document would need more memory than the "Ask before opening pictures larger than"
// option allows, and the batch tool refuses such a source unless --max-memory allows it.

#include <cstdint>
#include <optional>
#include <string>

namespace pict {

// The memory a picture of this size and layer count needs when it is above the limit (in
// MiB); none when it fits.
std::optional<int64_t> memoryAboveLimit(int64_t width, int64_t height, int64_t layers, int64_t limitMiB);

// "%s is %d × %d pixels and needs about %s of memory. Open it anyway?"
std::string largePictureQuestion(const std::string& name, int32_t width, int32_t height, int64_t bytes);
// The batch tool's refusal: the same facts and how to allow it.
std::string largePictureRefusal(const std::string& name, int32_t width, int32_t height, int64_t bytes,
                                int64_t limitMiB);

} // namespace pict
