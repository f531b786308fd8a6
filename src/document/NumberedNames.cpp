#include "document/NumberedNames.h"

#include <algorithm>
#include <limits>

namespace pict {

namespace {

constexpr std::string_view kCopySuffix = " copy";

bool startsWith(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && text.substr(0, prefix.size()) == prefix;
}

bool endsWith(std::string_view text, std::string_view suffix) {
    return text.size() >= suffix.size() && text.substr(text.size() - suffix.size()) == suffix;
}

} // namespace

std::optional<int32_t> parseNameNumber(std::string_view text) {
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty())
        return std::nullopt;
    int64_t value = 0;
    const int64_t limit = negative ? -int64_t(std::numeric_limits<int32_t>::min())
                                   : int64_t(std::numeric_limits<int32_t>::max());
    for (char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
        if (value > limit)
            return std::nullopt;
    }
    return static_cast<int32_t>(negative ? -value : value);
}

int64_t highestNumberAfter(std::string_view prefix, const std::vector<std::string_view>& names) {
    int64_t highest = 0;
    for (std::string_view name : names) {
        if (!startsWith(name, prefix))
            continue;
        if (const auto number = parseNameNumber(name.substr(prefix.size())))
            highest = std::max<int64_t>(highest, *number);
    }
    return highest;
}

std::string nextNumberedName(std::string_view prefix, const std::vector<std::string_view>& names) {
    // Computed in 64 bits: a name already at the int32 maximum must not wrap to a negative number.
    return std::string(prefix) + std::to_string(highestNumberAfter(prefix, names) + 1);
}

std::string duplicateName(std::string_view name, const std::vector<std::string_view>& names) {
    std::string base(name);
    if (!endsWith(base, kCopySuffix)) {
        const size_t space = base.rfind(' ');
        if (space != std::string::npos && parseNameNumber(std::string_view(base).substr(space + 1)))
            base.erase(space);
        if (!endsWith(base, kCopySuffix))
            base += kCopySuffix;
    }
    const std::string prefix = base + " ";
    const int64_t highest = highestNumberAfter(prefix, names);
    if (highest != 0)
        return prefix + std::to_string(highest + 1);
    if (std::find(names.begin(), names.end(), std::string_view(base)) != names.end())
        return prefix + "2";
    return base;
}

} // namespace pict
