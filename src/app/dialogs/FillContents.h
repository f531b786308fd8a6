#pragma once
// The color lists of the Fill dialog ("Color:") and the Canvas Size dialog ("Canvas extension
// color:"): the same five choices in the same order, and the color each one stands for.

#include "common/Color.h"

#include <array>
#include <cstdint>
#include <string_view>

namespace pict {

enum class FillContents : int32_t { Foreground = 0, Background = 1, White = 2, Black = 3, Custom = 4 };
inline constexpr std::array<std::string_view, 5> kFillContentsNames = {"Foreground", "Background", "White", "Black",
                                                                       "Custom"};

// A value outside the list counts as Foreground.
constexpr Color fillContentsColor(FillContents choice, Color foreground, Color background, Color custom) {
    switch (choice) {
    case FillContents::Foreground: return foreground;
    case FillContents::Background: return background;
    case FillContents::White: return kWhite;
    case FillContents::Black: return kBlack;
    case FillContents::Custom: return custom;
    }
    return foreground;
}

} // namespace pict
