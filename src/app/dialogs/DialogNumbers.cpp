#include "app/dialogs/DialogNumbers.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace pict {

namespace {

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    // from_chars reads no leading plus; a typed one is still a plain number.
    if (text.size() > 1 && text.front() == '+')
        text.remove_prefix(1);
    return text;
}

template <class Number> std::optional<Number> parseWhole(std::string_view text) {
    text = trimmed(text);
    if (text.empty())
        return std::nullopt;
    Number value{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

} // namespace

std::optional<int32_t> parseWholeNumber(std::string_view text, int32_t min, int32_t max) {
    const std::optional<int32_t> value = parseWhole<int32_t>(text);
    if (!value || *value < min || *value > max)
        return std::nullopt;
    return value;
}

std::optional<double> parseDecimalNumber(std::string_view text, double min, double max) {
    const std::optional<double> value = parseWhole<double>(text);
    if (!value || !std::isfinite(*value) || *value < min || *value > max)
        return std::nullopt;
    return value;
}

std::string formatDecimal(double value, int decimals) {
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    std::string shown = text;
    if (shown.find('.') != std::string::npos) {
        while (shown.back() == '0')
            shown.pop_back();
        if (shown.back() == '.')
            shown.pop_back();
    }
    return shown == "-0" ? "0" : shown;
}

} // namespace pict
