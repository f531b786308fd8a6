#pragma once
// The numbering shared by default layer names ("Layer 8") and saved channel names
// ("Alpha 3"): a new name continues after the largest number already used after a prefix.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pict {

// An optional single "+" or "-" followed by at least one decimal digit, nothing else.
// Values outside int32 are rejected rather than wrapped, so "Layer 99999999999" never
// takes part in the numbering.
std::optional<int32_t> parseNameNumber(std::string_view text);

// The largest number N such that some name is prefix followed by N; 0 when none is
// (negative numbers never raise it). Case-sensitive.
int64_t highestNumberAfter(std::string_view prefix, const std::vector<std::string_view>& names);

// prefix followed by highestNumberAfter + 1, e.g. "Layer " with Layer 1 and Layer 7 gives "Layer 8".
std::string nextNumberedName(std::string_view prefix, const std::vector<std::string_view>& names);

// The name for a duplicate of a layer named `name` among `names`: "Layer copy",
// "Layer copy 2", ..., "Background copy".
std::string duplicateName(std::string_view name, const std::vector<std::string_view>& names);

} // namespace pict
