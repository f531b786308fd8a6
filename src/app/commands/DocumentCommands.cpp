#include "app/commands/DocumentCommands.h"

#include "app/commands/CommandTable.h"
#include "app/session/DocumentSession.h"

#include <new>

namespace pict {

namespace {

// The spec of a document command that does something; null for any other id.
const CommandSpec* documentSpec(uint16_t id) {
    const CommandSpec* spec = findCommand(id);
    return spec && spec->route == CommandRoute::Document && spec->run ? spec : nullptr;
}

bool specEnabled(const CommandSpec& spec, const DocumentSession& session) {
    return spec.enabled == nullptr || spec.enabled(session);
}

} // namespace

bool DocumentCommands::isEnabled(uint16_t id) const {
    const CommandSpec* spec = documentSpec(id);
    return spec && specEnabled(*spec, session_);
}

CommandResult DocumentCommands::execute(uint16_t id, CommandParams params) {
    const CommandSpec* spec = documentSpec(id);
    if (!spec)
        return {CommandOutcome::Unknown};
    if (!specEnabled(*spec, session_))
        return {CommandOutcome::Refused};
    CommandResult result{CommandOutcome::Failed};
    try {
        result = spec->run(session_, params);
    } catch (const std::bad_alloc&) {
        // The history discards a state whose apply ran out of memory; building the state
        // itself is all that can throw here.
    }
    session_.syncModified();
    return result;
}

} // namespace pict
