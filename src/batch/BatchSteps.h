#pragma once
// The batch tool's step table: its own steps, one table per domain, and the steps the
// commands declare, listed under the same headings in --help.

#include "batch/BatchStep.h"

#include <span>

namespace pict::batch {

// The forms the source may take: opening a file (the positional SOURCE) and --new.
const BatchStep& openFileStep();
const BatchStep& newDocumentStep();

// The batch tool's own steps of each heading.
std::span<const BatchStep> documentSteps(); // saving, --info, the history limit
std::span<const BatchStep> selectionSteps(); // marquee shapes, the tolerance
std::span<const BatchStep> fillSteps();      // the current colors
std::span<const BatchStep> layerSteps();     // the active layer, placing a file

// Every heading with its steps that may follow the source, in --help order.
std::span<const StepSection> stepSections();

} // namespace pict::batch
