#pragma once
// Turning the batch tool's arguments into the list of steps to run, before any of them
// runs: a usage error anywhere means nothing is done at all.

#include "app/settings/AppSettings.h"
#include "batch/BatchStep.h"

#include <span>
#include <string>
#include <vector>

namespace pict::batch {

struct ParsedStep {
    const BatchStep* step = nullptr;
    StepInput input;
};

struct CommandLine {
    // --max-memory MIB before the source: the memory a picture may need before it is refused.
    int32_t maxMemoryMiB = kLargePictureRange.defaultValue;
    ParsedStep source;             // opening a file or --new
    std::vector<ParsedStep> steps; // in the order given
};

enum class ParseStatus { Ok, Help, UsageError };

inline constexpr const char* kMaxMemoryOption = "--max-memory";

// `arguments` excludes the program name. Help when any argument is --help or -h.
ParseStatus parseCommandLine(std::span<const std::string> arguments, CommandLine& line, std::string& error);

// The step with this name among those that may follow the source; null for none.
const BatchStep* findStep(std::string_view name);

} // namespace pict::batch
