#include "app/commands/CommandTable.h"
#include "app/session/DocumentWindowLayout.h"
#include "app/commands/ShellCommandStates.h"
#include "app/commands/ZoomCommands.h"
#include "app/commands/TestFrameHost.h"
#include "canvas/CanvasView.h"
#include "document/DocumentInfo.h"

#include <gtest/gtest.h>

#include <string_view>

namespace pict {
namespace {

TEST(ShellCommandStates, EveryApplicationCommandHasARule) {
    // An application id without a rule would be silently disabled forever.
    for (const CommandSpec& info : commandTable()) {
        if (info.route != CommandRoute::Application)
            continue;
        ShellState all{true, true, true, true, true};
        const bool enabled = isShellCommandEnabled(info.id, all);
        EXPECT_EQ(enabled, shellRuleOf(info.id) != ShellRule::NotAvailable) << info.id;
    }
    EXPECT_EQ(shellRuleOf(kCmdUndo), ShellRule::NotAvailable); // a document command
}

TEST(ShellCommandStates, DocumentCommandsNeedAnActiveDocument) {
    ShellState none;
    EXPECT_TRUE(isShellCommandEnabled(kCmdNew, none));
    EXPECT_TRUE(isShellCommandEnabled(kCmdOpen, none));
    EXPECT_TRUE(isShellCommandEnabled(kCmdExit, none));
    EXPECT_TRUE(isShellCommandEnabled(kCmdAbout, none));
    for (uint16_t id : {kCmdClose, kCmdCloseAll, kCmdSave, kCmdSaveAs, kCmdDuplicateImage, kCmdCascade, kCmdTile})
        EXPECT_FALSE(isShellCommandEnabled(id, none)) << id;

    ShellState open;
    open.hasDocument = true;
    EXPECT_TRUE(isShellCommandEnabled(kCmdSaveAs, open));
    EXPECT_FALSE(isShellCommandEnabled(kCmdSave, open)) << "Save writes only unsaved changes";
    open.documentModified = true;
    EXPECT_TRUE(isShellCommandEnabled(kCmdSave, open));
}

TEST(ShellCommandStates, ClipboardRecentFilesAndIcons) {
    ShellState state;
    EXPECT_FALSE(isShellCommandEnabled(kCmdNewFromClipboard, state));
    EXPECT_FALSE(isShellCommandEnabled(kCmdClearRecent, state));
    EXPECT_FALSE(isShellCommandEnabled(kCmdArrangeIcons, state));
    EXPECT_TRUE(isShellCommandEnabled(kCmdRecentFileFirst + 3, state));
    state.clipboardHasImage = state.hasRecentFiles = state.hasMinimizedWindows = true;
    EXPECT_TRUE(isShellCommandEnabled(kCmdNewFromClipboard, state));
    EXPECT_TRUE(isShellCommandEnabled(kCmdClearRecent, state));
    EXPECT_TRUE(isShellCommandEnabled(kCmdArrangeIcons, state));
}

TEST(ShellCommandStates, PrintingNeedsADocumentPageSetupDoesNot) {
    ShellState none;
    EXPECT_TRUE(isShellCommandEnabled(kCmdPageSetup, none));
    EXPECT_FALSE(isShellCommandEnabled(kCmdPrint, none));
    EXPECT_FALSE(isShellCommandEnabled(kCmdPrintPreview, none));
    ShellState document;
    document.hasDocument = true;
    EXPECT_TRUE(isShellCommandEnabled(kCmdPrint, document));
    EXPECT_TRUE(isShellCommandEnabled(kCmdPrintPreview, document));
}

TEST(ShellCommandStates, TheManualIsThereTheWebPagesAreNot) {
    EXPECT_TRUE(isShellCommandEnabled(kCmdHelpContents, ShellState{}));
    ShellState all{true, true, true, true, true};
    for (uint16_t id : {kCmdHelpSearch, kCmdHelpIndex, kCmdWebSite, kCmdCheckUpdates, kCmdFeedback})
        EXPECT_FALSE(isShellCommandEnabled(id, all)) << id;
}

TEST(ShellCommandStates, TheSpecSaysWhichCommandsOpenADialog) {
    EXPECT_TRUE(findCommand(kCmdLevels)->opensDialog());
    EXPECT_TRUE(findCommand(kCmdFeather)->opensDialog());
    EXPECT_TRUE(findCommand(kCmdNew)->opensDialog());
    EXPECT_TRUE(findCommand(kCmdOptions)->opensDialog());
    EXPECT_FALSE(findCommand(kCmdInvert)->opensDialog());
    EXPECT_FALSE(findCommand(kCmdUndo)->opensDialog());
    // Delete Layer asks a question, not for parameters.
    EXPECT_FALSE(findCommand(kCmdDeleteLayer)->opensDialog());
    EXPECT_EQ(findCommand(kCmdDeleteLayer)->asks, CommandAsks::Confirmation);
    // The menus still read as they did: every item ending in "..." opens a dialog, and no
    // other item does.
    for (const CommandSpec& spec : commandTable()) {
        const bool ellipsis = std::string_view(spec.menuText).ends_with("...");
        EXPECT_EQ(spec.opensDialog(), ellipsis) << spec.menuText;
    }
}

TEST(ZoomCommands, FrameIdsAreTheZoomIds) {
    EXPECT_TRUE(isFrameCommand(kCmdZoomIn));
    EXPECT_TRUE(isFrameCommand(kCmdZoom5));
    EXPECT_TRUE(isFrameCommand(kCmdFitOnScreen));
    EXPECT_FALSE(isFrameCommand(kCmdUndo));
    EXPECT_FALSE(isFrameCommand(kCmdZoomInTool));
    EXPECT_FALSE(isFrameCommand(12345));
}

TEST(ZoomCommands, PresetsAndStepsReachTheView) {
    CanvasView view({400, 300}, {200, 200});
    DocumentInfo info;
    info.resolution = 300.0f;
    EXPECT_TRUE(test::runOnView(view, kCmdZoom10, info));
    EXPECT_FLOAT_EQ(view.zoom(), 0.1f);
    EXPECT_TRUE(test::runOnView(view, kCmdZoomIn, info));
    EXPECT_FLOAT_EQ(view.zoom(), 0.125f);
    EXPECT_TRUE(test::runOnView(view, kCmdPrintSize, info));
    EXPECT_FLOAT_EQ(view.zoom(), 0.24f);
    EXPECT_TRUE(test::runOnView(view, kCmdActualPixels, info));
    EXPECT_FLOAT_EQ(view.zoom(), 1.0f);
    EXPECT_TRUE(test::runOnView(view, kCmdFitInWindow, info));
    EXPECT_FLOAT_EQ(view.zoom(), 0.5f);
    // Fit on Screen is the window's to do; document ids travel on.
    test::TestFrameHost frame(view, info);
    EXPECT_TRUE(runFrameCommand(frame, kCmdFitOnScreen));
    EXPECT_EQ(frame.fitOnScreenCalls, 1);
    EXPECT_FALSE(runFrameCommand(frame, kCmdUndo));
    EXPECT_FLOAT_EQ(view.zoom(), 0.5f);
}

TEST(ZoomCommands, EnabledStatesFollowTheLimits) {
    CanvasView view({10, 8}, {100, 100}); // minimum zoom 1/8
    EXPECT_FALSE(isZoomCommandEnabled(view, kCmdZoom5));
    EXPECT_FALSE(isZoomCommandEnabled(view, kCmdZoom10));
    EXPECT_TRUE(isZoomCommandEnabled(view, kCmdZoom25));
    view.setZoom(16.0f, false);
    EXPECT_FALSE(isZoomCommandEnabled(view, kCmdZoomIn));
    EXPECT_TRUE(isZoomCommandEnabled(view, kCmdZoomOut));
    view.setZoom(0.0f, false);
    EXPECT_FALSE(isZoomCommandEnabled(view, kCmdZoomOut));
    EXPECT_TRUE(isZoomCommandEnabled(view, kCmdZoomIn));
    EXPECT_TRUE(isZoomCommandEnabled(view, kCmdFitInWindow));
    EXPECT_FALSE(isZoomCommandEnabled(view, kCmdUndo));
    // A 1 x 5000 image cannot go below 100 %.
    CanvasView sliver({1, 5000}, {100, 100});
    EXPECT_FALSE(isZoomCommandEnabled(sliver, kCmdZoomOut));
    EXPECT_FALSE(isZoomCommandEnabled(sliver, kCmdZoom75));
}

TEST(DocumentWindowLayout, SmallImagesStartAtActualPixels) {
    const InitialViewLayout layout = initialViewLayout({300, 200}, {800, 600});
    EXPECT_FLOAT_EQ(layout.zoom, 1.0f);
    EXPECT_EQ(layout.client, (Size{300, 200}));
    // Tiny images get a window of a readable size, within the workspace.
    EXPECT_EQ(initialViewLayout({32, 32}, {800, 600}).client, kMinimumDocumentClient);
    EXPECT_EQ(initialViewLayout({32, 32}, {100, 600}).client, (Size{100, kMinimumDocumentClient.height}));
}

TEST(DocumentWindowLayout, LargeImagesStartAtTheLargestFittingStep) {
    // 6000 x 4000 in 800 x 600: the fit is 0.133..., the largest step below is 1/8.
    const InitialViewLayout layout = initialViewLayout({6000, 4000}, {800, 600});
    EXPECT_FLOAT_EQ(layout.zoom, 0.125f);
    EXPECT_EQ(layout.client, (Size{750, 500}));
    // A one-pixel-wide strip never goes below its minimum zoom of 1.
    const InitialViewLayout strip = initialViewLayout({1, 5000}, {800, 600});
    EXPECT_FLOAT_EQ(strip.zoom, 1.0f);
    EXPECT_EQ(strip.client, (Size{kMinimumDocumentClient.width, 600}));
}

TEST(DocumentWindowLayout, IconsFillTheBottomRowsLeftToRight) {
    const std::vector<Point> places = arrangeIconPositions(5, {100, 30}, {250, 300});
    ASSERT_EQ(places.size(), 5u);
    EXPECT_EQ(places[0], (Point{0, 270}));
    EXPECT_EQ(places[1], (Point{100, 270}));
    EXPECT_EQ(places[2], (Point{0, 240}));
    EXPECT_EQ(places[4], (Point{0, 210}));
    EXPECT_TRUE(arrangeIconPositions(0, {100, 30}, {250, 300}).empty());
    EXPECT_EQ(arrangeIconPositions(2, {400, 30}, {250, 300})[1], (Point{0, 240}));
}

} // namespace
} // namespace pict
