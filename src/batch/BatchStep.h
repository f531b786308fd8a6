#pragma once
// One step of the batch tool as data: its name, the form of its argument, the parser that
// turns the argument into a StepInput, and the action that runs it on the document. The
// steps that run a command are declared with the command (CommandSpec::steps); the batch
// tool adds its own (the source, saving, --info, the current colors). The table of steps
// drives the command-line parser, the runner and --help alike.

#include "app/commands/CommandStep.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace pict::batch {

class BatchRun;

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
    // A command's step that completes its parameters from the document (CommandStep::run).
    StepRunner commandRun = nullptr;
};

// The step as usage and help show it: "--gaussian-blur R".
inline std::string stepForm(const BatchStep& step) {
    return step.syntax.empty() ? std::string(step.name) : std::string(step.name) + " " + std::string(step.syntax);
}

// The steps shown under one heading in --help: the batch tool's own, then the commands'.
struct StepSection {
    std::string_view heading;
    std::span<const BatchStep> steps;
};

} // namespace pict::batch
