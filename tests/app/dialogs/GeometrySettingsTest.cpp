// The Image Size and Canvas Size dialogs' arithmetic.
#include "app/dialogs/CanvasSizeSettings.h"
#include "app/dialogs/ImageSizeSettings.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace pict {
namespace {

TEST(ImageSizeArithmetic, PercentRoundsHalfUp) {
    EXPECT_EQ(pixelsFromPercent(50, 101), 51); // 50.5 rounds up
    EXPECT_EQ(pixelsFromPercent(50, 99), 50);  // 49.5 rounds up
    EXPECT_EQ(pixelsFromPercent(200, 640), 1280);
    EXPECT_EQ(pixelsFromPercent(0.1, 100), 0); // below one pixel: the dialog refuses it
    EXPECT_DOUBLE_EQ(percentFromPixels(50, 200), 25.0);
}

TEST(ImageSizeArithmetic, ConstrainedProportionsNeverGoBelowOnePixel) {
    EXPECT_EQ(proportionalHeight(400, 300, 200), 150);
    EXPECT_EQ(proportionalHeight(3, 1, 1), 1); // 0.33 rounds to 0, kept at 1
    EXPECT_EQ(proportionalHeight(3, 2, 1), 1); // 0.67 rounds to 1
    EXPECT_EQ(proportionalWidth(400, 300, 600), 800);
}

TEST(ImageSizeArithmetic, ThumbnailFitsTheLongerSideAndNeverEnlarges) {
    EXPECT_EQ(thumbnailSize({1000, 500}, 256), (Size{256, 128}));
    EXPECT_EQ(thumbnailSize({500, 1000}, 256), (Size{128, 256}));
    EXPECT_EQ(thumbnailSize({300, 300}, 128), (Size{128, 128}));
    EXPECT_EQ(thumbnailSize({1000, 333}, 128), (Size{128, 43})); // 42.6 rounds up
    EXPECT_EQ(thumbnailSize({10000, 3}, 128), (Size{128, 1}));   // a line keeps one pixel
    EXPECT_EQ(thumbnailSize({3, 10000}, 1), (Size{1, 1}));
    // Already within the box, on one side or both: kept as it is.
    EXPECT_EQ(thumbnailSize({64, 48}, 128), (Size{64, 48}));
    EXPECT_EQ(thumbnailSize({128, 20}, 128), (Size{128, 20}));
    EXPECT_EQ(thumbnailSize({129, 20}, 128), (Size{128, 20}));
    // Against the plain definition: the longer side is the box, the other within half a pixel.
    for (int32_t w = 1; w <= 300; w += 7)
        for (int32_t h = 1; h <= 300; h += 11) {
            const Size t = thumbnailSize({w, h}, 64);
            if (w <= 64 && h <= 64) {
                EXPECT_EQ(t, (Size{w, h}));
                continue;
            }
            EXPECT_EQ(std::max(t.width, t.height), 64) << w << "x" << h;
            const double exact = 64.0 * std::min(w, h) / std::max(w, h);
            EXPECT_LE(std::abs(std::min(t.width, t.height) - std::max(1.0, exact)), 0.5) << w << "x" << h;
        }
}

TEST(ImageSizeArithmetic, DocumentLengthsFollowTheResolution) {
    EXPECT_DOUBLE_EQ(
        documentLengthFromPixels(300, 300, 300, ResolutionUnit::PixelsPerInch, DocumentLengthUnit::Inches),
        1.0);
    EXPECT_NEAR(documentLengthFromPixels(300, 300, 300, ResolutionUnit::PixelsPerInch,
                                         DocumentLengthUnit::Centimeters),
                2.54, 1e-12);
    EXPECT_NEAR(documentLengthFromPixels(300, 300, 300, ResolutionUnit::PixelsPerInch,
                                         DocumentLengthUnit::Millimeters),
                25.4, 1e-12);
    // 100 pixels/cm are 254 pixels/inch.
    EXPECT_NEAR(documentLengthFromPixels(254, 254, 100, ResolutionUnit::PixelsPerCentimeter,
                                         DocumentLengthUnit::Centimeters),
                2.54, 1e-12);
    EXPECT_EQ(pixelsFromDocumentLength(2.0, 0, 72, ResolutionUnit::PixelsPerInch, DocumentLengthUnit::Inches),
              144);
    EXPECT_EQ(pixelsFromDocumentLength(2.54, 0, 100, ResolutionUnit::PixelsPerInch,
                                       DocumentLengthUnit::Centimeters),
              100);
    EXPECT_EQ(
        pixelsFromDocumentLength(50, 640, 72, ResolutionUnit::PixelsPerInch, DocumentLengthUnit::Percent),
        320);
    EXPECT_EQ(initialDocumentLengthUnit(ResolutionUnit::PixelsPerCentimeter),
              DocumentLengthUnit::Centimeters);
    EXPECT_EQ(initialDocumentLengthUnit(ResolutionUnit::PixelsPerInch), DocumentLengthUnit::Inches);
}

TEST(ImageSizeArithmetic, ResolutionUnitSwitchAndResolutionOnlyChange) {
    EXPECT_NEAR(convertResolution(254.0, ResolutionUnit::PixelsPerInch, ResolutionUnit::PixelsPerCentimeter),
                100.0, 1e-4);
    EXPECT_DOUBLE_EQ(
        convertResolution(100.0, ResolutionUnit::PixelsPerCentimeter, ResolutionUnit::PixelsPerInch), 254.0);
    EXPECT_DOUBLE_EQ(convertResolution(72.0, ResolutionUnit::PixelsPerInch, ResolutionUnit::PixelsPerInch),
                     72.0);
    // 600 x 300 pixels printed at 2 x 1 inches need 300 pixels/inch.
    EXPECT_DOUBLE_EQ(resolutionForDocumentSize(600, 300, 2.0, 1.0), 300.0);
    EXPECT_DOUBLE_EQ(resolutionForDocumentSize(600, 300, 0.0, 1.0), 0.0);
    EXPECT_DOUBLE_EQ(resolutionForDocumentPercent(72.0, 50.0), 144.0);
}

TEST(ImageSizeSettingsRules, AcceptanceAndCommitRule) {
    ImageSizeSettings s{100, 80, 72.0f, ResolutionUnit::PixelsPerInch, 100, 80, 2};
    EXPECT_TRUE(isAcceptable(s));
    EXPECT_FALSE(changesDocument(s, 72.0f, ResolutionUnit::PixelsPerInch));
    s.resolution = 72.00005f;
    EXPECT_FALSE(changesDocument(s, 72.0f, ResolutionUnit::PixelsPerInch)); // closer than 0.0001
    s.resolution = 72.01f;
    EXPECT_TRUE(changesDocument(s, 72.0f, ResolutionUnit::PixelsPerInch));
    s.resolution = 72.0f;
    EXPECT_TRUE(changesDocument(s, 72.0f, ResolutionUnit::PixelsPerCentimeter)); // another unit
    s.method = 5;
    EXPECT_FALSE(
        changesDocument(s, 72.0f, ResolutionUnit::PixelsPerInch)); // the method alone changes nothing

    s.width = 30001;
    EXPECT_FALSE(isAcceptable(s));
    s.width = 30000;
    s.resolution = 10000.0f;
    EXPECT_FALSE(isAcceptable(s));
    s.resolution = 0.5f;
    EXPECT_FALSE(isAcceptable(s));
}

TEST(ImageSizeSettingsRules, MethodNamesAndClamping) {
    int32_t m = -1;
    EXPECT_TRUE(parseResampleMethod("0", m));
    EXPECT_EQ(m, 0);
    EXPECT_TRUE(parseResampleMethod("lanczos", m));
    EXPECT_EQ(m, 5);
    EXPECT_TRUE(parseResampleMethod("nearest-neighbor", m));
    EXPECT_EQ(m, 0);
    EXPECT_TRUE(parseResampleMethod("Bicubic Sharp", m));
    EXPECT_EQ(m, 3);
    EXPECT_FALSE(parseResampleMethod("6", m));
    EXPECT_FALSE(parseResampleMethod("cubic", m));
    EXPECT_EQ(clampResampleMethod(-3), 0);
    EXPECT_EQ(clampResampleMethod(9), 5);
    EXPECT_FALSE(isSmoothResampling(0));
    EXPECT_TRUE(isSmoothResampling(5));
}

TEST(ImageSizeSettingsRules, MemoryText) {
    EXPECT_EQ(memorySizeText(imageMemoryBytes(16, 16)), "1K");
    EXPECT_EQ(memorySizeText(imageMemoryBytes(1024, 1024)), "3.00M");
    ImageSizeSettings s{200, 100, 72.0f, ResolutionUnit::PixelsPerInch, 100, 100, 1};
    EXPECT_EQ(pixelDimensionsText(s), "59K (was 30K)");
    s.height = 0;
    EXPECT_EQ(pixelDimensionsText(s), "--");
}

TEST(CanvasAnchor, OffsetsTruncateTowardZero) {
    EXPECT_EQ(anchorOffset({100, 100}, {105, 100}, 4), (Point{2, 0}));
    EXPECT_EQ(anchorOffset({105, 100}, {100, 100}, 4), (Point{-2, 0}));
    EXPECT_EQ(anchorOffset({100, 100}, {80, 80}, 8), (Point{-20, -20}));
    EXPECT_EQ(anchorOffset({100, 100}, {80, 80}, 0), (Point{0, 0}));
    EXPECT_EQ(anchorOffset({100, 100}, {120, 90}, 2), (Point{20, 0}));
    EXPECT_EQ(anchorOffset({100, 100}, {120, 90}, 6), (Point{0, -10}));
    EXPECT_EQ(anchorOffset({100, 100}, {105, 105}, 42), (Point{2, 2})); // out of range: centre
}

TEST(CanvasSizeFields, UnitsAndRelativeEntries) {
    EXPECT_EQ(
        canvasPixelsFromEntry(120, CanvasLengthUnit::Pixels, false, 100, 72, ResolutionUnit::PixelsPerInch),
        120);
    EXPECT_EQ(
        canvasPixelsFromEntry(20, CanvasLengthUnit::Pixels, true, 100, 72, ResolutionUnit::PixelsPerInch),
        120);
    EXPECT_EQ(
        canvasPixelsFromEntry(-20, CanvasLengthUnit::Pixels, true, 100, 72, ResolutionUnit::PixelsPerInch),
        80);
    EXPECT_EQ(
        canvasPixelsFromEntry(150, CanvasLengthUnit::Percent, false, 100, 72, ResolutionUnit::PixelsPerInch),
        150);
    EXPECT_EQ(
        canvasPixelsFromEntry(1, CanvasLengthUnit::Inches, false, 100, 72, ResolutionUnit::PixelsPerInch),
        72);
    EXPECT_EQ(canvasPixelsFromEntry(25.4, CanvasLengthUnit::Millimeters, false, 100, 300,
                                    ResolutionUnit::PixelsPerInch),
              300);
    EXPECT_EQ(canvasPixelsFromEntry(1, CanvasLengthUnit::Centimeters, false, 100, 118,
                                    ResolutionUnit::PixelsPerCentimeter),
              118);
    CanvasSizeSettings s;
    s.width = 0;
    EXPECT_FALSE(isAcceptable(s));
}

} // namespace
} // namespace pict
