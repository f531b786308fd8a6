#pragma once
// The list of open document windows at the end of the Window menu, as MDI editors show it:
// one item per window in creation order, numbered, with the active one checked.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace pict {

struct WindowListItem {
    uint16_t id = 0; // kCmdWindowListFirst plus the window's position
    std::string text;
    bool checked = false;
};

// "&1 caption" for the first nine windows (the digit is the mnemonic), "10 caption" and so
// on after them; ampersands in captions show as typed. Windows beyond the id range are left
// out. `active` is the position of the active window, if any.
std::vector<WindowListItem> buildWindowListMenu(const std::vector<std::string>& captions,
                                                std::optional<size_t> active);

} // namespace pict
