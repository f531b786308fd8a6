#pragma once
// The Fill dialog's rules without its widgets: the contents choices and their colors, the
// opacity entry, and the values the dialog remembers until the program exits. The editor's
// dialog shows this model; the command layer receives the FillParams it confirms.

#include "app/dialogs/FillContents.h"
#include "imageops/FillParams.h"

#include <cstdint>
#include <string_view>

namespace pict {

// The "Opacity:" text as a percentage: true only for a whole number within 1..100 (OK is
// enabled only then).
bool parseFillOpacity(std::string_view text, int32_t& percent);

// What the dialog remembers between uses.
struct FillDialogMemory {
    FillContents contents = FillContents::Foreground;
    Color customColor = kWhite;
    int32_t mode = kBlendNormal;
    int32_t opacity = FillParams::kMaxOpacity;
    bool preserveTransparency = false;
};

// The dialog's answer on OK. The memory takes the values (the opacity limited to 1..100,
// the transparency lock only when its box was enabled, which it is not for a background
// layer) and the returned record is what the command fills with.
struct FillDialogAnswer {
    FillContents contents = FillContents::Foreground;
    Color customColor = kWhite;
    int32_t mode = kBlendNormal;
    int32_t opacity = FillParams::kMaxOpacity;
    bool preserveTransparency = false;
};
FillParams confirmFillDialog(FillDialogMemory& memory, const FillDialogAnswer& answer, bool preserveEnabled,
                             Color foreground, Color background);

} // namespace pict
