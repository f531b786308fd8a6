#include "app/dialogs/NewImageModel.h"

#include <gtest/gtest.h>

namespace pict {
namespace {

NewImageFields fields(float w, float h, SizeUnit unit = SizeUnit::Pixels, float res = 72,
                      ResolutionUnit ru = ResolutionUnit::PixelsPerInch) {
    NewImageFields f;
    f.documentName = "Untitled-1";
    f.values.width = w;
    f.values.height = h;
    f.values.sizeUnit = unit;
    f.values.resolution = res;
    f.values.resolutionUnit = ru;
    return f;
}

TEST(NewImageUnits, ConvertToWholePixels) {
    EXPECT_EQ(sizeToPixels(10, SizeUnit::Inches, 72, ResolutionUnit::PixelsPerInch), 720);
    EXPECT_EQ(sizeToPixels(210, SizeUnit::Millimeters, 300, ResolutionUnit::PixelsPerInch), 2480);
    EXPECT_EQ(sizeToPixels(297, SizeUnit::Millimeters, 300, ResolutionUnit::PixelsPerInch), 3507);
    EXPECT_EQ(sizeToPixels(10, SizeUnit::Centimeters, 100, ResolutionUnit::PixelsPerCentimeter), 1000);
    EXPECT_EQ(sizeToPixels(10, SizeUnit::Millimeters, 100, ResolutionUnit::PixelsPerCentimeter), 100);
    EXPECT_EQ(sizeToPixels(2, SizeUnit::Inches, 50, ResolutionUnit::PixelsPerCentimeter), 254);
    EXPECT_EQ(sizeToPixels(99.9, SizeUnit::Pixels, 72, ResolutionUnit::PixelsPerInch), 99);
    EXPECT_EQ(sizeToPixels(-3.7, SizeUnit::Pixels, 72, ResolutionUnit::PixelsPerInch), -3);
    EXPECT_EQ(sizeToPixels(1e30, SizeUnit::Inches, 72, ResolutionUnit::PixelsPerInch), 2147483647);
}

TEST(NewImageUnits, ConvertBetweenUnitsAndResolutions) {
    EXPECT_DOUBLE_EQ(convertSizeValue(2, SizeUnit::Inches, SizeUnit::Centimeters, 72, ResolutionUnit::PixelsPerInch), 5.08);
    EXPECT_DOUBLE_EQ(convertSizeValue(3, SizeUnit::Centimeters, SizeUnit::Millimeters, 72, ResolutionUnit::PixelsPerInch), 30);
    EXPECT_DOUBLE_EQ(convertSizeValue(254, SizeUnit::Millimeters, SizeUnit::Inches, 72, ResolutionUnit::PixelsPerInch), 10);
    EXPECT_DOUBLE_EQ(convertSizeValue(720, SizeUnit::Pixels, SizeUnit::Inches, 72, ResolutionUnit::PixelsPerInch), 10);
    EXPECT_DOUBLE_EQ(convertSizeValue(1.5, SizeUnit::Inches, SizeUnit::Pixels, 72, ResolutionUnit::PixelsPerInch), 108);
    EXPECT_DOUBLE_EQ(convertResolution(100, ResolutionUnit::PixelsPerInch, ResolutionUnit::PixelsPerCentimeter), 39.370078);
    EXPECT_DOUBLE_EQ(convertResolution(100, ResolutionUnit::PixelsPerCentimeter, ResolutionUnit::PixelsPerInch), 254);
}

TEST(NewImageSizeLabel, ShowsBytesKilobytesMegabytesGigabytes) {
    EXPECT_EQ(imageSizeLabel(10, 10), "300 bytes");
    EXPECT_EQ(imageSizeLabel(640, 480), "900K");
    EXPECT_EQ(imageSizeLabel(1024, 768), "2.25M");
    EXPECT_EQ(imageSizeLabel(341, 1), "1023 bytes");
    EXPECT_EQ(imageSizeLabel(100, 100), "29.3K");
    EXPECT_EQ(imageSizeLabel(30000, 30000), "2.51G");
    EXPECT_EQ(imageSizeLabel(1000, 1000), "2.86M");
    EXPECT_EQ(imageSizeLabel(30001, 10), "--");
    EXPECT_EQ(imageSizeLabel(0, 10), "--");
}

TEST(NewImageDialogRules, OkNeedsANameAndValidSizes) {
    EXPECT_TRUE(canConfirmNewImage(fields(30000, 1)));
    EXPECT_FALSE(canConfirmNewImage(fields(30001, 1)));
    EXPECT_FALSE(canConfirmNewImage(fields(0.5f, 10)));
    EXPECT_FALSE(canConfirmNewImage(fields(10, 10, SizeUnit::Pixels, 0.5f)));
    EXPECT_FALSE(canConfirmNewImage(fields(10, 10, SizeUnit::Pixels, 10000)));
    NewImageFields unnamed = fields(10, 10);
    unnamed.documentName.clear();
    EXPECT_FALSE(canConfirmNewImage(unnamed));
}

TEST(NewImageDialogRules, PresetButtonsOrientationAndSwap) {
    NewImageFields f = fields(640, 480);
    f.selectedPresetId = 0;
    EXPECT_TRUE(canSavePreset(f));
    f.selectedPresetId = 1;
    EXPECT_TRUE(canSavePreset(f));
    f.selectedPresetId = 3;
    EXPECT_FALSE(canSavePreset(f));
    EXPECT_FALSE(canDeletePreset(7));
    EXPECT_TRUE(canDeletePreset(8));

    EXPECT_FALSE(isPortrait(f));
    EXPECT_TRUE(canSwapSides(f));
    swapSides(f);
    EXPECT_TRUE(isPortrait(f));
    EXPECT_FALSE(canSwapSides(fields(100, 100)));
    EXPECT_FALSE(canSwapSides(fields(40000, 100)));
}

TEST(NewImagePresets, BuiltInListAndMatching) {
    BuiltInPresetInputs in;
    in.lastConfirmed = resetPreset();
    in.lastConfirmed.width = 500;
    in.lastConfirmed.background = NewImageBackground::Transparent;
    in.clipboardSize = Size{123, 45};
    std::vector<ImagePreset> list = builtInPresets(in);
    ASSERT_EQ(list.size(), 8u);
    const char* names[] = {"Custom", "Clipboard", "Default", "640 x 480", "800 x 600", "1024 x 768", "A4", "A3"};
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(list[i].id, i);
        EXPECT_EQ(list[i].name, names[i]);
    }
    EXPECT_EQ(list[0].width, 500);
    EXPECT_EQ(list[1].width, 123);
    EXPECT_EQ(list[1].height, 45);
    EXPECT_EQ(list[1].background, NewImageBackground::Transparent);
    EXPECT_EQ(list[2].background, NewImageBackground::White);
    EXPECT_EQ(list[6].sizeUnit, SizeUnit::Millimeters);
    EXPECT_EQ(list[7].resolution, 300);

    in.clipboardSize.reset();
    EXPECT_EQ(builtInPresets(in)[1].width, 320);

    ImagePreset typed = resetPreset();
    typed.width = 800;
    typed.height = 600;
    EXPECT_EQ(matchingPresetIndex(list, typed), 4u);
    typed.background = NewImageBackground::BackgroundColor;
    EXPECT_FALSE(matchingPresetIndex(list, typed));
}

TEST(NewImagePresets, SaveRefusesTakenNamesAndUsesTheNextId) {
    PresetList user;
    std::vector<ImagePreset> builtIns = builtInPresets({});
    ImagePreset values = resetPreset();
    int32_t id = 0;
    EXPECT_EQ(savePreset(user, builtIns, "Mine", values, &id), SavePresetResult::Added);
    EXPECT_EQ(id, 8);
    EXPECT_EQ(savePreset(user, builtIns, "Mine", values), SavePresetResult::DuplicateName);
    EXPECT_EQ(savePreset(user, builtIns, "A4", values), SavePresetResult::DuplicateName);
    EXPECT_EQ(savePreset(user, builtIns, "", values), SavePresetResult::EmptyName);
    EXPECT_EQ(savePreset(user, builtIns, "mine", values, &id), SavePresetResult::Added);
    EXPECT_EQ(id, 9);
    ASSERT_TRUE(user.removeById(8));
    EXPECT_EQ(user.nextFreeId(), 8);
    EXPECT_EQ(duplicatePresetMessage("Mine"), "Preset \"Mine\" already exists!   \nPlease try a different name.   ");
    EXPECT_EQ(deletePresetQuestion("Mine"), "Delete preset \"Mine\" ?  ");
    ImagePreset a4 = builtIns[6];
    EXPECT_EQ(presetNameProposal(a4), "210 x 297 mm");
    a4.height = 29.7f;
    EXPECT_EQ(presetNameProposal(a4), "210 x 29.7 mm");
}

TEST(NewImageSpec, BackgroundChoices) {
    NewImageFields f = fields(210, 297, SizeUnit::Millimeters, 300);
    NewImageSpec white = newImageSpec(f, Color::fromRgb(0x123456));
    EXPECT_EQ(white.width, 2480);
    EXPECT_EQ(white.height, 3507);
    EXPECT_EQ(white.fillColor.rgb(), 0xFFFFFFu);
    EXPECT_FALSE(white.transparent);
    f.values.background = NewImageBackground::BackgroundColor;
    EXPECT_EQ(newImageSpec(f, Color::fromRgb(0x123456)).fillColor.rgb(), 0x123456u);
    f.values.background = NewImageBackground::Transparent;
    NewImageSpec clear = newImageSpec(f, Color::fromRgb(0x123456));
    EXPECT_TRUE(clear.transparent);
    EXPECT_EQ(clear.fillColor.rgb(), 0xFFFFFFu);
}

TEST(DocumentNameCounter, CountsFromOne) {
    DocumentNameCounter untitled("Untitled-");
    EXPECT_EQ(untitled.next(), "Untitled-1");
    EXPECT_EQ(untitled.next(), "Untitled-2");
    DocumentNameCounter clipboard("Clipboard-");
    EXPECT_EQ(clipboard.next(), "Clipboard-1");
}

} // namespace
} // namespace pict
