#include "app/commands/StepArguments.h"

#include "surface/BlendModes.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace pict {

namespace {

// from_chars takes no '+'; the batch tool allows one in front of a number.
std::string_view withoutPlus(std::string_view text) {
    if (text.size() > 1 && text.front() == '+' && text[1] != '-' && text[1] != '+')
        text.remove_prefix(1);
    return text;
}

std::string quoted(std::string_view text) { return "\"" + std::string(text) + "\""; }

std::string formatLimit(double value) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%g", value);
    return buffer;
}

char lowerAscii(char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; }

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (size_t k = 0; k < a.size(); ++k)
        if (lowerAscii(a[k]) != lowerAscii(b[k]))
            return false;
    return true;
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    c = lowerAscii(c);
    return c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
}

} // namespace

std::vector<std::string_view> splitFields(std::string_view text, char separator) {
    std::vector<std::string_view> fields;
    size_t start = 0;
    for (;;) {
        const size_t end = text.find(separator, start);
        if (end == std::string_view::npos) {
            fields.push_back(text.substr(start));
            return fields;
        }
        fields.push_back(text.substr(start, end - start));
        start = end + 1;
    }
}

bool readInteger(std::string_view text, int64_t minimum, int64_t maximum, std::string_view what, int32_t& value,
                 std::string& error) {
    const std::string_view digits = withoutPlus(text);
    int64_t parsed = 0;
    const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), parsed);
    if (digits.empty() || ec == std::errc::invalid_argument || end != digits.data() + digits.size()) {
        error = std::string(what) + " must be a whole number, not " + quoted(text);
        return false;
    }
    if (ec == std::errc::result_out_of_range || parsed < minimum || parsed > maximum) {
        error = std::string(what) + " must be within " + std::to_string(minimum) + ".." + std::to_string(maximum) +
                ", not " + std::string(text);
        return false;
    }
    value = static_cast<int32_t>(parsed);
    return true;
}

bool readNumber(std::string_view text, double minimum, double maximum, std::string_view what, double& value,
                std::string& error) {
    const std::string_view digits = withoutPlus(text);
    double parsed = 0.0;
    const auto [end, ec] =
        std::from_chars(digits.data(), digits.data() + digits.size(), parsed, std::chars_format::fixed);
    if (digits.empty() || ec != std::errc() || end != digits.data() + digits.size() || !std::isfinite(parsed)) {
        error = std::string(what) + " must be a number, not " + quoted(text);
        return false;
    }
    if (parsed < minimum || parsed > maximum) {
        error = std::string(what) + " must be within " + formatLimit(minimum) + ".." + formatLimit(maximum) +
                ", not " + std::string(text);
        return false;
    }
    value = parsed;
    return true;
}

bool readColor(std::string_view text, std::string_view what, Color& color, std::string& error) {
    std::string_view hex = text;
    if (!hex.empty() && hex.front() == '#')
        hex.remove_prefix(1);
    uint32_t parsed = 0;
    bool valid = hex.size() == 6;
    for (size_t k = 0; valid && k < hex.size(); ++k) {
        const int digit = hexDigit(hex[k]);
        valid = digit >= 0;
        parsed = parsed << 4 | uint32_t(digit);
    }
    if (!valid) {
        error = std::string(what) + " must be six hexadecimal digits RRGGBB, not " + quoted(text);
        return false;
    }
    color = Color::fromRgb(parsed);
    return true;
}

std::string blendModeKeyword(int32_t mode) {
    const char* name = blendModeName(mode);
    std::string keyword = name ? name : "";
    for (char& c : keyword)
        c = c == ' ' ? '-' : lowerAscii(c);
    return keyword;
}

bool readBlendMode(std::string_view text, int32_t& mode, std::string& error) {
    const char first = text.empty() ? '\0' : text.front();
    if ((first >= '0' && first <= '9') || first == '-' || first == '+')
        return readInteger(text, 0, kBlendModeCount - 1, "the blend mode", mode, error);
    for (int32_t m = 0; m < kBlendModeCount; ++m) {
        if (equalsIgnoringCase(text, blendModeKeyword(m))) {
            mode = m;
            return true;
        }
    }
    error = "unknown blend mode " + quoted(text) + " (use normal, multiply, screen, ... or 0..18)";
    return false;
}

bool readKeyword(std::string_view text, std::span<const std::string_view> keywords, std::string_view what,
                 int32_t& index, std::string& error) {
    for (size_t k = 0; k < keywords.size(); ++k) {
        if (equalsIgnoringCase(text, keywords[k])) {
            index = static_cast<int32_t>(k);
            return true;
        }
    }
    error = std::string(what) + " must be one of ";
    for (size_t k = 0; k < keywords.size(); ++k)
        error += (k ? ", " : "") + std::string(keywords[k]);
    error += ", not " + quoted(text);
    return false;
}

bool checkFieldCount(const std::vector<std::string_view>& fields, size_t minimum, size_t maximum,
                     std::string_view syntax, std::string& error) {
    if (fields.size() >= minimum && fields.size() <= maximum)
        return true;
    error = "expected " + std::string(syntax);
    return false;
}

namespace {
constexpr int64_t kCoordinateLimit = 1000000;
} // namespace

bool readPoint(std::string_view x, std::string_view y, Point& point, std::string& error) {
    return readInteger(x, -kCoordinateLimit, kCoordinateLimit, "an x coordinate", point.x, error) &&
           readInteger(y, -kCoordinateLimit, kCoordinateLimit, "a y coordinate", point.y, error);
}

bool readPointList(std::string_view text, size_t maxOptions, std::string_view syntax, std::vector<Point>& points,
                   std::vector<std::string_view>& options, std::string& error) {
    const auto pieces = splitFields(text, ';');
    for (size_t i = 0; i < pieces.size(); ++i) {
        const auto f = splitFields(pieces[i], ',');
        const bool last = i + 1 == pieces.size();
        Point p;
        if (!checkFieldCount(f, 2, last ? 2 + maxOptions : 2, syntax, error) || !readPoint(f[0], f[1], p, error))
            return false;
        points.push_back(p);
        if (last)
            options.assign(f.begin() + 2, f.end());
    }
    return true;
}

bool readOffset(std::string_view text, std::string_view what, int32_t& x, int32_t& y, std::string& error) {
    const std::vector<std::string_view> fields = splitFields(text, ',');
    Point point;
    if (!checkFieldCount(fields, 2, 2, "X,Y for " + std::string(what), error) ||
        !readPoint(fields[0], fields[1], point, error))
        return false;
    x = point.x;
    y = point.y;
    return true;
}

} // namespace pict
