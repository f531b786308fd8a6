#include "batch/BatchSteps.h"

namespace pict::batch {

std::span<const StepGroup> stepGroups() {
    // Built on first use: start-up touches none of the tables.
    static const StepGroup groups[] = {
        {"Files and history", documentSteps()},
        {"Adjustments and filters", filterSteps()},
        {"Image geometry", geometrySteps()},
        {"Selection", selectionSteps()},
        {"Fill and colors", fillSteps()},
        {"Layers", layerSteps()},
    };
    return groups;
}

} // namespace pict::batch
