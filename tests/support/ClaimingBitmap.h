#pragma once
// A run-length bitmap of a thousand bytes whose header claims a picture of any size: the
// file that made the editor take gigabytes before it said a word.

#include <cstdint>
#include <string>

namespace pict::test {

// Writes a 256-color RLE8 bitmap of width x height whose pixel data ends at once (1,080
// bytes in all) and returns its path.
std::string writeClaimingBitmap(const std::string& path, int32_t width, int32_t height);

} // namespace pict::test
