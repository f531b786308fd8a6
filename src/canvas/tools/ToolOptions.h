#pragma once
// What the tool options bar shows and the settings file remembers: every tool's settings,
// with their ranges and defaults declared once here. A table of fields (toolOptionFields)
// names each setting for the settings file, so the file and the bar never disagree.

#include "imageops/painting/BrushParams.h"

#include <cstdint>
#include <span>

namespace pict {

// Replace, Add, Subtract, Intersect: the selection tools' mode (as Load Selection's 0..3).
inline constexpr int32_t kSelectionModeCount = 4;
// Shift adds, Alt subtracts, both intersect; without either, the bar's mode.
constexpr int32_t selectionModeFor(bool shift, bool alt, int32_t barMode) {
    if (shift && alt)
        return 3;
    if (shift)
        return 1;
    if (alt)
        return 2;
    return barMode;
}

struct FillToolOptions { // Paint Bucket
    int32_t tolerance = 32;
    bool contiguous = true;
    bool sampleMerged = false;
    int32_t mode = kBlendNormal;
    int32_t opacity = 100;
};

struct GradientToolOptions {
    bool radial = false;
    bool toTransparent = false;
    int32_t mode = kBlendNormal;
    int32_t opacity = 100;
};

struct PickerToolOptions { // Color Picker
    bool sampleMerged = false;
    int32_t sampleSize = 1; // 1, 3 or 5
};

struct WandToolOptions { // Magic Wand
    int32_t tolerance = 32;
    bool contiguous = true;
    bool sampleMerged = false;
    bool antiAlias = false; // the selection's edge softened over one pixel
};

struct ToolOptions {
    BrushParams brush = [] {
        BrushParams p;
        p.tool = PaintTool::Brush;
        p.hardness = 75;
        return p;
    }();
    BrushParams pencil = [] {
        BrushParams p;
        p.tool = PaintTool::Pencil;
        p.size = 1;
        return p;
    }();
    BrushParams eraser = [] {
        BrushParams p;
        p.tool = PaintTool::Eraser;
        p.size = 20;
        return p;
    }();
    FillToolOptions bucket;
    GradientToolOptions gradient;
    PickerToolOptions picker;
    WandToolOptions wand;
    int32_t selectionMode = 0;
    bool ellipseMarquee = false; // Shift+M switches
    bool polygonalLasso = false; // Shift+L switches

    // The brush settings of a painting tool.
    BrushParams& paint(PaintTool tool) {
        return tool == PaintTool::Brush ? brush : tool == PaintTool::Pencil ? pencil : eraser;
    }
};

// One remembered setting: its key in the settings file, its range, and where it lives.
struct ToolOptionField {
    const char* key;
    int32_t minimum;
    int32_t maximum;
    int32_t (*get)(const ToolOptions&);
    void (*set)(ToolOptions&, int32_t);
};
std::span<const ToolOptionField> toolOptionFields();

// The field with this key, or null.
const ToolOptionField* findToolOptionField(const char* key);
// Sets a field by key, clamped to its range. False for an unknown key.
bool setToolOption(ToolOptions& options, const char* key, int64_t value);

} // namespace pict
