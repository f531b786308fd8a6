#pragma once
// What the tool options bar shows for each tool: a row of controls, each tied to one
// remembered setting by its key in the settings table (canvas/tools/ToolOptions.h). The
// Qt bar builds its widgets from these rows, so a setting's range, default and name live in
// one place.

#include <cstdint>
#include <span>

namespace pict {

enum class ToolControlKind : uint8_t {
    Number, // a spin box over the setting's range, with a unit
    Check,  // a check box for a 0/1 setting
    Choice,    // a list of labelled values
    BlendMode, // the blend modes, by their names
};

struct ToolChoice {
    const char* label;
    int32_t value;
};

struct ToolControl {
    const char* label; // "Size:", "Contiguous"
    const char* key;   // the setting's key: "brush.size"
    ToolControlKind kind;
    const char* unit = "";               // "px", "%"
    std::span<const ToolChoice> choices = {}; // for Choice
};

// The controls of a tool id (a ToolId); empty for tools without settings.
std::span<const ToolControl> toolControls(int32_t toolId);

} // namespace pict
