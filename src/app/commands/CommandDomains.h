#pragma once
// The command specs of each menu domain, each defined in its own <Domain>Commands.cpp; the
// registry (CommandTable.cpp) joins them.

#include "app/commands/CommandSpec.h"

#include <span>

namespace pict {

std::span<const CommandSpec> fileCommandSpecs();
std::span<const CommandSpec> editCommandSpecs();
std::span<const CommandSpec> clipboardCommandSpecs();
std::span<const CommandSpec> moveCommandSpecs();
std::span<const CommandSpec> filterCommandSpecs();
std::span<const CommandSpec> geometryCommandSpecs();
std::span<const CommandSpec> selectionCommandSpecs();
std::span<const CommandSpec> fillCommandSpecs();
std::span<const CommandSpec> paintCommandSpecs();
std::span<const CommandSpec> layerCommandSpecs();
std::span<const CommandSpec> viewCommandSpecs();
std::span<const CommandSpec> toolCommandSpecs();
std::span<const CommandSpec> windowHelpCommandSpecs();

} // namespace pict
