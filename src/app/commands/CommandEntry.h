#pragma once
// One document command: its id, its precondition and what it does. The command layer is
// split into one table per domain (edit, selection, layers, geometry, fill, filters), each
// defined in its own <Domain>Commands.cpp; DocumentCommands looks ids up across them.

#include "app/commands/DocumentCommands.h"

#include <cstdint>
#include <span>

namespace pict {

struct CommandEntry {
    uint16_t id;
    bool (*enabled)(const DocumentSession&);
    CommandResult (*run)(DocumentSession&, const CommandParams&);
};

std::span<const CommandEntry> editCommandEntries();
std::span<const CommandEntry> selectionCommandEntries();
std::span<const CommandEntry> layerCommandEntries();
std::span<const CommandEntry> geometryCommandEntries();
std::span<const CommandEntry> fillCommandEntries();
std::span<const CommandEntry> filterCommandEntries();

} // namespace pict
