#include "app/session/WindowListMenu.h"

#include "app/commands/CommandIds.h"
#include "app/commands/menus/MenuText.h"

#include <algorithm>

namespace pict {

std::vector<WindowListItem> buildWindowListMenu(const std::vector<std::string>& captions,
                                                std::optional<size_t> active) {
    constexpr size_t kCapacity = kCmdWindowListLast - kCmdWindowListFirst + 1;
    std::vector<WindowListItem> items;
    const size_t count = std::min(captions.size(), kCapacity);
    items.reserve(count);
    for (size_t i = 0; i < count; ++i) {
        const size_t number = i + 1;
        std::string text = (number <= 9 ? "&" : "") + std::to_string(number) + " " + escapeAmpersands(captions[i]);
        items.push_back({static_cast<uint16_t>(kCmdWindowListFirst + i), std::move(text), active == i});
    }
    return items;
}

} // namespace pict
