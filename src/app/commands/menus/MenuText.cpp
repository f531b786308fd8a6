#include "app/commands/menus/MenuText.h"

namespace pict {

std::string escapeAmpersands(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        out += c;
        if (c == '&')
            out += '&';
    }
    return out;
}

} // namespace pict
