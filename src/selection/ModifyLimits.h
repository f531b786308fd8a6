#pragma once
// The value rules of the Feather, Border, Expand and Contract commands: one record per
// dialog with its caption, label, range and initial value, shared by the editor's dialog,
// the batch tool and the mask operations (which clamp instead of refusing).

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace pict {

enum class ModifyCommand : int32_t { Feather = 0, Border = 1, Expand = 2, Contract = 3 };

struct ModifyDialogRule {
    ModifyCommand command;
    std::string_view caption;
    std::string_view label;
    double minimum;
    double maximum;
    double initial;
    bool fractional; // false: only whole numbers are accepted
};

inline constexpr std::string_view kModifyUnit = "pixels";

inline constexpr std::array<ModifyDialogRule, 4> kModifyDialogRules{{
    {ModifyCommand::Feather, "Feather Selection", "Feather radius:", 0.1, 250.0, 1.0, true},
    {ModifyCommand::Border, "Border Selection", "Border width:", 1.0, 100.0, 1.0, false},
    {ModifyCommand::Expand, "Expand Selection", "Expand by:", 1.0, 100.0, 1.0, false},
    {ModifyCommand::Contract, "Contract Selection", "Contract by:", 1.0, 100.0, 1.0, false},
}};

const ModifyDialogRule& modifyDialogRule(ModifyCommand command);

// The value a dialog's text stands for, or none when OK must stay refused: the text must be
// a complete decimal number (surrounding blanks allowed) inside the rule's range, and a
// whole number where the rule is not fractional.
std::optional<double> parseModifyValue(const ModifyDialogRule& rule, std::string_view text);

// What the mask operations do with out-of-range values: 0.1..250 for the feather radius
// (anything not above 0.1, NaN included, is 0.1), 1..100 for the widths.
double clampFeatherRadius(double radius);
int32_t clampModifyWidth(int32_t width);

// The dialogs' memory for one run of the program: the feather radius on its own, and one
// width shared by Border, Expand and Contract.
struct ModifyDialogMemory {
    double featherRadius = 1.0;
    int32_t width = 1;

    double initialValue(ModifyCommand command) const;
    // Records an accepted value (clamped into its rule's range).
    void remember(ModifyCommand command, double value);
};

} // namespace pict
