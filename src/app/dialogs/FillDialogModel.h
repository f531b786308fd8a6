#pragma once
// The Fill dialog's rules without its widgets: the contents choices and their colors, the
// opacity entry, and the values the dialog remembers until the program exits. The editor's
// dialog shows this model; the command layer receives the FillParams it confirms.

#include "imageops/FillParams.h"

#include <array>
#include <cstdint>
#include <string_view>

namespace pict {

// "Color:" in list order.
enum class FillContents : int32_t { Foreground = 0, Background = 1, White = 2, Black = 3, Custom = 4 };
inline constexpr std::array<std::string_view, 5> kFillContentsNames = {"Foreground", "Background", "White", "Black",
                                                                       "Custom"};

// The fill color of a choice as 0xAARRGGBB with alpha 0xFF; the colors handed in are
// Color32 (0x00RRGGBB). A value outside the list counts as Foreground.
uint32_t fillContentsColor(FillContents choice, uint32_t foreground, uint32_t background, uint32_t custom);

// The "Opacity:" text as a percentage: true only for a whole number within 1..100 (OK is
// enabled only then).
bool parseFillOpacity(std::string_view text, int32_t& percent);

// What the dialog remembers between uses.
struct FillDialogMemory {
    FillContents contents = FillContents::Foreground;
    uint32_t customColor = 0xFFFFFF; // Color32
    int32_t mode = kBlendNormal;
    int32_t opacity = FillParams::kMaxOpacity;
    bool preserveTransparency = false;
};

// The dialog's answer on OK. The memory takes the values (the opacity limited to 1..100,
// the transparency lock only when its box was enabled, which it is not for a background
// layer) and the returned record is what the command fills with.
struct FillDialogAnswer {
    FillContents contents = FillContents::Foreground;
    uint32_t customColor = 0xFFFFFF;
    int32_t mode = kBlendNormal;
    int32_t opacity = FillParams::kMaxOpacity;
    bool preserveTransparency = false;
};
FillParams confirmFillDialog(FillDialogMemory& memory, const FillDialogAnswer& answer, bool preserveEnabled,
                             uint32_t foreground, uint32_t background);

} // namespace pict
