#include "app/commands/CommandTable.h"
#include "app/commands/ZoomCommands.h"
#include "app/commands/TestFrameHost.h"
#include "canvas/CanvasView.h"
#include "canvas/ZoomSteps.h"
#include "document/DocumentInfo.h"

#include <gtest/gtest.h>

namespace pict {
namespace {

// The Canvas Zoom menu's texts come from the command table, the factors from the view's
// preset table: both must name the same ids.
TEST(ZoomCommands, PresetTableAndCommandTableAgree) {
    for (const ZoomPreset& preset : zoomPresets()) {
        const CommandSpec* info = findCommand(preset.commandId);
        ASSERT_NE(info, nullptr) << preset.commandId;
        EXPECT_STREQ(info->menuText, preset.label);
        EXPECT_EQ(info->route, CommandRoute::DocumentFrame);
    }
}

TEST(ZoomCommands, EveryPresetSetsItsFactorKeepingTheCentre) {
    const DocumentInfo info;
    for (const ZoomPreset& preset : zoomPresets()) {
        CanvasView view({4000, 3000}, {300, 200});
        view.setZoom(2, false);
        view.scrollTo(3850, 2900); // image point (2000, 1500) at the window centre
        ASSERT_EQ(view.windowToImage({150, 100}), (Point{2000, 1500}));
        ASSERT_TRUE(test::runOnView(view, preset.commandId, info)) << preset.label;
        EXPECT_EQ(view.zoom(), preset.factor) << preset.label;
        EXPECT_EQ(view.windowToImage({150, 100}), (Point{2000, 1500})) << preset.label;
    }
}

TEST(ZoomCommands, APresetExactlyAtTheMinimumCanBeChosen) {
    CanvasView view({20, 40}, {100, 100}); // minimum 1/20
    EXPECT_TRUE(isZoomCommandEnabled(view, kCmdZoom5));
    ASSERT_TRUE(test::runOnView(view, kCmdZoom5, DocumentInfo{}));
    EXPECT_EQ(view.zoom(), 0.05f);
    EXPECT_FALSE(isZoomCommandEnabled(view, kCmdZoomOut));

    CanvasView thin({1, 5000}, {100, 100}); // minimum 1: nothing below 100 % is offered
    for (uint16_t id : {kCmdZoom75, kCmdZoom50, kCmdZoom25, kCmdZoom10, kCmdZoom5})
        EXPECT_FALSE(isZoomCommandEnabled(thin, id)) << id;
    EXPECT_TRUE(isZoomCommandEnabled(thin, kCmdZoom100));
    EXPECT_FALSE(isZoomCommandEnabled(thin, kCmdZoomOut));
}

TEST(ZoomCommands, PrintSizeReadsTheDocumentsResolutionAndUnit) {
    CanvasView view({3000, 3000}, {800, 600});
    DocumentInfo info;
    info.resolution = 118.11f;
    info.resolutionUnit = ResolutionUnit::PixelsPerCentimeter;
    ASSERT_TRUE(test::runOnView(view, kCmdPrintSize, info));
    EXPECT_NEAR(view.zoom(), 0.24f, 0.0001f);
    info.resolution = 72.0f;
    info.resolutionUnit = ResolutionUnit::PixelsPerInch;
    view.setZoom(3, true);
    ASSERT_TRUE(test::runOnView(view, kCmdPrintSize, info));
    EXPECT_EQ(view.zoom(), 1.0f) << "72 pixels per inch is Actual Pixels";
}

} // namespace
} // namespace pict
