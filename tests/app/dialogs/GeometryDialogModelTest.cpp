#include "app/dialogs/CanvasSizeDialogModel.h"
#include "app/dialogs/ImageSizeDialogModel.h"

#include <gtest/gtest.h>

namespace pict {
namespace {

using F = ImageSizeField;

TEST(ImageSizeDialogModel, StartsFromTheDocumentInItsUnits) {
    ImageSizeDialogModel model(300, 200, 100.0f, ResolutionUnit::PixelsPerInch);
    EXPECT_EQ(model.text(F::PixelWidth), "300");
    EXPECT_EQ(model.text(F::DocumentWidth), "3");
    EXPECT_EQ(model.text(F::DocumentHeight), "2");
    EXPECT_EQ(model.text(F::Resolution), "100");
    EXPECT_EQ(model.documentUnit(), DocumentLengthUnit::Inches);
    EXPECT_TRUE(model.constrain());
    EXPECT_TRUE(model.resample());
    EXPECT_EQ(model.pixelDimensionsLine(), "176K");
    EXPECT_EQ(ImageSizeDialogModel(10, 10, 40.0f, ResolutionUnit::PixelsPerCentimeter).documentUnit(),
              DocumentLengthUnit::Centimeters);
}

TEST(ImageSizeDialogModel, ConstrainedEditsMoveTheOtherSide) {
    ImageSizeDialogModel model(300, 200, 100.0f, ResolutionUnit::PixelsPerInch);
    model.edit(F::PixelWidth, "150");
    EXPECT_EQ(model.text(F::PixelWidth), "150") << "the typed entry keeps its text";
    EXPECT_EQ(model.text(F::PixelHeight), "100");
    EXPECT_EQ(model.text(F::DocumentWidth), "1.5");
    EXPECT_EQ(model.pixelDimensionsLine(), "44K (was 176K)");
    model.edit(F::PixelHeight, "1");
    EXPECT_EQ(model.text(F::PixelWidth), "2");

    model.setConstrain(false);
    model.edit(F::PixelWidth, "500");
    EXPECT_EQ(model.settings().height, 1);

    model.setConstrain(true);
    model.setPixelUnit(PixelEntryUnit::Percent);
    model.edit(F::PixelWidth, "50");
    EXPECT_EQ(model.settings().width, 150);
    EXPECT_EQ(model.settings().height, 100);
    EXPECT_EQ(model.text(F::PixelHeight), "50");
}

TEST(ImageSizeDialogModel, PrintedSizeSetsPixelsWhileResampling) {
    ImageSizeDialogModel model(300, 200, 100.0f, ResolutionUnit::PixelsPerInch);
    model.setDocumentUnit(DocumentLengthUnit::Centimeters);
    EXPECT_EQ(model.text(F::DocumentWidth), "7.62");
    model.edit(F::DocumentWidth, "2.54");
    EXPECT_EQ(model.settings().width, 100);
    EXPECT_EQ(model.settings().height, 67);
    // The resolution alone changes only the printed size.
    model.edit(F::Resolution, "200");
    EXPECT_EQ(model.settings().width, 100);
    EXPECT_EQ(model.text(F::DocumentWidth), "1.27");
}

TEST(ImageSizeDialogModel, WithoutResamplingThePrintedSizeSetsTheResolution) {
    ImageSizeDialogModel model(300, 200, 100.0f, ResolutionUnit::PixelsPerInch);
    model.edit(F::PixelWidth, "600");
    model.setResample(false);
    EXPECT_FALSE(model.pixelEntriesEnabled());
    EXPECT_EQ(model.settings().width, 300) << "the pixels go back and stay";
    EXPECT_TRUE(model.constrain());
    model.edit(F::DocumentWidth, "1");
    EXPECT_FLOAT_EQ(model.settings().resolution, 300.0f);
    EXPECT_EQ(model.text(F::DocumentHeight), "0.667");
    EXPECT_EQ(model.text(F::Resolution), "300");
    model.setDocumentUnit(DocumentLengthUnit::Percent);
    model.edit(F::DocumentWidth, "50");
    EXPECT_FLOAT_EQ(model.settings().resolution, 200.0f);
    EXPECT_EQ(model.settings().width, 300);
}

TEST(ImageSizeDialogModel, SwitchingTheResolutionUnitConvertsTheValue) {
    ImageSizeDialogModel model(300, 200, 254.0f, ResolutionUnit::PixelsPerInch);
    model.setResolutionUnit(ResolutionUnit::PixelsPerCentimeter);
    EXPECT_NEAR(model.settings().resolution, 100.0, 1e-3);
    EXPECT_EQ(model.text(F::Resolution), "100");
    EXPECT_EQ(model.settings().resolutionUnit, ResolutionUnit::PixelsPerCentimeter);
    model.setResolutionUnit(ResolutionUnit::PixelsPerInch);
    EXPECT_NEAR(model.settings().resolution, 254.0, 1e-3);
}

TEST(ImageSizeDialogModel, OutOfRangeOrUnreadableEntriesRefuseOk) {
    ImageSizeDialogModel model(300, 200, 72.0f, ResolutionUnit::PixelsPerInch);
    model.edit(F::PixelWidth, "30001");
    EXPECT_FALSE(model.acceptable());
    EXPECT_EQ(model.pixelDimensionsLine(), "--");
    model.edit(F::PixelWidth, "300");
    EXPECT_TRUE(model.acceptable());
    model.edit(F::Resolution, "0.5");
    EXPECT_FALSE(model.acceptable());
    model.edit(F::Resolution, "72");
    model.edit(F::DocumentHeight, "abc");
    EXPECT_FALSE(model.acceptable());
    model.edit(F::DocumentHeight, "");
    EXPECT_FALSE(model.acceptable());
}

TEST(ImageSizeDialogModel, UnchangedEntriesConfirmTheDocumentsOwnValues) {
    ImageSizeDialogModel model(300, 200, 72.0f, ResolutionUnit::PixelsPerInch);
    model.setMethod(9);
    const ImageSizeSettings s = model.settings();
    EXPECT_FALSE(changesDocument(s, 72.0f, ResolutionUnit::PixelsPerInch));
    EXPECT_EQ(s.method, 5) << "shown as the nearest end";
}

TEST(CanvasSizeDialogModel, EntriesInUnitsAndRelative) {
    CanvasSizeDialogModel model(100, 80, 100.0f, ResolutionUnit::PixelsPerInch, {});
    EXPECT_EQ(model.text(CanvasAxis::Width), "100");
    EXPECT_EQ(model.currentSideText(CanvasAxis::Height), "80 pixels");
    model.edit(CanvasAxis::Width, "150");
    model.setUnit(CanvasAxis::Width, CanvasLengthUnit::Percent);
    EXPECT_EQ(model.text(CanvasAxis::Width), "150");
    model.setUnit(CanvasAxis::Width, CanvasLengthUnit::Inches);
    EXPECT_EQ(model.text(CanvasAxis::Width), "1.5");
    model.setRelative(true);
    EXPECT_EQ(model.text(CanvasAxis::Width), "0.5");
    EXPECT_EQ(model.text(CanvasAxis::Height), "0");
    model.edit(CanvasAxis::Height, "-20");
    CanvasSizeDialogMemory memory;
    const CanvasSizeSettings s = model.confirm(memory, kBlack, kWhite);
    EXPECT_EQ(s.width, 150);
    EXPECT_EQ(s.height, 60);
    EXPECT_EQ(s.anchorOffset, (Point{25, -10}));
}

TEST(CanvasSizeDialogModel, SizesOutsideTheLimitsRefuseOk) {
    CanvasSizeDialogModel model(100, 80, 72.0f, ResolutionUnit::PixelsPerInch, {});
    model.edit(CanvasAxis::Width, "0");
    EXPECT_FALSE(model.acceptable());
    EXPECT_EQ(model.newSizeText(), "--");
    model.edit(CanvasAxis::Width, "30001");
    EXPECT_FALSE(model.acceptable());
    model.edit(CanvasAxis::Width, "12x");
    EXPECT_FALSE(model.acceptable());
    model.edit(CanvasAxis::Width, "200");
    EXPECT_TRUE(model.acceptable());
    model.setRelative(true);
    model.edit(CanvasAxis::Height, "-80");
    EXPECT_FALSE(model.acceptable()) << "a relative change may not take a side to zero";
}

TEST(CanvasSizeDialogModel, AnchorAndColorMemory) {
    CanvasSizeDialogMemory memory;
    CanvasSizeDialogModel model(100, 100, 72.0f, ResolutionUnit::PixelsPerInch, memory);
    EXPECT_EQ(model.colorChoice(), FillContents::Background);
    EXPECT_EQ(model.extensionColor(Color::fromRgb(0x112233), Color::fromRgb(0x445566)).rgb(), 0x445566u);
    model.edit(CanvasAxis::Width, "80");
    model.edit(CanvasAxis::Height, "80");
    model.setAnchor(8);
    model.setAnchor(12); // ignored
    model.pickCustomColor(Color::fromRgb(0x00AA11));
    EXPECT_EQ(model.colorChoice(), FillContents::Custom);
    const CanvasSizeSettings s = model.confirm(memory, kBlack, kWhite);
    EXPECT_EQ(s.anchorOffset, (Point{-20, -20}));
    EXPECT_EQ(s.extensionColor.rgb(), 0x00AA11u);
    EXPECT_EQ(memory.colorChoice, FillContents::Custom);
    EXPECT_EQ(memory.customColor.rgb(), 0x00AA11u);
    EXPECT_EQ(CanvasSizeDialogModel(5, 5, 72.0f, ResolutionUnit::PixelsPerInch, memory).customColor().rgb(),
              0x00AA11u);
}

} // namespace
} // namespace pict
