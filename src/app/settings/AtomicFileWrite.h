#pragma once
// Replacing a file so that it is always either the old or the complete new content.

#include <filesystem>
#include <string_view>

namespace pict {

// Writes data to a temporary file in the target's folder, flushes it to disk and renames it
// over the target. On any failure the temporary file is removed and the target is untouched.
bool writeFileAtomically(const std::filesystem::path& target, std::string_view data);

} // namespace pict
