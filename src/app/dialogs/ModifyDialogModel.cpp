#include "app/dialogs/ModifyDialogModel.h"

#include "app/commands/CommandIds.h"
#include "app/dialogs/DialogNumbers.h"

#include <array>
#include <cmath>

namespace pict {

namespace {

constexpr std::array<ModifyDialogSpec, 4> kSpecs = {{
    {kCmdFeather, "Feather Selection", "Feather radius:", 0.1, 250.0, true},
    {kCmdBorder, "Border Selection", "Border width:", 1, 100, false},
    {kCmdExpand, "Expand Selection", "Expand by:", 1, 100, false},
    {kCmdContract, "Contract Selection", "Contract by:", 1, 100, false},
}};

// A radius is typed to a tenth of a pixel; more places would only be noise.
constexpr int kFeatherDecimals = 1;

} // namespace

const ModifyDialogSpec& modifyDialogSpec(ModifyDialogKind kind) {
    return kSpecs[static_cast<size_t>(kind)];
}

std::string initialModifyText(ModifyDialogKind kind, const ModifyDialogMemory& memory) {
    if (modifyDialogSpec(kind).fractional)
        return formatDecimal(memory.featherRadius, kFeatherDecimals);
    return std::to_string(memory.modifyWidth);
}

std::optional<double> parseModifyValue(ModifyDialogKind kind, std::string_view text) {
    const ModifyDialogSpec& spec = modifyDialogSpec(kind);
    if (!spec.fractional) {
        const auto width = parseWholeNumber(text, int32_t(spec.min), int32_t(spec.max));
        return width ? std::optional<double>(*width) : std::nullopt;
    }
    const auto radius = parseDecimalNumber(text, spec.min, spec.max);
    if (!radius)
        return std::nullopt;
    return std::round(*radius * 10.0) / 10.0;
}

std::optional<CommandParams> confirmModifyDialog(ModifyDialogKind kind, std::string_view text,
                                                 ModifyDialogMemory& memory) {
    const std::optional<double> value = parseModifyValue(kind, text);
    if (!value)
        return std::nullopt;
    if (kind == ModifyDialogKind::Feather) {
        memory.featherRadius = *value;
        return FeatherParams{*value};
    }
    memory.modifyWidth = int32_t(*value);
    return ModifyParams{memory.modifyWidth};
}

} // namespace pict
