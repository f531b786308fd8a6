#pragma once
// The program's name and version as the build gives them.

#include <string>

namespace pict {

struct ProductVersion {
    int major = 0;
    int minor = 0;
    int patch = 0;
    int build = 0;
};

inline constexpr const char* kProductName = "Pictorane";
inline constexpr const char* kCompanyName = "Brindlemoss";

ProductVersion productVersion();
// "Version %d.%d.%d  (Build %d)" for the About box.
std::string aboutVersionText(const ProductVersion& version);
// A version text such as "1, 0, 0, 1" or "1.0.0.1": split at every dot or comma, it must
// give exactly four parts, each (trimmed of spaces) a number; otherwise the result is false.
bool parseProductVersion(const std::string& text, ProductVersion& out);

} // namespace pict
