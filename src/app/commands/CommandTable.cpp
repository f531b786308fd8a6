#include "app/commands/CommandTable.h"

#include "app/commands/CommandDomains.h"

#include <algorithm>
#include <cstring>
#include <functional>

namespace pict {
namespace {

struct Registry {
    std::vector<std::reference_wrapper<const CommandSpec>> specs; // grouped by domain
    std::vector<const CommandSpec*> byId;   // sorted by id for lookups
    std::vector<CommandStepEntry> steps;
};

const Registry& registry() {
    static const Registry built = [] {
        using Domain = std::span<const CommandSpec> (*)();
        constexpr Domain kDomains[] = {fileCommandSpecs,      editCommandSpecs,  clipboardCommandSpecs, moveCommandSpecs, filterCommandSpecs,
                                       geometryCommandSpecs,  selectionCommandSpecs, fillCommandSpecs,
                                       paintCommandSpecs,
                                       layerCommandSpecs,     viewCommandSpecs,  toolCommandSpecs,
                                       windowHelpCommandSpecs};
        Registry r;
        for (Domain domain : kDomains)
            for (const CommandSpec& spec : domain()) {
                r.specs.push_back(spec);
                r.byId.push_back(&spec);
                for (const CommandStep& step : spec.steps)
                    r.steps.push_back({&spec, &step});
            }
        std::sort(r.byId.begin(), r.byId.end(), [](const CommandSpec* a, const CommandSpec* b) { return a->id < b->id; });
        return r;
    }();
    return built;
}

} // namespace

std::span<const std::reference_wrapper<const CommandSpec>> commandTable() { return registry().specs; }

const CommandSpec* findCommand(uint16_t id) {
    const auto& index = registry().byId;
    auto it = std::lower_bound(index.begin(), index.end(), id,
                               [](const CommandSpec* entry, uint16_t wanted) { return entry->id < wanted; });
    if (it == index.end() || (*it)->id != id)
        return nullptr;
    return *it;
}

const std::vector<CommandStepEntry>& commandSteps() { return registry().steps; }

std::string menuLabel(const CommandSpec& spec) {
    std::string label = spec.menuText;
    if (*spec.shortcutText) {
        label += '\t';
        label += spec.shortcutText;
    }
    return label;
}

std::string statusLine(const CommandSpec& spec) {
    const char* newline = std::strchr(spec.statusText, '\n');
    return newline ? std::string(spec.statusText, newline) : std::string(spec.statusText);
}

std::string toolTip(const CommandSpec& spec) {
    if (const char* newline = std::strchr(spec.statusText, '\n'))
        return newline + 1;
    std::string text = spec.menuText;
    if (text.ends_with("..."))
        text.resize(text.size() - 3);
    return text.empty() ? statusLine(spec) : text;
}

} // namespace pict
