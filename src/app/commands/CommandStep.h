#pragma once
// A command's step in the batch tool, declared with the command (CommandSpec::steps): the
// option's name, the form of its argument, the parser that turns the argument into the
// command's parameters, and its --help line. The batch tool builds its step table from these;
// its own steps (saving, --info, the current colors) use the same argument forms and input.

#include "app/commands/DocumentCommands.h"
#include "common/Geometry.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace pict {

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

// The --help heading a step is listed under.
enum class StepGroup : uint8_t { Document, Filters, Geometry, Selection, Fill, Paint, Layers };

using StepParser = bool (*)(std::string_view argument, StepInput& input, std::string& error);
// Runs the command `id` for a step whose parameters depend on the document (the old size of
// Image Size, the channel count of Save Selection); a refusal may carry its reason.
using StepRunner = CommandResult (*)(DocumentCommands& commands, uint16_t id, const StepInput& input);

struct CommandStep {
    std::string_view name;   // as typed: "--invert"
    std::string_view syntax; // the argument's form for usage and help: "R", "[NAME[,MODE]]"
    StepArgument argument = StepArgument::None;
    StepParser parse = nullptr; // null for steps without an argument
    std::string_view help;      // one line for --help
    // What the document must offer, named when the step is refused; empty for steps that
    // are never refused.
    std::string_view precondition;
    StepGroup group = StepGroup::Document;
    StepRunner run = nullptr; // null: run the command with the parsed parameters
};

} // namespace pict
