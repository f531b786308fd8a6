#pragma once
// Where the user manual is: installed beside the program (PREFIX/share/pictorane/manual, the
// program being in PREFIX/bin), or, for a copy run from its build folder, where the build
// wrote it.

#include <filesystem>

namespace pict {

// The manual's first page, or empty when neither place has it. buildManual is the page the
// build wrote (empty to leave that place out).
std::filesystem::path findManual(const std::filesystem::path& executableDirectory,
                                 const std::filesystem::path& buildManual);
// findManual for the running program.
std::filesystem::path installedOrBuiltManual();

inline constexpr const char* kManualMissingMessage =
    "The user manual could not be found. It is installed with the program (cmake --install) into "
    "share/pictorane/manual beside its bin folder.";

} // namespace pict
