#pragma once
// The sizes of the pictures libheif would build, read from the file before any decoding.

#include "codecs/heif/HeifItems.h"
#include "codecs/heif/HevcPictureSize.h"

#include <functional>
#include <optional>

namespace pict {

// An HEVC picture's size from its sequence parameter set, or a grid's output size from its
// data; nullopt for other kinds (AV1 pictures among them) or what does not parse.
std::optional<CodedPictureSize> heifCodedSize(const HeifItems& items, uint32_t item);

struct OversizedPicture {
    uint32_t item = 0;
    CodedPictureSize coded;
    CodedPictureSize box; // its ispe property
};

// The first of the pictures decoded to build `primary` (the primary itself, what its grid or
// overlay is made of, and its alpha plane) for which `matches` is true.
std::optional<uint32_t> findDecodedPicture(const HeifItems& items, uint32_t primary,
                                           const std::function<bool(uint32_t)>& matches);

// The first picture decoded to build `primary` (the primary itself, what its grid or overlay is
// made of, and its alpha plane) that is coded larger than its ispe box says, beyond the padding
// an encoder adds; nullopt when every size that can be read fits.
std::optional<OversizedPicture> heifOversizedPicture(const HeifItems& items, uint32_t primary);

// The first coded picture (HEVC or AV1) among them whose data cannot be found in the file. The
// AV1 decoder keeps memory it is handed no data for, and no decoder can make a picture of none.
std::optional<uint32_t> heifPictureWithoutData(const HeifItems& items, uint32_t primary);

} // namespace pict
