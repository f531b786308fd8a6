#include "app/panels/ToolOptionsLayout.h"

#include "app/commands/CommandIds.h"

namespace pict {

namespace {

using K = ToolControlKind;

constexpr ToolChoice kSelectionModes[] = {
    {"New selection", 0}, {"Add to selection", 1}, {"Subtract from selection", 2}, {"Intersect with selection", 3}};
constexpr ToolChoice kMarqueeShapes[] = {{"Rectangle", 0}, {"Ellipse", 1}};
constexpr ToolChoice kLassoShapes[] = {{"Freehand", 0}, {"Polygonal", 1}};
constexpr ToolChoice kGradientShapes[] = {{"Linear", 0}, {"Radial", 1}};
constexpr ToolChoice kGradientEnds[] = {{"Foreground to background", 0}, {"Foreground to transparent", 1}};
constexpr ToolChoice kSampleSizes[] = {{"Point sample", 1}, {"3 by 3 average", 3}, {"5 by 5 average", 5}};

constexpr ToolControl kBrush[] = {
    {"Size:", "brush.size", K::Number, "px"},
    {"Hardness:", "brush.hardness", K::Number, "%"},
    {"Opacity:", "brush.opacity", K::Number, "%"},
    {"Spacing:", "brush.spacing", K::Number, "%"},
    {"Mode:", "brush.mode", K::BlendMode},
    {"Lock transparency", "brush.lock_transparency", K::Check},
    {"Pressure: size", "brush.pressure_size", K::Check},
    {"Pressure: opacity", "brush.pressure_opacity", K::Check},
};
constexpr ToolControl kPencil[] = {
    {"Size:", "pencil.size", K::Number, "px"},
    {"Opacity:", "pencil.opacity", K::Number, "%"},
    {"Mode:", "pencil.mode", K::BlendMode},
    {"Lock transparency", "pencil.lock_transparency", K::Check},
};
constexpr ToolControl kEraser[] = {
    {"Size:", "eraser.size", K::Number, "px"},
    {"Hardness:", "eraser.hardness", K::Number, "%"},
    {"Opacity:", "eraser.opacity", K::Number, "%"},
    {"Spacing:", "eraser.spacing", K::Number, "%"},
    {"Hard edge", "eraser.hard_edge", K::Check},
    {"Pressure: size", "eraser.pressure_size", K::Check},
    {"Pressure: opacity", "eraser.pressure_opacity", K::Check},
};
constexpr ToolControl kPicker[] = {
    {"Sample:", "picker.sample_size", K::Choice, "", kSampleSizes},
    {"Sample merged", "picker.sample_merged", K::Check},
};
constexpr ToolControl kBucket[] = {
    {"Tolerance:", "bucket.tolerance", K::Number},
    {"Contiguous", "bucket.contiguous", K::Check},
    {"Sample merged", "bucket.sample_merged", K::Check},
    {"Mode:", "bucket.mode", K::BlendMode},
    {"Opacity:", "bucket.opacity", K::Number, "%"},
};
constexpr ToolControl kGradient[] = {
    {"Shape:", "gradient.radial", K::Choice, "", kGradientShapes},
    {"Colors:", "gradient.to_transparent", K::Choice, "", kGradientEnds},
    {"Mode:", "gradient.mode", K::BlendMode},
    {"Opacity:", "gradient.opacity", K::Number, "%"},
};
constexpr ToolControl kMarquee[] = {
    {"Mode:", "selection.mode", K::Choice, "", kSelectionModes},
    {"Shape:", "marquee.ellipse", K::Choice, "", kMarqueeShapes},
};
constexpr ToolControl kLasso[] = {
    {"Mode:", "selection.mode", K::Choice, "", kSelectionModes},
    {"Shape:", "lasso.polygonal", K::Choice, "", kLassoShapes},
};
constexpr ToolControl kWand[] = {
    {"Mode:", "selection.mode", K::Choice, "", kSelectionModes},
    {"Tolerance:", "wand.tolerance", K::Number},
    {"Contiguous", "wand.contiguous", K::Check},
    {"Sample merged", "wand.sample_merged", K::Check},
    {"Anti-aliasing", "wand.anti_alias", K::Check},
};

struct ToolRow {
    int32_t tool;
    std::span<const ToolControl> controls;
};
constexpr ToolRow kRows[] = {
    {kToolBrush, kBrush},         {kToolPencil, kPencil},     {kToolEraser, kEraser},
    {kToolColorPicker, kPicker},  {kToolPaintBucket, kBucket}, {kToolGradient, kGradient},
    {kToolMarquee, kMarquee},     {kToolLasso, kLasso},       {kToolMagicWand, kWand},
};

} // namespace

std::span<const ToolControl> toolControls(int32_t toolId) {
    for (const ToolRow& row : kRows)
        if (row.tool == toolId)
            return row.controls;
    return {};
}

} // namespace pict
