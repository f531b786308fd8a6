#include "batch/BatchSteps.h"

#include "app/commands/CommandTable.h"
#include "batch/BatchRun.h"

#include <vector>

namespace pict::batch {

namespace {

struct Heading {
    std::string_view text;
    StepGroup group;
    std::span<const BatchStep> (*own)();
};

std::span<const BatchStep> none() { return {}; }

constexpr Heading kHeadings[] = {
    {"Files and history", StepGroup::Document, documentSteps},
    {"Adjustments and filters", StepGroup::Filters, none},
    {"Image geometry", StepGroup::Geometry, none},
    {"Selection", StepGroup::Selection, selectionSteps},
    {"Fill and colors", StepGroup::Fill, fillSteps},
    {"Painting", StepGroup::Paint, none},
    {"Layers", StepGroup::Layers, layerSteps},
};
constexpr size_t kHeadingCount = std::size(kHeadings);

// A command's step as the batch tool runs it: through the command layer, with the step's
// runner when it completes the parameters from the document.
BatchStep fromCommand(const CommandStepEntry& entry) {
    const CommandStep& step = *entry.step;
    return {step.name, step.syntax, step.argument, step.parse, runCommandStep, entry.spec->id,
            step.help, step.precondition, step.run};
}

} // namespace

std::span<const StepSection> stepSections() {
    // Built on first use: start-up touches none of the tables.
    static std::vector<BatchStep> steps[kHeadingCount];
    static StepSection sections[kHeadingCount];
    static const bool built = [] {
        for (size_t h = 0; h < kHeadingCount; ++h) {
            for (const BatchStep& own : kHeadings[h].own())
                steps[h].push_back(own);
            for (const CommandStepEntry& entry : commandSteps())
                if (entry.step->group == kHeadings[h].group)
                    steps[h].push_back(fromCommand(entry));
            sections[h] = {kHeadings[h].text, steps[h]};
        }
        return true;
    }();
    (void)built;
    return sections;
}

} // namespace pict::batch
