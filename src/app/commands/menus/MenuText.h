#pragma once
// Texts that become menu items: a '&' marks the mnemonic there, so text taken from paths and
// document names has its own ampersands doubled to show as typed.

#include <string>

namespace pict {

std::string escapeAmpersands(const std::string& text);

} // namespace pict
