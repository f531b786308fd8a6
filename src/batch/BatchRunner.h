#pragma once
// The batch tool as a function: pictorane-cli SOURCE [STEP]... with the arguments after the
// program name. Exit status 0 when every step ran, 1 when a step failed or was refused (the
// later steps do not run), 2 for bad usage (nothing runs).

#include <iosfwd>
#include <span>
#include <string>

namespace pict::batch {

inline constexpr int kExitOk = 0;
inline constexpr int kExitStepFailed = 1;
inline constexpr int kExitUsage = 2;

int runBatch(std::span<const std::string> arguments, std::ostream& out, std::ostream& err);

// The short text printed after a usage error, and the full --help listing of every step.
std::string usageText();
std::string helpText();

} // namespace pict::batch
