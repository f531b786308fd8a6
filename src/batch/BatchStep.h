#pragma once
// One step of the batch tool as data: its name, the form of its argument, the parser that
// turns the argument into a StepInput, and the action that runs it on the document. The
// tables of steps drive the command-line parser, the runner and --help alike.

#include "app/commands/DocumentCommands.h"
#include "common/Geometry.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace pict::batch {

class BatchRun;

enum class StepArgument : uint8_t {
    None,     // the step takes no argument
    Required, // the next command-line argument belongs to the step
    Optional, // the next argument belongs to the step unless it starts with "--" or is "-o"
};

// What a parser made of the step's argument: the dialog answer handed to the command layer,
// plus the values that only the step itself reads.
struct StepInput {
    CommandParams params;
    uint16_t command = 0; // overrides the step's command id when not 0 (--rotate)
    std::string text;     // a path or a name
    int32_t number = 0;
    uint32_t color = 0; // 0x00RRGGBB
    Point point;
    bool given = false; // an optional argument was present
};

enum class StepStatus : uint8_t {
    Done,      // the step did its work
    Unchanged, // accepted, but its parameters change nothing: no state was added
    Refused,   // the document does not meet the step's precondition
    Failed,    // the step was attempted and failed
    Missing,   // the command layer has no entry for the step's command
};

struct StepReport {
    StepStatus status = StepStatus::Done;
    // For Failed: the whole message (the editor's own where it has one). For Refused and
    // Unchanged: the reason; the runner names the step. Empty means the default wording.
    std::string message;
};

struct BatchStep;
using StepParser = bool (*)(std::string_view argument, StepInput& input, std::string& error);
using StepAction = StepReport (*)(BatchRun& run, const BatchStep& step, const StepInput& input);

struct BatchStep {
    std::string_view name;   // as typed: "--invert", "-o"
    std::string_view syntax; // the argument's form for usage and help: "R", "[NAME[,MODE]]"
    StepArgument argument;
    StepParser parse; // null for steps without an argument
    StepAction run;
    uint16_t command;      // the document command id the step runs, 0 for none
    std::string_view help; // one line for --help
    // What the document must offer, named when the step is refused; empty for steps that
    // are never refused.
    std::string_view precondition;
};

// The step as usage and help show it: "--gaussian-blur R".
inline std::string stepForm(const BatchStep& step) {
    return step.syntax.empty() ? std::string(step.name) : std::string(step.name) + " " + std::string(step.syntax);
}

// The steps of one domain, shown under a heading in --help.
struct StepGroup {
    std::string_view heading;
    std::span<const BatchStep> steps;
};

} // namespace pict::batch
