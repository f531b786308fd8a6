#include "batch/BatchCommandLine.h"

#include "app/commands/StepArguments.h"
#include "batch/BatchSteps.h"

namespace pict::batch {

namespace {

// An argument that cannot be a step's argument: it is the next step.
bool looksLikeStep(const std::string& argument) { return argument.starts_with("--") || argument == "-o"; }

// Reads the step at arguments[index] and its argument, advancing index past both.
bool readStep(const BatchStep& step, std::span<const std::string> arguments, size_t& index, ParsedStep& parsed,
              std::string& error) {
    parsed.step = &step;
    ++index;
    // An optional argument that is left out reaches the parser as empty text: the defaults.
    std::string argument;
    if (step.argument != StepArgument::None) {
        const bool available = index < arguments.size() && !looksLikeStep(arguments[index]);
        if (!available && step.argument == StepArgument::Required) {
            error = std::string(step.name) + " needs an argument: " + stepForm(step);
            return false;
        }
        if (available) {
            argument = arguments[index++];
            parsed.input.given = true;
        }
    }
    std::string why;
    if (step.parse && !step.parse(argument, parsed.input, why)) {
        error = std::string(step.name) + (parsed.input.given ? " " + argument : std::string()) + ": " + why;
        return false;
    }
    return true;
}

} // namespace

const BatchStep* findStep(std::string_view name) {
    for (const StepSection& group : stepSections())
        for (const BatchStep& step : group.steps)
            if (step.name == name)
                return &step;
    return nullptr;
}

ParseStatus parseCommandLine(std::span<const std::string> arguments, CommandLine& line, std::string& error) {
    for (const std::string& argument : arguments)
        if (argument == "--help" || argument == "-h")
            return ParseStatus::Help;
    if (arguments.empty()) {
        error = "no source given";
        return ParseStatus::UsageError;
    }

    size_t index = 0;
    // The memory limit comes before everything else, so that it holds for the source too.
    if (arguments.front() == kMaxMemoryOption) {
        const std::string given = arguments.size() > 1 ? arguments[1] : std::string();
        std::string why;
        if (given.empty() || !readInteger(given, kLargePictureRange.minimum, kLargePictureRange.maximum,
                                          "the memory limit in MiB", line.maxMemoryMiB, why)) {
            error = std::string(kMaxMemoryOption) + (given.empty() ? " needs an argument: MIB" : " " + given + ": " + why);
            return ParseStatus::UsageError;
        }
        index = 2;
        if (index >= arguments.size()) {
            error = "no source given";
            return ParseStatus::UsageError;
        }
    }
    const std::string& first = arguments[index];
    if (first == newDocumentStep().name) {
        if (!readStep(newDocumentStep(), arguments, index, line.source, error))
            return ParseStatus::UsageError;
    } else if (looksLikeStep(first) || first.empty()) {
        error = "the first argument must be the source (an image file or --new W,H), not " + first;
        return ParseStatus::UsageError;
    } else {
        line.source.step = &openFileStep();
        line.source.input.text = first;
        line.source.input.given = true;
        ++index;
    }

    while (index < arguments.size()) {
        const std::string& name = arguments[index];
        const BatchStep* step = findStep(name);
        if (!step) {
            error = name == kMaxMemoryOption        ? std::string(kMaxMemoryOption) + " must come first, before the source"
                    : name == newDocumentStep().name ? "--new can only be the source, the first argument"
                    : looksLikeStep(name)          ? "unknown step " + name
                                                   : "unexpected argument " + name + " (only one source is read)";
            return ParseStatus::UsageError;
        }
        ParsedStep parsed;
        if (!readStep(*step, arguments, index, parsed, error))
            return ParseStatus::UsageError;
        line.steps.push_back(std::move(parsed));
    }
    return ParseStatus::Ok;
}

} // namespace pict::batch
