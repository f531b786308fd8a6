#pragma once
// What the painting tools paint with: the tool, the round tip's size, hardness and spacing,
// the opacity and blend mode, and the switches the options bar offers. Each range and
// default is declared here once; the options bar, the settings file and the batch tool
// read them from here.

#include "surface/BlendModes.h"

#include <algorithm>
#include <cstdint>

namespace pict {

enum class PaintTool : uint8_t {
    Brush,  // round, anti-aliased, soft by hardness
    Pencil, // round, aliased: a pixel is painted fully or not at all
    Eraser, // brush or pencil shape; makes pixels transparent (background: background color)
};

// The history name of a stroke: "Brush", "Pencil" or "Eraser".
constexpr const char* paintToolName(PaintTool tool) {
    switch (tool) {
    case PaintTool::Brush:
        return "Brush";
    case PaintTool::Pencil:
        return "Pencil";
    case PaintTool::Eraser:
        return "Eraser";
    }
    return "Brush";
}

struct BrushParams {
    static constexpr int32_t kMinSize = 1, kMaxSize = 2000, kDefaultSize = 10;
    static constexpr int32_t kMinHardness = 0, kMaxHardness = 100, kDefaultHardness = 100;
    static constexpr int32_t kMinOpacity = 1, kMaxOpacity = 100;
    // Distance between dabs in percent of the size.
    static constexpr int32_t kMinSpacing = 1, kMaxSpacing = 1000, kDefaultSpacing = 10;

    PaintTool tool = PaintTool::Brush;
    int32_t size = kDefaultSize;        // diameter in pixels
    int32_t hardness = kDefaultHardness; // percent of the radius painted at full strength
    int32_t opacity = kMaxOpacity;       // percent
    int32_t spacing = kDefaultSpacing;   // percent of the size
    int32_t mode = kBlendNormal;         // BlendMode 0..18 (brush and pencil)
    bool hardEdge = false;               // the eraser takes the pencil's aliased tip
    bool lockTransparency = false;       // brush and pencil leave the transparency mask alone
    bool pressureSize = false;           // a tablet's pressure scales the size
    bool pressureOpacity = false;        // and the opacity
    uint32_t color = 0x000000;           // 0x00RRGGBB: the foreground color
    uint32_t backgroundColor = 0xFFFFFF; // 0x00RRGGBB: what the eraser paints on a background layer

    // The pencil's tip, and the eraser's when hardEdge is on.
    bool aliased() const { return tool == PaintTool::Pencil || (tool == PaintTool::Eraser && hardEdge); }
};

constexpr BrushParams clampedBrushParams(BrushParams p) {
    p.size = std::clamp(p.size, BrushParams::kMinSize, BrushParams::kMaxSize);
    p.hardness = std::clamp(p.hardness, BrushParams::kMinHardness, BrushParams::kMaxHardness);
    p.opacity = std::clamp(p.opacity, BrushParams::kMinOpacity, BrushParams::kMaxOpacity);
    p.spacing = std::clamp(p.spacing, BrushParams::kMinSpacing, BrushParams::kMaxSpacing);
    if (!isBlendMode(p.mode))
        p.mode = kBlendNormal;
    p.color &= 0xFFFFFFu;
    p.backgroundColor &= 0xFFFFFFu;
    return p;
}

} // namespace pict
