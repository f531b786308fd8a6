#pragma once
// Bringing a decoded picture's colours from the ICC profile its file embeds into sRGB, which
// is what this program edits, shows and saves. A file without a profile is taken as sRGB.

#include "surface/RasterSurface.h"

#include <cstdint>
#include <string>
#include <vector>

namespace pict {

enum class ProfileOutcome : uint8_t {
    Converted, // the pixels are now sRGB
    AlreadySrgb, // the profile is sRGB itself: nothing to do
    Unusable,  // not a profile of an RGB or gray picture that Little CMS can read: pixels kept
};

// Converts color in place from profile to sRGB with Little CMS (perceptual intent; matrix
// profiles fall back to relative colorimetric). description receives the profile's own name
// ("Adobe RGB (1998)"), or stays empty when it has none.
ProfileOutcome convertToSrgb(Surface24& color, const std::vector<uint8_t>& profile, std::string& description);

// The note shown after a conversion: "Converted from Adobe RGB (1998) to sRGB".
std::string conversionNote(const std::string& description);

} // namespace pict
