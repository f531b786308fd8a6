#include "app/settings/ProductInfo.h"

#include <charconv>
#include <cstdio>
#include <vector>

namespace pict {

ProductVersion productVersion() {
    return {PICT_VERSION_MAJOR, PICT_VERSION_MINOR, PICT_VERSION_PATCH, PICT_BUILD_NUMBER};
}

std::string aboutVersionText(const ProductVersion& v) {
    char text[96];
    std::snprintf(text, sizeof text, "Version %d.%d.%d  (Build %d)", v.major, v.minor, v.patch, v.build);
    return text;
}

bool parseProductVersion(const std::string& text, ProductVersion& out) {
    std::vector<std::string> parts(1);
    for (char c : text) {
        if (c == '.' || c == ',')
            parts.emplace_back();
        else
            parts.back() += c;
    }
    if (parts.size() != 4)
        return false;
    int numbers[4] = {};
    for (size_t i = 0; i < 4; ++i) {
        const std::string& part = parts[i];
        size_t first = part.find_first_not_of(' ');
        size_t last = part.find_last_not_of(' ');
        if (first == std::string::npos)
            return false;
        const char* begin = part.data() + first;
        const char* end = part.data() + last + 1;
        auto [ptr, ec] = std::from_chars(begin, end, numbers[i]);
        if (ec != std::errc() || ptr != end)
            return false;
    }
    out = {numbers[0], numbers[1], numbers[2], numbers[3]};
    return true;
}

} // namespace pict
