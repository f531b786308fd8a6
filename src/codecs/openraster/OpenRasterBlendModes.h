#pragma once
// Blend modes as the layered file format names them in its composite-op attribute.

#include <cstdint>
#include <optional>
#include <string_view>

namespace pict {

// "svg:multiply" for the modes the format defines, "pictorane:soft-dodge" for the four it
// lacks (Soft Dodge, Soft Burn, Exclusion, XOR), which other programs read as Normal.
std::string_view compositeOpOfBlendMode(int32_t mode);
// The mode of a composite-op; none for a name this program does not know. An absent
// attribute means "svg:src-over".
std::optional<int32_t> blendModeOfCompositeOp(std::string_view op);

} // namespace pict
