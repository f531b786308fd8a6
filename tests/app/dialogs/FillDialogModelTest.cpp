#include "app/dialogs/CanvasSizeSettings.h"
#include "app/dialogs/FillDialogModel.h"

#include <gtest/gtest.h>

namespace pict {
namespace {

TEST(FillDialogModel, ContentsChoicesGiveTheirColors) {
    const Color fore = Color::fromRgb(0x112233), back = Color::fromRgb(0x445566), custom = Color::fromRgb(0x778899);
    const std::pair<FillContents, uint32_t> cases[] = {
        {FillContents::Foreground, 0x112233}, {FillContents::Background, 0x445566}, {FillContents::White, 0xFFFFFF},
        {FillContents::Black, 0x000000},      {FillContents::Custom, 0x778899},
        {FillContents(7), 0x112233}, // outside the list: the foreground
    };
    for (const auto& [choice, rgb] : cases)
        EXPECT_EQ(fillContentsColor(choice, fore, back, custom).rgb(), rgb) << int(choice);
    EXPECT_EQ(kFillContentsNames[size_t(FillContents::Custom)], "Custom");
}

TEST(FillDialogModel, OpacityTextMustBeAWholeNumberFromOneToHundred) {
    int32_t percent = -1;
    EXPECT_TRUE(parseFillOpacity("50", percent));
    EXPECT_EQ(percent, 50);
    EXPECT_TRUE(parseFillOpacity(" 100 ", percent));
    EXPECT_EQ(percent, 100);
    for (const char* bad : {"0", "101", "-3", "", "5x", "2.5", "abc"}) {
        percent = 42;
        EXPECT_FALSE(parseFillOpacity(bad, percent)) << bad;
        EXPECT_EQ(percent, 42) << bad;
    }
}

TEST(FillDialogModel, ConfirmRemembersTheValuesAndKeepsTheLockOnlyWhenEnabled) {
    FillDialogMemory memory;
    FillDialogAnswer answer;
    answer.contents = FillContents::Custom;
    answer.customColor = Color::fromRgb(0x123456);
    answer.mode = kBlendScreen;
    answer.opacity = 250;
    answer.preserveTransparency = true;
    FillParams params = confirmFillDialog(memory, answer, true, kBlack, kWhite);
    EXPECT_EQ(params.color, 0xFF123456u);
    EXPECT_EQ(params.mode, kBlendScreen);
    EXPECT_EQ(params.opacity, 100);
    EXPECT_TRUE(params.preserveTransparency);
    EXPECT_EQ(memory.opacity, 100);
    EXPECT_EQ(memory.contents, FillContents::Custom);

    // On a background layer the box is disabled: nothing is locked and the memory keeps
    // the earlier choice.
    answer.preserveTransparency = false;
    params = confirmFillDialog(memory, answer, false, kBlack, kWhite);
    EXPECT_FALSE(params.preserveTransparency);
    EXPECT_TRUE(memory.preserveTransparency);
}

TEST(CanvasSizeFields, EntriesShowPixelsInTheChosenUnit) {
    EXPECT_DOUBLE_EQ(
        canvasEntryFromPixels(150, CanvasLengthUnit::Percent, false, 100, 72, ResolutionUnit::PixelsPerInch),
        150.0);
    EXPECT_DOUBLE_EQ(
        canvasEntryFromPixels(120, CanvasLengthUnit::Pixels, true, 100, 72, ResolutionUnit::PixelsPerInch),
        20.0);
    EXPECT_DOUBLE_EQ(
        canvasEntryFromPixels(80, CanvasLengthUnit::Percent, true, 100, 72, ResolutionUnit::PixelsPerInch),
        -20.0);
    EXPECT_DOUBLE_EQ(
        canvasEntryFromPixels(144, CanvasLengthUnit::Inches, false, 100, 72, ResolutionUnit::PixelsPerInch),
        2.0);
    EXPECT_NEAR(canvasEntryFromPixels(300, CanvasLengthUnit::Millimeters, false, 100, 300,
                                      ResolutionUnit::PixelsPerInch),
                25.4, 1e-9);
    // Back and forth in every unit lands on the same pixels.
    for (auto unit : {CanvasLengthUnit::Percent, CanvasLengthUnit::Pixels, CanvasLengthUnit::Inches,
                      CanvasLengthUnit::Centimeters, CanvasLengthUnit::Millimeters})
        for (bool relative : {false, true}) {
            const double shown =
                canvasEntryFromPixels(437, unit, relative, 300, 118.11f, ResolutionUnit::PixelsPerCentimeter);
            EXPECT_EQ(canvasPixelsFromEntry(shown, unit, relative, 300, 118.11f,
                                            ResolutionUnit::PixelsPerCentimeter),
                      437);
        }
    EXPECT_EQ(pixelCountText(640), "640 pixels");
    EXPECT_EQ(canvasMemoryText(100, 100), memorySizeText(30000));
}

} // namespace
} // namespace pict
