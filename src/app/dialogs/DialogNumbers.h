#pragma once
// Reading and writing the numbers typed into dialog edit boxes. A dialog refuses what does
// not read as a number within its range (OK stays disabled) instead of clamping it, so the
// readers say only whether the whole text is such a number.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace pict {

// A whole number (optional sign, decimal digits, surrounding spaces allowed) within min..max.
std::optional<int32_t> parseWholeNumber(std::string_view text, int32_t min, int32_t max);
// A decimal number within min..max; "." is the decimal point whatever the locale.
std::optional<double> parseDecimalNumber(std::string_view text, double min, double max);
// The value with at most `decimals` places and no trailing zeros ("1", "2.5", "0.333").
std::string formatDecimal(double value, int decimals);

} // namespace pict
