#include "selection/ModifyLimits.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace pict {

const ModifyDialogRule& modifyDialogRule(ModifyCommand command) {
    for (const ModifyDialogRule& rule : kModifyDialogRules)
        if (rule.command == command)
            return rule;
    return kModifyDialogRules[0];
}

std::optional<double> parseModifyValue(const ModifyDialogRule& rule, std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    if (text.empty())
        return std::nullopt;
    if (text.front() == '+')
        text.remove_prefix(1);
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed);
    if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value))
        return std::nullopt;
    if (!rule.fractional && value != std::floor(value))
        return std::nullopt;
    // The smallest feather radius is typed as 0.1, which is not exactly representable.
    constexpr double kSlack = 1e-9;
    if (value < rule.minimum - kSlack || value > rule.maximum + kSlack)
        return std::nullopt;
    return std::clamp(value, rule.minimum, rule.maximum);
}

double clampFeatherRadius(double radius) {
    if (!(radius > 0.1))
        return 0.1;
    return std::min(radius, 250.0);
}

int32_t clampModifyWidth(int32_t width) { return std::clamp(width, 1, 100); }

double ModifyDialogMemory::initialValue(ModifyCommand command) const {
    return command == ModifyCommand::Feather ? featherRadius : double(width);
}

void ModifyDialogMemory::remember(ModifyCommand command, double value) {
    if (command == ModifyCommand::Feather)
        featherRadius = clampFeatherRadius(value);
    else if (std::isfinite(value))
        width = clampModifyWidth(static_cast<int32_t>(std::clamp(value, 1.0, 100.0)));
}

} // namespace pict
