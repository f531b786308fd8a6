#include "app/commands/DocumentCommands.h"

#include "app/commands/CommandEntry.h"

#include <array>
#include <new>

namespace pict {

namespace {

const CommandEntry* findEntry(uint16_t id) {
    using Table = std::span<const CommandEntry> (*)();
    static constexpr std::array<Table, 6> kTables = {editCommandEntries,  selectionCommandEntries,
                                                     layerCommandEntries, geometryCommandEntries,
                                                     fillCommandEntries,  filterCommandEntries};
    for (Table table : kTables)
        for (const CommandEntry& entry : table())
            if (entry.id == id)
                return &entry;
    return nullptr;
}

bool entryEnabled(const CommandEntry& entry, const DocumentSession& session) {
    return entry.enabled == nullptr || entry.enabled(session);
}

} // namespace

bool DocumentCommands::isEnabled(uint16_t id) const {
    const CommandEntry* entry = findEntry(id);
    return entry && entryEnabled(*entry, session_);
}

CommandResult DocumentCommands::execute(uint16_t id, CommandParams params) {
    const CommandEntry* entry = findEntry(id);
    if (!entry)
        return {CommandOutcome::Unknown};
    if (!entryEnabled(*entry, session_))
        return {CommandOutcome::Refused};
    try {
        return entry->run(session_, params);
    } catch (const std::bad_alloc&) {
        // The history discards a state whose apply ran out of memory; building the state
        // itself is all that can throw here.
        return {CommandOutcome::Failed};
    }
}

} // namespace pict
