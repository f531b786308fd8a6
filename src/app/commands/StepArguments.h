#pragma once
// Reading the batch tool's step arguments: comma- and slash-separated lists, whole and
// decimal numbers within a range, RRGGBB colors, blend-mode and keyword choices. Every
// reader fills `error` with a message the user can act on when the text does not fit.

#include "common/Color.h"
#include "common/Geometry.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace pict {

// The fields between separators; an empty text gives one empty field.
std::vector<std::string_view> splitFields(std::string_view text, char separator);

// A decimal integer with an optional sign, nothing else, within minimum..maximum.
// `what` names the value in the error ("the width").
bool readInteger(std::string_view text, int64_t minimum, int64_t maximum, std::string_view what, int32_t& value,
                 std::string& error);
// A finite decimal number (sign, digits, an optional fraction) within minimum..maximum.
bool readNumber(std::string_view text, double minimum, double maximum, std::string_view what, double& value,
                std::string& error);
// Six hexadecimal digits RRGGBB (an optional leading '#').
bool readColor(std::string_view text, std::string_view what, Color& color, std::string& error);
// A blend mode: its number 0..18 or its name in lower case with hyphens for spaces
// ("color-dodge"); names are matched without regard to case.
bool readBlendMode(std::string_view text, int32_t& mode, std::string& error);
// The blend mode's name as the batch tool spells it ("color-dodge").
std::string blendModeKeyword(int32_t mode);

// One of the keywords (matched without regard to case); its index.
bool readKeyword(std::string_view text, std::span<const std::string_view> keywords, std::string_view what,
                 int32_t& index, std::string& error);

// A canvas point from its two fields, each within -1000000..1000000.
bool readPoint(std::string_view x, std::string_view y, Point& point, std::string& error);
// Points "X1,Y1;X2,Y2;..." and up to maxOptions fields after the last point's comma
// ("1,1;5,5,10" has the option "10"). syntax names the whole form in the error.
bool readPointList(std::string_view text, size_t maxOptions, std::string_view syntax, std::vector<Point>& points,
                   std::vector<std::string_view>& options, std::string& error);
// "X,Y": a point or offset, each within -1000000..1000000; `what` names it ("the position").
bool readOffset(std::string_view text, std::string_view what, int32_t& x, int32_t& y, std::string& error);

// Checks that a list has between minimum and maximum fields.
bool checkFieldCount(const std::vector<std::string_view>& fields, size_t minimum, size_t maximum,
                     std::string_view syntax, std::string& error);

} // namespace pict
