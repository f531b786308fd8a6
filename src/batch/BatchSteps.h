#pragma once
// The batch tool's step tables, one per domain, in the order --help lists them.

#include "batch/BatchStep.h"

#include <span>

namespace pict::batch {

// The forms the source may take: opening a file (the positional SOURCE) and --new.
const BatchStep& openFileStep();
const BatchStep& newDocumentStep();

std::span<const BatchStep> documentSteps(); // saving, --info, history
std::span<const BatchStep> filterSteps();
std::span<const BatchStep> geometrySteps();
std::span<const BatchStep> selectionSteps();
std::span<const BatchStep> fillSteps();
std::span<const BatchStep> layerSteps();

// Every group of steps that may follow the source.
std::span<const StepGroup> stepGroups();

} // namespace pict::batch
