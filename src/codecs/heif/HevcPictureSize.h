#pragma once
// The size of the picture an HEVC stream decodes to, read from the sequence parameter set in
// its hvcC configuration, so that a HEIC file can be checked before a decoder sees it.

#include <cstdint>
#include <optional>
#include <span>

namespace pict {

struct CodedPictureSize {
    int64_t width = 0;
    int64_t height = 0;
};

// The luma size after the conformance window's crop, as the decoder hands the picture out;
// nullopt when the configuration holds no sequence parameter set that parses.
std::optional<CodedPictureSize> hevcPictureSize(std::span<const uint8_t> hvcC);

} // namespace pict
