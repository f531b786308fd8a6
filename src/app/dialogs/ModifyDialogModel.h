#pragma once
// The one-value dialogs of the Select menu (Feather, Border, Expand, Contract) without their
// widgets: caption, label, range, the text their edit box starts with and what they remember
// until the program exits.

#include "app/commands/DocumentCommands.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace pict {

enum class ModifyDialogKind { Feather, Border, Expand, Contract };

struct ModifyDialogSpec {
    uint16_t command;
    std::string_view caption;
    std::string_view label;
    double min;
    double max;
    bool fractional; // Feather takes tenths; the others whole pixels
};

const ModifyDialogSpec& modifyDialogSpec(ModifyDialogKind kind);

// Feather keeps its radius; Border, Expand and Contract share one width.
struct ModifyDialogMemory {
    double featherRadius = 1.0;
    int32_t modifyWidth = 1;
};

// The edit box's first text: the remembered value.
std::string initialModifyText(ModifyDialogKind kind, const ModifyDialogMemory& memory);
// The value the text stands for, or none when it is not a number within the dialog's range
// (OK refuses it).
std::optional<double> parseModifyValue(ModifyDialogKind kind, std::string_view text);
// OK: the memory takes the value and the command receives its record (FeatherParams or
// ModifyParams). None when the text is refused; the memory is then unchanged.
std::optional<CommandParams> confirmModifyDialog(ModifyDialogKind kind, std::string_view text,
                                                 ModifyDialogMemory& memory);

} // namespace pict
